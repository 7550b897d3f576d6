// A record cut short anywhere must fail to decode, cleanly: never a crash,
// never a read past the bytes it was given (run under the asan preset too).

#include "embedded/form1_record.h"
#include "embedded/form2_record.h"
#include "shell/record/record.h"
#include "tests/shell/record/record_walker.h"
#include "tests/shell/record/sample_window.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// A plain cut contradicts the header's length field, which the decoder checks
// first; each cut here rewrites that field, so that the decoder must find the
// cut inside the blocks themselves. Every cut is an exactly sized heap copy (a
// vector built from a range allocates no more), so that asan sees a read even
// one byte past it. Deep inside a picture every cut fails alike, so only every
// 241st is tried there.
TEST(RecordTruncation, BothRecordsCutAtEveryOffsetFailWithAMessage) {
    for (const auto record : {embedded::form1_record(), embedded::form2_record()}) {
        auto window = shell::record::decodeRecord(record);
        ASSERT_TRUE(window);
        const auto pictures = record_test::windowPictures(*window);
        std::vector<bool> deep(record.size(), false);
        for (const auto& p : pictures) {
            const auto begin = static_cast<std::size_t>(p.fileBytes().data() - record.data());
            for (std::size_t i = begin + 64; i + 64 < begin + p.fileBytes().size(); ++i)
                deep[i] = i % 241 != 0;
        }
        for (std::size_t cut = 0; cut < record.size(); ++cut) {
            if (deep[cut])
                continue;
            std::vector<std::uint8_t> copy(record.begin(), record.begin() + static_cast<long>(cut));
            if (cut >= 93)
                record_test::putLe(copy, 89, static_cast<std::uint32_t>(cut - 89), 4);
            const auto decoded = shell::record::decodeRecord(copy);
            EXPECT_TRUE(!decoded && !decoded.error().message.empty()) << "cut " << cut;
        }
    }
}

} // namespace
