#include "shell/win32/win32_toolkit.h"

#include "shell/win32/conversions.h"
#include "shell/win32/live_window.h"

#include <vector>

namespace win32shell {

namespace {

using Request = runtime::MessageBoxRequest;
using Result = runtime::MessageBoxResult;

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
int showModalBox(std::string_view title, std::string_view text, UINT style) {
    HWND active = GetActiveWindow();
    HWND owner = FormWindow::fromHandle(active) ? active : nullptr;
    std::vector<HWND> disabled;
    for (HWND window : FormWindow::allWindows())
        if (window != owner && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            disabled.push_back(window);
        }
    // Without an owner the box disables the thread's windows itself.
    if (!owner && (style & MB_SYSTEMMODAL) == 0)
        style = (style & ~MB_APPLMODAL) | MB_TASKMODAL;
    const int answer = MessageBoxW(owner, withCrLf(toWide(text)).c_str(), toWide(title).c_str(),
                                   style | MB_SETFOREGROUND);
    for (HWND window : disabled)
        if (IsWindow(window))
            EnableWindow(window, TRUE);
    return answer;
}

} // namespace

UINT messageBoxStyle(const Request& request) {
    UINT style = 0;
    switch (request.buttons) {
    case Request::Buttons::Ok:
        style |= MB_OK;
        break;
    case Request::Buttons::OkCancel:
        style |= MB_OKCANCEL;
        break;
    case Request::Buttons::AbortRetryIgnore:
        style |= MB_ABORTRETRYIGNORE;
        break;
    case Request::Buttons::YesNoCancel:
        style |= MB_YESNOCANCEL;
        break;
    case Request::Buttons::YesNo:
        style |= MB_YESNO;
        break;
    case Request::Buttons::RetryCancel:
        style |= MB_RETRYCANCEL;
        break;
    }
    switch (request.icon) {
    case Request::Icon::None:
        break;
    case Request::Icon::Critical:
        style |= MB_ICONERROR;
        break;
    case Request::Icon::Question:
        style |= MB_ICONQUESTION;
        break;
    case Request::Icon::Exclamation:
        style |= MB_ICONWARNING;
        break;
    case Request::Icon::Information:
        style |= MB_ICONINFORMATION;
        break;
    }
    constexpr UINT kDefaultButtons[] = {MB_DEFBUTTON1, MB_DEFBUTTON2, MB_DEFBUTTON3, MB_DEFBUTTON4};
    if (request.defaultButton >= 0 && request.defaultButton < 4)
        style |= kDefaultButtons[request.defaultButton];
    if (request.helpButton)
        style |= MB_HELP;
    style |= request.modality == Request::Modality::System ? MB_SYSTEMMODAL : MB_APPLMODAL;
    return style;
}

Result messageBoxResult(int button) {
    switch (button) {
    case IDCANCEL:
        return Result::Cancel;
    case IDABORT:
        return Result::Abort;
    case IDRETRY:
        return Result::Retry;
    case IDIGNORE:
        return Result::Ignore;
    case IDYES:
        return Result::Yes;
    case IDNO:
        return Result::No;
    case IDOK:
    default:
        return Result::Ok;
    }
}

Win32Toolkit::Win32Toolkit() : owner_(createOwnerWindow()) {}

Win32Toolkit::~Win32Toolkit() {
    if (owner_)
        DestroyWindow(owner_);
}

std::unique_ptr<runtime::LiveWindow>
Win32Toolkit::realise(const shell::WindowDescription& description, runtime::WindowEvents& events) {
    auto window = std::make_unique<FormWindow>(description, owner_, events);
    if (!window->isValid())
        return nullptr;
    return window;
}

runtime::MessageBoxResult Win32Toolkit::messageBox(const runtime::MessageBoxRequest& request) {
    return messageBoxResult(showModalBox(request.title, request.prompt, messageBoxStyle(request)));
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
        if (FormWindow::preTranslate(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Toolkit::quit(int exitCode) {
    PostQuitMessage(exitCode);
}

} // namespace win32shell
