#pragma once

// What a screen reader learns about a window's client area through Microsoft
// Active Accessibility: the answer to WM_GETOBJECT for OBJID_CLIENT. The
// system's own object for the window answers whatever is not set here.

#include "shell/support/win32_api.h"
#include "shell/win32/labels.h"

#include <string>
#include <vector>

namespace shell::win32 {

struct AccessibleClient {
    std::wstring name; // empty: the system's name (a window's title, a control's text)
    long role = 0;     // 0: the system's role
    // A container's windowless labels, given back to front as they are
    // painted: each becomes a static text child of its own, named by its
    // caption, ahead of the child windows. Null for a control, whose
    // children stay the system's.
    const std::vector<Label>* labels = nullptr;
};

// The result of WM_GETOBJECT for a window described as `client`: an object
// for OBJID_CLIENT, or 0 for other objects (and when none can be made), where
// the window's procedure goes on to its default handling.
LRESULT answerGetObject(HWND window, WPARAM wParam, LPARAM lParam, const AccessibleClient& client);

// Gives a standard control (a text box, a scroll bar) a name for screen
// readers, which it would otherwise take from a label beside it. `name` must
// outlive the window.
void nameForScreenReaders(HWND control, const std::wstring* name);

} // namespace shell::win32
