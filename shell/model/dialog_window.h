#pragma once

#include "shell/model/window_description.h"

#include <span>
#include <string>

namespace shell::model {

// What the program's windows share: a fixed-size dialog frame with a close
// box and no minimize or maximize box, no taskbar button, the application
// icon, centred on the screen when shown (the stored position, 45 by 375
// twips, is replaced by the centring), and the standard drawing setting.
// The window is its own link topic.
WindowDescription centredFixedDialog(std::string name, std::string caption,
                                     std::int32_t clientWidth, std::int32_t clientHeight,
                                     std::span<const std::uint8_t> icon);

} // namespace shell::model
