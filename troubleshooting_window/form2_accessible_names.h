#pragma once

#include "shell/model/accessible_names.h"

#include <span>

namespace troubleshooting_window {

// What a screen reader calls Form2's controls that have no caption.
std::span<const shell::model::AccessibleName> form2AccessibleNames();

} // namespace troubleshooting_window
