// A record cut short anywhere must fail to decode, cleanly: never a crash,
// never a read past the bytes it was given (run under the asan preset too).

#include "embedded/form1_record.h"
#include "embedded/form2_record.h"
#include "shell/model/ordering.h"
#include "shell/record/record.h"
#include "tests/shell/record/record_walker.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

bool failsWithAMessage(std::span<const std::uint8_t> bytes) {
    const auto result = shell::decodeRecord(bytes);
    return !result && !result.error().message.empty();
}

// Plain cuts contradict the header's length field. With that field rewritten
// to match the cut, the decoder must find the cut inside the blocks themselves;
// deep inside a picture every such cut fails alike, so only every 61st is tried.
TEST(RecordTruncation, BothRecordsCutAtEveryOffsetFail) {
    for (const auto record : {embedded::form1_record(), embedded::form2_record()}) {
        auto window = shell::decodeRecord(record);
        ASSERT_TRUE(window);
        std::vector<shell::Picture> pictures{window->icon.value()};
        for (const auto* c : shell::allControls(*window))
            if (c->picture)
                pictures.push_back(*c->picture);
        std::vector<bool> deep(record.size(), false);
        for (const auto& p : pictures) {
            const auto begin = static_cast<std::size_t>(p.fileBytes.data() - record.data());
            for (std::size_t i = begin + 64; i + 64 < begin + p.fileBytes.size(); ++i)
                deep[i] = i % 61 != 0;
        }
        std::vector<std::uint8_t> bytes(record.begin(), record.end());
        for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
            EXPECT_TRUE(failsWithAMessage(record.first(cut))) << "cut " << cut;
            if (cut < 93 || deep[cut])
                continue;
            record_test::putLe(bytes, 89, static_cast<std::uint32_t>(cut - 89), 4);
            EXPECT_TRUE(failsWithAMessage({bytes.data(), cut}))
                << "cut " << cut << ", length fixed";
        }
    }
}

// Exactly sized heap copies (a vector built from a range allocates no more)
// for every cut near the blocks' boundaries, so that asan sees a read even one
// byte past the cut.
TEST(RecordTruncation, ExactlySizedCopiesAroundEveryBlockBoundary) {
    for (const auto record : {embedded::form1_record(), embedded::form2_record()}) {
        for (const auto& b : record_test::walkBlocks(record)) {
            for (std::size_t c : {b.offset, b.offset + 4, b.offset + 8, b.closingOffset(), b.end(),
                                  b.codeOffset + 1}) {
                for (std::size_t cut = c; cut < c + 24 && cut < record.size(); ++cut) {
                    std::vector<std::uint8_t> copy(record.begin(),
                                                   record.begin() + static_cast<long>(cut));
                    record_test::putLe(copy, 89, static_cast<std::uint32_t>(cut - 89), 4);
                    EXPECT_FALSE(shell::decodeRecord(copy)) << "cut " << cut;
                }
            }
        }
    }
}

} // namespace
