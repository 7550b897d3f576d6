#pragma once

// A deliberately small, separate reading of a record's skeleton for tests:
// it follows block lengths and structure codes only, so a test can find a
// block's bytes without trusting the decoder under test. It assumes a
// well-formed record.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace record_test {

struct BlockSpan {
    std::string name;
    std::uint8_t ordinal = 0;
    std::uint8_t kind = 0;
    std::size_t offset = 0; // of the length field
    std::size_t length = 0;
    std::size_t codeOffset = 0; // of the first structure code after the block

    std::size_t end() const { return offset + length; }
    std::size_t nameLengthOffset() const { return offset + 5; }
    std::size_t nameOffset() const { return offset + 7; }
    std::size_t kindOffset() const { return offset + 8 + name.size(); }
    std::size_t firstPropertyOffset() const { return kindOffset() + 1; }
    std::size_t closingOffset() const { return offset + length - 1; }
};

inline std::uint32_t le32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

inline std::uint16_t le16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

inline void putLe32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline void putLe16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// Every block in record order, the window's first.
inline std::vector<BlockSpan> walkBlocks(std::span<const std::uint8_t> record) {
    std::vector<BlockSpan> blocks;
    std::size_t at = 93;
    for (;;) {
        BlockSpan b;
        b.offset = at;
        b.length = le32(record, at);
        b.ordinal = record[at + 4];
        const std::size_t nameLength = le16(record, at + 5);
        b.name.assign(reinterpret_cast<const char*>(record.data() + at + 7), nameLength);
        b.kind = record[at + 8 + nameLength];
        at += b.length;
        b.codeOffset = at;
        blocks.push_back(b);
        std::uint8_t code = record[at++];
        while (code == 0x02)
            code = record[at++];
        if (code == 0x04)
            return blocks;
    }
}

inline const BlockSpan& block(const std::vector<BlockSpan>& blocks, const std::string& name) {
    for (const auto& b : blocks)
        if (b.name == name)
            return b;
    static const BlockSpan none;
    return none;
}

inline std::string hex(std::size_t v) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "0x%zx", v);
    return buffer;
}

// Rewrites the header's length field after a test changed the record's size.
inline void fixHeaderLength(std::vector<std::uint8_t>& record) {
    putLe32(record, 89, static_cast<std::uint32_t>(record.size() - 89));
}

} // namespace record_test
