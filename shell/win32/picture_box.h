#pragma once

#include "shell/support/win32_api.h"
#include "shell/win32/pictures.h"

#include <optional>
#include <string>

namespace shell::win32 {

// What a picture box paints: the picture unscaled at the inner top-left
// corner, clipped to the inner area, the rest in the back colour. The fixed
// single border is the window's client edge (WS_EX_CLIENTEDGE), two pixels
// sunken, so the inner area is the client area. While it has the focus, a
// dotted focus rectangle lies along the inner area's edge. Screen readers
// see a graphic with the accessible name.
struct PictureBoxContent {
    std::optional<DibView> picture;
    COLORREF back = 0;
    std::wstring accessibleName; // what a screen reader calls the picture
};

// The window class of picture boxes, registered on first use.
const wchar_t* pictureBoxClass();

// Creates a picture box; `content` must outlive the window.
HWND createPictureBox(HWND parent, const RECT& rect, bool sunkenBorder, int id,
                      const PictureBoxContent* content);

} // namespace shell::win32
