#include "shell/win32/pictures.h"

#include <cstdlib>
#include <cstring>

namespace win32shell {

namespace {

template <typename T> T readLittleEndian(const std::uint8_t* at) {
    T value{};
    std::memcpy(&value, at, sizeof value); // x86 is little-endian
    return value;
}

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kIconDirSize = 6;
constexpr std::size_t kIconEntrySize = 16;

} // namespace

std::optional<DibView> viewBitmap(const shell::Picture& picture) {
    const auto bytes = picture.fileBytes;
    if (picture.format() != shell::Picture::Format::Bitmap ||
        bytes.size() < kFileHeaderSize + sizeof(BITMAPINFOHEADER))
        return std::nullopt;
    const auto bitsOffset = readLittleEndian<std::uint32_t>(bytes.data() + 10);
    const std::uint8_t* header = bytes.data() + kFileHeaderSize;
    const auto headerSize = readLittleEndian<std::uint32_t>(header);
    const auto width = readLittleEndian<std::int32_t>(header + 4);
    const auto height = readLittleEndian<std::int32_t>(header + 8);
    const auto bitCount = readLittleEndian<std::uint16_t>(header + 14);
    const auto compression = readLittleEndian<std::uint32_t>(header + 16);
    if (headerSize < sizeof(BITMAPINFOHEADER) || kFileHeaderSize + headerSize > bytes.size() ||
        width <= 0 || height == 0 || height == INT32_MIN || compression != BI_RGB ||
        (bitCount != 24 && bitCount != 32))
        return std::nullopt;
    const std::uint64_t rows = static_cast<std::uint64_t>(std::abs(height));
    const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4;
    if (bitsOffset < kFileHeaderSize + headerSize || bitsOffset > bytes.size() ||
        stride * rows > bytes.size() - bitsOffset)
        return std::nullopt;
    return DibView{reinterpret_cast<const BITMAPINFO*>(header), bytes.data() + bitsOffset, width,
                   static_cast<int>(rows)};
}

HICON createIcon(const shell::Picture& picture, int size) {
    const auto bytes = picture.fileBytes;
    if (picture.format() != shell::Picture::Format::Icon || bytes.size() < kIconDirSize)
        return nullptr;
    const auto count = readLittleEndian<std::uint16_t>(bytes.data() + 4);
    if (count == 0 || bytes.size() < kIconDirSize + count * kIconEntrySize)
        return nullptr;
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
    const auto imageSize = readLittleEndian<std::uint32_t>(best + 8);
    const auto offset = readLittleEndian<std::uint32_t>(best + 12);
    if (offset > bytes.size() || imageSize > bytes.size() - offset || imageSize == 0)
        return nullptr;
    // CreateIconFromResourceEx takes a non-const pointer but only reads it.
    auto* image = const_cast<std::uint8_t*>(bytes.data() + offset);
    return CreateIconFromResourceEx(image, imageSize, TRUE, 0x00030000, size, size,
                                    LR_DEFAULTCOLOR);
}

} // namespace win32shell
