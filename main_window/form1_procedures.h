#pragma once

// The main window's event procedures. They talk to the runtime layer only.

#include "shell/runtime/objects.h"
#include "shell/runtime/project.h"
#include "shell/runtime/status.h"

#include <span>

namespace main_window {

// The prompt "手动链接" shows: one line, no title of its own.
inline constexpr char kDriverPrompt[] =
    "未检测到一体化平台的驱动程序，请重新安装或者联系穹岳科技一体化驱动平台客服。";

// The scroll bars the window disables as it loads, in the order it does so.
inline constexpr const char* kScrollBarsDisabledAtLoad[] = {"VScroll1", "VScroll2", "HScroll1",
                                                            "HScroll2", "VScroll3"};

shell::runtime::Status Form_Load(shell::runtime::FormObject& me);
shell::runtime::Status Command12_Click(shell::runtime::FormObject& me);
shell::runtime::Status Command13_Click(shell::runtime::FormObject& me);

// (control, event, procedure) for every event of the window that has one.
std::span<const shell::runtime::EventBinding> form1Bindings();

} // namespace main_window
