// Rules every window description must keep, checked on both windows.
#include "main_window/form1_description.h"
#include "shell/model/ordering.h"
#include "troubleshooting_window/form2_description.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

using shell::ControlKind;

struct WindowCase {
    const char* label;
    shell::WindowDescription (*build)();
    std::size_t controlCount;
};

class WindowDescriptionRules : public ::testing::TestWithParam<WindowCase> {
protected:
    const shell::WindowDescription window = GetParam().build();
};

TEST_P(WindowDescriptionRules, CountsEveryControlIncludingFrameChildren) {
    EXPECT_EQ(shell::allControls(window).size(), GetParam().controlCount);
}

TEST_P(WindowDescriptionRules, PositionsAndSizesAreWholePixelsAt96Dpi) {
    const auto& client = window.client;
    for (int v : {client.left, client.top, client.width, client.height})
        EXPECT_EQ(v % 15, 0) << window.name << " client " << v;
    for (const auto* c : shell::allControls(window)) {
        for (int v : {c->rect.left, c->rect.top, c->rect.width, c->rect.height})
            EXPECT_EQ(v % 15, 0) << c->name << " " << v;
        EXPECT_GT(c->rect.width, 0) << c->name;
        EXPECT_GT(c->rect.height, 0) << c->name;
    }
}

TEST_P(WindowDescriptionRules, NamesAreUniqueAndTabIndexesCountFromZero) {
    const auto controls = shell::allControls(window);
    std::set<std::string> names;
    std::set<int> tabs;
    for (const auto* c : controls) {
        EXPECT_TRUE(names.insert(c->name).second) << "duplicate name " << c->name;
        EXPECT_TRUE(tabs.insert(c->tabIndex).second) << "duplicate tab index at " << c->name;
    }
    // Unique and counted from 0 across the whole window: exactly 0 .. n-1.
    ASSERT_FALSE(tabs.empty());
    EXPECT_EQ(*tabs.begin(), 0);
    EXPECT_EQ(*tabs.rbegin(), static_cast<int>(controls.size()) - 1);
}

TEST_P(WindowDescriptionRules, OrdinalsAreOneToN) {
    std::vector<int> ordinals;
    for (const auto* c : shell::allControls(window))
        ordinals.push_back(c->ordinal);
    std::sort(ordinals.begin(), ordinals.end());
    for (std::size_t i = 0; i < ordinals.size(); ++i)
        EXPECT_EQ(ordinals[i], static_cast<int>(i) + 1);
}

TEST_P(WindowDescriptionRules, EachKindCarriesOnlyItsOwnSettings) {
    for (const auto* c : shell::allControls(window)) {
        SCOPED_TRACE(c->name);
        const auto k = c->kind;
        const bool isPicture = k == ControlKind::PictureBox;
        const bool isLabel = k == ControlKind::Label;
        const bool hasValue = k == ControlKind::CheckBox || k == ControlKind::OptionButton;
        const bool isScrollBar = k == ControlKind::HScrollBar || k == ControlKind::VScrollBar;

        EXPECT_EQ(c->picture.has_value(), isPicture);
        EXPECT_EQ(c->drawingSetting.has_value(), isPicture);
        if (c->drawingSetting) {
            EXPECT_EQ(*c->drawingSetting, shell::kStandardDrawingSetting);
        }
        if (!isPicture) {
            EXPECT_FALSE(c->border.has_value());
        }
        EXPECT_EQ(c->value.has_value(), hasValue);
        if (k == ControlKind::OptionButton) {
            EXPECT_LE(*c->value, 1);
        }
        if (k == ControlKind::CheckBox) {
            EXPECT_LE(*c->value, 2);
        }
        EXPECT_EQ(c->caption.has_value(), !isPicture && !isScrollBar);
        if (!isPicture && !isLabel) {
            EXPECT_FALSE(c->backColour.has_value());
        }
        if (!isLabel) {
            EXPECT_FALSE(c->foreColour.has_value());
            EXPECT_FALSE(c->font.has_value());
        }
        if (k != ControlKind::Frame) {
            EXPECT_TRUE(c->children.empty());
        }
    }
}

TEST_P(WindowDescriptionRules, ColoursAndFontsAreTheFewTheWindowsUse) {
    const std::set<std::uint32_t> used{0x00400000u, 0x00800000u, 0x00808080u};
    for (const auto* c : shell::allControls(window)) {
        for (const auto& colour : {c->backColour, c->foreColour})
            if (colour) {
                EXPECT_TRUE(used.count(colour->raw)) << c->name << std::hex << colour->raw;
            }
        if (c->font) {
            EXPECT_EQ(c->font->face, "宋体") << c->name;
            EXPECT_EQ(c->font->weight, shell::kWeightBold) << c->name;
            EXPECT_EQ(c->font->charset, shell::kCharsetGb2312) << c->name;
            EXPECT_FALSE(c->font->italic || c->font->underline || c->font->strikethrough);
        }
    }
}

TEST_P(WindowDescriptionRules, FrameChildrenLieInsideTheirFrame) {
    for (const auto* frame : shell::allControls(window)) {
        for (const auto& child : frame->children) {
            EXPECT_GE(child.rect.left, 0) << child.name;
            EXPECT_GE(child.rect.top, 0) << child.name;
            EXPECT_LE(child.rect.left + child.rect.width, frame->rect.width) << child.name;
            EXPECT_LE(child.rect.top + child.rect.height, frame->rect.height) << child.name;
        }
    }
}

TEST_P(WindowDescriptionRules, WindowSettingsCommonToBothWindows) {
    EXPECT_EQ(window.linkTopic, window.name);
    EXPECT_EQ(window.drawingSetting, shell::kStandardDrawingSetting);
    EXPECT_EQ(window.borderStyle, shell::kBorderStyleFixedDialog);
    EXPECT_FALSE(window.maxButton);
    EXPECT_FALSE(window.minButton);
    EXPECT_FALSE(window.showInTaskbar);
    EXPECT_EQ(window.startUpPosition, shell::kStartUpCentreScreen);
    EXPECT_EQ(window.client.left, 45);
    EXPECT_EQ(window.client.top, 375);
    ASSERT_TRUE(window.icon.has_value());
    EXPECT_EQ(window.icon->format(), shell::Picture::Format::Icon);
}

TEST(BothWindows, HaveTheirOwnIdentifiersAndShareTheCaptionLead) {
    const auto form1 = main_window::form1Description();
    const auto form2 = troubleshooting_window::form2Description();
    EXPECT_NE(form1.windowId, form2.windowId);
    EXPECT_NE(form1.interfaceId, form2.interfaceId);
    EXPECT_NE(form1.windowId, form1.interfaceId);
    // Form2's caption is Form1's up to the organisation, with its own topic.
    const std::string lead = "岚溯 Lansu  X  Read-only operation    ";
    EXPECT_EQ(form1.caption.rfind(lead, 0), 0u);
    EXPECT_EQ(form2.caption.rfind(lead, 0), 0u);
    EXPECT_EQ(form1.caption.find(' ', lead.size()), form1.caption.size() - 1);
    EXPECT_EQ(form2.caption.find(' ', lead.size()), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    BothWindows, WindowDescriptionRules,
    ::testing::Values(WindowCase{"Form1", &main_window::form1Description, 42},
                      WindowCase{"Form2", &troubleshooting_window::form2Description, 11}),
    [](const auto& param) { return std::string(param.param.label); });

} // namespace
