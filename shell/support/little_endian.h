#pragma once

// Every multi-byte number in a record, and in the bitmap and icon files it
// holds, is little-endian: the one place that assembles and spells them.

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

namespace shell {

template <typename T> T loadLittleEndian(const std::uint8_t* bytes) {
    using U = std::make_unsigned_t<T>;
    U value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        value = static_cast<U>(value | static_cast<U>(static_cast<U>(bytes[i]) << (8 * i)));
    return static_cast<T>(value);
}

template <typename T> void storeLittleEndian(std::uint8_t* bytes, T value) {
    using U = std::make_unsigned_t<T>;
    const auto v = static_cast<U>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

template <typename T> void appendLittleEndian(std::vector<std::uint8_t>& out, T value) {
    const std::size_t at = out.size();
    out.resize(at + sizeof(T));
    storeLittleEndian(out.data() + at, value);
}

} // namespace shell
