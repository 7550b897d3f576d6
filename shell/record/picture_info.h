#pragma once

// Just enough of a bitmap or icon file's header to describe the picture:
// format, size and depth. Every read is checked against the file's length.

#include "shell/model/picture.h"

#include <string>

namespace shell::record {

// "bitmap 1019×132, 24 bits per pixel, 403656 bytes",
// "icon (1 image) 32×32, 32 bits per pixel, 4286 bytes", or, for a header
// too short or odd to read, the format and byte count with the reason.
std::string describePicture(const Picture& picture);

} // namespace shell::record
