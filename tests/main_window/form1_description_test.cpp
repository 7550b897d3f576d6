// What Form1 holds beyond the rules of window_descriptions_test.cpp: its
// last-record line and the buttons it places over Frame2.
#include "main_window/form1_description.h"
#include "shell/model/ordering.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <regex>
#include <stdexcept>
#include <string>

namespace {

class Form1 : public ::testing::Test {
protected:
    const shell::WindowDescription window = main_window::form1Description();

    const shell::ControlDescription& get(const char* name) const {
        const auto* c = shell::findControl(window, name);
        if (c == nullptr)
            throw std::runtime_error(std::string("no control ") + name);
        return *c;
    }
};

TEST_F(Form1, LastRecordLineHas70CharactersWithTheMaskedSerialAndImei) {
    const std::string text = get("Label4").caption.value();
    EXPECT_EQ(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }),
              70);
    const std::regex shape("上次记录：iPhone OS iPhone10,4 13\\.3\\.1 "
                           "[0-9A-Z]{14}XXX IMEI[0-9]{12}XXX");
    EXPECT_TRUE(std::regex_match(text, shape)) << text;
}

// Command5 to Command10 belong to the window, not to Frame2, yet continue its
// button grid: inside its rectangle, in its button columns, stacked in front of it.
TEST_F(Form1, WindowButtonsLieInsideFrame2AndInFrontOfIt) {
    const auto& frame = get("Frame2").rect;
    std::vector<std::string> stack;
    for (const auto* c : shell::stackingBackToFront(window.controls))
        stack.push_back(c->name);
    const auto depth = [&](const std::string& name) {
        return std::find(stack.begin(), stack.end(), name) - stack.begin();
    };
    for (const char* name :
         {"Command5", "Command6", "Command7", "Command8", "Command9", "Command10"}) {
        ASSERT_LT(depth(name), static_cast<std::ptrdiff_t>(stack.size()))
            << name << " must be a window's";
        const auto& r = get(name).rect;
        EXPECT_GE(r.left, frame.left) << name;
        EXPECT_GE(r.top, frame.top) << name;
        EXPECT_LE(r.left + r.width, frame.left + frame.width) << name;
        EXPECT_LE(r.top + r.height, frame.top + frame.height) << name;
        EXPECT_TRUE(r.left == frame.left + get("Command1").rect.left ||
                    r.left == frame.left + get("Command2").rect.left)
            << name;
        EXPECT_GT(depth(name), depth("Frame2")) << name;
    }
}

} // namespace
