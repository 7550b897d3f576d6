#pragma once

// Turns the model's values into the Windows API's: texts into UTF-16, twips
// into pixels at the system's dots per inch, stored colours into COLORREFs
// (system colours from the desktop), fonts into GDI fonts.

#include "shell/model/colour.h"
#include "shell/model/font.h"
#include "shell/model/units.h"
#include "shell/support/win32_api.h"

#include <string>
#include <string_view>

namespace shell::win32 {

std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

// The same text with every line break (CR LF, lone LF or lone CR) as CR LF,
// the form the Windows controls take.
std::wstring withCrLf(std::wstring_view text);

// The dots per inch of the screen, as GDI reports them (LOGPIXELSY). The
// manifest declares no dpi awareness, so on a high-dpi desktop the system
// scales the windows and this stays 96.
int systemDpi();

RECT toPixels(const shell::model::TwipRect& rect, int dpi);
SIZE toPixels(const shell::model::ClientRect& rect, int dpi);

// A stored colour, or a system colour through GetSysColor: the model's
// system indices are the Windows COLOR_* indices.
COLORREF toColorRef(shell::model::Colour colour);

// A GDI font of the given font's face, size, weight, charset and style; the
// caller owns it (DeleteObject).
HFONT createFont(const shell::model::Font& font, int dpi);

} // namespace shell::win32
