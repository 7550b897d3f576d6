#include "shell/record/byte_reader.h"

#include <cstdint>
#include <string>

namespace shell::record {

namespace {

std::string byteCount(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " byte" : " bytes");
}

} // namespace

Error ByteReader::takeError() const {
    const ShortRead& r = short_;
    std::string expected = r.size != 0 && r.count > SIZE_MAX / r.size
                               ? std::to_string(r.count) + " items of " + byteCount(r.size)
                               : byteCount(r.count * r.size);
    expected += " (";
    expected += r.what;
    expected += ')';
    return errorAt(r.offset, expected,
                   byteCount(r.remaining) + " before the end of the " + std::string(limit_));
}

Read<ByteReader> ByteReader::sub(std::size_t length, std::string_view limit,
                                 std::string_view what) {
    const std::size_t base = offset();
    const auto b = take(length, 1, what);
    if (!b)
        return {};
    return {ByteReader(*b, base, *where_, limit), true};
}

} // namespace shell::record
