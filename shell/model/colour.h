#pragma once

#include <cstdint>

namespace shell::model {

// A colour as stored in a description: 0x00BBGGRR (red in the low byte), or,
// with the high bit set, an index into the desktop's system colours.
struct Colour {
    std::uint32_t raw = 0;

    static constexpr Colour rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
        return Colour{static_cast<std::uint32_t>(red) | (static_cast<std::uint32_t>(green) << 8) |
                      (static_cast<std::uint32_t>(blue) << 16)};
    }

    constexpr bool isSystem() const { return (raw & 0x80000000u) != 0; }
    constexpr std::uint32_t systemIndex() const { return raw & 0x00FFFFFFu; }
    constexpr std::uint8_t red() const { return raw & 0xFFu; }
    constexpr std::uint8_t green() const { return (raw >> 8) & 0xFFu; }
    constexpr std::uint8_t blue() const { return (raw >> 16) & 0xFFu; }

    friend bool operator==(const Colour&, const Colour&) = default;
};

// The system colours a control falls back to when its description names none.
namespace system_colour {
inline constexpr Colour kWindowBackground{0x80000005u};
inline constexpr Colour kWindowText{0x80000008u};
inline constexpr Colour kButtonFace{0x8000000Fu};
inline constexpr Colour kButtonText{0x80000012u};
} // namespace system_colour

} // namespace shell::model
