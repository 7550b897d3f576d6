// Every check of the decoder, one row each: a record made by our encoder,
// patched to break exactly that check, and the message the decoder must give.

#include "shell/record/record.h"
#include "tests/shell/record/record_walker.h"
#include "tests/shell/record/sample_window.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using record_test::makeControl;
using shell::model::ControlKind;

struct Hit {
    std::size_t at;
    std::vector<std::size_t> n = {};
};

struct Sample {
    Bytes record;
    std::vector<record_test::BlockSpan> blocks;

    explicit Sample(const shell::model::WindowDescription& w) : record(record_test::encoded(w)) {
        if (!record.empty())
            blocks = record_test::walkBlocks(record);
    }
    record_test::BlockSpan operator[](const std::string& name) const {
        return record_test::block(blocks, name);
    }
    // Offset of the first `pattern` from the named block on.
    std::size_t find(const std::string& name, const Bytes& pattern) const {
        const auto begin = record.begin() + static_cast<long>((*this)[name].offset);
        return std::search(begin, record.end(), pattern.begin(), pattern.end()) - record.begin();
    }
    // Writes `v` as `bytes` little-endian bytes at `at`.
    Hit set(std::size_t at, std::uint32_t v, int bytes = 1, std::vector<std::size_t> n = {}) {
        record_test::putLe(record, at, v, bytes);
        return {at, std::move(n)};
    }
    // Command1: 01 02 00 'O' 'K' 00 | 04 rect(8) | 11 tab(2) | FF
    std::size_t command1Caption() const { return (*this)["Command1"].firstPropertyOffset(); }
    std::size_t command1Tab() const { return command1Caption() + 15; }
    // Label1's font, its last property: id, version, charset(2), flags,
    // weight(2), size(4), name length, name(4).
    std::size_t label1Font() const { return (*this)["Label1"].closingOffset() - 16; }
    // Picture1: 01 colour(4) | 03 length(4) preamble(4) file length(4) file...
    std::size_t picture1Length() const { return (*this)["Picture1"].firstPropertyOffset() + 6; }
    // Picture1's bitmap file and the window's icon file.
    std::size_t bitmap() const { return picture1Length() + 12; }
    std::size_t icon() const { return find("Sample", {0, 0, 1, 0, 1, 0, 1, 1}); }
    // The window's client rectangle: 35, left 45, top 375, width, height.
    std::size_t client() const { return find("Sample", {0x35, 45, 0, 0, 0, 0x77, 1, 0, 0}) + 1; }
};

// The decoder must say "<where> at offset <hit.at in hex>: <what>", where {i}
// in `what` stands for hit.n[i] ({xi}: in hex).
using S = Sample;
struct Row {
    const char* name;
    Hit (*patch)(S&);
    const char* where;
    const char* what;
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

// Where the decoder reports most of the checks below.
constexpr const char* kCommand1 = "block Command1 (ordinal 7)";
constexpr const char* kCaption = "block Command1 (ordinal 7) property 0x01 (caption)";
constexpr const char* kFont = "block Label1 (ordinal 3) property 0x25 (font)";
constexpr const char* kPicture = "block Picture1 (ordinal 1) property 0x03 (picture)";
constexpr const char* kIcon = "block Sample (ordinal 0) property 0x23 (icon)";
constexpr const char* kClient = "block Sample (ordinal 0) property 0x35 (client rectangle)";

const Row kRows[] = {
    {"RecordShorterThanHeader", [](S& s) { return s.record.resize(92), Hit{0}; }, "header",
     "expected a record of at least 93 bytes, got 92 bytes"},
    {"LeadingByte", [](S& s) { return s.set(0, 0xFE); }, "header", "expected 0xff, got 0xfe"},
    {"ConstantHeaderBytes", [](S& s) { return s.set(2, 0x32), Hit{1}; }, "header",
     "expected cc 31 00, got cc 32 00"},
    {"ClassId", [](S& s) { return s.set(37, 0x3B); }, "header",
     "expected the window class id {33AD4F3A-6699-11CF-B70C-00AA0060D393}, got "
     "{33AD4F3B-6699-11CF-B70C-00AA0060D393}"},
    {"ReservedZeroBytes", [](S& s) { return s.set(60, 1); }, "header",
     "expected 0x00 (reserved header bytes 53 to 88), got 0x01"},
    {"LengthField",
     [](S& s) {
         const std::size_t n = s.record.size();
         return s.set(89, static_cast<std::uint32_t>(n - 90), 4, {n - 89, n, n - 90});
     },
     "header", "expected a length of {0} (the record's {1} bytes minus 89), got {2}"},
    {"BlockLengthTooSmall", [](S& s) { return s.set(93, 5, 4, {s.record.size() - 93}); }, "block",
     "expected a block length from 11 to {0} (the bytes left in the record), got 5"},
    {"BlockLengthPastTheRecord",
     [](S& s) {
         const std::size_t at = s["Text1"].offset;
         return s.set(at, 0x7FFFFFFF, 4, {s.record.size() - at});
     },
     "block",
     "expected a block length from 11 to {0} (the bytes left in the record), got 2147483647"},
    {"WindowOrdinalNotZero", [](S& s) { return s.set(97, 1); }, "block Sample (ordinal 1)",
     "expected ordinal 0 for the window's block, got 1"},
    {"NameLengthZero", [](S& s) { return s.set(s["Label1"].nameLengthOffset(), 0, 2); }, "block",
     "expected a name length from 1 to 40, got 0"},
    {"NameLengthOverLimit", [](S& s) { return s.set(s["Label1"].nameLengthOffset(), 41, 2); },
     "block", "expected a name length from 1 to 40, got 41"},
    {"NameNotAnIdentifier",
     [](S& s) {
         return s.set(s["Label1"].nameOffset() + 1, 7), s.set(s["Label1"].nameOffset(), '1');
     },
     "block", "expected an ASCII identifier as the name, got \"1\\x07bel1\""},
    {"NameTerminator", [](S& s) { return s.set(s["Label1"].kindOffset() - 1, 'x'); },
     "block Label1 (ordinal 3)", "expected 0x00 ending the name, got 0x78"},
    {"ClosingByte", [](S& s) { return s.set(s["Label1"].closingOffset(), 0x41); },
     "block Label1 (ordinal 3)", "expected 0xff closing the block, got 0x41"},
    {"OrdinalZero", [](S& s) { return s.set(s["Text1"].offset + 4, 0); }, "block Text1 (ordinal 0)",
     "expected an ordinal from 1 to 9 (the header's control count), got 0"},
    {"OrdinalAboveCount", [](S& s) { return s.set(s["Text1"].offset + 4, 10); },
     "block Text1 (ordinal 10)",
     "expected an ordinal from 1 to 9 (the header's control count), got 10"},
    {"OrdinalUsedTwice", [](S& s) { return s.set(s["Text1"].offset + 4, 3); },
     "block Text1 (ordinal 3)",
     "expected an ordinal no other block has, got 3, already the ordinal of block Label1"},
    {"NameUsedTwice", [](S& s) { return s.set(s["VScroll1"].nameOffset(), 'H'); },
     "block HScroll1 (ordinal 9)",
     "expected a name no other block in the window has, got the name of block HScroll1 (ordinal "
     "8)"},
    {"WindowKind", [](S& s) { return s.set(s["Sample"].kindOffset(), 4); },
     "block Sample (ordinal 0)", "expected kind 13 (window) in the first block, got 4"},
    {"ControlKindUnknown", [](S& s) { return s.set(s["Text1"].kindOffset(), 7); },
     "block Text1 (ordinal 6)", "expected a control kind (0 to 6, 9 or 10), got 7"},
    {"ControlKindIsTheWindows", [](S& s) { return s.set(s["Text1"].kindOffset(), 13); },
     "block Text1 (ordinal 6)",
     "expected a control kind (0 to 6, 9 or 10), got 13 (the window's kind)"},
    {"PropertyUnknownToTheKind", [](S& s) { return s.set(s.command1Caption(), 0x02); }, kCommand1,
     "expected a property identifier of a CommandButton (0x01, 0x04, 0x11), got 0x02"},
    {"PropertiesOutOfOrder", [](S& s) { return s.set(s.command1Tab(), 0x03); }, kCommand1,
     "expected a property identifier above 0x04 (ascending order), got 0x03"},
    {"PropertiesEndBeforeTheClosingByte",
     [](S& s) { return s.set(s.command1Tab(), 0xFF, 1, {s["Command1"].closingOffset()}); },
     kCommand1,
     "expected the properties to end at the block's closing 0xff at offset {x0}, got 0xff with 3 "
     "bytes of the block left"},
    {"TextLongerThanItsBlock",
     [](S& s) {
         const std::size_t at = s.command1Caption() + 3;
         return s.set(at - 2, 0x40, 2), Hit{at, {s["Command1"].end() - at}};
     },
     kCaption, "expected 64 bytes (text), got {0} bytes before the end of the block"},
    {"TextTerminator", [](S& s) { return s.set(s.command1Caption() + 5, 0x20); }, kCaption,
     "expected 0x00 ending the text, got 0x20"},
    {"TextWithNulInside", [](S& s) { return s.set(s.command1Caption() + 4, 0x00); }, kCaption,
     "expected a text without 0x00 bytes, got 0x00 inside it"},
    {"TextNotCodePage936", // Frame1's caption "框架" is BF F2 BC DC: break the second character
     [](S& s) {
         return s.set(s["Frame1"].firstPropertyOffset() + 6, 0x20),
                Hit{s["Frame1"].firstPropertyOffset() + 5};
     },
     "block Frame1 (ordinal 2) property 0x01 (caption)",
     "expected a code page 936 character, got 0xbc 0x20"},
    {"BooleanNeitherFalseNorTrue",
     [](S& s) {
         return s.set(s.find("Sample", {0x26, 0x00, 0x27, 0xFF}) + 1, 0x01);
     },
     "block Sample (ordinal 0) property 0x26 (maximize button)", "expected 0x00 or 0xff, got 0x01"},
    {"OptionValueNotBoolean", [](S& s) { return s.set(s["Option1"].closingOffset() - 1, 1); },
     "block Option1 (ordinal 4) property 0x13 (value)", "expected 0x00 or 0xff, got 0x01"},
    {"CheckValueOutOfRange", [](S& s) { return s.set(s["Check1"].closingOffset() - 1, 3); },
     "block Check1 (ordinal 5) property 0x13 (value)", "expected a value from 0 to 2, got 3"},
    {"PictureBorderOutOfRange", [](S& s) { return s.set(s["Picture1"].closingOffset() - 1, 2); },
     "block Picture1 (ordinal 1) property 0x24 (border style)",
     "expected a value from 0 to 1, got 2"},
    {"WindowStartUpPositionOutOfRange",
     [](S& s) { return s.set(s["Sample"].closingOffset() - 1, 4); },
     "block Sample (ordinal 0) property 0x46 (start-up position)",
     "expected a value from 0 to 3, got 4"},
    {"DrawingSettingNotTheConstant",
     [](S& s) {
         const std::size_t at = s.find("Picture1", {0x1A, 0x01, 0x00, 0x42, 0x00}) + 1;
         return s.set(at + 2, 0x43), Hit{at};
     },
     "block Picture1 (ordinal 1) property 0x1a (drawing setting)",
     "expected 01 00 42 00, got 01 00 43 00"},
    {"FontVersion", [](S& s) { return s.set(s.label1Font() + 1, 2); }, kFont,
     "expected font version 0x01, got 0x02"},
    {"FontFlags", [](S& s) { return s.set(s.label1Font() + 4, 0x1A); }, kFont,
     "expected font flags within 0x0e (italic, underline, strikethrough), got 0x1a"},
    {"FontWeightZero", [](S& s) { return s.set(s.label1Font() + 5, 0, 2); }, kFont,
     "expected a font weight from 1 to 1000 (thin to black), got 0"},
    {"FontWeightAboveBlack", [](S& s) { return s.set(s.label1Font() + 5, 1001, 2); }, kFont,
     "expected a font weight from 1 to 1000 (thin to black), got 1001"},
    {"FontSizeUnderOnePoint", [](S& s) { return s.set(s.label1Font() + 7, 9999, 4); }, kFont,
     "expected a font size from 10000 to 16380000 (1 to 1638 pt), got 9999"},
    {"FontSizeOverTheTallestControl", [](S& s) { return s.set(s.label1Font() + 7, 16380001, 4); },
     kFont, "expected a font size from 10000 to 16380000 (1 to 1638 pt), got 16380001"},
    {"ClientWidthUnderOnePixel", [](S& s) { return s.set(s.client() + 8, 14, 4); }, kClient,
     "expected a client width from 15 to 245760 twips (1 to 16384 pixels), got 14"},
    {"ClientHeightPastAnyScreen", [](S& s) { return s.set(s.client() + 12, 245761, 4); }, kClient,
     "expected a client height from 15 to 245760 twips (1 to 16384 pixels), got 245761"},
    {"ClientTopPastAnyScreen", [](S& s) { return s.set(s.client() + 4, 0x7FFFFFFF, 4); }, kClient,
     "expected a client top from -245760 to 245760 twips (-16384 to 16384 pixels), got "
     "2147483647"},
    {"ClientLeftPastAnyScreen", [](S& s) { return s.set(s.client(), 0xFFFC3FFF, 4); }, kClient,
     "expected a client left from -245760 to 245760 twips (-16384 to 16384 pixels), got "
     "-245761"},
    {"FontNameLength", [](S& s) { return s.set(s.label1Font() + 11, 0); }, kFont,
     "expected a font name length from 1 to 31, got 0"},
    {"FontNameNotCodePage936", [](S& s) { return s.set(s.label1Font() + 12, 0xFF); }, kFont,
     "expected a code page 936 character, got 0xff 0xce"},
    {"PictureLengthTooSmall", [](S& s) { return s.set(s.picture1Length(), 4, 4); }, kPicture,
     "expected a picture length of at least 8, got 4"},
    {"PictureLongerThanItsBlock",
     [](S& s) {
         const std::size_t at = s.picture1Length() + 4;
         return s.set(at - 4, 0x10000, 4), Hit{at, {s["Picture1"].end() - at}};
     },
     kPicture, "expected 65536 bytes (picture), got {0} bytes before the end of the block"},
    {"PicturePreamble", [](S& s) { return s.set(s.picture1Length() + 4, 0x6D); }, kPicture,
     "expected the picture preamble 6c 74 00 00, got 6d 74 00 00"},
    {"PictureFileLength", [](S& s) { return s.set(s.picture1Length() + 8, 61, 4); }, kPicture,
     "expected a file length of 62 (the picture's length minus 8), got 61"},
    {"PictureFileSignature", [](S& s) { return s.set(s.picture1Length() + 12, 'C'); }, kPicture,
     "expected a bitmap file (42 4d) or an icon file (00 00 01 00), got 43 4d 3e 00"},
    {"BitmapFileSize", [](S& s) { return s.set(s.bitmap() + 2, 61, 4); }, kPicture,
     "expected a file size of 62 (the bitmap's length), got 61"},
    {"BitmapPixelsNotAfterTheHeaders", [](S& s) { return s.set(s.bitmap() + 10, 58, 4); }, kPicture,
     "expected pixel data at offset 54 (right after the headers), got 58"},
    {"BitmapInfoHeaderSize", [](S& s) { return s.set(s.bitmap() + 14, 12, 4); }, kPicture,
     "expected a bitmap info header of 40 bytes, got 12"},
    {"BitmapWidthZero", [](S& s) { return s.set(s.bitmap() + 18, 0, 4); }, kPicture,
     "expected a bitmap width from 1 to 16384, got 0"},
    {"BitmapRowsTopDown", [](S& s) { return s.set(s.bitmap() + 22, 0xFFFFFFFF, 4); }, kPicture,
     "expected a bitmap height from 1 to 16384 (rows bottom-up), got -1"},
    {"BitmapPlanes", [](S& s) { return s.set(s.bitmap() + 26, 2, 2); }, kPicture,
     "expected 1 plane, got 2"},
    {"BitmapNot24BitsPerPixel", [](S& s) { return s.set(s.bitmap() + 28, 32, 2); }, kPicture,
     "expected 24 bits per pixel, got 32"},
    {"BitmapCompressed", [](S& s) { return s.set(s.bitmap() + 30, 1, 4); }, kPicture,
     "expected no compression (0), got 1"},
    {"BitmapImageSize", [](S& s) { return s.set(s.bitmap() + 34, 6, 4); }, kPicture,
     "expected an image size of 0 or 8 (1 rows of 2 pixels, each padded to 8 bytes), got 6"},
    {"BitmapColourTable", [](S& s) { return s.set(s.bitmap() + 46, 2, 4); }, kPicture,
     "expected no colour table (0 colours used), got 2"},
    {"BitmapWiderThanItsPixels",
     [](S& s) { return s.set(s.bitmap() + 18, 3, 4), Hit{s.bitmap() + 54}; }, kPicture,
     "expected 12 bytes of pixel data (1 rows of 3 pixels, each padded to 12 bytes), got 8 bytes"},
    {"BitmapTallerThanItsPixels",
     [](S& s) { return s.set(s.bitmap() + 22, 2, 4), Hit{s.bitmap() + 54}; }, kPicture,
     "expected 16 bytes of pixel data (2 rows of 2 pixels, each padded to 8 bytes), got 8 bytes"},
    {"IconWithoutImages", [](S& s) { return s.set(s.icon() + 4, 0, 2); }, kIcon,
     "expected an image count from 1 to 4 (entries the file can hold), got 0"},
    {"IconEntriesPastTheFile", [](S& s) { return s.set(s.icon() + 4, 5, 2); }, kIcon,
     "expected an image count from 1 to 4 (entries the file can hold), got 5"},
    {"IconImageInsideTheDirectory", [](S& s) { return s.set(s.icon() + 18, 6, 4); }, kIcon,
     "expected an offset from 22 to 70 for image 0 (after the directory, inside the file), got "
     "6"},
    {"IconImagePastTheFile", [](S& s) { return s.set(s.icon() + 14, 49, 4); }, kIcon,
     "expected a size from 40 to 48 for image 0 (a header, inside the file), got 49"},
    {"IconImageHeaderSize", [](S& s) { return s.set(s.icon() + 22, 12, 4); }, kIcon,
     "expected a header of 40 bytes in image 0, got 12"},
    {"IconImageWidthAgainstItsEntry",
     [](S& s) {
         const std::size_t icon = s.icon();
         return s.set(icon + 6, 2), Hit{icon + 26};
     },
     kIcon, "expected width 2 in image 0 (its entry's), got 1"},
    {"IconImageHeightWithoutTheMask", [](S& s) { return s.set(s.icon() + 30, 1, 4); }, kIcon,
     "expected height 2 in image 0 (its entry's 1, twice for the mask), got 1"},
    {"IconImagePlanes", [](S& s) { return s.set(s.icon() + 34, 0, 2); }, kIcon,
     "expected 1 plane in image 0, got 0"},
    {"IconImageBitsAgainstItsEntry", [](S& s) { return s.set(s.icon() + 36, 24, 2); }, kIcon,
     "expected 32 bits per pixel in image 0 (its entry's), got 24"},
    {"IconImageCompressed", [](S& s) { return s.set(s.icon() + 38, 3, 4); }, kIcon,
     "expected no compression (0) in image 0, got 3"},
    {"IconImageColours", [](S& s) { return s.set(s.icon() + 54, 1, 4); }, kIcon,
     "expected no colour table (0 colours used) in image 0, got 1"},
    {"IconImageSizeAgainstItsHeader", [](S& s) { return s.set(s.icon() + 14, 44, 4); }, kIcon,
     "expected a size of 48 for image 0 (header, colours, 1×1 pixels and mask), got 44"},
    {"IconFileLongerThanItsImages",
     [](S& s) {
         record_test::resizePicture(s.record, s["Sample"], s.icon() - 12, 1, 0);
         return Hit{s.icon() + 70};
     },
     kIcon, "expected the file to end with its last image at offset 70, got 1 bytes more"},
    {"StructureCodeUnknown", [](S& s) { return s.set(s["Picture1"].codeOffset, 5); },
     "structure code after block Picture1 (ordinal 1)",
     "expected a structure code 0x01 to 0x04, got 0x05"},
    {"ChildrenAfterAControlThatIsNoFrame", [](S& s) { return s.set(s["Picture1"].codeOffset, 1); },
     "structure code after block Picture1 (ordinal 1)",
     "expected 0x01 only after the window's or a frame's block, got 0x01 after a PictureBox"},
    {"ChildrenRightAfterEndOfList", // Check1 ends Frame1's list: 02, then 03 for Frame1's sibling
     [](S& s) { return s.set(s["Check1"].codeOffset + 1, 1); },
     "structure code after block Check1 (ordinal 5)",
     "expected 0x01 only after the window's or a frame's block, got 0x01 after 0x02"},
    {"SiblingOfTheWindow", [](S& s) { return s.set(s["Sample"].codeOffset, 3); },
     "structure code after block Sample (ordinal 0)",
     "expected 0x01 or 0x04 at the window's level, got 0x03 (the window has no siblings)"},
    {"EndOfListPastTheWindow", [](S& s) { return s.set(s["Sample"].codeOffset, 2); },
     "structure code after block Sample (ordinal 0)",
     "expected 0x01 or 0x04 at the window's level, got 0x02 with no list open"},
    {"EndOfRecordWithAListOpen", [](S& s) { return s.set(s["VScroll1"].codeOffset, 4); },
     "structure code after block VScroll1 (ordinal 9)",
     "expected 0x02 closing each of the 1 open lists before 0x04, got 0x04"},
    {"BytesAfterTheEnd",
     [](S& s) {
         s.record.push_back(0x00);
         record_test::fixHeaderLength(s.record);
         return Hit{s.record.size() - 2};
     },
     "structure code after block VScroll1 (ordinal 9)",
     "expected 0x04 as the record's last byte, got 1 bytes after it"},
    {"ControlCountAgainstHeader", [](S& s) { return s.set(4, 10), Hit{s.record.size() - 1}; },
     "record", "expected 10 controls (the header's count), got 9"},
    {"NestingDeeperThanEight", // turns the 0x03 after Frame8 into 0x01: Label1 in a ninth container
     [](S& s) {
         s = Sample(record_test::nestedFrames(7, {makeControl(8, "Frame8", ControlKind::Frame),
                                                  makeControl(9, "Label1", ControlKind::Label)}));
         EXPECT_EQ(s.record[s["Frame8"].codeOffset], 0x03);
         return s.set(s["Frame8"].codeOffset, 0x01);
     },
     "structure code after block Frame8 (ordinal 8)",
     "expected at most 8 nested containers, got 0x01 opening container 9"},
};

std::string expectedMessage(const Row& row, const Hit& hit) {
    std::string message =
        std::string(row.where) + " at offset " + record_test::hex(hit.at) + ": " + row.what;
    const auto replace = [&](const std::string& from, const std::string& to) {
        for (auto at = message.find(from); at != std::string::npos; at = message.find(from))
            message.replace(at, from.size(), to);
    };
    for (std::size_t i = 0; i < hit.n.size(); ++i) {
        replace("{" + std::to_string(i) + "}", std::to_string(hit.n[i]));
        replace("{x" + std::to_string(i) + "}", record_test::hex(hit.n[i]));
    }
    return message;
}

class RecordCheck : public ::testing::TestWithParam<Row> {};

TEST_P(RecordCheck, BrokenRecordGivesItsOwnMessage) {
    Sample s(record_test::sampleWindow());
    ASSERT_TRUE(shell::record::decodeRecord(s.record)) << "the unbroken sample must decode";
    const Hit hit = GetParam().patch(s);
    auto decoded = shell::record::decodeRecord(s.record);
    ASSERT_FALSE(decoded) << "decoded although broken";
    EXPECT_EQ(decoded.error().message, expectedMessage(GetParam(), hit));
}

INSTANTIATE_TEST_SUITE_P(Decoder, RecordCheck, ::testing::ValuesIn(kRows),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
