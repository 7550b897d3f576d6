// The two real windows through the codec: the worked example of Command12's
// block, the encodings of particular values, and both round trips.

#include "embedded/form1_record.h"
#include "embedded/form2_record.h"
#include "main_window/form1_description.h"
#include "shell/model/ordering.h"
#include "shell/record/record.h"
#include "shell/text/codepage.h"
#include "tests/shell/record/record_walker.h"
#include "troubleshooting_window/form2_description.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace {

using record_test::block;
using record_test::BlockSpan;
using record_test::le16;
using record_test::walkBlocks;
using Bytes = std::vector<std::uint8_t>;

Bytes encoded(const shell::WindowDescription& w) {
    auto r = shell::encodeRecord(w);
    EXPECT_TRUE(r.hasValue()) << (r ? "" : r.error().message);
    return r ? *r : Bytes{};
}

const Bytes& form1Record() {
    static const Bytes record = encoded(main_window::form1Description());
    return record;
}

const Bytes& form2Record() {
    static const Bytes record = encoded(troubleshooting_window::form2Description());
    return record;
}

std::span<const std::uint8_t> bytesOf(const Bytes& record, const BlockSpan& b) {
    return std::span<const std::uint8_t>(record).subspan(b.offset, b.length);
}

// A label's or button's caption is its first property (0x01): its 2-byte
// count follows the identifier.
std::span<const std::uint8_t> firstCaptionBytes(const Bytes& record, const BlockSpan& b) {
    const std::size_t at = b.firstPropertyOffset();
    EXPECT_EQ(record[at], 0x01) << b.name;
    const std::size_t n = le16(record, at + 1);
    EXPECT_EQ(record[at + 3 + n], 0x00) << b.name;
    return std::span<const std::uint8_t>(record).subspan(at + 3, n);
}

std::size_t codePoints(const std::string& utf8) {
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

TEST(WindowRecords, Command12BlockMatchesTheWorkedExampleByteForByte) {
    const Bytes& record = form1Record();
    const auto blocks = walkBlocks(record);
    const BlockSpan& command12 = block(blocks, "Command12");
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
    const auto actual = bytesOf(record, command12);
    EXPECT_EQ(Bytes(actual.begin(), actual.end()), expected);
    EXPECT_EQ(record[command12.codeOffset], 0x03); // a sibling follows
}

TEST(WindowRecords, BannerLeftIsStoredAsMinus120) {
    const Bytes& record = form1Record();
    const auto blocks = walkBlocks(record);
    const BlockSpan& banner = block(blocks, "Picture1");
    ASSERT_EQ(banner.name, "Picture1");
    // Rectangle property 0x05: left -120 (88 FF), top 0, width 15255, height 1935.
    const Bytes rect = {0x05, 0x88, 0xFF, 0x00, 0x00, 0x97, 0x3B, 0x8F, 0x07};
    const auto bytes = bytesOf(record, banner);
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), rect.begin(), rect.end()), bytes.end());

    auto decoded = shell::decodeRecord(record);
    ASSERT_TRUE(decoded) << decoded.error().message;
    const auto* picture1 = shell::findControl(*decoded, "Picture1");
    ASSERT_NE(picture1, nullptr);
    EXPECT_EQ(picture1->rect.left, -120);
}

TEST(WindowRecords, LineBreaksStayInsideTextsAndAreCounted) {
    const Bytes& record = form2Record();
    const auto blocks = walkBlocks(record);
    const auto label8 = firstCaptionBytes(record, block(blocks, "Label8"));
    const auto label9 = firstCaptionBytes(record, block(blocks, "Label9"));
    const auto label7 = firstCaptionBytes(record, block(blocks, "Label7"));

    const Bytes crlf = {0x0D, 0x0A};
    std::size_t pairs = 0;
    for (auto it = label8.begin();
         (it = std::search(it, label8.end(), crlf.begin(), crlf.end())) != label8.end(); ++it)
        ++pairs;
    EXPECT_EQ(pairs, 4u); // five lines, no break after the last
    ASSERT_GE(label9.size(), 3u);
    EXPECT_EQ(label9[label9.size() - 1], 0x0A);
    EXPECT_EQ(label9[label9.size() - 2], 0x0A);
    EXPECT_NE(label9[label9.size() - 3], 0x0A);
    ASSERT_GE(label7.size(), 2u);
    EXPECT_EQ(label7[label7.size() - 2], 0x0D);
    EXPECT_EQ(label7[label7.size() - 1], 0x0A);

    // The counts are code page 936 byte counts of the whole text, breaks included.
    const auto window = troubleshooting_window::form2Description();
    for (const char* name : {"Label7", "Label8", "Label9"}) {
        const auto* c = shell::findControl(window, name);
        ASSERT_NE(c, nullptr);
        auto gbk = shell::text::utf8ToGbk(*c->caption);
        ASSERT_TRUE(gbk);
        EXPECT_EQ(firstCaptionBytes(record, block(blocks, name)).size(), gbk->size()) << name;
    }
}

TEST(WindowRecords, TextLengthsAreByteCountsNotCharacterCounts) {
    const Bytes& record = form1Record();
    const auto blocks = walkBlocks(record);
    const BlockSpan& label3 = block(blocks, "Label3");
    const auto caption = firstCaptionBytes(record, label3);
    EXPECT_GT(caption.size(), 255u); // needs both bytes of the count
    EXPECT_GT(le16(record, label3.firstPropertyOffset() + 1), 255);

    const auto window = main_window::form1Description();
    const auto* description = shell::findControl(window, "Label3");
    ASSERT_NE(description, nullptr);
    auto gbk = shell::text::utf8ToGbk(*description->caption);
    ASSERT_TRUE(gbk);
    EXPECT_EQ(caption.size(), gbk->size());
    EXPECT_NE(caption.size(), codePoints(*description->caption));
    EXPECT_NE(caption.size(), description->caption->size()); // nor UTF-8 bytes
}

TEST(WindowRecords, OptionTrueIsFfAndGrayedCheckIs02) {
    const Bytes& record = form1Record();
    const auto blocks = walkBlocks(record);
    // The value (0x13) is the last property of option buttons and check boxes.
    const auto valueOf = [&](const char* name) {
        const BlockSpan& b = block(blocks, name);
        EXPECT_EQ(record[b.closingOffset() - 2], 0x13) << name;
        return record[b.closingOffset() - 1];
    };
    EXPECT_EQ(valueOf("Option2"), 0xFF);
    EXPECT_EQ(valueOf("Option1"), 0x00);
    EXPECT_EQ(valueOf("Check7"), 0x02);
    EXPECT_EQ(valueOf("Check8"), 0x01);
    EXPECT_EQ(valueOf("Check4"), 0x00);
}

TEST(WindowRecords, HeadersCarryCountsIdentifiersAndLength) {
    for (const Bytes* record : {&form1Record(), &form2Record()}) {
        ASSERT_GT(record->size(), 93u);
        EXPECT_EQ((*record)[0], 0xFF);
        EXPECT_EQ(record_test::le32(*record, 89) + 89u, record->size());
        EXPECT_EQ(std::vector<std::uint8_t>(record->end() - 3, record->end()),
                  (Bytes{0xFF, 0x02, 0x04}));
    }
    EXPECT_EQ(form1Record()[4], 42);
    EXPECT_EQ(form2Record()[4], 11);
    // {7ADE3D68-5C58-45AF-9E9B-168AA032D8D0} in mixed-endian layout.
    const Bytes form1Id = {0x68, 0x3D, 0xDE, 0x7A, 0x58, 0x5C, 0xAF, 0x45,
                           0x9E, 0x9B, 0x16, 0x8A, 0xA0, 0x32, 0xD8, 0xD0};
    EXPECT_EQ(Bytes(form1Record().begin() + 5, form1Record().begin() + 21), form1Id);
    // The window class id, the same in both.
    const Bytes classId = {0x3A, 0x4F, 0xAD, 0x33, 0x99, 0x66, 0xCF, 0x11,
                           0xB7, 0x0C, 0x00, 0xAA, 0x00, 0x60, 0xD3, 0x93};
    EXPECT_EQ(Bytes(form2Record().begin() + 37, form2Record().begin() + 53), classId);
}

TEST(WindowRecords, Form2OrdinalsNeedNotFollowBlockOrder) {
    const auto blocks = walkBlocks(form2Record());
    ASSERT_GE(blocks.size(), 3u);
    EXPECT_EQ(blocks[1].name, "Picture1");
    EXPECT_EQ(blocks[1].ordinal, 1);
    EXPECT_EQ(blocks[2].name, "Label10");
    EXPECT_EQ(blocks[2].ordinal, 11);
}

TEST(WindowRecords, DecodeOfEncodeGivesTheDescriptionBack) {
    for (const auto& window :
         {main_window::form1Description(), troubleshooting_window::form2Description()}) {
        auto record = shell::encodeRecord(window);
        ASSERT_TRUE(record) << record.error().message;
        auto decoded = shell::decodeRecord(*record);
        ASSERT_TRUE(decoded) << decoded.error().message;
        EXPECT_TRUE(*decoded == window) << window.name;
        EXPECT_EQ(shell::allControls(*decoded).size(), shell::allControls(window).size());
    }
}

TEST(WindowRecords, EncodeOfDecodeGivesTheRecordBackByteForByte) {
    for (const auto record : {embedded::form1_record(), embedded::form2_record()}) {
        auto decoded = shell::decodeRecord(record);
        ASSERT_TRUE(decoded) << decoded.error().message;
        auto again = shell::encodeRecord(*decoded);
        ASSERT_TRUE(again) << again.error().message;
        EXPECT_TRUE(std::equal(record.begin(), record.end(), again->begin(), again->end()))
            << decoded->name;
    }
}

TEST(WindowRecords, EmbeddedRecordsAreTheCurrentDescriptions) {
    const auto f1 = embedded::form1_record();
    const auto f2 = embedded::form2_record();
    EXPECT_TRUE(std::equal(f1.begin(), f1.end(), form1Record().begin(), form1Record().end()));
    EXPECT_TRUE(std::equal(f2.begin(), f2.end(), form2Record().begin(), form2Record().end()));
}

TEST(WindowRecords, BuildWritesBothRecordsAsFiles) {
    for (const auto& [path, record] : {std::pair{LANSU_FORM1_RECORD, &form1Record()},
                                       std::pair{LANSU_FORM2_RECORD, &form2Record()}}) {
        std::ifstream in(path, std::ios::binary);
        ASSERT_TRUE(in) << path;
        const Bytes file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_EQ(file, *record) << path;
    }
}

TEST(WindowRecords, PicturesAreViewsIntoTheRecord) {
    const auto record = embedded::form1_record();
    auto decoded = shell::decodeRecord(record);
    ASSERT_TRUE(decoded) << decoded.error().message;
    const auto inside = [&](const shell::Picture& p) {
        return p.fileBytes.data() >= record.data() &&
               p.fileBytes.data() + p.fileBytes.size() <= record.data() + record.size();
    };
    ASSERT_TRUE(decoded->icon.has_value());
    EXPECT_TRUE(inside(*decoded->icon));
    std::size_t pictures = 0;
    for (const auto* c : shell::allControls(*decoded)) {
        if (c->picture) {
            ++pictures;
            EXPECT_TRUE(inside(*c->picture)) << c->name;
            EXPECT_EQ(c->picture->format(), shell::Picture::Format::Bitmap) << c->name;
        }
    }
    EXPECT_EQ(pictures, 2u);
    EXPECT_EQ(decoded->icon->format(), shell::Picture::Format::Icon);
}

} // namespace
