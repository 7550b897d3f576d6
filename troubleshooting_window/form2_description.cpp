#include "troubleshooting_window/form2_description.h"

#include "embedded/application_icon.h"
#include "embedded/code_picture.h"

#include <cstdint>
#include <string>
#include <utility>

namespace troubleshooting_window {

namespace {

using shell::Colour;
using shell::ControlDescription;
using shell::ControlKind;
using shell::TwipRect;

constexpr Colour kNavy{0x00800000u};
constexpr std::int32_t kStepFontSize = 120000; // 12 pt

// Every control of this window is a navy label except the code picture.
ControlDescription label(std::uint8_t ordinal, std::string name, TwipRect rect,
                         std::uint16_t tabIndex, std::string caption, bool bold = false) {
    ControlDescription c;
    c.name = std::move(name);
    c.kind = ControlKind::Label;
    c.ordinal = ordinal;
    c.rect = rect;
    c.tabIndex = tabIndex;
    c.caption = std::move(caption);
    c.foreColour = kNavy;
    if (bold)
        c.font = shell::boldSongTi(kStepFontSize);
    return c;
}

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

shell::WindowDescription form2Description() {
    shell::WindowDescription window;
    window.name = "Form2";
    window.windowId = {
        0xE5E2CB70u, 0x36DAu, 0x4B2Cu, {0xA3, 0xDF, 0x51, 0x82, 0x58, 0xEB, 0xF9, 0x08}};
    window.interfaceId = {
        0x3C38935Cu, 0xE557u, 0x4588u, {0xA3, 0xFC, 0xBA, 0x91, 0x5E, 0x06, 0x8B, 0x12}};
    window.caption = "岚溯 Lansu  X  Read-only operation    故障排查";
    window.drawingSetting = shell::kStandardDrawingSetting;
    window.helpButton = std::nullopt;
    window.borderStyle = shell::kBorderStyleFixedDialog;
    window.icon = shell::Picture{embedded::application_icon()};
    window.linkTopic = "Form2";
    window.maxButton = false;
    window.minButton = false;
    window.client = {45, 375, 11535, 8475};
    window.showInTaskbar = false;
    window.startUpPosition = shell::kStartUpCentreScreen;

    auto& controls = window.controls;

    ControlDescription code;
    code.name = "Picture1";
    code.kind = ControlKind::PictureBox;
    code.ordinal = 1;
    code.rect = {8040, 5040, 3255, 3255};
    code.tabIndex = 8;
    code.backColour = Colour{0x00400000u};
    code.picture = shell::Picture{embedded::code_picture()};
    code.border = shell::PictureBorder::None;
    code.drawingSetting = shell::kStandardDrawingSetting;
    controls.push_back(std::move(code));

    controls.push_back(label(11, "Label10", {2280, 7920, 5535, 375}, 10,
                             "关注我们的微信公众号及今日头条号，获得福利", true));
    controls.push_back(label(10, "Label9", {840, 6480, 6135, 615}, 9, kRepairNote));
    controls.push_back(label(9, "Label8", {840, 5280, 6135, 1095}, 7, kSupportList));
    controls.push_back(label(8, "Label7", {360, 4560, 10815, 495}, 6, contactLine(), true));
    controls.push_back(
        label(7, "Label6", {1200, 3960, 8895, 375}, 5,
              "请确认您的电脑连接我们的【一体化恢复硬件】，请自备一根原装数据线连接手机。"));
    controls.push_back(label(6, "Label5", {1200, 2520, 8895, 375}, 4,
                             "请确认您的电脑已经按照了苹果公司官网的ITUNES，"
                             "谷歌公司的安卓驱动套件，安装后，请重新启动电脑。"));
    controls.push_back(
        label(5, "Label4", {840, 3240, 6135, 375}, 3, "第三步：请确保数据连线已经连接正常", true));
    controls.push_back(label(4, "Label3", {840, 1920, 6135, 375}, 2,
                             "第二步：相关驱动程序已经按照要求完整安装", true));
    controls.push_back(label(3, "Label2", {1200, 1200, 8295, 375}, 1,
                             "请确认您的电脑系统为64位WINXP及以上版本正版操作系统，"
                             "请勿使用各种精简版、修改版系统。"));
    controls.push_back(label(2, "Label1", {840, 720, 6135, 375}, 0, "第一步：确认您的系统", true));
    return window;
}

} // namespace troubleshooting_window
