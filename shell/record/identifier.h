#pragma once

#include <string_view>

namespace shell::record {

// A name the runtime accepts: an ASCII letter, then letters, digits and
// underscores.
constexpr bool isIdentifier(std::string_view name) {
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (name.empty() || !letter(name[0]))
        return false;
    for (const char c : name.substr(1))
        if (!letter(c) && !(c >= '0' && c <= '9') && c != '_')
            return false;
    return true;
}

} // namespace shell::record
