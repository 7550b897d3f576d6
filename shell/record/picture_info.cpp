#include "shell/record/picture_info.h"

#include "shell/support/little_endian.h"

namespace shell::record {

std::string describePicture(const model::Picture& picture) {
    const auto file = picture.fileBytes();
    const std::string shape =
        std::to_string(picture.size().width) + "×" + std::to_string(picture.size().height) + ", ";
    const std::string bytes = std::to_string(file.size()) + " bytes";
    if (picture.format() == model::Picture::Format::Bitmap)
        return "bitmap " + shape + "24 bits per pixel, " + bytes;
    // The icon's size and depth are its first directory entry's.
    const unsigned count = loadLittleEndian<std::uint16_t>(&file[4]);
    return "icon (" + std::to_string(count) + (count == 1 ? " image) " : " images) ") + shape +
           std::to_string(loadLittleEndian<std::uint16_t>(&file[12])) + " bits per pixel, " + bytes;
}

} // namespace shell::record
