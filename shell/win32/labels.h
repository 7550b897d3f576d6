#pragma once

#include "shell/support/win32_api.h"

#include <string>
#include <vector>

namespace shell::win32 {

// A label: windowless, painted by its container on the container's own
// surface, so every windowed control of the container lies above it.
struct Label {
    RECT rect{}; // in the container's client coordinates
    std::wstring caption;
    COLORREF back = 0;
    COLORREF fore = 0;
    HFONT font = nullptr;
};

// Paints a container's labels, given back to front: each an opaque
// rectangle in its back colour with the caption left-aligned, wrapped to the
// width (at spaces where the text has them, between any two characters
// otherwise) and clipped to the rectangle.
void paintLabels(HDC dc, const std::vector<Label>& labels);

} // namespace shell::win32
