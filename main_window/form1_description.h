#pragma once

#include "shell/model/window_description.h"

namespace main_window {

// The main window, Form1: its settings and its 42 controls, front to back.
// Built afresh on every call; the pictures point at the embedded bytes.
shell::model::WindowDescription form1Description();

} // namespace main_window
