#pragma once

// The pictures of a description as GDI sees them: a bitmap file's header and
// pixels, in place in the embedded bytes, and an icon file's images.

#include "shell/model/picture.h"
#include "shell/win32/win32_api.h"

#include <optional>

namespace win32shell {

// A device-independent bitmap inside a bitmap file's bytes, checked so that
// the header and every row lie within them.
struct DibView {
    const BITMAPINFO* info = nullptr;
    const void* bits = nullptr;
    int width = 0;
    int height = 0; // rows, whichever way they are stored
};

std::optional<DibView> viewBitmap(const shell::Picture& picture);

// The image of an icon file closest to the given size, as an icon handle the
// caller owns (DestroyIcon); null if the bytes are not an icon file.
HICON createIcon(const shell::Picture& picture, int size);

} // namespace win32shell
