#include "shell/win32/pictures.h"

#include "shell/support/little_endian.h"

#include <cstdlib>

namespace shell::win32 {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kIconDirSize = 6;
constexpr std::size_t kIconEntrySize = 16;

std::uint32_t u32(const std::uint8_t* at) {
    return shell::loadLittleEndian<std::uint32_t>(at);
}

} // namespace

std::optional<DibView> viewBitmap(const shell::model::Picture& picture) {
    if (picture.format() != shell::model::Picture::Format::Bitmap)
        return std::nullopt;
    // Checked: the info header follows the file header, the rows follow it.
    return DibView{
        reinterpret_cast<const BITMAPINFO*>(picture.fileBytes().data() + kFileHeaderSize),
        picture.rows().bytes.data(), picture.size().width, picture.size().height};
}

HICON createIcon(const shell::model::Picture& picture, int size) {
    if (picture.format() != shell::model::Picture::Format::Icon)
        return nullptr;
    // Checked: every directory entry points at a whole image inside the file.
    const auto bytes = picture.fileBytes();
    const std::size_t count = shell::loadLittleEndian<std::uint16_t>(bytes.data() + 4);
    // The image nearest in size, the larger one on a tie; 0 stands for 256.
    const std::uint8_t* best = nullptr;
    int bestDistance = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = bytes.data() + kIconDirSize + i * kIconEntrySize;
        const int width = entry[0] == 0 ? 256 : entry[0];
        const int distance = std::abs(width - size) * 2 - (width > size ? 1 : 0);
        if (!best || distance < bestDistance) {
            best = entry;
            bestDistance = distance;
        }
    }
    // CreateIconFromResourceEx takes a non-const pointer but only reads it.
    auto* image = const_cast<std::uint8_t*>(bytes.data() + u32(best + 12));
    return CreateIconFromResourceEx(image, u32(best + 8), TRUE, 0x00030000, size, size,
                                    LR_DEFAULTCOLOR);
}

} // namespace shell::win32
