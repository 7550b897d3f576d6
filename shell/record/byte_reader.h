#pragma once

// The one way the decoder reads bytes: a cursor over a bounded span that
// checks every read (count × size, without overflow) against what is left
// before touching a byte.

#include "shell/record/location.h"
#include "shell/support/expected.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace shell::record {

// The result of one read: the value, or nothing and the reader keeps the
// error (takeError). Plain data, so the many small reads of a record cost
// no more than the bounds check.
template <typename T> struct Read {
    T value{};
    bool ok = false;

    explicit operator bool() const { return ok; }
    T& operator*() { return value; }
    const T& operator*() const { return value; }
    T* operator->() { return &value; }
    const T* operator->() const { return &value; }
};

class ByteReader {
public:
    ByteReader() = default;
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

    // Whether `count` items of `size` bytes each are left; a product that
    // overflows never fits. (No division: this runs for every read.)
    bool fits(std::size_t count, std::size_t size) const {
        std::size_t total = 0;
        return !__builtin_mul_overflow(count, size, &total) && total <= remaining();
    }

    // Reads `count` items of `size` bytes; `what` names them in an error.
    Read<std::span<const std::uint8_t>> take(std::size_t count, std::size_t size,
                                             std::string_view what) {
        if (!fits(count, size)) [[unlikely]] {
            noteShort(count, size, what);
            return {};
        }
        const auto out = bytes_.subspan(pos_, count * size);
        pos_ += count * size;
        return {out, true};
    }

    Read<std::uint8_t> u8(std::string_view what) {
        if (!fits(1, 1)) [[unlikely]] {
            noteShort(1, 1, what);
            return {};
        }
        return {bytes_[pos_++], true};
    }
    Read<std::uint16_t> u16(std::string_view what) {
        if (!fits(1, 2)) [[unlikely]] {
            noteShort(1, 2, what);
            return {};
        }
        const auto v = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
        pos_ += 2;
        return {v, true};
    }
    Read<std::uint32_t> u32(std::string_view what) {
        if (!fits(1, 4)) [[unlikely]] {
            noteShort(1, 4, what);
            return {};
        }
        const auto v = static_cast<std::uint32_t>(bytes_[pos_]) |
                       (static_cast<std::uint32_t>(bytes_[pos_ + 1]) << 8) |
                       (static_cast<std::uint32_t>(bytes_[pos_ + 2]) << 16) |
                       (static_cast<std::uint32_t>(bytes_[pos_ + 3]) << 24);
        pos_ += 4;
        return {v, true};
    }
    Read<std::int16_t> i16(std::string_view what) {
        const auto v = u16(what);
        return {static_cast<std::int16_t>(v.value), v.ok};
    }
    Read<std::int32_t> i32(std::string_view what) {
        const auto v = u32(what);
        return {static_cast<std::int32_t>(v.value), v.ok};
    }

    // A reader over the next `length` bytes, which this reader skips.
    Read<ByteReader> sub(std::size_t length, std::string_view limit, std::string_view what);

    // The error of the read that failed last, worded with the location the
    // reader had then.
    Error takeError() const;

    // Reads the rest of this reader's bytes through `where` instead, e.g.
    // once a block's name is known.
    void setLocation(const Location& where) { where_ = &where; }
    const Location& location() const { return *where_; }

    // An error at the given record offset, or at the next byte.
    Error errorAt(std::size_t offset, std::string_view expected, std::string_view got) const {
        return record::errorAt(*where_, offset, expected, got);
    }
    Error error(std::string_view expected, std::string_view got) const {
        return errorAt(offset(), expected, got);
    }

private:
    // Remembers a read of `count` × `size` bytes that did not fit; the words
    // are made only if takeError asks for them.
    void noteShort(std::size_t count, std::size_t size, std::string_view what) {
        short_ = {count, size, what, offset(), remaining()};
    }

    struct ShortRead {
        std::size_t count = 0;
        std::size_t size = 0;
        std::string_view what;
        std::size_t offset = 0;
        std::size_t remaining = 0;
    };

    // pos_ is kept apart from bytes_: were it next to the span's size, the
    // compiler would load both with one 16-byte read, which cannot take
    // pos_ from the store the previous read just made and stalls every read.
    std::size_t pos_ = 0;
    const Location* where_ = nullptr;
    std::size_t base_ = 0;
    std::span<const std::uint8_t> bytes_;
    std::string_view limit_;
    ShortRead short_;
};

} // namespace shell::record
