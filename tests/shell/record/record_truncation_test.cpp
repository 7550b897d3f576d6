// A record cut short anywhere must fail to decode, cleanly: never a crash,
// never a read past the bytes it was given (run under the asan preset too).

#include "embedded/form1_record.h"
#include "embedded/form2_record.h"
#include "shell/model/ordering.h"
#include "shell/record/record.h"
#include "tests/shell/record/record_walker.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// Whether a cut inside a picture's bytes may be skipped: deep inside one,
// every cut fails the same way, so only every 61st is tried there.
std::vector<bool> sparseInsidePictures(std::span<const std::uint8_t> record) {
    std::vector<bool> skip(record.size(), false);
    auto window = shell::decodeRecord(record);
    EXPECT_TRUE(window);
    if (!window)
        return skip;
    std::vector<shell::Picture> pictures;
    if (window->icon)
        pictures.push_back(*window->icon);
    for (const auto* c : shell::allControls(*window))
        if (c->picture)
            pictures.push_back(*c->picture);
    for (const auto& p : pictures) {
        const auto begin = static_cast<std::size_t>(p.fileBytes.data() - record.data());
        for (std::size_t i = begin + 64; i + 64 < begin + p.fileBytes.size(); ++i)
            skip[i] = i % 61 != 0;
    }
    return skip;
}

// Decodes record[0, cut) for every cut, never decoding one successfully.
// With `fixLength` the header's length field is rewritten to match the cut.
void cutEverywhere(std::span<const std::uint8_t> record, bool fixLength) {
    std::vector<std::uint8_t> bytes(record.begin(), record.end());
    const std::vector<bool> skip =
        fixLength ? sparseInsidePictures(record) : std::vector<bool>(record.size(), false);
    std::size_t decoded = 0;
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        if (skip[cut])
            continue;
        if (fixLength && cut >= 93)
            record_test::putLe32(bytes, 89, static_cast<std::uint32_t>(cut - 89));
        const auto result = shell::decodeRecord(std::span<const std::uint8_t>(bytes.data(), cut));
        if (result)
            ++decoded;
        else if (result.error().message.empty())
            ADD_FAILURE() << "empty error message at cut " << cut;
    }
    EXPECT_EQ(decoded, 0u);
}

TEST(RecordTruncation, Form1CutAtEveryOffsetFails) {
    cutEverywhere(embedded::form1_record(), false);
}

TEST(RecordTruncation, Form2CutAtEveryOffsetFails) {
    cutEverywhere(embedded::form2_record(), false);
}

// With the header's length field rewritten to match the cut, the decoder
// gets past the header and must find the cut inside the blocks themselves
// (every offset outside the pictures' inner bytes).
TEST(RecordTruncation, Form1CutWithMatchingLengthFieldFails) {
    cutEverywhere(embedded::form1_record(), true);
}

TEST(RecordTruncation, Form2CutWithMatchingLengthFieldFails) {
    cutEverywhere(embedded::form2_record(), true);
}

// Exactly sized heap copies for every cut near the blocks' boundaries, so
// that asan sees a read even one byte past the cut.
TEST(RecordTruncation, ExactlySizedCopiesAroundEveryBlockBoundary) {
    for (const auto record : {embedded::form1_record(), embedded::form2_record()}) {
        const auto blocks = record_test::walkBlocks(record);
        std::vector<std::size_t> cuts;
        for (const auto& b : blocks)
            for (std::size_t c : {b.offset, b.offset + 4, b.offset + 8, b.closingOffset(), b.end(),
                                  b.codeOffset + 1})
                for (std::size_t d = 0; d < 24 && c + d < record.size(); ++d)
                    cuts.push_back(c + d);
        for (const std::size_t cut : cuts) {
            if (cut < 93)
                continue;
            auto copy = std::make_unique<std::uint8_t[]>(cut);
            std::copy(record.begin(), record.begin() + static_cast<long>(cut), copy.get());
            std::vector<std::uint8_t> header(copy.get(), copy.get() + 93);
            record_test::putLe32(header, 89, static_cast<std::uint32_t>(cut - 89));
            std::copy(header.begin(), header.end(), copy.get());
            EXPECT_FALSE(shell::decodeRecord({copy.get(), cut})) << "cut " << cut;
        }
    }
}

} // namespace
