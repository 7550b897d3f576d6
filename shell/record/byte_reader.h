#pragma once

// The one way the decoder reads bytes: a cursor over a bounded span that
// checks every read against what is left before touching a byte.

#include "shell/record/location.h"
#include "shell/support/expected.h"
#include "shell/support/little_endian.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace shell::record {

// Record bytes seen as text, for name checks and messages.
inline std::string_view asText(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

class ByteReader {
public:
    // `base` is the offset of bytes[0] within the whole record, so that
    // errors name record offsets; `limit` names the end of `bytes` in
    // messages ("record", "block"). `where` must outlive the reader.
    ByteReader(std::span<const std::uint8_t> bytes, std::size_t base, const Location& where,
               std::string_view limit)
        : where_(&where), base_(base), bytes_(bytes), limit_(limit) {}

    // Offset of the next byte within the whole record.
    std::size_t offset() const { return base_ + pos_; }
    std::size_t remaining() const { return bytes_.size() - pos_; }
    bool atEnd() const { return pos_ == bytes_.size(); }

    // Reads `count` bytes; `what` names them in an error.
    Expected<std::span<const std::uint8_t>> take(std::size_t count, std::string_view what) {
        if (count > remaining()) [[unlikely]]
            return shortRead(count, what);
        const auto out = bytes_.subspan(pos_, count);
        pos_ += count;
        return out;
    }

    Expected<std::uint8_t> u8(std::string_view what) { return number<std::uint8_t>(what); }
    Expected<std::uint16_t> u16(std::string_view what) { return number<std::uint16_t>(what); }
    Expected<std::uint32_t> u32(std::string_view what) { return number<std::uint32_t>(what); }
    Expected<std::int32_t> i32(std::string_view what) { return number<std::int32_t>(what); }

    // A reader over the next `length` bytes, which this reader skips.
    Expected<ByteReader> sub(std::size_t length, std::string_view limit, std::string_view what);

    // Reads the rest of this reader's bytes through `where` instead, e.g.
    // once a block's name is known.
    void setLocation(const Location& where) { where_ = &where; }
    const Location& location() const { return *where_; }

    // An error at the given record offset.
    Error errorAt(std::size_t offset, std::string_view expected, std::string_view got) const {
        return record::errorAt(*where_, offset, expected, got);
    }

private:
    template <typename T> Expected<T> number(std::string_view what) {
        if (sizeof(T) > remaining()) [[unlikely]]
            return shortRead(sizeof(T), what);
        const T value = loadLittleEndian<T>(bytes_.data() + pos_);
        pos_ += sizeof(T);
        return value;
    }

    [[gnu::cold]] Error shortRead(std::size_t count, std::string_view what) const;

    std::size_t pos_ = 0;
    const Location* where_ = nullptr;
    std::size_t base_ = 0;
    std::span<const std::uint8_t> bytes_;
    std::string_view limit_;
};

} // namespace shell::record
