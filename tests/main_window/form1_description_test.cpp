#include "embedded/application_icon.h"
#include "embedded/banner_picture.h"
#include "embedded/side_picture.h"
#include "main_window/form1_description.h"
#include "shell/model/ordering.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using shell::ControlDescription;
using shell::ControlKind;

class Form1 : public ::testing::Test {
protected:
    const shell::WindowDescription window = main_window::form1Description();

    const ControlDescription& get(const char* name) const {
        const auto* c = shell::findControl(window, name);
        if (c == nullptr)
            throw std::runtime_error(std::string("no control ") + name);
        return *c;
    }
};

std::string guidText(const shell::Guid& g) {
    char text[40];
    std::snprintf(text, sizeof text, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", g.data1,
                  g.data2, g.data3, g.data4[0], g.data4[1], g.data4[2], g.data4[3], g.data4[4],
                  g.data4[5], g.data4[6], g.data4[7]);
    return text;
}

// Splits a caption into its words and the lengths of the space runs after each.
void splitOnSpaces(const std::string& s, std::vector<std::string>& words, std::vector<int>& gaps) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto end = std::min(s.find(' ', i), s.size());
        words.push_back(s.substr(i, end - i));
        const auto next = std::min(s.find_first_not_of(' ', end), s.size());
        gaps.push_back(static_cast<int>(next - end));
        i = next;
    }
}

std::size_t codePoints(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char ch : s)
        n += (ch & 0xC0) != 0x80;
    return n;
}

std::pair<int, int> bitmapSize(const shell::Picture& p) {
    auto i32 = [&](std::size_t at) {
        return static_cast<int>(p.fileBytes[at] | p.fileBytes[at + 1] << 8 |
                                p.fileBytes[at + 2] << 16 | p.fileBytes[at + 3] << 24);
    };
    return {i32(18), i32(22)};
}

TEST_F(Form1, IdentifiersReadAsWritten) {
    EXPECT_EQ(window.name, "Form1");
    EXPECT_EQ(guidText(window.windowId), "7ADE3D68-5C58-45AF-9E9B-168AA032D8D0");
    EXPECT_EQ(guidText(window.interfaceId), "EDD48B39-A10E-45B1-8F35-A01A275A124B");
}

TEST_F(Form1, CaptionKeepsItsExactSpacing) {
    std::vector<std::string> words;
    std::vector<int> gaps;
    splitOnSpaces(window.caption, words, gaps);
    EXPECT_EQ(words, (std::vector<std::string>{
                         "岚溯", "Lansu", "X", "Read-only", "operation",
                         "穹岳（汀川）科技有限公司数据研究院电子数字取证刑事技术侦查局"}));
    EXPECT_EQ(gaps, (std::vector<int>{1, 2, 2, 1, 4, 1}));
}

TEST_F(Form1, ClientAreaAndHelpSetting) {
    EXPECT_EQ(shell::twipsToPixels(window.client.width), 1008);
    EXPECT_EQ(shell::twipsToPixels(window.client.height), 813);
    ASSERT_TRUE(window.helpButton.has_value());
    EXPECT_FALSE(*window.helpButton);
}

TEST_F(Form1, PicturesPointAtTheEmbeddedBytes) {
    EXPECT_EQ(window.icon->fileBytes.data(), embedded::application_icon().data());
    EXPECT_EQ(window.icon->fileBytes.size(), embedded::application_icon().size());

    const auto& banner = get("Picture1");
    EXPECT_EQ(banner.picture->fileBytes.data(), embedded::banner_picture().data());
    EXPECT_EQ(banner.picture->fileBytes.size(), embedded::banner_picture().size());
    ASSERT_EQ(banner.picture->format(), shell::Picture::Format::Bitmap);
    EXPECT_EQ(bitmapSize(*banner.picture), std::make_pair(1019, 132));
    EXPECT_EQ(banner.effectiveBorder(), shell::PictureBorder::None);
    EXPECT_EQ(shell::twipsToPixels(banner.rect.left), -8);

    const auto& side = get("Picture2");
    EXPECT_EQ(side.picture->fileBytes.data(), embedded::side_picture().data());
    ASSERT_EQ(side.picture->format(), shell::Picture::Format::Bitmap);
    EXPECT_EQ(bitmapSize(*side.picture), std::make_pair(150, 506));
    EXPECT_FALSE(side.border.has_value());
    EXPECT_EQ(side.effectiveBorder(), shell::PictureBorder::FixedSingle);
}

TEST_F(Form1, LastRecordLineHasTheMaskedSerialAndImei) {
    const std::string text = get("Label4").caption.value();
    EXPECT_EQ(codePoints(text), 70u);
    const std::regex shape("上次记录：iPhone OS iPhone10,4 13\\.3\\.1 "
                           "[0-9A-Z]{14}XXX IMEI[0-9]{12}XXX");
    EXPECT_TRUE(std::regex_match(text, shape)) << text;
}

TEST_F(Form1, ExplanationStartsWithEightSpacesAndHasNoBreaks) {
    const std::string text = get("Label3").caption.value();
    EXPECT_EQ(text.find_first_not_of(' '), 8u);
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
    EXPECT_GT(text.size(), 255u); // needs the two-byte length in a record
    EXPECT_EQ(text.substr(text.size() - 3), "。");
}

TEST_F(Form1, OptionButtonsFormOneGroupWithOnlyOption2Selected) {
    const auto& frame2 = get("Frame2");
    int options = 0;
    int selected = 0;
    for (const auto* c : shell::allControls(window)) {
        if (c->kind != ControlKind::OptionButton)
            continue;
        ++options;
        EXPECT_TRUE(std::any_of(frame2.children.begin(), frame2.children.end(),
                                [&](const auto& child) { return &child == c; }))
            << c->name << " is not in Frame2";
        if (c->value == 1) {
            ++selected;
            EXPECT_EQ(c->name, "Option2");
        }
    }
    EXPECT_EQ(options, 4);
    EXPECT_EQ(selected, 1);
}

TEST_F(Form1, CheckBoxesStartAsListed) {
    const std::pair<const char*, shell::CheckValue> expected[] = {
        {"Check3", shell::CheckValue::Checked}, {"Check4", shell::CheckValue::Unchecked},
        {"Check5", shell::CheckValue::Checked}, {"Check6", shell::CheckValue::Checked},
        {"Check7", shell::CheckValue::Grayed},  {"Check8", shell::CheckValue::Checked}};
    for (const auto& [name, value] : expected)
        EXPECT_EQ(get(name).value, static_cast<std::uint8_t>(value)) << name;
}

TEST_F(Form1, WindowButtonsContinueTheFrame2GridInsideItsRectangle) {
    const auto& frame2 = get("Frame2");
    for (const char* name :
         {"Command5", "Command6", "Command7", "Command8", "Command9", "Command10"}) {
        const auto top = std::find_if(window.controls.begin(), window.controls.end(),
                                      [&](const auto& c) { return c.name == name; });
        ASSERT_NE(top, window.controls.end()) << name << " must belong to the window";
        const auto& r = top->rect;
        EXPECT_GE(r.left, frame2.rect.left) << name;
        EXPECT_GE(r.top, frame2.rect.top) << name;
        EXPECT_LE(r.left + r.width, frame2.rect.left + frame2.rect.width) << name;
        EXPECT_LE(r.top + r.height, frame2.rect.top + frame2.rect.height) << name;
        // Same columns as Command1 and Command2, in window coordinates.
        EXPECT_TRUE(r.left == frame2.rect.left + get("Command1").rect.left ||
                    r.left == frame2.rect.left + get("Command2").rect.left)
            << name;
    }
}

TEST_F(Form1, ScrollBarsOverlapTheEdgesOfTheirPanes) {
    struct Overlap {
        const char* bar;
        const char* pane;
        bool vertical;
        int twips;
    };
    for (const auto& o :
         {Overlap{"VScroll3", "Text1", true, 255}, Overlap{"VScroll2", "Text2", true, 15},
          Overlap{"HScroll2", "Text1", false, 225}, Overlap{"HScroll1", "Text2", false, 225}}) {
        const auto& bar = get(o.bar).rect;
        const auto& pane = get(o.pane).rect;
        const int covered =
            o.vertical ? pane.left + pane.width - bar.left : pane.top + pane.height - bar.top;
        EXPECT_EQ(covered, o.twips) << o.bar << " over " << o.pane;
    }
}

TEST_F(Form1, FooterBandRunsPastTheClientArea) {
    const auto& band = get("Label5").rect;
    EXPECT_EQ(band.top + band.height - window.client.height, 300);
    EXPECT_EQ(band.width, window.client.width + 15);
    EXPECT_EQ(get("Label7").font->points(), 15.75);
}

} // namespace
