#include "shell/win32/frame_container.h"

#include "shell/win32/accessible_object.h"

#include <oleacc.h>
#include <string>

namespace shell::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;

LRESULT CALLBACK frameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR data) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSCROLLBAR:
        return SendMessageW(GetParent(window), message, wParam, lParam);
    case WM_ERASEBKGND:
        return 1; // painted with everything else in WM_PAINT
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        // The group box draws its etched edge and caption, then the labels
        // go on the surface it leaves.
        DefSubclassProc(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        paintLabels(dc, *reinterpret_cast<const std::vector<Label>*>(data));
        EndPaint(window, &paint);
        return 0;
    }
    case WM_GETOBJECT: {
        // A grouping named by its caption, holding its labels and controls.
        AccessibleClient client;
        client.name.resize(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1);
        client.name.resize(static_cast<std::size_t>(
            GetWindowTextW(window, client.name.data(), static_cast<int>(client.name.size()))));
        client.role = ROLE_SYSTEM_GROUPING;
        client.labels = reinterpret_cast<const std::vector<Label>*>(data);
        if (const LRESULT object = answerGetObject(window, wParam, lParam, client))
            return object;
        break;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, frameProcedure, kSubclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

void makeFrameContainer(HWND groupBox, const std::vector<Label>* labels) {
    SetWindowSubclass(groupBox, frameProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(labels));
}

} // namespace shell::win32
