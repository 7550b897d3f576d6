#include "shell/win32/labels.h"

namespace shell::win32 {

void paintLabels(HDC dc, const std::vector<Label>& labels) {
    const int saved = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, GetStockObject(DC_BRUSH));
    for (const Label& label : labels) {
        RECT rect = label.rect;
        SetDCBrushColor(dc, label.back);
        FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        if (label.caption.empty())
            continue;
        const int clip = SaveDC(dc);
        IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
        SelectObject(dc, label.font);
        SetTextColor(dc, label.fore);
        DrawTextW(dc, label.caption.c_str(), static_cast<int>(label.caption.size()), &rect,
                  DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
        RestoreDC(dc, clip);
    }
    RestoreDC(dc, saved);
}

} // namespace shell::win32
