#pragma once

// The encoder's output: bytes appended in the record's order, numbers
// little-endian, lengths patched in once known.

#include "shell/support/little_endian.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace shell::record {

class ByteWriter {
public:
    void u8(std::uint8_t v) { out_.push_back(v); }
    void u16(std::uint16_t v) { appendLittleEndian(out_, v); }
    void u32(std::uint32_t v) { appendLittleEndian(out_, v); }
    void bytes(std::span<const std::uint8_t> b) { out_.insert(out_.end(), b.begin(), b.end()); }
    void bytes(std::string_view b) { out_.insert(out_.end(), b.begin(), b.end()); }
    void zeros(std::size_t n) { out_.insert(out_.end(), n, 0); }
    void patch32(std::size_t at, std::uint32_t v) { storeLittleEndian(out_.data() + at, v); }

    std::size_t size() const { return out_.size(); }
    std::vector<std::uint8_t>& buffer() { return out_; }
    std::vector<std::uint8_t> take() { return std::move(out_); }

private:
    std::vector<std::uint8_t> out_;
};

} // namespace shell::record
