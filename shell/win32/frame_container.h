#pragma once

#include "shell/support/win32_api.h"
#include "shell/win32/labels.h"

#include <vector>

namespace shell::win32 {

// Makes a group box (BS_GROUPBOX) the container of a frame's controls: they
// are its child windows, placed from its outer top-left corner and clipped
// by it. It paints its background and its labels, and hands its children's
// notifications (commands, colours, scrolling) on to its own parent, so the
// form sees them as from any other control. Screen readers see a grouping
// named by its caption, with its labels and controls inside. `labels` must
// outlive the window.
void makeFrameContainer(HWND groupBox, const std::vector<Label>* labels);

} // namespace shell::win32
