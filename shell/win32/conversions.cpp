#include "shell/win32/conversions.h"

namespace shell::win32 {

std::wstring toWide(std::string_view utf8) {
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string toUtf8(std::wstring_view wide) {
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::wstring withCrLf(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r') {
            out += L"\r\n";
            if (i + 1 < text.size() && text[i + 1] == L'\n')
                ++i;
        } else if (text[i] == L'\n') {
            out += L"\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

int systemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : shell::model::kReferenceDpi;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : shell::model::kReferenceDpi;
}

RECT toPixels(const shell::model::TwipRect& rect, int dpi) {
    const int left = shell::model::twipsToPixels(rect.left, dpi);
    const int top = shell::model::twipsToPixels(rect.top, dpi);
    return RECT{left, top, left + shell::model::twipsToPixels(rect.width, dpi),
                top + shell::model::twipsToPixels(rect.height, dpi)};
}

SIZE toPixels(const shell::model::ClientRect& rect, int dpi) {
    return SIZE{shell::model::twipsToPixels(rect.width, dpi),
                shell::model::twipsToPixels(rect.height, dpi)};
}

COLORREF toColorRef(shell::model::Colour colour) {
    if (colour.isSystem())
        return GetSysColor(static_cast<int>(colour.systemIndex()));
    return RGB(colour.red(), colour.green(), colour.blue());
}

HFONT createFont(const shell::model::Font& font, int dpi) {
    // The size is in ten-thousandths of a point; a negative height asks for
    // the character height rather than the cell height.
    const int height = -MulDiv(font.sizeTenThousandths, dpi, 72 * 10000);
    const std::wstring face = toWide(font.face);
    return CreateFontW(height, 0, 0, 0, font.weight, font.italic, font.underline,
                       font.strikethrough, static_cast<BYTE>(font.charset), OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       face.c_str());
}

} // namespace shell::win32
