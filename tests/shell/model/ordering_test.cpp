// Stacking, focus order and look-ups on a small hand-made window.
#include "shell/model/ordering.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using shell::model::ControlDescription;
using shell::model::ControlKind;

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

shell::model::WindowDescription smallWindow() {
    shell::model::WindowDescription w;
    w.name = "Small";
    auto frame = make("Frame1", ControlKind::Frame, 1);
    frame.children = {make("Check1", ControlKind::CheckBox, 4),
                      make("Label2", ControlKind::Label, 0)};
    w.controls = {make("Label1", ControlKind::Label, 3), make("Text1", ControlKind::TextBox, 5),
                  std::move(frame), make("Command1", ControlKind::CommandButton, 2)};
    return w;
}

TEST(Ordering, LabelsLieBelowEveryWindowedSiblingAndTheFirstListedIsInFront) {
    const std::vector<ControlDescription> siblings{
        make("LabelFront", ControlKind::Label, 0), make("Button", ControlKind::CommandButton, 1),
        make("LabelMid", ControlKind::Label, 2), make("Text", ControlKind::TextBox, 3)};
    EXPECT_EQ(names(shell::model::stackingBackToFront(siblings)),
              (std::vector<std::string>{"LabelMid", "LabelFront", "Text", "Button"}));
}

TEST(Ordering, FocusSkipsLabelsAndFramesAndFollowsTabIndexAcrossFrames) {
    EXPECT_EQ(names(shell::model::focusOrder(smallWindow())),
              (std::vector<std::string>{"Command1", "Check1", "Text1"}));
}

TEST(Ordering, AllControlsPutFrameChildrenAfterTheirFrame) {
    EXPECT_EQ(
        names(shell::model::allControls(smallWindow())),
        (std::vector<std::string>{"Label1", "Text1", "Frame1", "Check1", "Label2", "Command1"}));
}

TEST(Ordering, FindControlFindsNestedControlsByExactNameOnly) {
    const auto window = smallWindow();
    EXPECT_EQ(shell::model::findControl(window, "Check1"), &window.controls[2].children[0]);
    EXPECT_EQ(shell::model::findControl(window, "Command1"), &window.controls[3]);
    for (const char* absent : {"check1", "Small", ""})
        EXPECT_EQ(shell::model::findControl(window, absent), nullptr) << absent;
}

} // namespace
