#pragma once

// A picture's file checked against its own headers before anything draws
// it: a bitmap must be the uncompressed, bottom-up, 24-bit kind whose pixel
// rows fill exactly the bytes that follow its headers; an icon's directory
// must point at whole images inside the file, each with a header that
// agrees with its entry and the bytes it is given.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace shell {

// The largest picture side we accept, in pixels: no window can be larger.
inline constexpr std::int32_t kMaxPictureSide = 16384;

// What is wrong with a picture file: the offset within the file of the field
// at fault, what it should hold and what it holds.
struct PictureFault {
    std::size_t offset = 0;
    std::string expected;
    std::string got;
};

struct PictureSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// The first fault of a bitmap ("BM") or icon (00 00 01 00) file, or none.
std::optional<PictureFault> findPictureFault(std::span<const std::uint8_t> file);

// The size a checked picture is drawn at: a bitmap's own, an icon's first
// image's.
std::optional<PictureSize> pictureSize(std::span<const std::uint8_t> file);

// The pixels of a bitmap that has no fault: `height` rows of `width` pixels,
// three bytes each (blue, green, red), each row padded to `stride` bytes,
// the bottom row first. Null for anything else.
struct BitmapRows {
    int width = 0;
    int height = 0;
    std::size_t stride = 0;
    std::span<const std::uint8_t> bytes;
};
std::optional<BitmapRows> bitmapRows(std::span<const std::uint8_t> file);

} // namespace shell
