#include "shell/model/picture.h"
#include "shell/support/little_endian.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace shell::model {

namespace {

// The largest picture side we accept, in pixels: no window can be larger.
constexpr std::int32_t kMaxPictureSide = 16384;

std::uint32_t u16(std::span<const std::uint8_t> b, std::size_t at) {
    return loadLittleEndian<std::uint16_t>(&b[at]);
}

std::uint32_t u32(std::span<const std::uint8_t> b, std::size_t at) {
    return loadLittleEndian<std::uint32_t>(&b[at]);
}

std::int32_t i32(std::span<const std::uint8_t> b, std::size_t at) {
    return loadLittleEndian<std::int32_t>(&b[at]);
}

std::string n(long long value) {
    return std::to_string(value);
}

// Bytes of one row of `width` pixels at `bits` per pixel: rows are padded
// to whole 4-byte words.
std::uint64_t rowBytes(std::uint64_t width, std::uint64_t bits) {
    return (width * bits + 31) / 32 * 4;
}

// Bitmap file: a 14-byte file header, a 40-byte info header, then the rows.
constexpr std::size_t kFileHeader = 14;
constexpr std::uint32_t kInfoHeader = 40;
constexpr std::size_t kPixelsAt = kFileHeader + kInfoHeader;

std::optional<PictureFault> bitmapFault(std::span<const std::uint8_t> f) {
    if (f.size() < kPixelsAt)
        return PictureFault{f.size(), "a bitmap of at least 54 bytes (its file and info headers)",
                            n(static_cast<long long>(f.size())) + " bytes"};
    if (u32(f, 2) != f.size())
        return PictureFault{
            2, "a file size of " + n(static_cast<long long>(f.size())) + " (the bitmap's length)",
            n(u32(f, 2))};
    if (u32(f, 10) != kPixelsAt)
        return PictureFault{10, "pixel data at offset 54 (right after the headers)", n(u32(f, 10))};
    if (u32(f, 14) != kInfoHeader)
        return PictureFault{14, "a bitmap info header of 40 bytes", n(u32(f, 14))};
    const std::int32_t width = i32(f, 18);
    const std::int32_t height = i32(f, 22);
    // Words for a fault, made only when there is one.
    const auto sides = [] { return " from 1 to " + n(kMaxPictureSide); };
    if (width < 1 || width > kMaxPictureSide)
        return PictureFault{18, "a bitmap width" + sides(), n(width)};
    // A negative height would mean rows stored top-down.
    if (height < 1 || height > kMaxPictureSide)
        return PictureFault{22, "a bitmap height" + sides() + " (rows bottom-up)", n(height)};
    if (u16(f, 26) != 1)
        return PictureFault{26, "1 plane", n(u16(f, 26))};
    if (u16(f, 28) != 24)
        return PictureFault{28, "24 bits per pixel", n(u16(f, 28))};
    if (u32(f, 30) != 0)
        return PictureFault{30, "no compression (0)", n(u32(f, 30))};
    const std::uint64_t stride = rowBytes(static_cast<std::uint64_t>(width), 24);
    const std::uint64_t pixels = stride * static_cast<std::uint64_t>(height);
    const auto rows = [&] {
        return n(height) + " rows of " + n(width) + " pixels, each padded to " +
               n(static_cast<long long>(stride)) + " bytes";
    };
    if (u32(f, 34) != 0 && u32(f, 34) != pixels)
        return PictureFault{
            34, "an image size of 0 or " + n(static_cast<long long>(pixels)) + " (" + rows() + ")",
            n(u32(f, 34))};
    if (u32(f, 46) != 0)
        return PictureFault{46, "no colour table (0 colours used)", n(u32(f, 46))};
    if (f.size() - kPixelsAt != pixels)
        return PictureFault{
            kPixelsAt, n(static_cast<long long>(pixels)) + " bytes of pixel data (" + rows() + ")",
            n(static_cast<long long>(f.size() - kPixelsAt)) + " bytes"};
    return std::nullopt;
}

// Icon file: a 6-byte directory header, 16 bytes per image entry, then the
// images, each a 40-byte info header (its height counts the mask too),
// colours, the pixel rows and the mask rows.
constexpr std::size_t kDirectoryHeader = 6;
constexpr std::size_t kEntry = 16;
constexpr std::array<std::uint32_t, 5> kIconBits{1, 4, 8, 24, 32};

std::optional<PictureFault> iconImageFault(std::span<const std::uint8_t> f, std::size_t index,
                                           std::size_t directoryEnd, std::size_t& imageEnd) {
    const std::size_t e = kDirectoryHeader + kEntry * index;
    // Words for a fault, made only when there is one.
    const auto in = [&] { return " in image " + n(static_cast<long long>(index)); };
    const auto of = [&] { return " for image " + n(static_cast<long long>(index)); };
    const std::uint32_t entryWidth = f[e] == 0 ? 256u : f[e];
    const std::uint32_t entryHeight = f[e + 1] == 0 ? 256u : f[e + 1];
    const std::uint32_t entryBits = u16(f, e + 6);
    const std::uint32_t size = u32(f, e + 8);
    const std::uint32_t at = u32(f, e + 12);
    if (at < directoryEnd || at > f.size())
        return PictureFault{e + 12,
                            "an offset from " + n(static_cast<long long>(directoryEnd)) + " to " +
                                n(static_cast<long long>(f.size())) + of() +
                                " (after the directory, inside the file)",
                            n(at)};
    if (size < kInfoHeader || size > f.size() - at)
        return PictureFault{e + 8,
                            "a size from 40 to " + n(static_cast<long long>(f.size() - at)) + of() +
                                " (a header, inside the file)",
                            n(size)};
    const auto h = f.subspan(at, size);
    if (u32(h, 0) != kInfoHeader)
        return PictureFault{at, "a header of 40 bytes" + in(), n(u32(h, 0))};
    if (i32(h, 4) != static_cast<std::int32_t>(entryWidth))
        return PictureFault{at + 4, "width " + n(entryWidth) + in() + " (its entry's)",
                            n(i32(h, 4))};
    if (i32(h, 8) != static_cast<std::int32_t>(2 * entryHeight))
        return PictureFault{at + 8,
                            "height " + n(2 * entryHeight) + in() + " (its entry's " +
                                n(entryHeight) + ", twice for the mask)",
                            n(i32(h, 8))};
    if (u16(h, 12) != 1)
        return PictureFault{at + 12, "1 plane" + in(), n(u16(h, 12))};
    const std::uint32_t bits = u16(h, 14);
    if (std::find(kIconBits.begin(), kIconBits.end(), bits) == kIconBits.end() ||
        (entryBits != 0 && entryBits != bits))
        return PictureFault{at + 14,
                            entryBits != 0
                                ? n(entryBits) + " bits per pixel" + in() + " (its entry's)"
                                : "1, 4, 8, 24 or 32 bits per pixel" + in(),
                            n(bits)};
    if (u32(h, 16) != 0)
        return PictureFault{at + 16, "no compression (0)" + in(), n(u32(h, 16))};
    const std::uint32_t used = u32(h, 32);
    const std::uint32_t most = bits <= 8 ? 1u << bits : 0u;
    if (used > most)
        return PictureFault{at + 32,
                            most == 0 ? "no colour table (0 colours used)" + in()
                                      : "colours used from 0 to " + n(most) + in(),
                            n(used)};
    const std::uint64_t colours = bits <= 8 ? (used != 0 ? used : most) : 0;
    const std::uint64_t needed =
        kInfoHeader + 4 * colours +
        (rowBytes(entryWidth, bits) + rowBytes(entryWidth, 1)) * entryHeight;
    if (size != needed)
        return PictureFault{e + 8,
                            "a size of " + n(static_cast<long long>(needed)) + of() + " (header, " +
                                "colours, " + n(entryWidth) + "×" + n(entryHeight) +
                                " pixels and mask)",
                            n(size)};
    imageEnd = std::max<std::size_t>(imageEnd, std::size_t{at} + size);
    return std::nullopt;
}

std::optional<PictureFault> iconFault(std::span<const std::uint8_t> f) {
    if (f.size() < kDirectoryHeader)
        return PictureFault{f.size(), "an icon directory of at least 6 bytes",
                            n(static_cast<long long>(f.size())) + " bytes"};
    const std::uint32_t count = u16(f, 4);
    const std::size_t most = (f.size() - kDirectoryHeader) / kEntry;
    if (count == 0 || count > most)
        return PictureFault{4,
                            "an image count from 1 to " + n(static_cast<long long>(most)) +
                                " (entries the file can hold)",
                            n(count)};
    const std::size_t directoryEnd = kDirectoryHeader + kEntry * count;
    std::size_t imageEnd = directoryEnd;
    for (std::size_t i = 0; i < count; ++i)
        if (auto fault = iconImageFault(f, i, directoryEnd, imageEnd))
            return fault;
    if (imageEnd != f.size())
        return PictureFault{imageEnd,
                            "the file to end with its last image at offset " +
                                n(static_cast<long long>(imageEnd)),
                            n(static_cast<long long>(f.size() - imageEnd)) + " bytes more"};
    return std::nullopt;
}

bool isBitmap(std::span<const std::uint8_t> f) {
    return f.size() >= 2 && f[0] == 'B' && f[1] == 'M';
}

bool isIcon(std::span<const std::uint8_t> f) {
    return f.size() >= 4 && f[0] == 0 && f[1] == 0 && f[2] == 1 && f[3] == 0;
}

// "43 4d 3e 00": the first bytes of a file that is neither kind.
std::string leadingBytes(std::span<const std::uint8_t> f) {
    if (f.empty())
        return "an empty file";
    std::string out;
    char buffer[4];
    for (std::size_t i = 0; i < std::min<std::size_t>(4, f.size()); ++i) {
        std::snprintf(buffer, sizeof buffer, "%02x", static_cast<unsigned>(f[i]));
        out += (i ? " " : "") + std::string(buffer);
    }
    return out;
}

} // namespace

std::variant<Picture, PictureFault> checkPicture(std::span<const std::uint8_t> file) {
    if (isBitmap(file)) {
        if (auto fault = bitmapFault(file))
            return *std::move(fault);
        const std::int32_t width = i32(file, 18);
        return Picture(file, Picture::Format::Bitmap, {width, i32(file, 22)},
                       {static_cast<std::size_t>(rowBytes(static_cast<std::uint64_t>(width), 24)),
                        file.subspan(kPixelsAt)});
    }
    if (isIcon(file)) {
        if (auto fault = iconFault(file))
            return *std::move(fault);
        return Picture(file, Picture::Format::Icon,
                       {file[6] == 0 ? 256 : file[6], file[7] == 0 ? 256 : file[7]}, {});
    }
    return PictureFault{0, "a bitmap file (42 4d) or an icon file (00 00 01 00)",
                        leadingBytes(file)};
}

Picture builtInPicture(std::span<const std::uint8_t> file) {
    auto checked = checkPicture(file);
    if (const auto* fault = std::get_if<PictureFault>(&checked)) {
        std::fprintf(stderr, "built-in picture, offset %zu: expected %s, got %s\n", fault->offset,
                     fault->expected.c_str(), fault->got.c_str());
        std::abort();
    }
    return std::get<Picture>(std::move(checked));
}

} // namespace shell::model
