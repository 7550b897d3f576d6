// What Form1 holds beyond the rules of window_descriptions_test.cpp: its last-record
// line, option and check values, pictures, and the buttons it places over Frame2.
#include "embedded/application_icon.h"
#include "embedded/banner_picture.h"
#include "embedded/side_picture.h"
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

TEST_F(Form1, OptionButtonsFormOneGroupInFrame2WithOnlyOption2Selected) {
    const auto& frame2 = get("Frame2").children;
    int options = 0;
    for (const auto* c : shell::allControls(window)) {
        if (c->kind != shell::ControlKind::OptionButton)
            continue;
        ++options;
        EXPECT_TRUE(std::any_of(frame2.begin(), frame2.end(), [&](auto& f) { return &f == c; }))
            << c->name << " is not in Frame2";
        EXPECT_EQ(c->value, c->name == "Option2" ? 1 : 0) << c->name;
    }
    EXPECT_EQ(options, 4);
    const char* checks[] = {"Check3", "Check4", "Check5", "Check6", "Check7", "Check8"};
    const int values[] = {1, 0, 1, 1, 2, 1}; // only Check4 clear, Check7 grayed
    for (std::size_t i = 0; i < std::size(checks); ++i)
        EXPECT_EQ(get(checks[i]).value, values[i]) << checks[i];
}

TEST_F(Form1, PicturesAreTheEmbeddedOnes) {
    EXPECT_EQ(window.icon->fileBytes.data(), embedded::application_icon().data());
    EXPECT_EQ(get("Picture1").picture->fileBytes.data(), embedded::banner_picture().data());
    EXPECT_EQ(get("Picture1").picture->fileBytes.size(), embedded::banner_picture().size());
    EXPECT_EQ(get("Picture2").picture->fileBytes.data(), embedded::side_picture().data());
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
