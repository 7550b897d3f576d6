#include "shell/model/ordering.h"

#include <algorithm>
#include <span>

namespace shell::model {

namespace {

void collect(const std::vector<ControlDescription>& list,
             std::vector<const ControlDescription*>& out) {
    for (const auto& control : list) {
        out.push_back(&control);
        collect(control.children, out);
    }
}

// The control called `name` among `list` and their children, depth first;
// const or not as `list` is.
template <typename Control> Control* findIn(std::span<Control> list, std::string_view name) {
    for (auto& control : list) {
        if (control.name == name)
            return &control;
        if (auto* child = findIn(std::span<Control>(control.children), name))
            return child;
    }
    return nullptr;
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

std::optional<std::size_t> nextRound(std::size_t count, std::optional<std::size_t> from, int step,
                                     const std::function<bool(std::size_t)>& accepts) {
    const auto n = static_cast<std::ptrdiff_t>(count);
    const std::ptrdiff_t start = from ? static_cast<std::ptrdiff_t>(*from) : (step > 0 ? -1 : n);
    for (std::ptrdiff_t i = 1; i <= n; ++i) {
        const auto index = static_cast<std::size_t>(((start + step * i) % n + n) % n);
        if (accepts(index))
            return index;
    }
    return std::nullopt;
}

const ControlDescription* findControl(const WindowDescription& window, std::string_view name) {
    return findIn(std::span<const ControlDescription>(window.controls), name);
}

ControlDescription* findControl(WindowDescription& window, std::string_view name) {
    return findIn(std::span<ControlDescription>(window.controls), name);
}

} // namespace shell::model
