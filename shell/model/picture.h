#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <variant>

namespace shell::model {

struct PictureSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// A bitmap's pixels: `height` rows of `width` pixels, three bytes each
// (blue, green, red), each row padded to `stride` bytes, the bottom row
// first.
struct BitmapRows {
    std::size_t stride = 0;
    std::span<const std::uint8_t> bytes;
};

class Picture;

// What is wrong with a picture file: the offset within the file of the field
// at fault, what it should hold and what it holds.
struct PictureFault {
    std::size_t offset = 0;
    std::string expected;
    std::string got;
};

// The picture a bitmap ("BM") or icon (00 00 01 00) file holds, checked
// against its own headers, or its first fault. A bitmap must be the
// uncompressed, bottom-up, 24-bit kind whose pixel rows fill exactly the
// bytes that follow its headers; an icon's directory must point at whole
// images inside the file, each with a header that agrees with its entry and
// the bytes it is given.
std::variant<Picture, PictureFault> checkPicture(std::span<const std::uint8_t> file);

// A picture of the program's own, for a description built in code: checked
// the same way, where a fault is a mistake in the program's files, so it
// stops the program with the fault on standard error.
Picture builtInPicture(std::span<const std::uint8_t> file);

// A picture as a description holds it: a bitmap or icon file checked once,
// where it was made (checkPicture), so whatever draws it takes its format,
// size and rows from here without reading a header again. The bytes are not
// owned: they live in the executable's embedded data or in a record that
// outlives the description built from it.
class Picture {
public:
    enum class Format { Bitmap, Icon };

    Format format() const { return format_; }
    std::span<const std::uint8_t> fileBytes() const { return file_; }
    // The size it is drawn at: a bitmap's own, an icon's first image's.
    PictureSize size() const { return size_; }
    // A bitmap's pixels; nothing for an icon.
    BitmapRows rows() const { return rows_; }

    friend bool operator==(const Picture& a, const Picture& b) {
        return a.file_.size() == b.file_.size() &&
               (a.file_.data() == b.file_.data() ||
                std::equal(a.file_.begin(), a.file_.end(), b.file_.begin()));
    }

private:
    friend std::variant<Picture, PictureFault> checkPicture(std::span<const std::uint8_t> file);
    Picture(std::span<const std::uint8_t> file, Format format, PictureSize size, BitmapRows rows)
        : file_(file), format_(format), size_(size), rows_(rows) {}

    std::span<const std::uint8_t> file_;
    Format format_;
    PictureSize size_;
    BitmapRows rows_;
};

} // namespace shell::model
