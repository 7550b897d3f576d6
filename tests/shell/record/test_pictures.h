#pragma once

// Pictures for the record tests and fuzz targets: two whole files at their
// smallest, and the files a text form's writer gave, read as from beside the
// text.

#include "shell/record/text_form.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace record_test {

// clang-format off
// A whole 2×1 bitmap, 24 bits per pixel: headers, then one row of two
// pixels padded to 8 bytes.
inline constexpr std::uint8_t kTinyBitmap[62] = {
    'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                // file header
    40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, // info header
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0, 0};                     // the row
// A whole icon: one 1×1 image, 32 bits per pixel, with its mask row.
inline constexpr std::uint8_t kTinyIcon[70] = {
    0, 0, 1, 0, 1, 0,                                              // directory
    1, 1, 0, 0, 1, 0, 32, 0, 48, 0, 0, 0, 22, 0, 0, 0,             // its one entry
    40, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0,  // image header
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0x40, 0x80, 0xC0, 0xFF, 0, 0, 0, 0};                           // pixel, mask
// clang-format on

// A loader over the pictures the writer gave; it lives as long as they do.
inline shell::record::PictureLoader
writtenPictures(const std::vector<shell::record::PictureFile>& pictures) {
    return [&pictures](std::string_view name) -> shell::Expected<std::vector<std::uint8_t>> {
        for (const auto& p : pictures)
            if (p.name == name)
                return p.bytes;
        return shell::Error{"expected a picture file beside the text, got no file \"" +
                            std::string(name) + "\""};
    };
}

} // namespace record_test
