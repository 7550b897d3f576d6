#include "main_window/form1_description.h"

#include "embedded/application_icon.h"
#include "embedded/banner_picture.h"
#include "embedded/side_picture.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace main_window {

namespace {

using shell::CheckValue;
using shell::Colour;
using shell::ControlDescription;
using shell::ControlKind;
using shell::TwipRect;

constexpr Colour kDarkNavy{0x00400000u};
constexpr Colour kGrey{0x00808080u};

ControlDescription control(std::uint8_t ordinal, std::string name, ControlKind kind, TwipRect rect,
                           std::uint16_t tabIndex) {
    ControlDescription c;
    c.name = std::move(name);
    c.kind = kind;
    c.ordinal = ordinal;
    c.rect = rect;
    c.tabIndex = tabIndex;
    return c;
}

ControlDescription captioned(std::uint8_t ordinal, std::string name, ControlKind kind,
                             TwipRect rect, std::uint16_t tabIndex, std::string caption) {
    auto c = control(ordinal, std::move(name), kind, rect, tabIndex);
    c.caption = std::move(caption);
    return c;
}

ControlDescription button(std::uint8_t ordinal, std::string name, TwipRect rect,
                          std::uint16_t tabIndex, std::string caption) {
    return captioned(ordinal, std::move(name), ControlKind::CommandButton, rect, tabIndex,
                     std::move(caption));
}

ControlDescription checkBox(std::uint8_t ordinal, std::string name, TwipRect rect,
                            std::uint16_t tabIndex, std::string caption, CheckValue value) {
    auto c = captioned(ordinal, std::move(name), ControlKind::CheckBox, rect, tabIndex,
                       std::move(caption));
    c.value = static_cast<std::uint8_t>(value);
    return c;
}

ControlDescription optionButton(std::uint8_t ordinal, std::string name, TwipRect rect,
                                std::uint16_t tabIndex, std::string caption, bool selected) {
    auto c = captioned(ordinal, std::move(name), ControlKind::OptionButton, rect, tabIndex,
                       std::move(caption));
    c.value = static_cast<std::uint8_t>(selected ? 1 : 0);
    return c;
}

ControlDescription frame(std::uint8_t ordinal, std::string name, TwipRect rect,
                         std::uint16_t tabIndex, std::string caption,
                         std::vector<ControlDescription> children) {
    auto c =
        captioned(ordinal, std::move(name), ControlKind::Frame, rect, tabIndex, std::move(caption));
    c.children = std::move(children);
    return c;
}

ControlDescription label(std::uint8_t ordinal, std::string name, TwipRect rect,
                         std::uint16_t tabIndex, std::string caption) {
    return captioned(ordinal, std::move(name), ControlKind::Label, rect, tabIndex,
                     std::move(caption));
}

// The line of the phone that was connected last time: model, system version,
// a masked serial and a masked IMEI.
constexpr char kLastRecord[] = "上次记录：iPhone OS iPhone10,4 13.3.1 "
                               "F17XK2M9PLJCQ4XXX "
                               "IMEI356789104215XXX";

// The paragraph in Frame3: indented by eight spaces, one line that the label
// wraps to its width and clips at its height.
constexpr char kExplanation[] =
    "        "
    "穹岳（汀川）科技高级法务事业部的法务专员会向公安侦查人员、检察院公诉人、"
    "律师等对提取、复制、固定电子数据的过程做相关文字说明，"
    "确保涉及证据的合法性和有效性，避免因非专业人员取证导致重要证据被排除的风险。"
    "穹岳科技提供的相关记录视乎个案情况及服务机构的要求，会有不同的详细程序，"
    "包括例如案由、涉及对象、相关内容以及提取、复制、固定的相对时间、物理地点、"
    "技术方法，电子数据的规格、数据类别、磁盘格式、文件格式等，并由提取、复制、"
    "固定电子数据的穹岳数据研究院侦查局持证工作人员签名或者盖章，附所提取、复制、"
    "固定的电子数据一并随案移送有关机关。"
    "经由数据研究院电子数字取证刑事技术侦查局的大量工作，"
    "我们的合作方减少了由于数字取证、电子取证中出现的涉案证据不规范、难以获取、"
    "无法获取等问题，提高了签约合伙人律师、司法工作人员、合作专业机构的工作效率，"
    "也同时提高了法院的审判效率。";

std::vector<ControlDescription> frame3Controls() {
    return {label(5, "Label3", {120, 240, 14415, 975}, 32, kExplanation)};
}

std::vector<ControlDescription> frame2Controls() {
    std::vector<ControlDescription> list;
    list.push_back(control(13, "VScroll3", ControlKind::VScrollBar, {6960, 120, 255, 6255}, 39));
    list.push_back(control(14, "HScroll2", ControlKind::HScrollBar, {3840, 6120, 3135, 255}, 38));
    list.push_back(control(15, "HScroll1", ControlKind::HScrollBar, {7200, 6120, 4935, 255}, 37));
    list.push_back(
        button(16, "Command11", {240, 480, 3255, 615}, 30, "一键恢复并导出数据（默认选择）"));
    list.push_back(optionButton(17, "Option4", {2040, 5520, 1575, 255}, 29, "旧数据库格式", false));
    list.push_back(optionButton(18, "Option3", {2040, 5880, 1215, 255}, 28, "纯文本导出", false));
    list.push_back(
        checkBox(19, "Check8", {2160, 4320, 1455, 255}, 27, "故障忽略模式", CheckValue::Checked));
    list.push_back(
        checkBox(20, "Check7", {240, 4320, 1695, 255}, 26, "恢复公众号信息", CheckValue::Grayed));
    list.push_back(
        checkBox(21, "Check6", {2160, 4680, 1575, 255}, 25, "最大化资源模式", CheckValue::Checked));
    list.push_back(
        checkBox(22, "Check5", {240, 4680, 1095, 255}, 24, "主动模式", CheckValue::Checked));
    list.push_back(checkBox(23, "Check4", {2160, 5040, 1575, 255}, 23, "恢复转语音文字",
                            CheckValue::Unchecked));
    list.push_back(
        checkBox(24, "Check3", {240, 5040, 1215, 255}, 22, "生成日志", CheckValue::Checked));
    list.push_back(button(25, "Command4", {2040, 1800, 1455, 495}, 15, "修复微信数据库"));
    list.push_back(button(26, "Command3", {240, 1800, 1455, 495}, 14, "修复联系人数据"));
    list.push_back(button(27, "Command2", {2040, 1200, 1455, 495}, 13, "精细化读取"));
    list.push_back(button(28, "Command1", {240, 1200, 1455, 495}, 12, "初始化数据读取"));
    list.push_back(optionButton(29, "Option2", {360, 5880, 1455, 255}, 11, "默认格式导出", true));
    list.push_back(optionButton(30, "Option1", {360, 5520, 1455, 255}, 10, "新数据库格式", false));
    list.push_back(control(31, "VScroll2", ControlKind::VScrollBar, {12120, 120, 255, 6255}, 9));
    list.push_back(
        captioned(32, "Text2", ControlKind::TextBox, {7200, 120, 4935, 6225}, 8, "等待数据读取……"));
    list.push_back(
        captioned(33, "Text1", ControlKind::TextBox, {3840, 120, 3375, 6225}, 5, "等待数据读取……"));
    return list;
}

std::vector<ControlDescription> frame1Controls() {
    std::vector<ControlDescription> list;
    list.push_back(control(35, "VScroll1", ControlKind::VScrollBar, {10560, 120, 255, 1095}, 7));

    auto lastRecord = label(36, "Label4", {480, 720, 6975, 255}, 6, kLastRecord);
    lastRecord.foreColour = kGrey;
    list.push_back(std::move(lastRecord));

    auto status = label(37, "Label2", {480, 360, 3015, 255}, 3, "正在等待连接您的设备 … … ");
    status.font = shell::boldSongTi(90000);
    list.push_back(std::move(status));
    return list;
}

} // namespace

shell::WindowDescription form1Description() {
    shell::WindowDescription window;
    window.name = "Form1";
    window.windowId = {
        0x7ADE3D68u, 0x5C58u, 0x45AFu, {0x9E, 0x9B, 0x16, 0x8A, 0xA0, 0x32, 0xD8, 0xD0}};
    window.interfaceId = {
        0xEDD48B39u, 0xA10Eu, 0x45B1u, {0x8F, 0x35, 0xA0, 0x1A, 0x27, 0x5A, 0x12, 0x4B}};
    window.caption = "岚溯 Lansu  X  Read-only operation    "
                     "穹岳（汀川）科技有限公司数据研究院电子数字取证刑事技术侦查局 ";
    window.drawingSetting = shell::kStandardDrawingSetting;
    window.helpButton = false;
    window.borderStyle = shell::kBorderStyleFixedDialog;
    window.icon = shell::Picture{embedded::application_icon()};
    window.linkTopic = "Form1";
    window.maxButton = false;
    window.minButton = false;
    window.client = {45, 375, 15120, 12195};
    window.showInTaskbar = false;
    window.startUpPosition = shell::kStartUpCentreScreen;

    auto& controls = window.controls;
    controls.push_back(button(1, "Command13", {11160, 2880, 1455, 495}, 41, "故障协助"));
    controls.push_back(button(2, "Command12", {11160, 2280, 1455, 495}, 40, "手动链接"));

    auto side = control(3, "Picture2", ControlKind::PictureBox, {12720, 2400, 2175, 7695}, 34);
    side.picture = shell::Picture{embedded::side_picture()};
    side.drawingSetting = shell::kStandardDrawingSetting; // border: fixed single
    controls.push_back(std::move(side));

    controls.push_back(frame(4, "Frame3", {240, 10200, 14655, 1335}, 31, "说明", frame3Controls()));

    // These six buttons belong to the window, not to Frame2, although they sit
    // over it; listed before it, they are drawn in front of it.
    controls.push_back(button(6, "Command10", {2280, 7320, 1455, 495}, 21, "模拟PC端导出"));
    controls.push_back(button(7, "Command9", {480, 7320, 1455, 495}, 20, "导出数据包"));
    controls.push_back(button(8, "Command8", {2280, 6720, 1455, 495}, 19, "恢复资源记录"));
    controls.push_back(button(9, "Command7", {480, 6720, 1455, 495}, 18, "导出资源文件"));
    controls.push_back(button(10, "Command6", {2280, 6120, 1455, 495}, 17, "恢复关联记录"));
    controls.push_back(button(11, "Command5", {480, 6120, 1455, 495}, 16, "恢复删除记录"));

    controls.push_back(
        frame(12, "Frame2", {240, 3720, 12375, 6375}, 4, "微信数据内容预览窗口", frame2Controls()));
    controls.push_back(
        frame(34, "Frame1", {240, 2160, 10815, 1215}, 2, "连接信息与数据状态", frame1Controls()));

    // The banner starts 120 twips left of the client edge and is clipped there.
    auto banner = control(38, "Picture1", ControlKind::PictureBox, {-120, 0, 15255, 1935}, 0);
    banner.picture = shell::Picture{embedded::banner_picture()};
    banner.border = shell::PictureBorder::None;
    banner.drawingSetting = shell::kStandardDrawingSetting;
    controls.push_back(std::move(banner));

    // The footer band: Label5 across the whole width, Label6 and the
    // organisation name in front of it.
    auto organisation = label(39, "Label7", {3000, 11760, 9495, 375}, 36,
                              "穹岳（汀川）科技有限公司 数据研究院数字电子取证侦查局");
    organisation.backColour = kDarkNavy;
    organisation.foreColour = kGrey;
    organisation.font = shell::boldSongTi(157500);
    controls.push_back(std::move(organisation));

    auto label6 = label(40, "Label6", {3720, 11760, 2415, 495}, 35, "Label6");
    label6.backColour = kDarkNavy;
    controls.push_back(std::move(label6));

    auto label5 = label(41, "Label5", {0, 11640, 15135, 855}, 33, "Label5");
    label5.backColour = kDarkNavy;
    controls.push_back(std::move(label5));

    controls.push_back(label(42, "Label1", {13080, 2040, 1935, 255}, 1, "V2020 下半年 10.24AA"));
    return window;
}

} // namespace main_window
