#pragma once

// Standard behaviour of the kinds that every toolkit realises the same way,
// where the toolkit's own default differs or is not given.

#include "shell/model/window_description.h"

namespace shell::model {

// A click on a check box: a grayed box becomes ticked, and from then on
// clicks toggle between ticked and clear; a click never makes a box grayed.
constexpr CheckValue checkValueAfterClick(CheckValue current) {
    return current == CheckValue::Checked ? CheckValue::Unchecked : CheckValue::Checked;
}

// Scroll bars keep the standard range and steps; nothing reads their value.
inline constexpr int kScrollBarMinimum = 0;
inline constexpr int kScrollBarMaximum = 32767;
inline constexpr int kScrollBarSmallChange = 1;
inline constexpr int kScrollBarLargeChange = 1;

} // namespace shell::model
