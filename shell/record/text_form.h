#pragma once

// A window description as text a person reads and edits, both ways:
//
//   window Form2
//     window id = {1A2B3C4D-...}
//     caption = "故障排查"
//     client rectangle = 0 0 11535 8475 twips
//     Label Label1 ordinal 3
//       caption = "第一行\r\n第二行"
//       font = "宋体" 10.5 pt, weight 400, character set 134
//     Frame Frame1 ordinal 4
//       CheckBox Check1 ordinal 5
//         value = 2
//
// One line per block or property, two spaces of indent per level: a block's
// properties, then its controls. Each property's value goes through its row
// of the property table, written from the bytes the row writes and read back
// into the bytes the row reads: whatever the decoder would refuse in a
// record, the reader refuses at the value's line and column. Pictures are
// files beside the text, named in it.

#include "shell/model/window_description.h"
#include "shell/support/expected.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace shell::record {

struct PictureFile {
    std::string name; // "Form2.Picture1.bmp"
    std::vector<std::uint8_t> bytes;
};

struct TextForm {
    std::string text;
    std::vector<PictureFile> pictures;
};

// The text of `window`, its pictures named "<stem>.<block name>.bmp" or
// ".ico".
TextForm writeTextForm(const WindowDescription& window, std::string_view stem);

// The bytes of a picture file the text names, or an error saying why not.
using PictureLoader = std::function<Expected<std::vector<std::uint8_t>>(std::string_view name)>;

// A window read from a text form, with the bytes its pictures view.
struct TextFormWindow {
    WindowDescription window;
    std::vector<std::vector<std::uint8_t>> pictureBytes;
};

// Reads a text form; `fileName` starts every error, which reads
// "<fileName>:<line>:<column>: expected ..., got ...". Whatever it gives,
// encodeRecord encodes and decodeRecord decodes back.
Expected<TextFormWindow> readTextForm(std::string_view text, std::string_view fileName,
                                      const PictureLoader& loadPicture);

} // namespace shell::record
