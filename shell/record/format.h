#pragma once

// The record's layout: a 93-byte header, then the window's block and one
// block per control, each followed by a structure code.

#include "shell/model/window_description.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace shell::record::format {

inline constexpr std::size_t kHeaderSize = 93;
inline constexpr std::uint8_t kLeadByte = 0xFF;
inline constexpr std::array<std::uint8_t, 3> kHeaderMagic{0xCC, 0x31, 0x00};
inline constexpr std::size_t kCountOffset = 4;
inline constexpr std::size_t kWindowIdOffset = 5;
inline constexpr std::size_t kInterfaceIdOffset = 21;
inline constexpr std::size_t kClassIdOffset = 37;
inline constexpr std::size_t kZeroOffset = 53;
inline constexpr std::size_t kZeroSize = 36;
// The length field counts from its own first byte to the end of the record.
inline constexpr std::size_t kLengthOffset = 89;

// The class identifier of a window: {33AD4F3A-6699-11CF-B70C-00AA0060D393}.
inline constexpr model::Guid kWindowClassId{
    0x33AD4F3Au, 0x6699, 0x11CF, {0xB7, 0x0C, 0x00, 0xAA, 0x00, 0x60, 0xD3, 0x93}};

// Structure codes, one after every block.
inline constexpr std::uint8_t kChildrenFollow = 0x01;
inline constexpr std::uint8_t kEndOfList = 0x02;
inline constexpr std::uint8_t kNextSibling = 0x03;
inline constexpr std::uint8_t kEndOfRecord = 0x04;

inline constexpr std::uint8_t kEndOfProperties = 0xFF;

// Limits the decoder enforces beyond what the fields' widths allow.
inline constexpr std::size_t kMaxNameLength = 40;     // the runtime's limit for names
inline constexpr std::size_t kMaxFontNameLength = 31; // a face name fits 32 bytes with its NUL
inline constexpr std::size_t kMaxDepth = 8; // containers open at once, the window included
inline constexpr std::uint16_t kMaxFontWeight = 1000;

// The OLE standard picture persistence preamble ("lt\0\0").
inline constexpr std::array<std::uint8_t, 4> kPicturePreamble{0x6C, 0x74, 0x00, 0x00};

// The OLE font persistence record's version and its flag bits.
inline constexpr std::uint8_t kFontVersion = 0x01;
inline constexpr std::uint8_t kFontItalic = 0x02;
inline constexpr std::uint8_t kFontUnderline = 0x04;
inline constexpr std::uint8_t kFontStrikethrough = 0x08;

} // namespace shell::record::format
