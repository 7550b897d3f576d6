#include "shell/record/location.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace shell::record {

std::string hexNumber(std::uint64_t value) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(value));
    return buffer;
}

std::string hexByte(std::uint8_t value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02x", static_cast<unsigned>(value));
    return buffer;
}

std::string byteList(std::span<const std::uint8_t> bytes) {
    std::string out;
    for (const std::uint8_t b : bytes) {
        if (!out.empty())
            out += ' ';
        out += hexByte(b).substr(2);
    }
    return out;
}

std::string quoted(std::string_view text, Quote style) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        const bool control = c < 0x20 || c == 0x7F;
        if (style == Quote::Utf8 && !control && c != '"' && c != '\\') {
            out += ch;
            continue;
        }
        if (style == Quote::RawBytes && c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            out += ch;
            continue;
        }
        if (style == Quote::Utf8) {
            const auto* escape = std::ranges::find(kEscapes, ch, &Escape::character);
            if (escape != std::end(kEscapes)) {
                out += '\\';
                out += escape->letter;
                continue;
            }
        }
        static constexpr char digits[] = "0123456789abcdef";
        out += "\\x";
        out += digits[c >> 4];
        out += digits[c & 0xF];
    }
    return out + '"';
}

std::string Location::describe() const {
    std::string out;
    switch (part) {
    case Part::Record:
        return "record";
    case Part::Header:
        return "header";
    case Part::Block:
        out = "block";
        break;
    case Part::StructureCode:
        out = "structure code after block";
        break;
    }
    if (!blockName.empty()) {
        out += ' ';
        out += blockName;
    }
    if (ordinal >= 0)
        out += " (ordinal " + std::to_string(ordinal) + ")";
    if (part == Part::Block && property >= 0) {
        out += " property " + hexByte(static_cast<std::uint8_t>(property));
        if (!propertyName.empty()) {
            out += " (";
            out += propertyName;
            out += ')';
        }
    }
    return out;
}

Error errorAt(const Location& where, std::size_t offset, std::string_view expected,
              std::string_view got) {
    std::string message = where.describe();
    message += " at offset ";
    message += hexNumber(offset);
    message += ": expected ";
    message += expected;
    message += ", got ";
    message += got;
    return Error{std::move(message)};
}

} // namespace shell::record
