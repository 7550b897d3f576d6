#pragma once

// A picture described for people: format, size and depth.

#include "shell/model/picture.h"

#include <string>

namespace shell::record {

// "bitmap 1019×132, 24 bits per pixel, 403656 bytes",
// "icon (1 image) 32×32, 32 bits per pixel, 4286 bytes".
std::string describePicture(const model::Picture& picture);

} // namespace shell::record
