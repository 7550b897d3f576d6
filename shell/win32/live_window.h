#pragma once

#include "shell/model/window_description.h"
#include "shell/runtime/toolkit.h"
#include "shell/support/win32_api.h"
#include "shell/win32/window_builder.h"

#include <string_view>
#include <vector>

namespace shell::win32 {

// A loaded window: a modeless dialog with every control of its description.
// A fixed dialog frame with a title bar and close box, no minimize or
// maximize box; owned by the program's hidden window when it is to have no
// taskbar button. Destroying it destroys the window and its controls.
class LiveWindow : public shell::runtime::LiveWindow {
public:
    LiveWindow(const shell::model::WindowDescription& description, HWND owner,
               shell::runtime::WindowEvents& events);
    ~LiveWindow() override;
    LiveWindow(const LiveWindow&) = delete;
    LiveWindow& operator=(const LiveWindow&) = delete;

    // False when the window or one of its controls could not be created.
    bool isValid() const { return window_ != nullptr; }

    shell::runtime::Status show() override;
    bool isVisible() const override;
    shell::runtime::Status setEnabled(std::string_view controlName, bool enabled) override;

    HWND handle() const { return window_; }
    const FormContents& contents() const { return contents_; }
    // A windowed control's window; null for labels and unknown names.
    HWND control(std::string_view name) const;

    // The form a top-level window belongs to, or null.
    static LiveWindow* fromHandle(HWND window);
    // Every form window that exists, in the order they were made.
    static std::vector<HWND> allWindows();

    // Keyboard navigation for a message the loop is about to dispatch: Tab
    // and Shift+Tab move along the focus order, the arrow keys choose among
    // the option buttons of a group, the other dialog keys (Enter, Space)
    // go through IsDialogMessage. True when the message has been handled.
    static bool preTranslate(MSG& message);

    // Moves the focus to the next (+1) or previous (-1) enabled tab stop in
    // the focus order, wrapping around. The option buttons of one container
    // are one stop: the chosen one, or the first when none is chosen.
    void moveFocus(int step);

    // Moves the focus from an option button to the next (+1) or previous
    // (-1) enabled one of its container in the focus order, wrapping around,
    // and chooses it.
    void chooseOption(HWND from, int step);

private:
    static INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    void paint();
    void buttonClicked(HWND control);
    void closeRequested();
    void placeAtStartUpPosition();
    bool isOptionButton(HWND window) const;
    bool isTabStop(HWND window) const;

    shell::runtime::WindowEvents& events_;
    const int dpi_;
    const SIZE clientSize_;
    const POINT storedPosition_;
    const bool centred_;
    HWND window_ = nullptr;
    FormContents contents_;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    bool shown_ = false;
};

} // namespace shell::win32
