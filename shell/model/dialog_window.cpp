#include "shell/model/dialog_window.h"

namespace shell::model {

WindowDescription centredFixedDialog(std::string name, std::string caption,
                                     std::int32_t clientWidth, std::int32_t clientHeight,
                                     std::span<const std::uint8_t> icon) {
    WindowDescription window;
    window.linkTopic = name;
    window.name = std::move(name);
    window.caption = std::move(caption);
    window.drawingSetting = kStandardDrawingSetting;
    window.borderStyle = kBorderStyleFixedDialog;
    window.icon = builtInPicture(icon);
    window.maxButton = false;
    window.minButton = false;
    window.client = {.left = 45, .top = 375, .width = clientWidth, .height = clientHeight};
    window.showInTaskbar = false;
    window.startUpPosition = kStartUpCentreScreen;
    return window;
}

} // namespace shell::model
