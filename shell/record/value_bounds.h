#pragma once

// Ranges the decoder holds values to beyond what their fields can store:
// a window must be one a screen can show, a font one a face can have. The
// encoder refuses only what a record cannot hold (a font weight above 1000,
// a size of 0 or less) and writes any client rectangle, so tests can make
// records that break these.

#include <cstdint>
#include <string>

namespace shell::record {

struct ValueRange {
    std::int64_t min;
    std::int64_t max;
    const char* note; // how the range reads in other units, for messages

    bool contains(std::int64_t v) const { return v >= min && v <= max; }
    // "from 15 to 245760 twips (1 to 16384 pixels)"
    std::string describe() const {
        return "from " + std::to_string(min) + " to " + std::to_string(max) + " " + note;
    }
};

// A client area from one pixel to 16,384 pixels a side at 96 dpi (15 twips
// a pixel): a window of zero or negative size is never mapped, and a larger
// one is more than any screen shows and costs gigabytes to paint.
inline constexpr ValueRange kClientSize{15, 245760, "twips (1 to 16384 pixels)"};
// The stored position, used when the window is not centred: as far either
// way as the largest window is wide.
inline constexpr ValueRange kClientPosition{-245760, 245760, "twips (-16384 to 16384 pixels)"};
// Points times 10000: from 1 pt to 1638 pt, where one line fills the
// tallest control a rectangle can describe (32767 twips).
inline constexpr ValueRange kFontSize{10000, 16380000, "(1 to 1638 pt)"};
// The weights a face can have; 0 ("any") leaves the weight to chance.
inline constexpr ValueRange kFontWeight{1, 1000, "(thin to black)"};

} // namespace shell::record
