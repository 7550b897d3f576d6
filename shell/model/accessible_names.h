#pragma once

#include "shell/model/window_description.h"
#include "shell/support/expected.h"

#include <span>
#include <string_view>

namespace shell::model {

// The name a screen reader gives one control, by the control's name.
struct AccessibleName {
    std::string_view control;
    std::string_view name; // UTF-8
};

// The window with each named control's accessibleName set. A row that names
// no control of the window is an error: a renamed control would otherwise
// fall silent without anyone noticing.
Expected<WindowDescription> withAccessibleNames(WindowDescription window,
                                                std::span<const AccessibleName> names);

} // namespace shell::model
