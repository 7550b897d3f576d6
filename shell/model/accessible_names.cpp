#include "shell/model/accessible_names.h"

#include "shell/model/ordering.h"

namespace shell::model {

Expected<WindowDescription> withAccessibleNames(WindowDescription window,
                                                std::span<const AccessibleName> names) {
    for (const auto& row : names) {
        ControlDescription* control = findControl(window, row.control);
        if (!control)
            return Error{"accessible name for " + std::string(row.control) +
                         ": no such control in window " + window.name};
        control->accessibleName = std::string(row.name);
    }
    return window;
}

} // namespace shell::model
