#include "troubleshooting_window/form2_description.h"

#include "embedded/application_icon.h"
#include "embedded/code_picture.h"
#include "shell/model/dialog_window.h"

#include <string>

namespace troubleshooting_window {

namespace {

using shell::model::Colour;
using shell::model::ControlDescription;
using shell::model::ControlKind;

// Every label of this window is navy; the steps, the contact line and the
// invitation are bold 12 pt.
constexpr Colour kNavy{0x00800000u};
const shell::model::Font kStepFont = shell::model::boldSongTi(120000);

std::string contactLine() {
    return std::string("其他故障，请联系") + kVendorAddress +
           "或者微信公众号/今日头条：穹岳科技/穹岳科技数字取证局\r\n";
}

constexpr char kSupportList[] =
    "iPhone手机上的微信聊天记录，包括文字、语音、图片、视频、好友等；\r\n"
    "iPhone手机QQ的聊天记录，包括文字、语音、图片、视频、好友等；\r\n"
    "支持iPhone全系列机型，以及全部微信、QQ版本。\r\n"
    "Android手机上的微信聊天记录，包括文字、语音、图片、视频、好友等；\r\n"
    "Android手机上的QQ聊天记录，包括文字、语音、图片、视频、好友等；";

constexpr char kRepairNote[] = "全系列机器支持微信数据加载失败，数据更新失败，"
                               "微信崩溃闪退修复失败？拯救微信数据载入失败找回微信聊天数据等。\n\n";

} // namespace

shell::model::WindowDescription form2Description() {
    auto window =
        shell::model::centredFixedDialog("Form2", "岚溯 Lansu  X  Read-only operation    故障排查",
                                         11535, 8475, embedded::application_icon());
    window.windowId = {
        0xE5E2CB70u, 0x36DAu, 0x4B2Cu, {0xA3, 0xDF, 0x51, 0x82, 0x58, 0xEB, 0xF9, 0x08}};
    window.interfaceId = {
        0x3C38935Cu, 0xE557u, 0x4588u, {0xA3, 0xFC, 0xBA, 0x91, 0x5E, 0x06, 0x8B, 0x12}};
    window.controls = {
        ControlDescription{.name = "Picture1",
                           .kind = ControlKind::PictureBox,
                           .ordinal = 1,
                           .rect = {.left = 8040, .top = 5040, .width = 3255, .height = 3255},
                           .tabIndex = 8,
                           .backColour = Colour{0x00400000u},
                           .picture = shell::model::builtInPicture(embedded::code_picture()),
                           .border = shell::model::PictureBorder::None,
                           .drawingSetting = shell::model::kStandardDrawingSetting},
        ControlDescription{.name = "Label10",
                           .kind = ControlKind::Label,
                           .ordinal = 11,
                           .rect = {.left = 2280, .top = 7920, .width = 5535, .height = 375},
                           .tabIndex = 10,
                           .caption = "关注我们的微信公众号及今日头条号，获得福利",
                           .foreColour = kNavy,
                           .font = kStepFont},
        ControlDescription{.name = "Label9",
                           .kind = ControlKind::Label,
                           .ordinal = 10,
                           .rect = {.left = 840, .top = 6480, .width = 6135, .height = 615},
                           .tabIndex = 9,
                           .caption = kRepairNote,
                           .foreColour = kNavy},
        ControlDescription{.name = "Label8",
                           .kind = ControlKind::Label,
                           .ordinal = 9,
                           .rect = {.left = 840, .top = 5280, .width = 6135, .height = 1095},
                           .tabIndex = 7,
                           .caption = kSupportList,
                           .foreColour = kNavy},
        ControlDescription{.name = "Label7",
                           .kind = ControlKind::Label,
                           .ordinal = 8,
                           .rect = {.left = 360, .top = 4560, .width = 10815, .height = 495},
                           .tabIndex = 6,
                           .caption = contactLine(),
                           .foreColour = kNavy,
                           .font = kStepFont},
        ControlDescription{
            .name = "Label6",
            .kind = ControlKind::Label,
            .ordinal = 7,
            .rect = {.left = 1200, .top = 3960, .width = 8895, .height = 375},
            .tabIndex = 5,
            .caption = "请确认您的电脑连接我们的【一体化恢复硬件】，请自备一根原装数据线连接手机。",
            .foreColour = kNavy},
        ControlDescription{.name = "Label5",
                           .kind = ControlKind::Label,
                           .ordinal = 6,
                           .rect = {.left = 1200, .top = 2520, .width = 8895, .height = 375},
                           .tabIndex = 4,
                           .caption = "请确认您的电脑已经按照了苹果公司官网的ITUNES，"
                                      "谷歌公司的安卓驱动套件，安装后，请重新启动电脑。",
                           .foreColour = kNavy},
        ControlDescription{.name = "Label4",
                           .kind = ControlKind::Label,
                           .ordinal = 5,
                           .rect = {.left = 840, .top = 3240, .width = 6135, .height = 375},
                           .tabIndex = 3,
                           .caption = "第三步：请确保数据连线已经连接正常",
                           .foreColour = kNavy,
                           .font = kStepFont},
        ControlDescription{.name = "Label3",
                           .kind = ControlKind::Label,
                           .ordinal = 4,
                           .rect = {.left = 840, .top = 1920, .width = 6135, .height = 375},
                           .tabIndex = 2,
                           .caption = "第二步：相关驱动程序已经按照要求完整安装",
                           .foreColour = kNavy,
                           .font = kStepFont},
        ControlDescription{.name = "Label2",
                           .kind = ControlKind::Label,
                           .ordinal = 3,
                           .rect = {.left = 1200, .top = 1200, .width = 8295, .height = 375},
                           .tabIndex = 1,
                           .caption = "请确认您的电脑系统为64位WINXP及以上版本正版操作系统，"
                                      "请勿使用各种精简版、修改版系统。",
                           .foreColour = kNavy},
        ControlDescription{.name = "Label1",
                           .kind = ControlKind::Label,
                           .ordinal = 2,
                           .rect = {.left = 840, .top = 720, .width = 6135, .height = 375},
                           .tabIndex = 0,
                           .caption = "第一步：确认您的系统",
                           .foreColour = kNavy,
                           .font = kStepFont},
    };
    return window;
}

} // namespace troubleshooting_window
