#include "shell/win32/win32_toolkit.h"

#include "shell/win32/conversions.h"
#include "shell/win32/live_window.h"

#include <vector>

namespace shell::win32 {

namespace {

constexpr wchar_t kOwnerClass[] = L"LansuOwner";

HWND createOwnerWindow() {
    static const ATOM atom = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kOwnerClass;
        return RegisterClassExW(&windowClass);
    }();
    if (!atom)
        return nullptr;
    // Never shown: the windows it owns get no taskbar button of their own.
    return CreateWindowExW(0, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// Shows a box that no window of the program can be used past: every form
// window is disabled until it is dismissed.
void showModalBox(std::string_view title, std::string_view text, UINT style) {
    HWND active = GetActiveWindow();
    HWND owner = LiveWindow::fromHandle(active) ? active : nullptr;
    std::vector<HWND> disabled;
    for (HWND window : LiveWindow::allWindows())
        if (window != owner && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            disabled.push_back(window);
        }
    // Without an owner the box disables the thread's windows itself.
    if (!owner)
        style = (style & ~MB_APPLMODAL) | MB_TASKMODAL;
    MessageBoxW(owner, withCrLf(toWide(text)).c_str(), toWide(title).c_str(),
                style | MB_SETFOREGROUND);
    for (HWND window : disabled)
        if (IsWindow(window))
            EnableWindow(window, TRUE);
}

} // namespace

Win32Toolkit::Win32Toolkit() : owner_(createOwnerWindow()) {}

Win32Toolkit::~Win32Toolkit() {
    if (owner_)
        DestroyWindow(owner_);
}

std::unique_ptr<shell::runtime::LiveWindow>
Win32Toolkit::realise(const shell::model::WindowDescription& description,
                      shell::runtime::WindowEvents& events) {
    auto window = std::make_unique<LiveWindow>(description, owner_, events);
    if (!window->isValid())
        return nullptr;
    return window;
}

void Win32Toolkit::messageBox(const shell::runtime::MessageBoxRequest& request) {
    showModalBox(request.title, request.prompt, MB_OK | MB_APPLMODAL);
}

void Win32Toolkit::errorBox(std::string_view title, std::string_view text) {
    showModalBox(title, text, MB_OK | MB_ICONERROR | MB_APPLMODAL);
}

int Win32Toolkit::runMessageLoop() {
    MSG message;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(message.wParam);
        if (got == -1)
            return 1;
        if (LiveWindow::preTranslate(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Toolkit::quit(int exitCode) {
    PostQuitMessage(exitCode);
}

} // namespace shell::win32
