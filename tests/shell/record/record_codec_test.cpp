// The codec on hand-made and real windows: round trips, stored bytes, and
// what the encoder refuses to write.

#include "embedded/form1_record.h"
#include "embedded/form2_record.h"
#include "main_window/form1_description.h"
#include "shell/model/ordering.h"
#include "shell/record/record.h"
#include "tests/shell/record/record_walker.h"
#include "tests/shell/record/sample_window.h"
#include "troubleshooting_window/form2_description.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace {

using record_test::encoded;
using record_test::makeControl;
using record_test::nestedFrames;
using record_test::sampleWindow;
using shell::model::ControlDescription;
using shell::model::ControlKind;
using shell::model::WindowDescription;
using Bytes = std::vector<std::uint8_t>;

ControlDescription& control(WindowDescription& w, const char* name) {
    return *shell::model::findControl(w, name);
}

// Command1 moved into Frame9, itself inside Frame1.
WindowDescription sampleWithNestedFrame() {
    WindowDescription w = sampleWindow();
    ControlDescription inner = control(w, "Command1");
    inner.ordinal = 10;
    w.controls.erase(w.controls.begin() + 3);
    auto frame9 = makeControl(7, "Frame9", ControlKind::Frame);
    frame9.children.push_back(inner);
    control(w, "Frame1").children.push_back(frame9);
    return w;
}

// decode(encode(d)) == d and encode(decode(r)) == r byte for byte: for
// hand-made windows (every property kind; no controls; nested frames; seven
// frames inside each other, with the window the most containers allowed) and
// for the two real windows, whose current records the build holds, embedded
// and as files. Decoded from those, the pictures are views into the record.
TEST(RecordCodec, WindowsRoundTripAndTheBuildHoldsTheirCurrentRecords) {
    const struct {
        WindowDescription window;
        std::span<const std::uint8_t> built = {};
        const char* file = nullptr;
    } cases[] = {
        {sampleWindow()},
        {nestedFrames(0, {})},
        {sampleWithNestedFrame()},
        {nestedFrames(7, {makeControl(8, "Label1", ControlKind::Label)})},
        {main_window::form1Description(), embedded::form1_record(), LANSU_FORM1_RECORD},
        {troubleshooting_window::form2Description(), embedded::form2_record(), LANSU_FORM2_RECORD},
    };
    for (const auto& [window, built, file] : cases) {
        SCOPED_TRACE(window.name + " " + std::to_string(window.controls.size()));
        const Bytes record = encoded(window);
        auto decoded = shell::record::decodeRecord(record);
        ASSERT_TRUE(decoded) << decoded.error().message;
        EXPECT_TRUE(*decoded == window);
        EXPECT_EQ(encoded(*decoded), record);
        if (!file)
            continue;
        EXPECT_EQ(Bytes(built.begin(), built.end()), record);
        std::ifstream in(file, std::ios::binary);
        EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(in), {}), record) << file;
        auto fromBuilt = shell::record::decodeRecord(built);
        ASSERT_TRUE(fromBuilt);
        const auto pictures = record_test::windowPictures(*fromBuilt);
        for (const auto& p : pictures) {
            EXPECT_GE(p.fileBytes().data(), built.data());
            EXPECT_LE(p.fileBytes().data() + p.fileBytes().size(), built.data() + built.size());
        }
    }
}

// The decoder reads with the encoder's layout, so only stored bytes show a
// mistake both share: Command12's block, Form1's window id in mixed-endian
// layout, {7ADE3D68-5C58-45AF-9E9B-168AA032D8D0}, and the sample's font.
TEST(RecordCodec, BlocksIdsAndFontsAreStoredByteForByte) {
    const Bytes record(embedded::form1_record().begin(), embedded::form1_record().end());
    const auto& command12 = record_test::block(record_test::walkBlocks(record), "Command12");
    const Bytes expected = {
        0x2B, 0x00, 0x00, 0x00,                                                 // block length 43
        0x02,                                                                   // ordinal 2
        0x09, 0x00, 'C',  'o',  'm',  'm',  'a',  'n',  'd',  '1',  '2',  0x00, // name
        0x04,                                                                   // CommandButton
        0x01, 0x08, 0x00, 0xCA, 0xD6, 0xB6, 0xAF, 0xC1, 0xB4, 0xBD, 0xD3, 0x00, // "手动链接"
        0x04, 0x98, 0x2B, 0xE8, 0x08, 0xAF, 0x05, 0xEF, 0x01, // 11160, 2280, 1455, 495
        0x11, 0x28, 0x00,                                     // tab index 40
        0xFF,                                                 // end of properties
        0x03,                                                 // a sibling follows
    };
    const auto at = record.begin() + static_cast<long>(command12.offset);
    EXPECT_EQ(Bytes(at, at + static_cast<long>(expected.size())), expected);
    EXPECT_EQ(Bytes(record.begin() + 5, record.begin() + 21),
              (Bytes{0x68, 0x3D, 0xDE, 0x7A, 0x58, 0x5C, 0xAF, 0x45, 0x9E, 0x9B, 0x16, 0x8A, 0xA0,
                     0x32, 0xD8, 0xD0}));
    // Label1's font is its last property: 25 01 86 00 <flags> BC 02 ...
    const Bytes sample = encoded(sampleWindow());
    const auto& label = record_test::block(record_test::walkBlocks(sample), "Label1");
    const Bytes font = {0x25, 0x01, 0x86, 0x00, 0x0A, 0xBC, 0x02, 0x3C, 0x67,
                        0x02, 0x00, 0x04, 0xCB, 0xCE, 0xCC, 0xE5, 0xFF};
    EXPECT_EQ(Bytes(sample.begin() + static_cast<long>(label.end() - font.size()),
                    sample.begin() + static_cast<long>(label.end())),
              font);
}

// What the encoder refuses, each with the control and property named.
using W = WindowDescription;
struct Refusal {
    void (*patch)(W&);
    const char* message;
};

const Refusal kRefusals[] = {
    {[](W& w) { w.caption = "Sample \xE2\x82\xA9"; }, // the won sign
     "window Sample property 0x01 (caption): character U+20A9 at byte 7 has no form in code page "
     "936"},
    {[](W& w) { control(w, "Text1").caption = "\xF0\x9F\x98\x80"; },
     "control Text1 (ordinal 6) property 0x0b (text): character U+1F600 at byte 0 has no form in "
     "code page 936"},
    {[](W& w) { control(w, "Text1").backColour = shell::model::Colour{0}; },
     "control Text1 (ordinal 6): a TextBox cannot carry a back colour"},
    {[](W& w) { control(w, "HScroll1").caption = "x"; },
     "control HScroll1 (ordinal 8): a HScrollBar cannot carry a caption or text"},
    {[](W& w) {
         control(w, "Label1").picture = shell::model::builtInPicture(record_test::kTinyBitmap);
     },
     "control Label1 (ordinal 3): a Label cannot carry a picture"},
    {[](W& w) { control(w, "Text1").children.push_back(control(w, "VScroll1")); },
     "control Text1 (ordinal 6): a TextBox cannot hold controls; only a frame can"},
    {[](W& w) { control(w, "Command1").kind = static_cast<ControlKind>(7); },
     "control Command1 (ordinal 7): expected a control kind (0 to 6, 9 or 10), got 7"},
    {[](W& w) { control(w, "Check1").value = 3; },
     "control Check1 (ordinal 5) property 0x13 (value): expected a value from 0 to 2, got 3"},
    {[](W& w) { control(w, "Option1").value = 2; },
     "control Option1 (ordinal 4) property 0x13 (value): expected a value from 0 to 1, got 2"},
    {[](W& w) { control(w, "Picture1").border = static_cast<shell::model::PictureBorder>(2); },
     "control Picture1 (ordinal 1) property 0x24 (border style): expected border style 0 or 1, "
     "got 2"},
    {[](W& w) { control(w, "Picture1").drawingSetting = 7; },
     "control Picture1 (ordinal 1) property 0x1a (drawing setting): expected drawing setting "
     "0x00420001, got 0x7"},
    {[](W& w) { w.startUpPosition = 4; },
     "window Sample: expected a start-up position from 0 to 3, got 4"},
    {[](W& w) { control(w, "Label1").font->weight = 1001; },
     "control Label1 (ordinal 3) property 0x25 (font): expected a font weight from 0 to 1000, got "
     "1001"},
    {[](W& w) { control(w, "Label1").font->face = ""; },
     "control Label1 (ordinal 3) property 0x25 (font): expected a font name of 1 to 31 bytes in "
     "code page 936, got 0"},
    {[](W& w) { control(w, "VScroll1").ordinal = 10; },
     "control VScroll1 (ordinal 10): expected an ordinal from 1 to 9 (the number of controls)"},
    {[](W& w) { control(w, "VScroll1").ordinal = 3; },
     "control VScroll1 (ordinal 3): expected an ordinal no other control has, got the ordinal of "
     "Label1"},
    {[](W& w) { control(w, "VScroll1").name = "Label1"; },
     "control Label1 (ordinal 9): expected a name no other control has, got the name of ordinal "
     "3"},
    {[](W& w) { control(w, "VScroll1").name = "V Scroll"; },
     "control V Scroll (ordinal 9): expected an ASCII identifier of at most 40 characters as the "
     "name"},
    {[](W& w) { w.name = "1Sample"; },
     "window 1Sample: expected an ASCII identifier of at most 40 characters as the name"},
    {[](W& w) { control(w, "Label1").caption = std::string(65534, 'x') + "长"; },
     "control Label1 (ordinal 3) property 0x01 (caption): expected at most 65535 bytes in code "
     "page 936, got 65536"},
    {[](W& w) { control(w, "Label1").caption = std::string("a\0b", 3); },
     "control Label1 (ordinal 3) property 0x01 (caption): expected a text without NUL "
     "characters, got one at byte 1"},
    {[](W& w) { // one frame deeper than the deepest that round trips
         auto frame8 = makeControl(9, "Frame8", ControlKind::Frame);
         frame8.children = {makeControl(8, "Label1", ControlKind::Label)};
         w = nestedFrames(7, {frame8});
     },
     "control Frame8 (ordinal 9): expected at most 8 nested containers, the window included"},
};

TEST(RecordEncoder, RefusesWhatTheFormatCannotHoldNamingControlAndProperty) {
    for (const Refusal& refusal : kRefusals) {
        WindowDescription w = sampleWindow();
        refusal.patch(w);
        auto r = shell::record::encodeRecord(w);
        EXPECT_EQ(r ? std::string("(encoded)") : r.error().message, refusal.message);
    }
}

} // namespace
