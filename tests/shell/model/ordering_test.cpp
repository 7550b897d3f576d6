#include "main_window/form1_description.h"
#include "shell/model/ordering.h"
#include "troubleshooting_window/form2_description.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using shell::ControlDescription;
using shell::ControlKind;

ControlDescription make(std::string name, ControlKind kind, std::uint16_t tab) {
    ControlDescription c;
    c.name = std::move(name);
    c.kind = kind;
    c.tabIndex = tab;
    return c;
}

std::vector<std::string> names(const std::vector<const ControlDescription*>& list) {
    std::vector<std::string> out;
    for (const auto* c : list)
        out.push_back(c->name);
    return out;
}

// Position of a name in a back-to-front list; higher is further in front.
std::ptrdiff_t depth(const std::vector<std::string>& backToFront, const std::string& name) {
    const auto it = std::find(backToFront.begin(), backToFront.end(), name);
    EXPECT_NE(it, backToFront.end()) << name;
    return it - backToFront.begin();
}

shell::WindowDescription smallWindow() {
    shell::WindowDescription w;
    w.name = "Small";
    auto frame = make("Frame1", ControlKind::Frame, 1);
    frame.children = {make("Check1", ControlKind::CheckBox, 4),
                      make("Label2", ControlKind::Label, 0)};
    w.controls = {make("Label1", ControlKind::Label, 3), make("Text1", ControlKind::TextBox, 5),
                  std::move(frame), make("Command1", ControlKind::CommandButton, 2)};
    return w;
}

TEST(Stacking, LabelsLieBelowEveryWindowedSiblingWhateverTheirPlace) {
    const std::vector<ControlDescription> siblings{
        make("LabelFront", ControlKind::Label, 0), make("Button", ControlKind::CommandButton, 1),
        make("LabelMid", ControlKind::Label, 2), make("Text", ControlKind::TextBox, 3)};
    EXPECT_EQ(names(shell::stackingBackToFront(siblings)),
              (std::vector<std::string>{"LabelMid", "LabelFront", "Text", "Button"}));
    EXPECT_TRUE(shell::stackingBackToFront({}).empty());
}

TEST(Stacking, Form1ButtonsOverFrame2AreInFrontOfIt) {
    const auto window = main_window::form1Description();
    const auto order = names(shell::stackingBackToFront(window.controls));
    for (const char* button :
         {"Command5", "Command6", "Command7", "Command8", "Command9", "Command10"})
        EXPECT_GT(depth(order, button), depth(order, "Frame2")) << button;
    // The footer: Label5 at the back, Label7 in front of Label6, all below the banner.
    EXPECT_EQ(order.front(), "Label1");
    EXPECT_LT(depth(order, "Label5"), depth(order, "Label6"));
    EXPECT_LT(depth(order, "Label6"), depth(order, "Label7"));
    EXPECT_LT(depth(order, "Label7"), depth(order, "Picture1"));
}

TEST(Stacking, Form1ScrollBarsAreInFrontOfThePanesTheyOverlap) {
    const auto window = main_window::form1Description();
    const auto* frame2 = shell::findControl(window, "Frame2");
    ASSERT_NE(frame2, nullptr);
    const auto order = names(shell::stackingBackToFront(frame2->children));
    EXPECT_GT(depth(order, "VScroll3"), depth(order, "Text1"));
    EXPECT_GT(depth(order, "HScroll2"), depth(order, "Text1"));
    EXPECT_GT(depth(order, "HScroll1"), depth(order, "Text2"));
    EXPECT_GT(depth(order, "VScroll2"), depth(order, "Text2"));
}

TEST(Focus, SkipsLabelsAndFramesAndFollowsTabIndexAcrossFrames) {
    const auto window = smallWindow();
    EXPECT_EQ(names(shell::focusOrder(window)),
              (std::vector<std::string>{"Command1", "Check1", "Text1"}));
}

TEST(Focus, Form1StartsAtTheBannerAndNeverVisitsLabelsOrFrames) {
    const auto window = main_window::form1Description();
    const auto order = shell::focusOrder(window);
    ASSERT_EQ(order.size(), 32u); // 42 controls less 7 labels and 3 frames
    EXPECT_EQ(order.front()->name, "Picture1");
    EXPECT_EQ(order.back()->name, "Command13");
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_TRUE(shell::isFocusable(order[i]->kind)) << order[i]->name;
        if (i > 0) {
            EXPECT_LT(order[i - 1]->tabIndex, order[i]->tabIndex);
        }
    }
}

TEST(Focus, Form2OnlyTheCodePictureTakesTheFocus) {
    const auto window = troubleshooting_window::form2Description();
    EXPECT_EQ(names(shell::focusOrder(window)), (std::vector<std::string>{"Picture1"}));
}

TEST(FindControl, FindsNestedControlsAndNothingElse) {
    const auto window = smallWindow();
    const auto* check = shell::findControl(window, "Check1");
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check, &window.controls[2].children[0]);
    EXPECT_EQ(shell::findControl(window, "Command1"), &window.controls[3]);
    EXPECT_EQ(shell::findControl(window, "check1"), nullptr);
    EXPECT_EQ(shell::findControl(window, "Small"), nullptr);
    EXPECT_EQ(shell::findControl(window, ""), nullptr);

    const auto form1 = main_window::form1Description();
    const auto* label3 = shell::findControl(form1, "Label3");
    ASSERT_NE(label3, nullptr);
    EXPECT_EQ(label3->kind, ControlKind::Label);
    EXPECT_EQ(label3, &shell::findControl(form1, "Frame3")->children.at(0));
    EXPECT_EQ(shell::findControl(form1, "Command14"), nullptr);
}

TEST(AllControls, FrameChildrenFollowTheirFrame) {
    EXPECT_EQ(
        names(shell::allControls(smallWindow())),
        (std::vector<std::string>{"Label1", "Text1", "Frame1", "Check1", "Label2", "Command1"}));
}

} // namespace
