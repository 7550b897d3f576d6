#include "shell/record/picture_info.h"

#include "shell/model/picture_check.h"
#include "shell/support/little_endian.h"

namespace shell::record {

std::string describePicture(const Picture& picture) {
    const auto& file = picture.fileBytes;
    const std::string bytes = std::to_string(file.size()) + " bytes";
    const char* const format = picture.format() == Picture::Format::Bitmap ? "bitmap"
                               : picture.format() == Picture::Format::Icon ? "icon"
                                                                           : "unknown format";
    const auto size = pictureSize(file);
    if (!size || findPictureFault(file))
        return std::string(format) + ", " + bytes;
    // A checked file has every header field read below.
    const auto u16 = [&](std::size_t at) { return loadLittleEndian<std::uint16_t>(&file[at]); };
    const std::string shape =
        std::to_string(size->width) + "×" + std::to_string(size->height) + ", ";
    if (picture.format() == Picture::Format::Bitmap)
        return "bitmap " + shape + std::to_string(u16(28)) + " bits per pixel, " + bytes;
    // The icon's size and depth are its first directory entry's.
    const unsigned count = u16(4);
    return "icon (" + std::to_string(count) + (count == 1 ? " image) " : " images) ") + shape +
           std::to_string(u16(12)) + " bits per pixel, " + bytes;
}

} // namespace shell::record
