#include "shell/record/byte_reader.h"

#include <string>

namespace shell::record {

namespace {

std::string byteCount(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " byte" : " bytes");
}

} // namespace

Error ByteReader::shortRead(std::size_t count, std::string_view what) const {
    return errorAt(offset(), byteCount(count) + " (" + std::string(what) + ")",
                   byteCount(remaining()) + " before the end of the " + std::string(limit_));
}

Expected<ByteReader> ByteReader::sub(std::size_t length, std::string_view limit,
                                     std::string_view what) {
    const std::size_t base = offset();
    LANSU_TRY_ASSIGN(const auto bytes, take(length, what));
    return ByteReader(bytes, base, *where_, limit);
}

} // namespace shell::record
