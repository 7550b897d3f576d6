#include "shell/model/contrast.h"

#include <algorithm>
#include <cmath>

namespace shell::model {

namespace {

double linear(std::uint8_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

std::uint8_t mixChannel(std::uint8_t from, std::uint8_t to, double t) {
    return static_cast<std::uint8_t>(std::lround(from + (to - from) * t));
}

Colour mix(Colour from, Colour to, double t) {
    return Colour::rgb(mixChannel(from.red(), to.red(), t), mixChannel(from.green(), to.green(), t),
                       mixChannel(from.blue(), to.blue(), t));
}

} // namespace

double relativeLuminance(Colour colour) {
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) +
           0.0722 * linear(colour.blue());
}

double contrastRatio(Colour a, Colour b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Colour readableOn(Colour text, Colour background, double minimum) {
    if (contrastRatio(text, background) >= minimum)
        return text;
    const Colour white = Colour::rgb(255, 255, 255);
    const Colour black = Colour::rgb(0, 0, 0);
    const Colour target =
        contrastRatio(white, background) >= contrastRatio(black, background) ? white : black;
    // Moving towards the target only ever moves the luminance away from the
    // background's once it has passed it, so the first mix that reads is
    // found by bisection on the mix ratio.
    const bool lighter = target == white;
    const auto reads = [&](Colour c) {
        const bool onTheTargetSide = lighter
                                         ? relativeLuminance(c) >= relativeLuminance(background)
                                         : relativeLuminance(c) <= relativeLuminance(background);
        return onTheTargetSide && contrastRatio(c, background) >= minimum;
    };
    double low = 0.0;
    double high = 1.0;
    for (int i = 0; i < 24; ++i) {
        const double middle = (low + high) / 2;
        (reads(mix(text, target, middle)) ? high : low) = middle;
    }
    return mix(text, target, high);
}

} // namespace shell::model
