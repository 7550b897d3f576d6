#pragma once

// Where in a record something was found, for wording errors. Filled in as
// decoding goes and turned into words only when something fails, so the
// happy path builds no strings.

#include "shell/support/expected.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace shell::record {

struct Location {
    enum class Part : std::uint8_t { Record, Header, Block, StructureCode };

    Location() = default;
    explicit Location(Part p) : part(p) {}
    Location(Part p, std::string_view name, int blockOrdinal)
        : part(p), blockName(name), ordinal(blockOrdinal) {}

    Part part = Part::Record;
    std::string_view blockName; // empty until the block's name is read
    int ordinal = -1;           // -1 until the block's ordinal is read
    int property = -1;          // -1 outside a property
    std::string_view propertyName;

    // "header", "block Label3 (ordinal 5) property 0x01 (caption)",
    // "structure code after block Frame2 (ordinal 12)", "record".
    std::string describe() const;
};

// "0x1a2c"
std::string hexNumber(std::uint64_t value);
// "0x41", always two digits.
std::string hexByte(std::uint8_t value);

// "cc 31 00"
std::string byteList(std::span<const std::uint8_t> bytes);

// Text between quotes with every byte visible. RawBytes, for record bytes
// in an error, shows anything outside printable ASCII, quotes and
// backslashes as \xNN; Utf8, for decoded text, keeps characters from 0x80 up
// and escapes quotes, backslashes, \r, \n and \t as C does, other control
// characters as \xNN.
enum class Quote : std::uint8_t { RawBytes, Utf8 };
std::string quoted(std::string_view text, Quote style);

// The characters a Utf8 quote escapes with a backslash and a letter, the
// text form's reader reading the same ones back.
struct Escape {
    char character;
    char letter;
};
inline constexpr Escape kEscapes[] = {
    {'\n', 'n'}, {'\r', 'r'}, {'\t', 't'}, {'"', '"'}, {'\\', '\\'}};

// "<where> at offset 0x1a2c: expected <expected>, got <got>"
Error errorAt(const Location& where, std::size_t offset, std::string_view expected,
              std::string_view got);

} // namespace shell::record
