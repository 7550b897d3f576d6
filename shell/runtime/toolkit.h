#pragma once

// The seam between the runtime's logic and a window system. The runtime
// decides what happens; a toolkit (Qt on Linux, Win32 on Windows) only realises
// descriptions as live windows, forwards the user's events, and shows boxes.

#include "shell/model/window_description.h"
#include "shell/runtime/message_box.h"
#include "shell/runtime/status.h"

#include <memory>
#include <string>
#include <string_view>

namespace shell::runtime {

// What a live window reports back to the runtime.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    // A command button was pressed with the mouse or from the keyboard.
    virtual void clicked(std::string_view controlName) = 0;
    // The user closed the window with its close box; it is being destroyed.
    virtual void closed() = 0;
};

// A window realised from its description, with every control.
class LiveWindow {
public:
    virtual ~LiveWindow() = default;

    // Makes the window visible at its start-up position and activates it; a
    // window that is already visible is only activated.
    virtual Status show() = 0;
    virtual bool isVisible() const = 0;
    virtual Status setEnabled(std::string_view controlName, bool enabled) = 0;
};

class Toolkit {
public:
    virtual ~Toolkit() = default;

    // Builds the window and every control; the window stays hidden.
    virtual std::unique_ptr<LiveWindow> realise(const shell::model::WindowDescription& description,
                                                WindowEvents& events) = 0;

    // Shows a message box and returns only when the user has dismissed it.
    virtual void messageBox(const MessageBoxRequest& request) = 0;

    // Shows the runtime's error box for an error no procedure handled.
    virtual void errorBox(std::string_view title, std::string_view text) = 0;

    // Runs the one message loop until quit() is called; returns its code.
    virtual int runMessageLoop() = 0;
    virtual void quit(int exitCode) = 0;
};

} // namespace shell::runtime
