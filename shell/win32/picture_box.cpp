#include "shell/win32/picture_box.h"

#include "shell/win32/accessible_object.h"

#include <oleacc.h>

namespace shell::win32 {

namespace {

constexpr wchar_t kClassName[] = L"LansuPictureBox";

const PictureBoxContent* contentOf(HWND window) {
    return reinterpret_cast<const PictureBoxContent*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (const PictureBoxContent* content = contentOf(window)) {
        RECT client;
        GetClientRect(window, &client);
        SetDCBrushColor(dc, content->back);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        if (const auto& picture = content->picture)
            StretchDIBits(dc, 0, 0, picture->width, picture->height, 0, 0, picture->width,
                          picture->height, picture->bits, picture->info, DIB_RGB_COLORS, SRCCOPY);
        if (GetFocus() == window) {
            // DrawFocusRect inverts: drawn once, over the finished picture.
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkColor(dc, RGB(255, 255, 255));
            DrawFocusRect(dc, &client);
        }
    }
    EndPaint(window, &ps);
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_LBUTTONDOWN:
        // A picture box takes the focus when clicked, as in tab order.
        SetFocus(window);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_GETOBJECT:
        if (const PictureBoxContent* content = contentOf(window)) {
            AccessibleClient client{content->accessibleName, ROLE_SYSTEM_GRAPHIC, nullptr};
            if (const LRESULT object = answerGetObject(window, wParam, lParam, client))
                return object;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

const wchar_t* pictureBoxClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass);
    }();
    return atom ? kClassName : nullptr;
}

HWND createPictureBox(HWND parent, const RECT& rect, bool sunkenBorder, int id,
                      const PictureBoxContent* content) {
    return CreateWindowExW(sunkenBorder ? WS_EX_CLIENTEDGE : 0, pictureBoxClass(), L"",
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, rect.left,
                           rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), const_cast<PictureBoxContent*>(content));
}

} // namespace shell::win32
