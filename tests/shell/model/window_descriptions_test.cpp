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

class WindowDescriptionRules : public ::testing::TestWithParam<shell::WindowDescription (*)()> {
protected:
    const shell::WindowDescription window = GetParam()();
};

TEST_P(WindowDescriptionRules, RectanglesAreWholePixelsAt96DpiAndChildrenInsideTheirFrame) {
    for (int v : {window.client.left, window.client.top, window.client.width, window.client.height})
        EXPECT_EQ(v % 15, 0) << window.name << " client " << v;
    for (const auto* c : shell::allControls(window)) {
        for (int v : {c->rect.left, c->rect.top, c->rect.width, c->rect.height})
            EXPECT_EQ(v % 15, 0) << c->name << " " << v;
        EXPECT_GT(c->rect.width, 0) << c->name;
        EXPECT_GT(c->rect.height, 0) << c->name;
        for (const auto& child : c->children) {
            EXPECT_GE(std::min(child.rect.left, child.rect.top), 0) << child.name;
            EXPECT_LE(child.rect.left + child.rect.width, c->rect.width) << child.name;
            EXPECT_LE(child.rect.top + child.rect.height, c->rect.height) << child.name;
        }
    }
}

// Names are unique, tab indexes are exactly 0 .. n-1 and ordinals 1 .. n.
TEST_P(WindowDescriptionRules, NamesTabIndexesAndOrdinalsAreUniqueAndDense) {
    const auto controls = shell::allControls(window);
    std::set<std::string> names;
    std::vector<int> tabs, ordinals, expected;
    for (const auto* c : controls) {
        EXPECT_TRUE(names.insert(c->name).second) << "duplicate name " << c->name;
        tabs.push_back(c->tabIndex);
        ordinals.push_back(c->ordinal - 1);
        expected.push_back(static_cast<int>(expected.size()));
    }
    std::sort(tabs.begin(), tabs.end());
    std::sort(ordinals.begin(), ordinals.end());
    EXPECT_EQ(tabs, expected);
    EXPECT_EQ(ordinals, expected);
}

TEST_P(WindowDescriptionRules, EachKindCarriesOnlyItsOwnSettings) {
    for (const auto* c : shell::allControls(window)) {
        SCOPED_TRACE(c->name);
        const auto k = c->kind;
        const bool isPicture = k == ControlKind::PictureBox;
        const bool isLabel = k == ControlKind::Label;
        const bool isScrollBar = k == ControlKind::HScrollBar || k == ControlKind::VScrollBar;

        EXPECT_EQ(c->picture.has_value(), isPicture);
        EXPECT_EQ(c->drawingSetting.has_value(), isPicture);
        if (c->drawingSetting) {
            EXPECT_EQ(*c->drawingSetting, shell::kStandardDrawingSetting);
        }
        EXPECT_TRUE(isPicture || !c->border);
        EXPECT_EQ(c->value.has_value(),
                  k == ControlKind::CheckBox || k == ControlKind::OptionButton);
        EXPECT_LE(c->value.value_or(0), k == ControlKind::CheckBox ? 2 : 1);
        EXPECT_EQ(c->caption.has_value(), !isPicture && !isScrollBar);
        EXPECT_TRUE(isPicture || isLabel || !c->backColour);
        EXPECT_TRUE(isLabel || (!c->foreColour && !c->font));
        EXPECT_TRUE(k == ControlKind::Frame || c->children.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(BothWindows, WindowDescriptionRules,
                         ::testing::Values(&main_window::form1Description,
                                           &troubleshooting_window::form2Description),
                         [](const auto& param) { return param.param().name; });

// Form2's caption is Form1's up to the organisation, with its own topic; Form1's
// organisation is followed by one space.
TEST(BothWindows, ShareTheCaptionLeadWithItsSpacing) {
    const auto form1 = main_window::form1Description().caption;
    const auto form2 = troubleshooting_window::form2Description().caption;
    const std::string lead = "岚溯 Lansu  X  Read-only operation    ";
    EXPECT_EQ(form1.rfind(lead, 0), 0u) << form1;
    EXPECT_EQ(form2, lead + "故障排查");
    EXPECT_EQ(form1.find(' ', lead.size()), form1.size() - 1) << form1;
    EXPECT_GT(form1.size(), lead.size() + 1);
}

} // namespace
