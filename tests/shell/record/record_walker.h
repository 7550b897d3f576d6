#pragma once

// A deliberately small, separate reading of a record's skeleton for tests:
// it follows block lengths and structure codes only, so a test can find a
// block's bytes without trusting the decoder under test. It assumes a
// well-formed record.

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace record_test {

struct BlockSpan {
    std::string name;
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

inline std::uint32_t le16(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | static_cast<std::uint32_t>(b[at + 1]) << 8;
}

inline std::uint32_t le32(std::span<const std::uint8_t> b, std::size_t at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}

inline void putLe(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Every block in record order, the window's first.
inline std::vector<BlockSpan> walkBlocks(std::span<const std::uint8_t> record) {
    std::vector<BlockSpan> blocks;
    for (std::size_t at = 93;;) {
        BlockSpan b{std::string(reinterpret_cast<const char*>(record.data() + at + 7),
                                le16(record, at + 5)),
                    at, le32(record, at)};
        at += b.length;
        b.codeOffset = at;
        blocks.push_back(b);
        while (record[at] == 0x02) // end of list
            ++at;
        if (record[at++] == 0x04) // end of record
            return blocks;
    }
}

// The named block, or an empty one with no name.
inline BlockSpan block(const std::vector<BlockSpan>& blocks, const std::string& name) {
    for (const auto& b : blocks)
        if (b.name == name)
            return b;
    return {};
}

inline std::string hex(std::size_t v) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "0x%zx", v);
    return buffer;
}

// Rewrites the header's length field after a test changed the record's size.
inline void fixHeaderLength(std::vector<std::uint8_t>& record) {
    putLe(record, 89, static_cast<std::uint32_t>(record.size() - 89), 4);
}

// Cuts `delta` bytes off the end of the picture file whose property value
// (its 4-byte length) is at `value` in `block`, or adds as many `fill`
// bytes, with every length around it fixed as an encoder would write them:
// only the file's own headers disagree.
inline void resizePicture(std::vector<std::uint8_t>& record, const BlockSpan& block,
                          std::size_t value, long delta, std::uint8_t fill) {
    const std::uint32_t n = le32(record, value);
    const auto end = record.begin() + static_cast<long>(value + 4 + n);
    if (delta < 0)
        record.erase(end + delta, end);
    else
        record.insert(end, static_cast<std::size_t>(delta), fill);
    const auto grown = [delta](std::uint32_t v) { return static_cast<std::uint32_t>(v + delta); };
    putLe(record, value, grown(n), 4);
    putLe(record, value + 8, grown(le32(record, value + 8)), 4);
    putLe(record, block.offset, grown(static_cast<std::uint32_t>(block.length)), 4);
    fixHeaderLength(record);
}

} // namespace record_test
