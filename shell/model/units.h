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

// Left, top, width and height in twips.
template <typename T> struct TwipsRect {
    T left = 0;
    T top = 0;
    T width = 0;
    T height = 0;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// A control's rectangle: offset of its outer top-left corner from its
// container's outer top-left corner, and its outer size.
using TwipRect = TwipsRect<std::int16_t>;

// A window's client area; the position is stored but replaced by the
// start-up position when the window is shown.
using ClientRect = TwipsRect<std::int32_t>;

} // namespace shell::model
