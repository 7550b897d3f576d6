// The codec on a small hand-made window: round trips, and what the encoder
// refuses to write.

#include "shell/record/record.h"
#include "tests/shell/record/record_walker.h"
#include "tests/shell/record/sample_window.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using record_test::sampleWindow;
using shell::ControlDescription;
using shell::ControlKind;
using shell::WindowDescription;

std::string encodeError(const WindowDescription& w) {
    auto r = shell::encodeRecord(w);
    return r ? std::string("(encoded)") : r.error().message;
}

ControlDescription& control(WindowDescription& w, const std::string& name) {
    for (auto& c : w.controls) {
        if (c.name == name)
            return c;
        for (auto& child : c.children)
            if (child.name == name)
                return child;
    }
    ADD_FAILURE() << "no control " << name;
    return w.controls.front();
}

TEST(RecordCodec, SampleWindowRoundTrips) {
    const WindowDescription w = sampleWindow();
    auto record = shell::encodeRecord(w);
    ASSERT_TRUE(record) << record.error().message;
    auto decoded = shell::decodeRecord(*record);
    ASSERT_TRUE(decoded) << decoded.error().message;
    EXPECT_TRUE(*decoded == w);
    auto again = shell::encodeRecord(*decoded);
    ASSERT_TRUE(again) << again.error().message;
    EXPECT_EQ(*again, *record);
}

TEST(RecordCodec, DecodedValuesAreTheOnesWritten) {
    auto record = shell::encodeRecord(sampleWindow());
    ASSERT_TRUE(record) << record.error().message;
    auto w = shell::decodeRecord(*record);
    ASSERT_TRUE(w) << w.error().message;
    EXPECT_EQ(w->name, "Sample");
    EXPECT_EQ(w->caption, "样例窗口 Sample…");
    EXPECT_EQ(w->client.height, -3000);
    EXPECT_FALSE(w->maxButton);
    EXPECT_TRUE(w->minButton);
    ASSERT_EQ(w->controls.size(), 6u);
    const auto& frame = w->controls[1];
    ASSERT_EQ(frame.children.size(), 3u);
    const auto& label = frame.children[0];
    EXPECT_EQ(label.name, "Label1");
    EXPECT_EQ(*label.caption, "第一行\r\n第二行\n（全角）");
    ASSERT_TRUE(label.font);
    EXPECT_EQ(label.font->face, "宋体");
    EXPECT_EQ(label.font->sizeTenThousandths, 157500);
    EXPECT_EQ(label.font->weight, 700);
    EXPECT_TRUE(label.font->italic);
    EXPECT_FALSE(label.font->underline);
    EXPECT_TRUE(label.font->strikethrough);
    EXPECT_EQ(label.backColour, shell::Colour{0x8000000Fu});
    EXPECT_EQ(frame.children[1].value, 1);
    EXPECT_EQ(frame.children[2].value, 2);
    EXPECT_EQ(w->controls[0].border, shell::PictureBorder::None);
    EXPECT_EQ(w->controls[0].rect.left, -120);
    EXPECT_EQ(w->controls[2].caption, "等待……");
    EXPECT_FALSE(w->controls[4].caption.has_value()); // scroll bars carry no text
}

TEST(RecordCodec, FontFlagsAndOptionFalseAreEncodedAsDocumented) {
    WindowDescription w = sampleWindow();
    control(w, "Option1").value = 0;
    auto record = shell::encodeRecord(w);
    ASSERT_TRUE(record) << record.error().message;
    const auto blocks = record_test::walkBlocks(*record);
    const auto& option = record_test::block(blocks, "Option1");
    EXPECT_EQ((*record)[option.closingOffset() - 2], 0x13);
    EXPECT_EQ((*record)[option.closingOffset() - 1], 0x00);
    // Label1's font is its last property: 25 01 86 00 <flags> BC 02 ...
    const auto& label = record_test::block(blocks, "Label1");
    const std::vector<std::uint8_t> font = {0x25, 0x01, 0x86, 0x00, 0x0A, 0xBC, 0x02, 0x3C, 0x67,
                                            0x02, 0x00, 0x04, 0xCB, 0xCE, 0xCC, 0xE5, 0xFF};
    EXPECT_TRUE(
        std::equal(font.begin(), font.end(),
                   record->begin() + static_cast<long>(label.closingOffset() + 1 - font.size())));
}

TEST(RecordCodec, EmptyWindowEndsRightAfterItsBlock) {
    WindowDescription w = sampleWindow();
    w.controls.clear();
    auto record = shell::encodeRecord(w);
    ASSERT_TRUE(record) << record.error().message;
    EXPECT_EQ((*record)[4], 0);
    EXPECT_EQ(record->back(), 0x04);
    EXPECT_EQ((*record)[record->size() - 2], 0xFF);
    auto decoded = shell::decodeRecord(*record);
    ASSERT_TRUE(decoded) << decoded.error().message;
    EXPECT_TRUE(*decoded == w);
}

TEST(RecordCodec, NestedFramesCloseEachListWithItsOwnCode) {
    WindowDescription w = sampleWindow();
    ControlDescription inner = control(w, "Command1");
    w.controls.erase(w.controls.begin() + 3); // Command1 moves into a frame in Frame1
    ControlDescription innerFrame;
    innerFrame.name = "Frame9";
    innerFrame.kind = ControlKind::Frame;
    innerFrame.ordinal = 7;
    inner.ordinal = 10;
    innerFrame.children.push_back(inner);
    control(w, "Frame1").children.push_back(innerFrame);
    // Ordinals: 1..6 and 8, 9 from the sample, 7 and 10 here.
    auto record = shell::encodeRecord(w);
    ASSERT_TRUE(record) << record.error().message;
    const auto blocks = record_test::walkBlocks(*record);
    const auto& command1 = record_test::block(blocks, "Command1");
    // Command1 ends Frame9's list and Frame9 ends Frame1's; then Text1 follows.
    EXPECT_EQ((*record)[command1.codeOffset], 0x02);
    EXPECT_EQ((*record)[command1.codeOffset + 1], 0x02);
    EXPECT_EQ((*record)[command1.codeOffset + 2], 0x03);
    auto decoded = shell::decodeRecord(*record);
    ASSERT_TRUE(decoded) << decoded.error().message;
    EXPECT_TRUE(*decoded == w);
}

// What the encoder refuses, each with the control and property named.
TEST(RecordEncoder, RefusesACharacterCodePage936CannotHold) {
    WindowDescription w = sampleWindow();
    control(w, "Label1").caption = "笑\xF0\x9F\x98\x80"; // 笑 then U+1F600
    EXPECT_EQ(encodeError(w), "control Label1 (ordinal 3) property 0x01 (caption): character "
                              "U+1F600 at byte 3 has no form in code page 936");
    w = sampleWindow();
    w.caption = "Sample \xE2\x82\xA9"; // the won sign
    EXPECT_EQ(encodeError(w), "window Sample property 0x01 (caption): character U+20A9 at "
                              "byte 7 has no form in code page 936");
    w = sampleWindow();
    control(w, "Text1").caption = "\xF0\x9F\x98\x80";
    EXPECT_EQ(encodeError(w), "control Text1 (ordinal 6) property 0x0b (text): character "
                              "U+1F600 at byte 0 has no form in code page 936");
}

TEST(RecordEncoder, RefusesMalformedUtf8) {
    WindowDescription w = sampleWindow();
    control(w, "Command1").caption = "O\xC3";
    EXPECT_EQ(encodeError(w), "control Command1 (ordinal 7) property 0x01 (caption): byte 1: "
                              "expected well-formed UTF-8, got 0xc3");
}

TEST(RecordEncoder, RefusesAFieldTheKindCannotCarry) {
    WindowDescription w = sampleWindow();
    control(w, "Text1").backColour = shell::Colour{0};
    EXPECT_EQ(encodeError(w), "control Text1 (ordinal 6): a TextBox cannot carry a back colour");
    w = sampleWindow();
    control(w, "HScroll1").caption = "x";
    EXPECT_EQ(encodeError(w),
              "control HScroll1 (ordinal 8): a HScrollBar cannot carry a caption or text");
    w = sampleWindow();
    control(w, "Command1").font = shell::defaultWindowFont();
    EXPECT_EQ(encodeError(w), "control Command1 (ordinal 7): a CommandButton cannot carry a font");
    w = sampleWindow();
    control(w, "Label1").picture = shell::Picture{record_test::kTinyBitmap};
    EXPECT_EQ(encodeError(w), "control Label1 (ordinal 3): a Label cannot carry a picture");
    w = sampleWindow();
    control(w, "Command1").value = 1;
    EXPECT_EQ(encodeError(w), "control Command1 (ordinal 7): a CommandButton cannot carry a value");
    w = sampleWindow();
    control(w, "Text1").children.push_back(control(w, "VScroll1"));
    EXPECT_EQ(encodeError(w),
              "control Text1 (ordinal 6): a TextBox cannot hold controls; only a frame can");
}

TEST(RecordEncoder, RefusesAnUnknownKind) {
    WindowDescription w = sampleWindow();
    control(w, "Command1").kind = static_cast<ControlKind>(7);
    EXPECT_EQ(encodeError(w),
              "control Command1 (ordinal 7): expected a control kind (0 to 6, 9 or 10), got 7");
}

TEST(RecordEncoder, RefusesValuesOutOfRange) {
    WindowDescription w = sampleWindow();
    control(w, "Check1").value = 3;
    EXPECT_EQ(
        encodeError(w),
        "control Check1 (ordinal 5) property 0x13 (value): expected a value from 0 to 2, got 3");
    w = sampleWindow();
    control(w, "Option1").value = 2;
    EXPECT_EQ(
        encodeError(w),
        "control Option1 (ordinal 4) property 0x13 (value): expected a value from 0 to 1, got 2");
    w = sampleWindow();
    control(w, "Picture1").border = static_cast<shell::PictureBorder>(2);
    EXPECT_EQ(encodeError(w), "control Picture1 (ordinal 1) property 0x24 (border style): "
                              "expected border style 0 or 1, got 2");
    w = sampleWindow();
    control(w, "Picture1").drawingSetting = 7;
    EXPECT_EQ(encodeError(w), "control Picture1 (ordinal 1) property 0x1a (drawing setting): "
                              "expected drawing setting 0x00420001, got 0x7");
    w = sampleWindow();
    w.startUpPosition = 4;
    EXPECT_EQ(encodeError(w), "window Sample: expected a start-up position from 0 to 3, got 4");
    w = sampleWindow();
    w.borderStyle = 6;
    EXPECT_EQ(encodeError(w), "window Sample: expected a border style from 0 to 5, got 6");
    w = sampleWindow();
    control(w, "Label1").font->weight = 1001;
    EXPECT_EQ(encodeError(w), "control Label1 (ordinal 3) property 0x25 (font): expected a font "
                              "weight from 0 to 1000, got 1001");
    w = sampleWindow();
    control(w, "Label1").font->face = "";
    EXPECT_EQ(encodeError(w), "control Label1 (ordinal 3) property 0x25 (font): expected a font "
                              "name of 1 to 31 bytes in code page 936, got 0");
}

TEST(RecordEncoder, RefusesBadOrdinalsAndNames) {
    WindowDescription w = sampleWindow();
    control(w, "VScroll1").ordinal = 10;
    EXPECT_EQ(
        encodeError(w),
        "control VScroll1 (ordinal 10): expected an ordinal from 1 to 9 (the number of controls)");
    w = sampleWindow();
    control(w, "VScroll1").ordinal = 3;
    EXPECT_EQ(encodeError(w), "control VScroll1 (ordinal 3): expected an ordinal no other "
                              "control has, got the ordinal of Label1");
    w = sampleWindow();
    control(w, "VScroll1").name = "Label1";
    EXPECT_EQ(encodeError(w), "control Label1 (ordinal 9): expected a name no other control has, "
                              "got the name of ordinal 3");
    w = sampleWindow();
    control(w, "VScroll1").name = "V Scroll";
    EXPECT_EQ(encodeError(w), "control V Scroll (ordinal 9): expected an ASCII identifier of at "
                              "most 40 characters as the name");
    w = sampleWindow();
    w.name = "1Sample";
    EXPECT_EQ(encodeError(w), "window 1Sample: expected an ASCII identifier of at most 40 "
                              "characters as the name");
}

TEST(RecordEncoder, RefusesUnknownPictureFormatsAndLongTexts) {
    static const std::uint8_t png[] = {0x89, 'P', 'N', 'G'};
    WindowDescription w = sampleWindow();
    control(w, "Picture1").picture = shell::Picture{png};
    EXPECT_EQ(encodeError(w), "control Picture1 (ordinal 1) property 0x03 (picture): expected a "
                              "bitmap file (42 4d) or an icon file (00 00 01 00)");
    w = sampleWindow();
    control(w, "Label1").caption = std::string(65534, 'x') + "长";
    EXPECT_EQ(encodeError(w), "control Label1 (ordinal 3) property 0x01 (caption): expected at "
                              "most 65535 bytes in code page 936, got 65536");
    w = sampleWindow();
    control(w, "Label1").caption = std::string("a\0b", 3);
    EXPECT_EQ(encodeError(w), "control Label1 (ordinal 3) property 0x01 (caption): expected a "
                              "text without NUL characters, got one at byte 1");
}

TEST(RecordEncoder, RefusesNestingDeeperThanEightContainers) {
    WindowDescription w = sampleWindow();
    w.controls.clear();
    // Seven frames inside each other (eight containers with the window) are
    // fine; a control inside the innermost is at the limit.
    ControlDescription innermost;
    innermost.name = "Label1";
    innermost.kind = ControlKind::Label;
    innermost.ordinal = 8;
    ControlDescription chain = innermost;
    for (int i = 7; i >= 1; --i) {
        ControlDescription frame;
        frame.name = "Frame" + std::to_string(i);
        frame.kind = ControlKind::Frame;
        frame.ordinal = static_cast<std::uint8_t>(i);
        frame.children.push_back(chain);
        chain = frame;
    }
    w.controls.push_back(chain);
    auto record = shell::encodeRecord(w);
    ASSERT_TRUE(record) << record.error().message;
    auto decoded = shell::decodeRecord(*record);
    ASSERT_TRUE(decoded) << decoded.error().message;
    EXPECT_TRUE(*decoded == w);

    // One more level is refused.
    ControlDescription* deepest = &w.controls.front();
    while (!deepest->children.empty() && deepest->children.front().kind == ControlKind::Frame)
        deepest = &deepest->children.front();
    ControlDescription frame8;
    frame8.name = "Frame8";
    frame8.kind = ControlKind::Frame;
    frame8.ordinal = 9;
    frame8.children.push_back(deepest->children.front());
    frame8.children.front().ordinal = 8;
    deepest->children.front() = frame8;
    EXPECT_EQ(encodeError(w), "control Frame8 (ordinal 9): expected at most 8 nested containers, "
                              "the window included");
}

} // namespace
