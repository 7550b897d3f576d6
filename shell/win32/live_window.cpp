#include "shell/win32/live_window.h"

#include "shell/model/control_behaviour.h"
#include "shell/model/ordering.h"
#include "shell/win32/accessible_object.h"
#include "shell/win32/conversions.h"
#include "shell/win32/labels.h"
#include "shell/win32/pictures.h"

#include <algorithm>
#include <optional>

namespace shell::win32 {

namespace {

constexpr wchar_t kFormProperty[] = L"LansuForm";

std::vector<LiveWindow*>& forms() {
    static std::vector<LiveWindow*> all;
    return all;
}

DWORD windowStyle(const shell::model::WindowDescription& description) {
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    if (description.borderStyle == shell::model::kBorderStyleSizable)
        style |= WS_THICKFRAME;
    else
        style |= DS_MODALFRAME;
    if (description.minButton)
        style |= WS_MINIMIZEBOX;
    if (description.maxButton)
        style |= WS_MAXIMIZEBOX;
    return style;
}

DWORD windowExStyle(const shell::model::WindowDescription& description) {
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (description.borderStyle != shell::model::kBorderStyleSizable)
        exStyle |= WS_EX_DLGMODALFRAME;
    if (description.helpButton.value_or(false))
        exStyle |= WS_EX_CONTEXTHELP;
    if (description.showInTaskbar)
        exStyle |= WS_EX_APPWINDOW;
    return exStyle;
}

shell::model::CheckValue checkValue(LRESULT state) {
    switch (state) {
    case BST_CHECKED:
        return shell::model::CheckValue::Checked;
    case BST_INDETERMINATE:
        return shell::model::CheckValue::Grayed;
    default:
        return shell::model::CheckValue::Unchecked;
    }
}

// The standard response of a scroll bar to its arrows, its track and its thumb.
void scroll(HWND bar, int request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(bar, SB_CTL, &info))
        return;
    int position = info.nPos;
    switch (request) {
    case SB_LINEUP:
        position -= shell::model::kScrollBarSmallChange;
        break;
    case SB_LINEDOWN:
        position += shell::model::kScrollBarSmallChange;
        break;
    case SB_PAGEUP:
        position -= shell::model::kScrollBarLargeChange;
        break;
    case SB_PAGEDOWN:
        position += shell::model::kScrollBarLargeChange;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    case SB_TOP:
        position = info.nMin;
        break;
    case SB_BOTTOM:
        position = info.nMax;
        break;
    default:
        return;
    }
    SetScrollPos(bar, SB_CTL, std::clamp(position, info.nMin, info.nMax), TRUE);
}

} // namespace

LiveWindow::LiveWindow(const shell::model::WindowDescription& description, HWND owner,
                       shell::runtime::WindowEvents& events)
    : events_(events), dpi_(systemDpi()), clientSize_(toPixels(description.client, dpi_)),
      storedPosition_{shell::model::twipsToPixels(description.client.left, dpi_),
                      shell::model::twipsToPixels(description.client.top, dpi_)},
      centred_(description.startUpPosition == shell::model::kStartUpCentreScreen) {
    // An empty dialog template: the controls are made below, in pixels.
    struct alignas(4) Template {
        DLGTEMPLATE header;
        WORD menu;
        WORD windowClass;
        WORD title;
    } dialogTemplate{};
    dialogTemplate.header.style = windowStyle(description);
    dialogTemplate.header.dwExtendedStyle = windowExStyle(description);
    HWND created = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &dialogTemplate.header,
                                              description.showInTaskbar ? nullptr : owner,
                                              dialogProcedure, reinterpret_cast<LPARAM>(this));
    if (!created)
        return;
    forms().push_back(this);
    SetWindowTextW(window_, toWide(description.caption).c_str());
    if (description.icon) {
        bigIcon_ = createIcon(*description.icon, GetSystemMetrics(SM_CXICON));
        smallIcon_ = createIcon(*description.icon, GetSystemMetrics(SM_CXSMICON));
        SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
        SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    }
    RECT frame{0, 0, clientSize_.cx, clientSize_.cy};
    AdjustWindowRectEx(&frame, windowStyle(description), FALSE, windowExStyle(description));
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!buildControls(window_, description, dpi_, contents_)) {
        DestroyWindow(window_);
        window_ = nullptr;
    }
}

LiveWindow::~LiveWindow() {
    std::erase(forms(), this);
    if (window_) {
        // Messages that arrive while it is destroyed no longer reach this object.
        RemovePropW(window_, kFormProperty);
        SetWindowLongPtrW(window_, DWLP_USER, 0);
        DestroyWindow(window_);
    }
    contents_.releaseFonts();
    if (bigIcon_)
        DestroyIcon(bigIcon_);
    if (smallIcon_)
        DestroyIcon(smallIcon_);
}

shell::runtime::Status LiveWindow::show() {
    if (!window_)
        return shell::runtime::kNotLoaded;
    if (!IsWindowVisible(window_)) {
        if (!shown_)
            placeAtStartUpPosition();
        ShowWindow(window_, SW_SHOWNORMAL);
    }
    SetForegroundWindow(window_);
    BringWindowToTop(window_);
    if (!shown_) {
        shown_ = true;
        // The first focusable control in the focus order takes the focus.
        SetFocus(nullptr);
        moveFocus(+1);
    }
    return shell::runtime::kOk;
}

bool LiveWindow::isVisible() const {
    return window_ && IsWindowVisible(window_);
}

shell::runtime::Status LiveWindow::setEnabled(std::string_view controlName, bool enabled) {
    if (!window_)
        return shell::runtime::kNotLoaded;
    HWND target = control(controlName);
    if (!target)
        return shell::runtime::kNoSuchControl;
    EnableWindow(target, enabled ? TRUE : FALSE);
    return shell::runtime::kOk;
}

HWND LiveWindow::control(std::string_view name) const {
    const ControlWindow* found = contents_.find(name);
    return found ? found->window : nullptr;
}

LiveWindow* LiveWindow::fromHandle(HWND window) {
    return window ? static_cast<LiveWindow*>(GetPropW(window, kFormProperty)) : nullptr;
}

std::vector<HWND> LiveWindow::allWindows() {
    std::vector<HWND> windows;
    for (const LiveWindow* form : forms())
        if (form->window_)
            windows.push_back(form->window_);
    return windows;
}

bool LiveWindow::preTranslate(MSG& message) {
    if (!message.hwnd)
        return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    LiveWindow* form = fromHandle(root);
    if (!form)
        return false;
    if (message.message == WM_KEYDOWN && GetKeyState(VK_CONTROL) >= 0 &&
        GetKeyState(VK_MENU) >= 0) {
        if (message.wParam == VK_TAB) {
            form->moveFocus(GetKeyState(VK_SHIFT) < 0 ? -1 : +1);
            return true;
        }
        HWND focus = GetFocus();
        if (form->isOptionButton(focus)) {
            switch (message.wParam) {
            case VK_RIGHT:
            case VK_DOWN:
                form->chooseOption(focus, +1);
                return true;
            case VK_LEFT:
            case VK_UP:
                form->chooseOption(focus, -1);
                return true;
            default:
                break;
            }
        }
    }
    return IsDialogMessageW(root, &message) != FALSE;
}

void LiveWindow::moveFocus(int step) {
    const auto& order = contents_.focusOrder;
    HWND focus = GetFocus();
    const auto at = std::find_if(order.begin(), order.end(), [focus](HWND control) {
        return control == focus || IsChild(control, focus);
    });
    const auto next = shell::model::nextRound(
        order.size(),
        at == order.end() ? std::nullopt
                          : std::optional(static_cast<std::size_t>(at - order.begin())),
        step, [&](std::size_t i) {
            return IsWindowEnabled(order[i]) && IsWindowVisible(order[i]) && isTabStop(order[i]);
        });
    // As the dialog manager does it: the focused push button becomes the
    // default one, and an edit control's text is selected.
    if (next)
        SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(order[*next]), TRUE);
}

bool LiveWindow::isOptionButton(HWND window) const {
    const ControlWindow* found = window ? contents_.find(window) : nullptr;
    return found && found->kind == shell::model::ControlKind::OptionButton;
}

bool LiveWindow::isTabStop(HWND window) const {
    if (!isOptionButton(window) || SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED)
        return true;
    HWND first = nullptr;
    for (HWND other : contents_.focusOrder) {
        if (GetParent(other) != GetParent(window) || !isOptionButton(other))
            continue;
        if (SendMessageW(other, BM_GETCHECK, 0, 0) == BST_CHECKED)
            return false;
        if (!first)
            first = other;
    }
    return first == window;
}

void LiveWindow::chooseOption(HWND from, int step) {
    std::vector<HWND> group;
    for (HWND other : contents_.focusOrder)
        if (GetParent(other) == GetParent(from) && isOptionButton(other))
            group.push_back(other);
    const auto at = std::find(group.begin(), group.end(), from);
    if (at == group.end())
        return;
    const auto here = static_cast<std::size_t>(at - group.begin());
    const auto next = shell::model::nextRound(group.size(), here, step, [&](std::size_t i) {
        return i != here && IsWindowEnabled(group[i]);
    });
    if (!next)
        return;
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(group[*next]), TRUE);
    // A click chooses it and clears the others of the container.
    SendMessageW(group[*next], BM_CLICK, 0, 0);
}

void LiveWindow::placeAtStartUpPosition() {
    RECT frame;
    GetWindowRect(window_, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    POINT position = storedPosition_;
    if (centred_) {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        position.x = work.left + (work.right - work.left - width) / 2;
        position.y = work.top + (work.bottom - work.top - height) / 2;
    }
    SetWindowPos(window_, nullptr, position.x, position.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LiveWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    if (contents_.ownLabels)
        paintLabels(dc, *contents_.ownLabels);
    EndPaint(window_, &ps);
}

void LiveWindow::buttonClicked(HWND control) {
    const ControlWindow* found = contents_.find(control);
    if (!found)
        return;
    switch (found->kind) {
    case shell::model::ControlKind::CommandButton: {
        // The procedure may show boxes and windows; the name is kept apart
        // from this window's state while it runs.
        const std::string name = found->name;
        events_.clicked(name);
        break;
    }
    case shell::model::ControlKind::CheckBox: {
        const auto next = shell::model::checkValueAfterClick(
            checkValue(SendMessageW(control, BM_GETCHECK, 0, 0)));
        SendMessageW(control, BM_SETCHECK,
                     next == shell::model::CheckValue::Checked ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    }
    default:
        break;
    }
}

void LiveWindow::closeRequested() {
    // The runtime unloads the window: this object is gone when closed() returns.
    shell::runtime::WindowEvents& events = events_;
    events.closed();
}

INT_PTR CALLBACK LiveWindow::dialogProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* form = reinterpret_cast<LiveWindow*>(lParam);
        form->window_ = window;
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        SetPropW(window, kFormProperty, form);
        return FALSE; // the focus is set when the window is first shown
    }
    auto* form = reinterpret_cast<LiveWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!form)
        return FALSE;
    switch (message) {
    case WM_PAINT:
        form->paint();
        return TRUE;
    case WM_COMMAND:
        // Enter and Escape with no button to take them send IDOK and
        // IDCANCEL without a control; they do nothing here.
        if (lParam != 0 && HIWORD(wParam) == BN_CLICKED)
            form->buttonClicked(reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lParam != 0)
            scroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        form->closeRequested();
        return TRUE;
    case WM_GETOBJECT: {
        // The client area holds the form's own labels besides its controls.
        AccessibleClient client;
        client.labels = form->contents_.ownLabels;
        const LRESULT object = answerGetObject(window, wParam, lParam, client);
        if (object == 0)
            return FALSE;
        SetWindowLongPtrW(window, DWLP_MSGRESULT, object);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

} // namespace shell::win32
