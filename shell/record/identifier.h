#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace shell::record {

// What each byte may be in a name: 1, start it; 2, follow the start.
inline constexpr std::array<std::uint8_t, 256> kNameBytes = [] {
    std::array<std::uint8_t, 256> t{};
    for (int c = 'A'; c <= 'Z'; ++c)
        t[static_cast<std::size_t>(c)] = t[static_cast<std::size_t>(c + 'a' - 'A')] = 3;
    for (int c = '0'; c <= '9'; ++c)
        t[static_cast<std::size_t>(c)] = 2;
    t['_'] = 2;
    return t;
}();

// A name the runtime accepts: an ASCII letter, then letters, digits and
// underscores.
constexpr bool isIdentifier(std::string_view name) {
    const auto kind = [](char c) { return kNameBytes[static_cast<unsigned char>(c)]; };
    if (name.empty() || (kind(name[0]) & 1) == 0)
        return false;
    for (const char c : name.substr(1))
        if (kind(c) == 0)
            return false;
    return true;
}

} // namespace shell::record
