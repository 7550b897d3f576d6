#pragma once

#include "shell/model/window_description.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace shell::model {

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

// Where the keyboard goes next round a ring of `count` items: the index of
// the first item after `from` that `accepts` takes, stepping by `step` (+1
// forward, -1 backward) and wrapping; `from` itself is tried last. Without a
// `from`, the walk starts before the first item (forward) or after the last
// (backward). None when `accepts` takes no item.
std::optional<std::size_t> nextRound(std::size_t count, std::optional<std::size_t> from, int step,
                                     const std::function<bool(std::size_t)>& accepts);

// Looks a control up by name anywhere in the window; null when there is none.
const ControlDescription* findControl(const WindowDescription& window, std::string_view name);
ControlDescription* findControl(WindowDescription& window, std::string_view name);

} // namespace shell::model
