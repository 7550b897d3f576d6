#pragma once

#include "shell/model/window_description.h"

#include <functional>
#include <vector>

namespace shell {

// Every control of a window, depth first in description order (a frame is
// followed by its children).
std::vector<const ControlDescription*> allControls(const WindowDescription& window);

// One container's controls in the order they are stacked, back to front:
// labels first (they lie below every windowed control), each group in reverse
// description order, since the first listed is in front.
std::vector<const ControlDescription*>
stackingBackToFront(const std::vector<ControlDescription>& siblings);

// The focusable controls in ascending tab index; labels and frames are skipped.
// The first of them takes the focus when the window is shown.
std::vector<const ControlDescription*> focusOrder(const WindowDescription& window);

// Looks a control up by name anywhere in the window.
const ControlDescription* findControl(const WindowDescription& window, std::string_view name);

} // namespace shell
