#include "tests/shell/record/sample_window.h"

#include "shell/model/ordering.h"
#include "shell/record/record.h"

#include <gtest/gtest.h>
#include <string>

namespace record_test {

std::vector<shell::model::Picture> windowPictures(const shell::model::WindowDescription& w) {
    std::vector<shell::model::Picture> pictures{w.icon.value()};
    for (const auto* c : shell::model::allControls(w))
        if (c->picture)
            pictures.push_back(*c->picture);
    return pictures;
}

std::vector<std::uint8_t> encoded(const shell::model::WindowDescription& w) {
    auto r = shell::record::encodeRecord(w);
    EXPECT_TRUE(r) << (r ? "" : r.error().message);
    return r ? *r : std::vector<std::uint8_t>{};
}

shell::model::ControlDescription makeControl(std::uint8_t ordinal, const char* name,
                                             shell::model::ControlKind kind,
                                             shell::model::TwipRect rect, std::uint16_t tab) {
    shell::model::ControlDescription c;
    c.name = name;
    c.kind = kind;
    c.ordinal = ordinal;
    c.rect = rect;
    c.tabIndex = tab;
    return c;
}

shell::model::WindowDescription sampleWindow() {
    using shell::model::ControlKind;
    shell::model::WindowDescription w;
    w.name = "Sample";
    w.windowId = {0x01020304u, 0x0506, 0x0708, {9, 10, 11, 12, 13, 14, 15, 16}};
    w.interfaceId = {0xA1A2A3A4u, 0xB1B2, 0xC1C2, {0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8}};
    w.caption = "样例窗口 Sample…";
    w.drawingSetting = shell::model::kStandardDrawingSetting;
    w.helpButton = false;
    w.borderStyle = shell::model::kBorderStyleFixedDialog;
    w.icon = shell::model::builtInPicture(kTinyIcon);
    w.linkTopic = "Sample";
    w.maxButton = false;
    w.minButton = true;
    w.client = {45, 375, 4500, 3000};
    w.showInTaskbar = false;
    w.startUpPosition = shell::model::kStartUpCentreScreen;

    auto picture = makeControl(1, "Picture1", ControlKind::PictureBox, {-120, 0, 600, 300}, 0);
    picture.backColour = shell::model::Colour{0x00400000u};
    picture.picture = shell::model::builtInPicture(kTinyBitmap);
    picture.drawingSetting = shell::model::kStandardDrawingSetting;
    picture.border = shell::model::PictureBorder::None;
    w.controls.push_back(picture);

    auto frame = makeControl(2, "Frame1", ControlKind::Frame, {240, 400, 3000, 2000}, 1);
    frame.caption = "框架";
    auto label = makeControl(3, "Label1", ControlKind::Label, {120, 240, 2000, 600}, 2);
    label.caption = "第一行\r\n第二行\n（全角）";
    label.backColour = shell::model::Colour{0x8000000Fu};
    label.foreColour = shell::model::Colour{0x00808080u};
    label.font = shell::model::boldSongTi(157500);
    label.font->italic = true;
    label.font->strikethrough = true;
    frame.children.push_back(label);
    auto option = makeControl(4, "Option1", ControlKind::OptionButton, {120, 900, 1200, 255}, 3);
    option.caption = "选项";
    option.value = 1;
    frame.children.push_back(option);
    auto check = makeControl(5, "Check1", ControlKind::CheckBox, {120, 1200, 1200, 255}, 4);
    check.caption = "复选";
    check.value = 2;
    frame.children.push_back(check);
    w.controls.push_back(frame);

    auto text = makeControl(6, "Text1", ControlKind::TextBox, {3400, 400, 900, 2000}, 5);
    text.caption = "等待……";
    w.controls.push_back(text);
    auto button = makeControl(7, "Command1", ControlKind::CommandButton, {3400, 2500, 900, 400}, 6);
    button.caption = "OK";
    w.controls.push_back(button);
    w.controls.push_back(
        makeControl(8, "HScroll1", ControlKind::HScrollBar, {0, 2500, 3000, 255}, 7));
    w.controls.push_back(
        makeControl(9, "VScroll1", ControlKind::VScrollBar, {4300, 0, 255, 2500}, 8));
    return w;
}

shell::model::WindowDescription nestedFrames(int depth,
                                             std::vector<shell::model::ControlDescription> inner) {
    shell::model::WindowDescription w = sampleWindow();
    w.controls = std::move(inner);
    for (int i = depth; i >= 1; --i) {
        const std::string name = "Frame" + std::to_string(i);
        auto frame = makeControl(static_cast<std::uint8_t>(i), name.c_str(),
                                 shell::model::ControlKind::Frame);
        frame.children = std::move(w.controls);
        w.controls = {std::move(frame)};
    }
    return w;
}

} // namespace record_test
