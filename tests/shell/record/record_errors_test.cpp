// Every check of the decoder, one row each: a record made by our encoder,
// patched to break exactly that check, and the message the decoder must give.

#include "shell/record/record.h"
#include "tests/shell/record/record_walker.h"
#include "tests/shell/record/sample_window.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using record_test::BlockSpan;
using record_test::hex;
using record_test::putLe16;
using record_test::putLe32;
using Bytes = std::vector<std::uint8_t>;

struct Sample {
    Bytes record;
    std::vector<BlockSpan> blocks;

    const BlockSpan& operator[](const std::string& name) const {
        return record_test::block(blocks, name);
    }
    // Offset of `pattern` inside the named block.
    std::size_t find(const std::string& name, const Bytes& pattern) const {
        const BlockSpan& b = (*this)[name];
        const auto begin = record.begin() + static_cast<long>(b.offset);
        const auto it =
            std::search(begin, begin + static_cast<long>(b.length), pattern.begin(), pattern.end());
        EXPECT_NE(it, begin + static_cast<long>(b.length)) << "pattern not in " << name;
        return static_cast<std::size_t>(it - record.begin());
    }
};

Sample encode(const shell::WindowDescription& w) {
    auto r = shell::encodeRecord(w);
    EXPECT_TRUE(r) << (r ? "" : r.error().message);
    Sample s;
    if (r) {
        s.record = *r;
        s.blocks = record_test::walkBlocks(s.record);
    }
    return s;
}

// Patches `s.record` and returns the message the decoder must then give.
using Breaker = std::function<std::string(Sample& s)>;

struct Row {
    const char* name;
    Breaker breaker;
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << row.name;
}

// Offsets inside the sample's blocks, from the layouts the encoder writes.
// Command1: 01 02 00 'O' 'K' 00 | 04 rect(8) | 11 tab(2) | FF
std::size_t command1Caption(const Sample& s) {
    return s["Command1"].firstPropertyOffset();
}
std::size_t command1Tab(const Sample& s) {
    return command1Caption(s) + 6 + 9;
}
// Label1's font is its last property: id, version, charset(2), flags,
// weight(2), size(4), name length, name(4).
std::size_t label1Font(const Sample& s) {
    return s["Label1"].closingOffset() - 16;
}
// Picture1: 01 colour(4) | 03 length(4) preamble(4) m(4) file...
std::size_t picture1Length(const Sample& s) {
    return s["Picture1"].firstPropertyOffset() + 6;
}

const Row kRows[] = {
    {"RecordShorterThanHeader",
     [](Sample& s) {
         s.record.resize(92);
         return std::string("header at offset 0x0: expected a record of at least 93 bytes, got 92 "
                            "bytes");
     }},
    {"LeadingByte",
     [](Sample& s) {
         s.record[0] = 0xFE;
         return std::string("header at offset 0x0: expected 0xff, got 0xfe");
     }},
    {"ConstantHeaderBytes",
     [](Sample& s) {
         s.record[2] = 0x32;
         return std::string("header at offset 0x1: expected cc 31 00, got cc 32 00");
     }},
    {"ClassId",
     [](Sample& s) {
         s.record[37] = 0x3B;
         return std::string("header at offset 0x25: expected the window class id "
                            "{33AD4F3A-6699-11CF-B70C-00AA0060D393}, got "
                            "{33AD4F3B-6699-11CF-B70C-00AA0060D393}");
     }},
    {"ReservedZeroBytes",
     [](Sample& s) {
         s.record[60] = 1;
         return std::string(
             "header at offset 0x3c: expected 0x00 (reserved header bytes 53 to 88), got 0x01");
     }},
    {"LengthField",
     [](Sample& s) {
         const std::size_t n = s.record.size();
         putLe32(s.record, 89, static_cast<std::uint32_t>(n - 90));
         return "header at offset 0x59: expected a length of " + std::to_string(n - 89) +
                " (the record's " + std::to_string(n) + " bytes minus 89), got " +
                std::to_string(n - 90);
     }},
    {"BlockLengthTooSmall",
     [](Sample& s) {
         putLe32(s.record, 93, 5);
         return "block at offset 0x5d: expected a block length from 11 to " +
                std::to_string(s.record.size() - 93) + " (the bytes left in the record), got 5";
     }},
    {"BlockLengthPastTheRecord",
     [](Sample& s) {
         const BlockSpan& b = s["Text1"];
         putLe32(s.record, b.offset, 0x7FFFFFFF);
         return "block at offset " + hex(b.offset) + ": expected a block length from 11 to " +
                std::to_string(s.record.size() - b.offset) +
                " (the bytes left in the record), got 2147483647";
     }},
    {"WindowOrdinalNotZero",
     [](Sample& s) {
         s.record[97] = 1;
         return std::string(
             "block Sample (ordinal 1) at offset 0x61: expected ordinal 0 for the window's "
             "block, got 1");
     }},
    {"NameLengthZero",
     [](Sample& s) {
         const BlockSpan& b = s["Label1"];
         putLe16(s.record, b.nameLengthOffset(), 0);
         return "block at offset " + hex(b.nameLengthOffset()) +
                ": expected a name length from 1 to 40, got 0";
     }},
    {"NameLengthOverLimit",
     [](Sample& s) {
         const BlockSpan& b = s["Label1"];
         putLe16(s.record, b.nameLengthOffset(), 41);
         return "block at offset " + hex(b.nameLengthOffset()) +
                ": expected a name length from 1 to 40, got 41";
     }},
    {"NameNotAnIdentifier",
     [](Sample& s) {
         const BlockSpan& b = s["Label1"];
         s.record[b.nameOffset()] = '1';
         s.record[b.nameOffset() + 1] = 0x07;
         return "block at offset " + hex(b.nameOffset()) +
                ": expected an ASCII identifier as the name, got \"1\\x07bel1\"";
     }},
    {"NameTerminator",
     [](Sample& s) {
         const BlockSpan& b = s["Label1"];
         s.record[b.kindOffset() - 1] = 'x';
         return "block Label1 (ordinal 3) at offset " + hex(b.kindOffset() - 1) +
                ": expected 0x00 ending the name, got 0x78";
     }},
    {"ClosingByte",
     [](Sample& s) {
         const BlockSpan& b = s["Label1"];
         s.record[b.closingOffset()] = 0x41;
         return "block Label1 (ordinal 3) at offset " + hex(b.closingOffset()) +
                ": expected 0xff closing the block, got 0x41";
     }},
    {"OrdinalZero",
     [](Sample& s) {
         const BlockSpan& b = s["Text1"];
         s.record[b.offset + 4] = 0;
         return "block Text1 (ordinal 0) at offset " + hex(b.offset + 4) +
                ": expected an ordinal from 1 to 9 (the header's control count), got 0";
     }},
    {"OrdinalAboveCount",
     [](Sample& s) {
         const BlockSpan& b = s["Text1"];
         s.record[b.offset + 4] = 10;
         return "block Text1 (ordinal 10) at offset " + hex(b.offset + 4) +
                ": expected an ordinal from 1 to 9 (the header's control count), got 10";
     }},
    {"OrdinalUsedTwice",
     [](Sample& s) {
         const BlockSpan& b = s["Text1"];
         s.record[b.offset + 4] = 3;
         return "block Text1 (ordinal 3) at offset " + hex(b.offset + 4) +
                ": expected an ordinal no other block has, got 3, already the ordinal of block "
                "Label1";
     }},
    {"NameUsedTwice",
     [](Sample& s) {
         const BlockSpan& b = s["VScroll1"];
         s.record[b.nameOffset()] = 'H';
         return "block HScroll1 (ordinal 9) at offset " + hex(b.nameOffset()) +
                ": expected a name no other block in the window has, got the name of block "
                "HScroll1 (ordinal 8)";
     }},
    {"WindowKind",
     [](Sample& s) {
         const BlockSpan& b = s["Sample"];
         s.record[b.kindOffset()] = 4;
         return "block Sample (ordinal 0) at offset " + hex(b.kindOffset()) +
                ": expected kind 13 (window) in the first block, got 4";
     }},
    {"ControlKindUnknown",
     [](Sample& s) {
         const BlockSpan& b = s["Text1"];
         s.record[b.kindOffset()] = 7;
         return "block Text1 (ordinal 6) at offset " + hex(b.kindOffset()) +
                ": expected a control kind (0 to 6, 9 or 10), got 7";
     }},
    {"ControlKindIsTheWindows",
     [](Sample& s) {
         const BlockSpan& b = s["Text1"];
         s.record[b.kindOffset()] = 13;
         return "block Text1 (ordinal 6) at offset " + hex(b.kindOffset()) +
                ": expected a control kind (0 to 6, 9 or 10), got 13 (the window's kind)";
     }},
    {"PropertyUnknownToTheKind",
     [](Sample& s) {
         s.record[command1Caption(s)] = 0x02;
         return "block Command1 (ordinal 7) at offset " + hex(command1Caption(s)) +
                ": expected a property identifier of a CommandButton (0x01, 0x04, 0x11), got "
                "0x02";
     }},
    {"PropertiesOutOfOrder",
     [](Sample& s) {
         s.record[command1Tab(s)] = 0x03;
         return "block Command1 (ordinal 7) at offset " + hex(command1Tab(s)) +
                ": expected a property identifier above 0x04 (ascending order), got 0x03";
     }},
    {"PropertiesEndBeforeTheClosingByte",
     [](Sample& s) {
         s.record[command1Tab(s)] = 0xFF;
         return "block Command1 (ordinal 7) at offset " + hex(command1Tab(s)) +
                ": expected the properties to end at the block's closing 0xff at offset " +
                hex(s["Command1"].closingOffset()) + ", got 0xff with 3 bytes of the block left";
     }},
    {"TextLongerThanItsBlock",
     [](Sample& s) {
         putLe16(s.record, command1Caption(s) + 1, 0x40);
         const std::size_t text = command1Caption(s) + 3;
         return "block Command1 (ordinal 7) property 0x01 (caption) at offset " + hex(text) +
                ": expected 64 bytes (text), got " + std::to_string(s["Command1"].end() - text) +
                " bytes before the end of the block";
     }},
    {"TextTerminator",
     [](Sample& s) {
         s.record[command1Caption(s) + 5] = 0x20;
         return "block Command1 (ordinal 7) property 0x01 (caption) at offset " +
                hex(command1Caption(s) + 5) + ": expected 0x00 ending the text, got 0x20";
     }},
    {"TextWithNulInside",
     [](Sample& s) {
         s.record[command1Caption(s) + 4] = 0x00;
         return "block Command1 (ordinal 7) property 0x01 (caption) at offset " +
                hex(command1Caption(s) + 4) +
                ": expected a text without 0x00 bytes, got 0x00 inside it";
     }},
    {"TextNotCodePage936",
     [](Sample& s) {
         // Frame1's caption "框架" is BF F2 BC DC; break the second character.
         const std::size_t text = s["Frame1"].firstPropertyOffset() + 3;
         s.record[text + 3] = 0x20;
         return "block Frame1 (ordinal 2) property 0x01 (caption) at offset " + hex(text + 2) +
                ": expected a code page 936 character, got 0xbc 0x20";
     }},
    {"BooleanNeitherFalseNorTrue",
     [](Sample& s) {
         const std::size_t at = s.find("Sample", {0x26, 0x00, 0x27, 0xFF}) + 1;
         s.record[at] = 0x01;
         return "block Sample (ordinal 0) property 0x26 (maximize button) at offset " + hex(at) +
                ": expected 0x00 or 0xff, got 0x01";
     }},
    {"OptionValueNotBoolean",
     [](Sample& s) {
         const std::size_t at = s["Option1"].closingOffset() - 1;
         s.record[at] = 0x01;
         return "block Option1 (ordinal 4) property 0x13 (value) at offset " + hex(at) +
                ": expected 0x00 or 0xff, got 0x01";
     }},
    {"CheckValueOutOfRange",
     [](Sample& s) {
         const std::size_t at = s["Check1"].closingOffset() - 1;
         s.record[at] = 0x03;
         return "block Check1 (ordinal 5) property 0x13 (value) at offset " + hex(at) +
                ": expected a value from 0 to 2, got 3";
     }},
    {"PictureBorderOutOfRange",
     [](Sample& s) {
         const std::size_t at = s["Picture1"].closingOffset() - 1;
         s.record[at] = 0x02;
         return "block Picture1 (ordinal 1) property 0x24 (border style) at offset " + hex(at) +
                ": expected a value from 0 to 1, got 2";
     }},
    {"WindowStartUpPositionOutOfRange",
     [](Sample& s) {
         const std::size_t at = s["Sample"].closingOffset() - 1;
         s.record[at] = 0x04;
         return "block Sample (ordinal 0) property 0x46 (start-up position) at offset " + hex(at) +
                ": expected a value from 0 to 3, got 4";
     }},
    {"DrawingSettingNotTheConstant",
     [](Sample& s) {
         const std::size_t at = s.find("Picture1", {0x1A, 0x01, 0x00, 0x42, 0x00}) + 1;
         s.record[at + 2] = 0x43;
         return "block Picture1 (ordinal 1) property 0x1a (drawing setting) at offset " + hex(at) +
                ": expected 01 00 42 00, got 01 00 43 00";
     }},
    {"FontVersion",
     [](Sample& s) {
         s.record[label1Font(s) + 1] = 0x02;
         return "block Label1 (ordinal 3) property 0x25 (font) at offset " +
                hex(label1Font(s) + 1) + ": expected font version 0x01, got 0x02";
     }},
    {"FontFlags",
     [](Sample& s) {
         s.record[label1Font(s) + 4] = 0x1A;
         return "block Label1 (ordinal 3) property 0x25 (font) at offset " +
                hex(label1Font(s) + 4) +
                ": expected font flags within 0x0e (italic, underline, strikethrough), got 0x1a";
     }},
    {"FontWeight",
     [](Sample& s) {
         putLe16(s.record, label1Font(s) + 5, 1001);
         return "block Label1 (ordinal 3) property 0x25 (font) at offset " +
                hex(label1Font(s) + 5) + ": expected a font weight from 0 to 1000, got 1001";
     }},
    {"FontSize",
     [](Sample& s) {
         putLe32(s.record, label1Font(s) + 7, 0);
         return "block Label1 (ordinal 3) property 0x25 (font) at offset " +
                hex(label1Font(s) + 7) + ": expected a font size above 0, got 0";
     }},
    {"FontNameLength",
     [](Sample& s) {
         s.record[label1Font(s) + 11] = 0;
         return "block Label1 (ordinal 3) property 0x25 (font) at offset " +
                hex(label1Font(s) + 11) + ": expected a font name length from 1 to 31, got 0";
     }},
    {"FontNameNotCodePage936",
     [](Sample& s) {
         s.record[label1Font(s) + 12] = 0xFF;
         return "block Label1 (ordinal 3) property 0x25 (font) at offset " +
                hex(label1Font(s) + 12) + ": expected a code page 936 character, got 0xff 0xce";
     }},
    {"PictureLengthTooSmall",
     [](Sample& s) {
         putLe32(s.record, picture1Length(s), 4);
         return "block Picture1 (ordinal 1) property 0x03 (picture) at offset " +
                hex(picture1Length(s)) + ": expected a picture length of at least 8, got 4";
     }},
    {"PictureLongerThanItsBlock",
     [](Sample& s) {
         putLe32(s.record, picture1Length(s), 0x10000);
         const std::size_t at = picture1Length(s) + 4;
         return "block Picture1 (ordinal 1) property 0x03 (picture) at offset " + hex(at) +
                ": expected 65536 bytes (picture), got " +
                std::to_string(s["Picture1"].end() - at) + " bytes before the end of the block";
     }},
    {"PicturePreamble",
     [](Sample& s) {
         const std::size_t at = picture1Length(s) + 4;
         s.record[at] = 0x6D;
         return "block Picture1 (ordinal 1) property 0x03 (picture) at offset " + hex(at) +
                ": expected the picture preamble 6c 74 00 00, got 6d 74 00 00";
     }},
    {"PictureFileLength",
     [](Sample& s) {
         const std::size_t at = picture1Length(s) + 8;
         putLe32(s.record, at, 29);
         return "block Picture1 (ordinal 1) property 0x03 (picture) at offset " + hex(at) +
                ": expected a file length of 30 (the picture's length minus 8), got 29";
     }},
    {"PictureFileSignature",
     [](Sample& s) {
         const std::size_t at = picture1Length(s) + 12;
         s.record[at] = 'C';
         return "block Picture1 (ordinal 1) property 0x03 (picture) at offset " + hex(at) +
                ": expected a bitmap file (42 4d) or an icon file (00 00 01 00), got 43 4d 1e 00";
     }},
    {"StructureCodeUnknown",
     [](Sample& s) {
         const std::size_t at = s["Picture1"].codeOffset;
         s.record[at] = 0x05;
         return "structure code after block Picture1 (ordinal 1) at offset " + hex(at) +
                ": expected a structure code 0x01 to 0x04, got 0x05";
     }},
    {"ChildrenAfterAControlThatIsNoFrame",
     [](Sample& s) {
         const std::size_t at = s["Picture1"].codeOffset;
         s.record[at] = 0x01;
         return "structure code after block Picture1 (ordinal 1) at offset " + hex(at) +
                ": expected 0x01 only after the window's or a frame's block, got 0x01 after a "
                "PictureBox";
     }},
    {"ChildrenRightAfterEndOfList",
     [](Sample& s) {
         // Check1 ends Frame1's list: 02, then 03 for Frame1's next sibling.
         const std::size_t at = s["Check1"].codeOffset + 1;
         s.record[at] = 0x01;
         return "structure code after block Check1 (ordinal 5) at offset " + hex(at) +
                ": expected 0x01 only after the window's or a frame's block, got 0x01 after 0x02";
     }},
    {"SiblingOfTheWindow",
     [](Sample& s) {
         const std::size_t at = s["Sample"].codeOffset;
         s.record[at] = 0x03;
         return "structure code after block Sample (ordinal 0) at offset " + hex(at) +
                ": expected 0x01 or 0x04 at the window's level, got 0x03 (the window has no "
                "siblings)";
     }},
    {"EndOfListPastTheWindow",
     [](Sample& s) {
         const std::size_t at = s["Sample"].codeOffset;
         s.record[at] = 0x02;
         return "structure code after block Sample (ordinal 0) at offset " + hex(at) +
                ": expected 0x01 or 0x04 at the window's level, got 0x02 with no list open";
     }},
    {"EndOfRecordWithAListOpen",
     [](Sample& s) {
         const std::size_t at = s["VScroll1"].codeOffset;
         s.record[at] = 0x04;
         return "structure code after block VScroll1 (ordinal 9) at offset " + hex(at) +
                ": expected 0x02 closing each of the 1 open lists before 0x04, got 0x04";
     }},
    {"BytesAfterTheEnd",
     [](Sample& s) {
         const std::size_t at = s.record.size() - 1;
         s.record.push_back(0x00);
         record_test::fixHeaderLength(s.record);
         return "structure code after block VScroll1 (ordinal 9) at offset " + hex(at) +
                ": expected 0x04 as the record's last byte, got 1 bytes after it";
     }},
    {"ControlCountAgainstHeader",
     [](Sample& s) {
         s.record[4] = 10;
         return "record at offset " + hex(s.record.size() - 1) +
                ": expected 10 controls (the header's count), got 9";
     }},
    {"NestingDeeperThanEight",
     [](Sample& s) {
         // Frame1 to Frame7 inside each other, the innermost holding Frame8
         // and Label1; turning the 0x03 after Frame8 into 0x01 nests Label1
         // in a ninth container.
         shell::WindowDescription w = record_test::sampleWindow();
         w.controls.clear();
         shell::ControlDescription frame8;
         frame8.name = "Frame8";
         frame8.kind = shell::ControlKind::Frame;
         frame8.ordinal = 8;
         shell::ControlDescription label;
         label.name = "Label1";
         label.kind = shell::ControlKind::Label;
         label.ordinal = 9;
         shell::ControlDescription chain;
         chain.name = "Frame7";
         chain.kind = shell::ControlKind::Frame;
         chain.ordinal = 7;
         chain.children = {frame8, label};
         for (int i = 6; i >= 1; --i) {
             shell::ControlDescription frame;
             frame.name = "Frame" + std::to_string(i);
             frame.kind = shell::ControlKind::Frame;
             frame.ordinal = static_cast<std::uint8_t>(i);
             frame.children.push_back(chain);
             chain = frame;
         }
         w.controls.push_back(chain);
         s = encode(w);
         const std::size_t at = s["Frame8"].codeOffset;
         EXPECT_EQ(s.record[at], 0x03);
         s.record[at] = 0x01;
         return "structure code after block Frame8 (ordinal 8) at offset " + hex(at) +
                ": expected at most 8 nested containers, got 0x01 opening container 9";
     }},
};

class RecordCheck : public ::testing::TestWithParam<Row> {};

TEST_P(RecordCheck, BrokenRecordGivesItsOwnMessage) {
    Sample s = encode(record_test::sampleWindow());
    ASSERT_TRUE(shell::decodeRecord(s.record)) << "the unbroken sample must decode";
    const std::string expected = GetParam().breaker(s);
    auto decoded = shell::decodeRecord(s.record);
    ASSERT_FALSE(decoded) << "decoded although broken";
    EXPECT_EQ(decoded.error().message, expected);
}

INSTANTIATE_TEST_SUITE_P(Decoder, RecordCheck, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& param) {
                             return std::string(param.param.name);
                         });

} // namespace
