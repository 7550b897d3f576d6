#pragma once

#include "shell/model/window_description.h"

namespace troubleshooting_window {

// The troubleshooting window, Form2: its settings and its 11 controls, front
// to back. Built afresh on every call; the code picture points at the
// embedded bytes.
shell::model::WindowDescription form2Description();

// The vendor address shown in Label7 and encoded in the code picture.
inline constexpr char kVendorAddress[] = "qiongyue.example";

} // namespace troubleshooting_window
