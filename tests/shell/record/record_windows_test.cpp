// The two real windows' records: the stored block of Command12, byte for
// byte, and the encodings of particular values.

#include "embedded/form1_record.h"
#include "embedded/form2_record.h"
#include "main_window/form1_description.h"
#include "shell/model/ordering.h"
#include "shell/record/record.h"
#include "shell/text/codepage.h"
#include "tests/shell/record/record_walker.h"
#include "troubleshooting_window/form2_description.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

using record_test::block;
using record_test::le16;
using record_test::walkBlocks;
using Bytes = std::vector<std::uint8_t>;

// The embedded records, which the codec test shows to be the current descriptions'.
const Bytes kForm1Record(embedded::form1_record().begin(), embedded::form1_record().end());
const Bytes kForm2Record(embedded::form2_record().begin(), embedded::form2_record().end());

Bytes slice(const Bytes& record, std::size_t at, std::size_t length) {
    return Bytes(record.begin() + static_cast<long>(at),
                 record.begin() + static_cast<long>(at + length));
}

// A label's or button's caption is its first property (0x01): a 2-byte count
// after the identifier, then the text and its 0x00.
Bytes captionBytes(const Bytes& record, const char* name) {
    const std::size_t at = block(walkBlocks(record), name).firstPropertyOffset();
    EXPECT_EQ(record[at], 0x01) << name;
    const std::size_t n = le16(record, at + 1);
    EXPECT_EQ(record[at + 3 + n], 0x00) << name;
    return slice(record, at + 3, n);
}

std::size_t gbkSize(const shell::model::WindowDescription& window, const char* name) {
    auto gbk = shell::text::utf8ToGbk(*shell::model::findControl(window, name)->caption);
    EXPECT_TRUE(gbk) << name;
    return gbk ? gbk->size() : 0;
}

TEST(WindowRecords, Command12BlockMatchesTheWorkedExampleByteForByte) {
    const auto& command12 = block(walkBlocks(kForm1Record), "Command12");
    ASSERT_EQ(command12.name, "Command12");
    const Bytes expected = {
        0x2B, 0x00, 0x00, 0x00,                                                 // block length 43
        0x02,                                                                   // ordinal 2
        0x09, 0x00, 'C',  'o',  'm',  'm',  'a',  'n',  'd',  '1',  '2',  0x00, // name
        0x04,                                                                   // CommandButton
        0x01, 0x08, 0x00, 0xCA, 0xD6, 0xB6, 0xAF, 0xC1, 0xB4, 0xBD, 0xD3, 0x00, // "手动链接"
        0x04, 0x98, 0x2B, 0xE8, 0x08, 0xAF, 0x05, 0xEF, 0x01, // 11160, 2280, 1455, 495
        0x11, 0x28, 0x00,                                     // tab index 40
        0xFF,                                                 // end of properties
    };
    EXPECT_EQ(slice(kForm1Record, command12.offset, command12.length), expected);
    EXPECT_EQ(kForm1Record[command12.codeOffset], 0x03); // a sibling follows
}

// Texts are counted in code page 936 bytes, line breaks included: not in
// characters, nor in UTF-8 bytes.
TEST(WindowRecords, TextsKeepTheirLineBreaksAndCountBytes) {
    const Bytes label8 = captionBytes(kForm2Record, "Label8");
    const Bytes label9 = captionBytes(kForm2Record, "Label9");
    const Bytes label7 = captionBytes(kForm2Record, "Label7");
    // Label8: five lines joined by CR LF, no lone CR or LF.
    EXPECT_EQ(std::count(label8.begin(), label8.end(), 0x0D) +
                  std::count(label8.begin(), label8.end(), 0x0A),
              8);
    for (std::size_t i = 0; i + 1 < label8.size(); ++i)
        EXPECT_EQ(label8[i] == 0x0D, label8[i + 1] == 0x0A) << "at " << i;
    ASSERT_GE(std::min(label9.size(), label7.size()), 3u);
    EXPECT_NE(label9[label9.size() - 3], 0x0A);
    EXPECT_EQ(slice(label9, label9.size() - 2, 2), (Bytes{0x0A, 0x0A})); // two bare LFs
    EXPECT_EQ(slice(label7, label7.size() - 2, 2), (Bytes{0x0D, 0x0A}));
    const auto form2 = troubleshooting_window::form2Description();
    for (const char* name : {"Label7", "Label8", "Label9"})
        EXPECT_EQ(captionBytes(kForm2Record, name).size(), gbkSize(form2, name)) << name;
    // Label3 runs past 255 code page 936 bytes (the count needs both its bytes),
    // which are fewer than its UTF-8 bytes and more than its characters.
    const Bytes label3 = captionBytes(kForm1Record, "Label3");
    EXPECT_GT(label3.size(), 255u);
    EXPECT_EQ(label3.size(), gbkSize(main_window::form1Description(), "Label3"));
}

TEST(WindowRecords, OptionTrueIsFfAndGrayedCheckIs02) {
    const auto blocks = walkBlocks(kForm1Record);
    // The value (0x13) is the last property of option buttons and check boxes.
    const auto valueOf = [&](const char* name) {
        const std::size_t closing = block(blocks, name).closingOffset();
        EXPECT_EQ(kForm1Record[closing - 2], 0x13) << name;
        return kForm1Record[closing - 1];
    };
    EXPECT_EQ(valueOf("Option2"), 0xFF);
    EXPECT_EQ(valueOf("Option1"), 0x00);
    EXPECT_EQ(valueOf("Check7"), 0x02);
    EXPECT_EQ(valueOf("Check8"), 0x01);
    EXPECT_EQ(valueOf("Check4"), 0x00);
}

// The decoder reads the identifiers with the encoder's layout and constant,
// so only their bytes show a mistake both share.
TEST(WindowRecords, HeadersCarryIdentifiersInMixedEndianLayout) {
    // The window class id, the same in both.
    for (const Bytes& record : {kForm1Record, kForm2Record})
        EXPECT_EQ(slice(record, 37, 16), (Bytes{0x3A, 0x4F, 0xAD, 0x33, 0x99, 0x66, 0xCF, 0x11,
                                                0xB7, 0x0C, 0x00, 0xAA, 0x00, 0x60, 0xD3, 0x93}));
    // {7ADE3D68-5C58-45AF-9E9B-168AA032D8D0} in mixed-endian layout.
    EXPECT_EQ(slice(kForm1Record, 5, 16), (Bytes{0x68, 0x3D, 0xDE, 0x7A, 0x58, 0x5C, 0xAF, 0x45,
                                                 0x9E, 0x9B, 0x16, 0x8A, 0xA0, 0x32, 0xD8, 0xD0}));
}

} // namespace
