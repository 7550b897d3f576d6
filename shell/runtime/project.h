#pragma once

#include "shell/model/window_description.h"
#include "shell/runtime/status.h"
#include "shell/support/expected.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace shell::runtime {

class FormObject;

// An event procedure: receives the window object it belongs to.
using Procedure = Status (*)(FormObject& me);

// Binds a procedure to an event of a control by name; the window's own
// events use the control name "Form".
struct EventBinding {
    std::string_view control;
    std::string_view event;
    Procedure procedure;
};

inline constexpr std::string_view kFormEventSource = "Form";
inline constexpr std::string_view kLoadEvent = "Load";
inline constexpr std::string_view kClickEvent = "Click";

// A window kind: its name, where its description comes from each time it is
// loaded, and the procedures bound to its events.
struct FormClass {
    std::string_view name;
    std::function<shell::Expected<shell::model::WindowDescription>()> loadDescription;
    std::span<const EventBinding> bindings;

    Procedure find(std::string_view control, std::string_view event) const {
        for (const auto& binding : bindings)
            if (binding.control == control && binding.event == event)
                return binding.procedure;
        return nullptr;
    }
};

// What the entry point hands to the runtime: the language resources for the
// runtime's own texts, the windows, and the title of message and error
// boxes that name none. The first window is the start-up window; the
// program has no start-up procedure, one thread and no external components.
struct ProjectDescriptor {
    std::string_view languageLibrary;
    std::uint16_t languageLocale = 0;
    std::vector<FormClass> windows; // the first is the start-up window
    std::string_view applicationTitle;
};

} // namespace shell::runtime
