#pragma once

#include <string>

namespace shell::qt {

// Where the program shows its windows, chosen before Qt starts.
struct DisplayChoice {
    // Qt's platforms to try, in order ("xcb", "xcb;wayland", "wayland"), or
    // empty to leave Qt its own choice (QT_QPA_PLATFORM, set by the user).
    std::string platform;
    // False when there is no display to try at all.
    bool available = true;
};

// X11 when an X display is named, Xwayland included: only there can the
// windows be centred and kept out of the task list, as the program shows
// them. Native Wayland when only a Wayland display is named, or the X one
// cannot be opened. QT_QPA_PLATFORM,
// when set, is the user's choice and wins.
DisplayChoice chooseDisplay();

// Prints the one-line message for a display that is missing
// (`available` false) or could not be opened, in the user's language, and
// ends the process with status 1. The message names, for each platform
// tried, its display or its missing plugin with the Debian package that
// installs it.
[[noreturn]] void exitWithoutDisplay(const DisplayChoice& choice);

// While Qt opens the display (QApplication's constructor), holds back Qt's
// messages and turns the platform plugin's fatal failure into
// exitWithoutDisplay() instead of an abort. On destruction the held-back
// messages go out as usual, except, when Qt fell back to a later platform,
// the failed platform's own (its X connection, its plugin not loading).
class DisplayFailureGuard {
public:
    explicit DisplayFailureGuard(DisplayChoice choice);
    ~DisplayFailureGuard();
    DisplayFailureGuard(const DisplayFailureGuard&) = delete;
    DisplayFailureGuard& operator=(const DisplayFailureGuard&) = delete;
};

} // namespace shell::qt
