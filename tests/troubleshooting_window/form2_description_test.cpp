#include "embedded/application_icon.h"
#include "embedded/code_picture.h"
#include "shell/model/ordering.h"
#include "troubleshooting_window/form2_description.h"

#include <gtest/gtest.h>
#include <set>
#include <stdexcept>
#include <string>

namespace {

using shell::ControlDescription;
using shell::ControlKind;

class Form2 : public ::testing::Test {
protected:
    const shell::WindowDescription window = troubleshooting_window::form2Description();

    std::string caption(const char* name) const {
        const auto* c = shell::findControl(window, name);
        if (c == nullptr || !c->caption)
            throw std::runtime_error(std::string("no captioned control ") + name);
        return *c->caption;
    }
};

std::size_t count(const std::string& text, const std::string& piece) {
    std::size_t n = 0;
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++n;
    return n;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST_F(Form2, WindowSettings) {
    EXPECT_EQ(window.name, "Form2");
    EXPECT_EQ(window.windowId.data1, 0xE5E2CB70u);
    EXPECT_EQ(window.interfaceId.data4[7], 0x12);
    EXPECT_FALSE(window.helpButton.has_value());
    EXPECT_EQ(shell::twipsToPixels(window.client.width), 769);
    EXPECT_EQ(shell::twipsToPixels(window.client.height), 565);
    EXPECT_EQ(window.icon->fileBytes.data(), embedded::application_icon().data());
}

TEST_F(Form2, CaptionSpacingMatchesTheMainWindowsUpToTheTopic) {
    const std::string topic = "故障排查";
    ASSERT_TRUE(endsWith(window.caption, topic));
    const auto lead = window.caption.substr(0, window.caption.size() - topic.size());
    EXPECT_EQ(lead, "岚溯 Lansu  X  Read-only operation    ");
}

TEST_F(Form2, OrdinalsDoNotFollowListOrder) {
    ASSERT_EQ(window.controls.size(), 11u);
    EXPECT_EQ(window.controls[0].name, "Picture1");
    EXPECT_EQ(window.controls[0].ordinal, 1);
    for (const auto& c : window.controls) {
        if (c.kind != ControlKind::Label)
            continue;
        // LabelN is number N + 1 in the control list.
        EXPECT_EQ(c.ordinal, std::stoi(c.name.substr(5)) + 1) << c.name;
        EXPECT_TRUE(c.children.empty());
    }
}

TEST_F(Form2, CodePicture) {
    const auto* code = shell::findControl(window, "Picture1");
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(code->picture->fileBytes.data(), embedded::code_picture().data());
    EXPECT_EQ(code->picture->fileBytes.size(), embedded::code_picture().size());
    EXPECT_EQ(code->picture->format(), shell::Picture::Format::Bitmap);
    EXPECT_EQ(code->effectiveBorder(), shell::PictureBorder::None);
    EXPECT_EQ(code->backColour, shell::Colour::rgb(0, 0, 64));
    EXPECT_EQ(shell::twipsToPixels(code->rect.width), 217);
    EXPECT_EQ(code->rect.width, code->rect.height);
}

TEST_F(Form2, LabelsAreNavyAndOnlyTheStepsAndContactLinesBold) {
    const std::set<std::string> bold{"Label1", "Label3", "Label4", "Label7", "Label10"};
    for (const auto& c : window.controls) {
        if (c.kind != ControlKind::Label)
            continue;
        EXPECT_EQ(c.foreColour, shell::Colour::rgb(0, 0, 128)) << c.name;
        EXPECT_FALSE(c.backColour.has_value()) << c.name;
        EXPECT_EQ(c.font.has_value(), bold.count(c.name) == 1) << c.name;
        if (c.font) {
            EXPECT_EQ(c.font->points(), 12.0) << c.name;
        }
    }
}

TEST_F(Form2, ContactLineNamesTheVendorAndEndsWithOneBreak) {
    const auto text = caption("Label7");
    EXPECT_EQ(count(text, troubleshooting_window::kVendorAddress), 1u);
    EXPECT_EQ(text.rfind("其他故障，请联系", 0), 0u);
    EXPECT_TRUE(endsWith(text, "穹岳科技数字取证局\r\n"));
    EXPECT_EQ(count(text, "\n"), 1u);
    EXPECT_EQ(count(text, "\r"), 1u);
}

TEST_F(Form2, SupportListHasFiveLinesAndNoTrailingBreak) {
    const auto text = caption("Label8");
    EXPECT_EQ(count(text, "\r\n"), 4u);
    EXPECT_EQ(count(text, "\n"), 4u); // no lone LF
    EXPECT_EQ(count(text, "\r"), 4u); // no lone CR
    EXPECT_FALSE(endsWith(text, "\n"));
    EXPECT_TRUE(endsWith(text, "等；"));
    EXPECT_EQ(text.rfind("iPhone", 0), 0u);
}

TEST_F(Form2, RepairNoteEndsWithExactlyTwoLineFeeds) {
    const auto text = caption("Label9");
    EXPECT_TRUE(endsWith(text, "。\n\n"));
    EXPECT_EQ(count(text, "\n"), 2u);
    EXPECT_EQ(count(text, "\r"), 0u);
}

TEST_F(Form2, OtherCaptionsHaveNoBreaks) {
    for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label10"})
        EXPECT_EQ(caption(name).find_first_of("\r\n"), std::string::npos) << name;
}

} // namespace
