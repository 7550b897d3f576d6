#pragma once

#include "shell/model/accessible_names.h"

#include <span>

namespace main_window {

// What a screen reader calls Form1's controls that have no caption.
std::span<const shell::model::AccessibleName> form1AccessibleNames();

} // namespace main_window
