#include "shell/record/picture_info.h"

#include "shell/support/little_endian.h"

#include <cstdlib>

namespace shell::record {

namespace {

class Bytes {
public:
    explicit Bytes(std::span<const std::uint8_t> b) : b_(b) {}
    bool has(std::size_t offset, std::size_t size) const {
        return offset <= b_.size() && size <= b_.size() - offset;
    }
    std::uint16_t u16(std::size_t at) const { return loadLittleEndian<std::uint16_t>(&b_[at]); }
    std::uint32_t u32(std::size_t at) const { return loadLittleEndian<std::uint32_t>(&b_[at]); }
    std::uint8_t u8(std::size_t at) const { return b_[at]; }

private:
    std::span<const std::uint8_t> b_;
};

std::string size(long long width, long long height, unsigned bits, std::size_t bytes) {
    return std::to_string(width) + "×" + std::to_string(height) + ", " + std::to_string(bits) +
           " bits per pixel, " + std::to_string(bytes) + " bytes";
}

// File header (14 bytes), then the info header: its size, then either the
// 12-byte core layout (16-bit width and height) or the 40-byte-or-larger one.
std::string bitmap(std::span<const std::uint8_t> file) {
    const Bytes b(file);
    const std::string unreadable =
        "bitmap (header unreadable), " + std::to_string(file.size()) + " bytes";
    if (!b.has(14, 4))
        return unreadable;
    const std::uint32_t infoSize = b.u32(14);
    if (infoSize == 12 && b.has(18, 8))
        return "bitmap " + size(b.u16(18), b.u16(20), b.u16(24), file.size());
    if (infoSize >= 40 && b.has(18, 12)) {
        const auto width = static_cast<std::int32_t>(b.u32(18));
        const auto height = static_cast<std::int32_t>(b.u32(22));
        // A negative height marks rows stored top-down.
        return "bitmap " + size(width, std::llabs(height), b.u16(28), file.size()) +
               (height < 0 ? ", rows top-down" : "");
    }
    return unreadable;
}

// Icon directory: reserved, type 1, image count, then 16-byte entries whose
// width and height bytes read 0 for 256.
std::string icon(std::span<const std::uint8_t> file) {
    const Bytes b(file);
    if (!b.has(4, 2))
        return "icon (directory unreadable), " + std::to_string(file.size()) + " bytes";
    const unsigned count = b.u16(4);
    std::string out = "icon (" + std::to_string(count) + (count == 1 ? " image)" : " images)");
    if (count == 0 || !b.has(6, 16))
        return out + ", " + std::to_string(file.size()) + " bytes";
    const unsigned width = b.u8(6) == 0 ? 256u : b.u8(6);
    const unsigned height = b.u8(7) == 0 ? 256u : b.u8(7);
    return out + " " + size(width, height, b.u16(12), file.size());
}

} // namespace

std::string describePicture(const Picture& picture) {
    switch (picture.format()) {
    case Picture::Format::Bitmap:
        return bitmap(picture.fileBytes);
    case Picture::Format::Icon:
        return icon(picture.fileBytes);
    case Picture::Format::Unknown:
        break;
    }
    return "unknown format, " + std::to_string(picture.fileBytes.size()) + " bytes";
}

} // namespace shell::record
