#include "main_window/form1_description.h"

#include "embedded/application_icon.h"
#include "embedded/banner_picture.h"
#include "embedded/side_picture.h"
#include "shell/model/dialog_window.h"

#include <cstdint>
#include <vector>

namespace main_window {

namespace {

using shell::model::CheckValue;
using shell::model::Colour;
using shell::model::ControlDescription;
using shell::model::ControlKind;

constexpr Colour kDarkNavy{0x00400000u};
constexpr Colour kGrey{0x00808080u};

constexpr std::uint8_t checkValue(CheckValue value) {
    return static_cast<std::uint8_t>(value);
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
    return {
        ControlDescription{.name = "Label3",
                           .kind = ControlKind::Label,
                           .ordinal = 5,
                           .rect = {.left = 120, .top = 240, .width = 14415, .height = 975},
                           .tabIndex = 32,
                           .caption = kExplanation},
    };
}

std::vector<ControlDescription> frame2Controls() {
    return {
        ControlDescription{.name = "VScroll3",
                           .kind = ControlKind::VScrollBar,
                           .ordinal = 13,
                           .rect = {.left = 6960, .top = 120, .width = 255, .height = 6255},
                           .tabIndex = 39},
        ControlDescription{.name = "HScroll2",
                           .kind = ControlKind::HScrollBar,
                           .ordinal = 14,
                           .rect = {.left = 3840, .top = 6120, .width = 3135, .height = 255},
                           .tabIndex = 38},
        ControlDescription{.name = "HScroll1",
                           .kind = ControlKind::HScrollBar,
                           .ordinal = 15,
                           .rect = {.left = 7200, .top = 6120, .width = 4935, .height = 255},
                           .tabIndex = 37},
        ControlDescription{.name = "Command11",
                           .kind = ControlKind::CommandButton,
                           .ordinal = 16,
                           .rect = {.left = 240, .top = 480, .width = 3255, .height = 615},
                           .tabIndex = 30,
                           .caption = "一键恢复并导出数据（默认选择）"},
        ControlDescription{.name = "Option4",
                           .kind = ControlKind::OptionButton,
                           .ordinal = 17,
                           .rect = {.left = 2040, .top = 5520, .width = 1575, .height = 255},
                           .tabIndex = 29,
                           .caption = "旧数据库格式",
                           .value = 0},
        ControlDescription{.name = "Option3",
                           .kind = ControlKind::OptionButton,
                           .ordinal = 18,
                           .rect = {.left = 2040, .top = 5880, .width = 1215, .height = 255},
                           .tabIndex = 28,
                           .caption = "纯文本导出",
                           .value = 0},
        ControlDescription{.name = "Check8",
                           .kind = ControlKind::CheckBox,
                           .ordinal = 19,
                           .rect = {.left = 2160, .top = 4320, .width = 1455, .height = 255},
                           .tabIndex = 27,
                           .caption = "故障忽略模式",
                           .value = checkValue(CheckValue::Checked)},
        ControlDescription{.name = "Check7",
                           .kind = ControlKind::CheckBox,
                           .ordinal = 20,
                           .rect = {.left = 240, .top = 4320, .width = 1695, .height = 255},
                           .tabIndex = 26,
                           .caption = "恢复公众号信息",
                           .value = checkValue(CheckValue::Grayed)},
        ControlDescription{.name = "Check6",
                           .kind = ControlKind::CheckBox,
                           .ordinal = 21,
                           .rect = {.left = 2160, .top = 4680, .width = 1575, .height = 255},
                           .tabIndex = 25,
                           .caption = "最大化资源模式",
                           .value = checkValue(CheckValue::Checked)},
        ControlDescription{.name = "Check5",
                           .kind = ControlKind::CheckBox,
                           .ordinal = 22,
                           .rect = {.left = 240, .top = 4680, .width = 1095, .height = 255},
                           .tabIndex = 24,
                           .caption = "主动模式",
                           .value = checkValue(CheckValue::Checked)},
        ControlDescription{.name = "Check4",
                           .kind = ControlKind::CheckBox,
                           .ordinal = 23,
                           .rect = {.left = 2160, .top = 5040, .width = 1575, .height = 255},
                           .tabIndex = 23,
                           .caption = "恢复转语音文字",
                           .value = checkValue(CheckValue::Unchecked)},
        ControlDescription{.name = "Check3",
                           .kind = ControlKind::CheckBox,
                           .ordinal = 24,
                           .rect = {.left = 240, .top = 5040, .width = 1215, .height = 255},
                           .tabIndex = 22,
                           .caption = "生成日志",
                           .value = checkValue(CheckValue::Checked)},
        ControlDescription{.name = "Command4",
                           .kind = ControlKind::CommandButton,
                           .ordinal = 25,
                           .rect = {.left = 2040, .top = 1800, .width = 1455, .height = 495},
                           .tabIndex = 15,
                           .caption = "修复微信数据库"},
        ControlDescription{.name = "Command3",
                           .kind = ControlKind::CommandButton,
                           .ordinal = 26,
                           .rect = {.left = 240, .top = 1800, .width = 1455, .height = 495},
                           .tabIndex = 14,
                           .caption = "修复联系人数据"},
        ControlDescription{.name = "Command2",
                           .kind = ControlKind::CommandButton,
                           .ordinal = 27,
                           .rect = {.left = 2040, .top = 1200, .width = 1455, .height = 495},
                           .tabIndex = 13,
                           .caption = "精细化读取"},
        ControlDescription{.name = "Command1",
                           .kind = ControlKind::CommandButton,
                           .ordinal = 28,
                           .rect = {.left = 240, .top = 1200, .width = 1455, .height = 495},
                           .tabIndex = 12,
                           .caption = "初始化数据读取"},
        ControlDescription{.name = "Option2",
                           .kind = ControlKind::OptionButton,
                           .ordinal = 29,
                           .rect = {.left = 360, .top = 5880, .width = 1455, .height = 255},
                           .tabIndex = 11,
                           .caption = "默认格式导出",
                           .value = 1},
        ControlDescription{.name = "Option1",
                           .kind = ControlKind::OptionButton,
                           .ordinal = 30,
                           .rect = {.left = 360, .top = 5520, .width = 1455, .height = 255},
                           .tabIndex = 10,
                           .caption = "新数据库格式",
                           .value = 0},
        ControlDescription{.name = "VScroll2",
                           .kind = ControlKind::VScrollBar,
                           .ordinal = 31,
                           .rect = {.left = 12120, .top = 120, .width = 255, .height = 6255},
                           .tabIndex = 9},
        ControlDescription{.name = "Text2",
                           .kind = ControlKind::TextBox,
                           .ordinal = 32,
                           .rect = {.left = 7200, .top = 120, .width = 4935, .height = 6225},
                           .tabIndex = 8,
                           .caption = "等待数据读取……"},
        ControlDescription{.name = "Text1",
                           .kind = ControlKind::TextBox,
                           .ordinal = 33,
                           .rect = {.left = 3840, .top = 120, .width = 3375, .height = 6225},
                           .tabIndex = 5,
                           .caption = "等待数据读取……"},
    };
}

std::vector<ControlDescription> frame1Controls() {
    return {
        ControlDescription{.name = "VScroll1",
                           .kind = ControlKind::VScrollBar,
                           .ordinal = 35,
                           .rect = {.left = 10560, .top = 120, .width = 255, .height = 1095},
                           .tabIndex = 7},
        ControlDescription{.name = "Label4",
                           .kind = ControlKind::Label,
                           .ordinal = 36,
                           .rect = {.left = 480, .top = 720, .width = 6975, .height = 255},
                           .tabIndex = 6,
                           .caption = kLastRecord,
                           .foreColour = kGrey},
        ControlDescription{.name = "Label2",
                           .kind = ControlKind::Label,
                           .ordinal = 37,
                           .rect = {.left = 480, .top = 360, .width = 3015, .height = 255},
                           .tabIndex = 3,
                           .caption = "正在等待连接您的设备 … … ",
                           .font = shell::model::boldSongTi(90000)},
    };
}

} // namespace

shell::model::WindowDescription form1Description() {
    auto window = shell::model::centredFixedDialog(
        "Form1",
        "岚溯 Lansu  X  Read-only operation    "
        "穹岳（汀川）科技有限公司数据研究院电子数字取证刑事技术侦查局 ",
        15120, 12195, embedded::application_icon());
    window.windowId = {
        0x7ADE3D68u, 0x5C58u, 0x45AFu, {0x9E, 0x9B, 0x16, 0x8A, 0xA0, 0x32, 0xD8, 0xD0}};
    window.interfaceId = {
        0xEDD48B39u, 0xA10Eu, 0x45B1u, {0x8F, 0x35, 0xA0, 0x1A, 0x27, 0x5A, 0x12, 0x4B}};
    window.helpButton = false;
    window.controls = {
        ControlDescription{.name = "Command13",
                           .kind = ControlKind::CommandButton,
                           .ordinal = 1,
                           .rect = {.left = 11160, .top = 2880, .width = 1455, .height = 495},
                           .tabIndex = 41,
                           .caption = "故障协助"},
        ControlDescription{.name = "Command12",
                           .kind = ControlKind::CommandButton,
                           .ordinal = 2,
                           .rect = {.left = 11160, .top = 2280, .width = 1455, .height = 495},
                           .tabIndex = 40,
                           .caption = "手动链接"},
        ControlDescription{.name = "Picture2",
                           .kind = ControlKind::PictureBox,
                           .ordinal = 3,
                           .rect = {.left = 12720, .top = 2400, .width = 2175, .height = 7695},
                           .tabIndex = 34,
                           .picture = shell::model::builtInPicture(embedded::side_picture()),
                           .drawingSetting = shell::model::kStandardDrawingSetting},
        ControlDescription{.name = "Frame3",
                           .kind = ControlKind::Frame,
                           .ordinal = 4,
                           .rect = {.left = 240, .top = 10200, .width = 14655, .height = 1335},
                           .tabIndex = 31,
                           .caption = "说明",
                           .children = frame3Controls()},
        // These six buttons belong to the window, not to Frame2, although they sit
        // over it; listed before it, they are drawn in front of it.
        ControlDescription{.name = "Command10",
                           .kind = ControlKind::CommandButton,
                           .ordinal = 6,
                           .rect = {.left = 2280, .top = 7320, .width = 1455, .height = 495},
                           .tabIndex = 21,
                           .caption = "模拟PC端导出"},
        ControlDescription{.name = "Command9",
                           .kind = ControlKind::CommandButton,
                           .ordinal = 7,
                           .rect = {.left = 480, .top = 7320, .width = 1455, .height = 495},
                           .tabIndex = 20,
                           .caption = "导出数据包"},
        ControlDescription{.name = "Command8",
                           .kind = ControlKind::CommandButton,
                           .ordinal = 8,
                           .rect = {.left = 2280, .top = 6720, .width = 1455, .height = 495},
                           .tabIndex = 19,
                           .caption = "恢复资源记录"},
        ControlDescription{.name = "Command7",
                           .kind = ControlKind::CommandButton,
                           .ordinal = 9,
                           .rect = {.left = 480, .top = 6720, .width = 1455, .height = 495},
                           .tabIndex = 18,
                           .caption = "导出资源文件"},
        ControlDescription{.name = "Command6",
                           .kind = ControlKind::CommandButton,
                           .ordinal = 10,
                           .rect = {.left = 2280, .top = 6120, .width = 1455, .height = 495},
                           .tabIndex = 17,
                           .caption = "恢复关联记录"},
        ControlDescription{.name = "Command5",
                           .kind = ControlKind::CommandButton,
                           .ordinal = 11,
                           .rect = {.left = 480, .top = 6120, .width = 1455, .height = 495},
                           .tabIndex = 16,
                           .caption = "恢复删除记录"},
        ControlDescription{.name = "Frame2",
                           .kind = ControlKind::Frame,
                           .ordinal = 12,
                           .rect = {.left = 240, .top = 3720, .width = 12375, .height = 6375},
                           .tabIndex = 4,
                           .caption = "微信数据内容预览窗口",
                           .children = frame2Controls()},
        ControlDescription{.name = "Frame1",
                           .kind = ControlKind::Frame,
                           .ordinal = 34,
                           .rect = {.left = 240, .top = 2160, .width = 10815, .height = 1215},
                           .tabIndex = 2,
                           .caption = "连接信息与数据状态",
                           .children = frame1Controls()},
        // The banner starts 120 twips left of the client edge and is clipped there.
        ControlDescription{.name = "Picture1",
                           .kind = ControlKind::PictureBox,
                           .ordinal = 38,
                           .rect = {.left = -120, .top = 0, .width = 15255, .height = 1935},
                           .tabIndex = 0,
                           .picture = shell::model::builtInPicture(embedded::banner_picture()),
                           .border = shell::model::PictureBorder::None,
                           .drawingSetting = shell::model::kStandardDrawingSetting},
        // The footer band: Label5 across the whole width, Label6 and the
        // organisation name in front of it.
        ControlDescription{.name = "Label7",
                           .kind = ControlKind::Label,
                           .ordinal = 39,
                           .rect = {.left = 3000, .top = 11760, .width = 9495, .height = 375},
                           .tabIndex = 36,
                           .caption = "穹岳（汀川）科技有限公司 数据研究院数字电子取证侦查局",
                           .backColour = kDarkNavy,
                           .foreColour = kGrey,
                           .font = shell::model::boldSongTi(157500)},
        ControlDescription{.name = "Label6",
                           .kind = ControlKind::Label,
                           .ordinal = 40,
                           .rect = {.left = 3720, .top = 11760, .width = 2415, .height = 495},
                           .tabIndex = 35,
                           .caption = "Label6",
                           .backColour = kDarkNavy},
        ControlDescription{.name = "Label5",
                           .kind = ControlKind::Label,
                           .ordinal = 41,
                           .rect = {.left = 0, .top = 11640, .width = 15135, .height = 855},
                           .tabIndex = 33,
                           .caption = "Label5",
                           .backColour = kDarkNavy},
        ControlDescription{.name = "Label1",
                           .kind = ControlKind::Label,
                           .ordinal = 42,
                           .rect = {.left = 13080, .top = 2040, .width = 1935, .height = 255},
                           .tabIndex = 1,
                           .caption = "V2020 下半年 10.24AA"},
    };
    return window;
}

} // namespace main_window
