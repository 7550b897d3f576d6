#include "shell/model/accessible_names.h"

namespace shell {

namespace {

ControlDescription* findIn(std::vector<ControlDescription>& controls, std::string_view name) {
    for (auto& control : controls) {
        if (control.name == name)
            return &control;
        if (auto* child = findIn(control.children, name))
            return child;
    }
    return nullptr;
}

} // namespace

Expected<WindowDescription> withAccessibleNames(WindowDescription window,
                                                std::span<const AccessibleName> names) {
    for (const auto& row : names) {
        ControlDescription* control = findIn(window.controls, row.control);
        if (!control)
            return Error{"accessible name for " + std::string(row.control) +
                         ": no such control in window " + window.name};
        control->accessibleName = std::string(row.name);
    }
    return window;
}

} // namespace shell
