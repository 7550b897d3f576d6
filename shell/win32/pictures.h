#pragma once

// The pictures of a description as GDI sees them: a bitmap file's header and
// pixels, in place in the embedded bytes, and an icon file's images.

#include "shell/model/picture.h"
#include "shell/support/win32_api.h"

#include <optional>

namespace shell::win32 {

// A device-independent bitmap inside a bitmap file's bytes.
struct DibView {
    const BITMAPINFO* info = nullptr;
    const void* bits = nullptr;
    int width = 0;
    int height = 0; // rows, stored bottom-up
};

// The bitmap of a picture; nothing for an icon.
std::optional<DibView> viewBitmap(const shell::model::Picture& picture);

// The image of an icon closest to the given size, as an icon handle the
// caller owns (DestroyIcon); null for a bitmap or when Windows refuses it.
HICON createIcon(const shell::model::Picture& picture, int size);

} // namespace shell::win32
