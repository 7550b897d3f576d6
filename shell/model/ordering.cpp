#include "shell/model/ordering.h"

#include <algorithm>

namespace shell {

namespace {

void collect(const std::vector<ControlDescription>& list,
             std::vector<const ControlDescription*>& out) {
    for (const auto& control : list) {
        out.push_back(&control);
        collect(control.children, out);
    }
}

} // namespace

std::vector<const ControlDescription*> allControls(const WindowDescription& window) {
    std::vector<const ControlDescription*> out;
    collect(window.controls, out);
    return out;
}

std::vector<const ControlDescription*>
stackingBackToFront(const std::vector<ControlDescription>& siblings) {
    std::vector<const ControlDescription*> out;
    out.reserve(siblings.size());
    for (auto it = siblings.rbegin(); it != siblings.rend(); ++it)
        if (isWindowless(it->kind))
            out.push_back(&*it);
    for (auto it = siblings.rbegin(); it != siblings.rend(); ++it)
        if (!isWindowless(it->kind))
            out.push_back(&*it);
    return out;
}

std::vector<const ControlDescription*> focusOrder(const WindowDescription& window) {
    auto controls = allControls(window);
    std::erase_if(controls, [](const ControlDescription* c) { return !isFocusable(c->kind); });
    std::stable_sort(controls.begin(), controls.end(),
                     [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    return controls;
}

const ControlDescription* findControl(const WindowDescription& window, std::string_view name) {
    for (const auto* control : allControls(window))
        if (control->name == name)
            return control;
    return nullptr;
}

} // namespace shell
