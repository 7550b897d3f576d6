#pragma once

#include <cstdint>

namespace shell::model {

// Positions and sizes are held in twips, 1/1440 inch.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kReferenceDpi = 96;

// Converts twips to pixels at the given dots per inch, rounding to nearest.
// At 96 dpi one pixel is 15 twips.
constexpr int twipsToPixels(int twips, int dpi = kReferenceDpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    const long long half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                        : -((-scaled + half) / kTwipsPerInch));
}

// A control's rectangle: offset of its outer top-left corner from its
// container's outer top-left corner, and its outer size, in twips.
struct TwipRect {
    std::int16_t left = 0;
    std::int16_t top = 0;
    std::int16_t width = 0;
    std::int16_t height = 0;
    friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

// A window's client area in twips; the position is stored but replaced by
// the start-up position when the window is shown.
struct ClientRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const ClientRect&, const ClientRect&) = default;
};

} // namespace shell::model
