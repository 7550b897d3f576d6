// Rules every window description must keep, checked on both windows.
#include "main_window/form1_description.h"
#include "shell/model/ordering.h"
#include "troubleshooting_window/form2_description.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

using shell::model::ControlKind;

class WindowDescriptionRules
    : public ::testing::TestWithParam<shell::model::WindowDescription (*)()> {
protected:
    const shell::model::WindowDescription window = GetParam()();
};

TEST_P(WindowDescriptionRules, RectanglesAreWholePixelsAt96DpiAndChildrenInsideTheirFrame) {
    for (int v : {window.client.left, window.client.top, window.client.width, window.client.height})
        EXPECT_EQ(v % 15, 0) << window.name << " client " << v;
    for (const auto* c : shell::model::allControls(window)) {
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

// The encoder, which the build runs on both windows, refuses names and
// ordinals used twice and settings a kind cannot carry; it cannot tell a
// missing setting or a gap in the tab order.
TEST_P(WindowDescriptionRules, TabIndexesAreDenseAndEachKindHasItsSettings) {
    std::vector<int> tabs, expected;
    for (const auto* c : shell::model::allControls(window)) {
        tabs.push_back(c->tabIndex);
        expected.push_back(static_cast<int>(expected.size()));
        const auto k = c->kind;
        const bool isPicture = k == ControlKind::PictureBox;
        EXPECT_EQ(c->picture.has_value(), isPicture) << c->name;
        EXPECT_EQ(c->value.has_value(),
                  k == ControlKind::CheckBox || k == ControlKind::OptionButton)
            << c->name;
        EXPECT_EQ(c->caption.has_value(),
                  !isPicture && k != ControlKind::HScrollBar && k != ControlKind::VScrollBar)
            << c->name;
    }
    std::sort(tabs.begin(), tabs.end());
    EXPECT_EQ(tabs, expected);
}

INSTANTIATE_TEST_SUITE_P(BothWindows, WindowDescriptionRules,
                         ::testing::Values(&main_window::form1Description,
                                           &troubleshooting_window::form2Description),
                         [](const auto& param) { return param.param().name; });

// Command5 to Command10 belong to the main window, not to Frame2, yet continue
// its button grid: inside its rectangle, in the columns of its own buttons.
TEST(MainWindow, WindowButtonsContinueFrame2sButtonGrid) {
    const auto form1 = main_window::form1Description();
    const auto& frame = shell::model::findControl(form1, "Frame2")->rect;
    const int columns[] = {frame.left + shell::model::findControl(form1, "Command1")->rect.left,
                           frame.left + shell::model::findControl(form1, "Command2")->rect.left};
    for (const char* name :
         {"Command5", "Command6", "Command7", "Command8", "Command9", "Command10"}) {
        const auto at = std::find_if(form1.controls.begin(), form1.controls.end(),
                                     [&](const auto& c) { return c.name == name; });
        ASSERT_NE(at, form1.controls.end()) << name << " must be the window's";
        const auto& r = at->rect;
        EXPECT_TRUE(r.left == columns[0] || r.left == columns[1]) << name;
        EXPECT_TRUE(r.top >= frame.top && r.top + r.height <= frame.top + frame.height) << name;
    }
}

} // namespace
