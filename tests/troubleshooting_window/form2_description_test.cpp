// What Form2 holds beyond the rules every description keeps (see
// window_descriptions_test.cpp): the line breaks of its texts.
#include "shell/model/ordering.h"
#include "troubleshooting_window/form2_description.h"

#include <gtest/gtest.h>
#include <string>

namespace {

class Form2 : public ::testing::Test {
protected:
    const shell::WindowDescription window = troubleshooting_window::form2Description();

    std::string caption(const char* name) const {
        const auto* c = shell::findControl(window, name);
        EXPECT_TRUE(c != nullptr && c->caption) << name;
        return c != nullptr && c->caption ? *c->caption : std::string();
    }
};

std::size_t count(const std::string& text, const std::string& piece) {
    std::size_t n = 0;
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++n;
    return n;
}

// Label7 ends with one CR LF, Label8 has five lines joined by CR LF, Label9
// ends with two bare LFs; no other text breaks.
TEST_F(Form2, LineBreaksAreExactlyTheWindowsOwn) {
    const auto label7 = caption("Label7");
    EXPECT_EQ(count(label7, troubleshooting_window::kVendorAddress), 1u);
    EXPECT_TRUE(label7.ends_with("穹岳科技数字取证局\r\n"));
    EXPECT_EQ(count(label7, "\n") + count(label7, "\r"), 2u);

    const auto label8 = caption("Label8");
    EXPECT_EQ(count(label8, "\r\n"), 4u);
    EXPECT_EQ(count(label8, "\n") + count(label8, "\r"), 8u); // no lone CR or LF
    EXPECT_TRUE(label8.ends_with("等；"));

    const auto label9 = caption("Label9");
    EXPECT_TRUE(label9.ends_with("。\n\n"));
    EXPECT_EQ(count(label9, "\n"), 2u);
    EXPECT_EQ(count(label9, "\r"), 0u);

    for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label10"})
        EXPECT_EQ(caption(name).find_first_of("\r\n"), std::string::npos) << name;
}

} // namespace
