#pragma once

// Which properties each block kind carries, under which identifier, and how
// each is encoded. The decoder reads a block's properties by this table and
// the encoder writes them from it, so the two cannot disagree.

#include <cstdint>
#include <span>
#include <string_view>

namespace shell::record {

// How a property's value is laid out.
enum class Encoding : std::uint8_t {
    Text,       // 2-byte byte count, code page 936 bytes, 0x00
    Boolean,    // 0x00 false, 0xFF true
    SmallInt,   // one byte from 0 to the rule's maxValue
    Word,       // 2 bytes, unsigned
    Colour,     // 4 bytes
    Rect,       // four signed 2-byte values
    ClientRect, // four signed 4-byte values
    Font,       // OLE standard font persistence record
    Picture,    // 4-byte length, then an OLE standard picture persistence record
    Constant,   // 4 bytes 01 00 42 00
};

// The description field a property fills.
enum class Field : std::uint8_t {
    // Controls.
    Caption, // also a text box's text
    BackColour,
    ForeColour,
    Font,
    Picture,
    Rect,
    TabIndex,
    DrawingSetting,
    PictureBorder,
    CheckValue,
    OptionValue,
    // The window.
    WindowCaption,
    WindowDrawingSetting,
    HelpButton,
    BorderStyle,
    Icon,
    LinkTopic,
    MaxButton,
    MinButton,
    Client,
    ShowInTaskbar,
    StartUpPosition,
};

struct PropertyRule {
    std::uint8_t kindCode;
    std::uint8_t id;
    Field field;
    Encoding encoding;
    std::uint8_t maxValue; // SmallInt only
    std::string_view name;
};

// The rules of one kind code (0 to 10 for controls, 13 for the window), in
// ascending identifier order; empty for a code that is no kind.
std::span<const PropertyRule> propertyRules(std::uint8_t kindCode);

// The rule for `id` in `kindCode`, or null when that kind has no such
// property.
const PropertyRule* findPropertyRule(std::uint8_t kindCode, std::uint8_t id);

// The rule through which `kindCode` carries `field`, or null.
const PropertyRule* findFieldRule(std::uint8_t kindCode, Field field);

// "window" for 13, else the control kind's name, or "unknown".
std::string_view kindCodeName(std::uint8_t kindCode);

} // namespace shell::record
