#include "shell/record/location.h"

#include <cstdio>

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
