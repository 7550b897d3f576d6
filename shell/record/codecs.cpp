#include "shell/record/codecs.h"

#include "shell/model/picture.h"
#include "shell/record/format.h"
#include "shell/record/picture_info.h"
#include "shell/record/value_bounds.h"
#include "shell/text/codepage.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

namespace shell::record {

namespace rf = format;

namespace {

std::string yesNo(bool v) {
    return v ? "true" : "false";
}

// "left 0, top 0, width 4800, height 3600 twips", for either rectangle.
template <typename Rect> std::string describeSides(const Rect& r) {
    return "left " + std::to_string(r.left) + ", top " + std::to_string(r.top) + ", width " +
           std::to_string(r.width) + ", height " + std::to_string(r.height) + " twips";
}

// Converts the code page 936 `bytes` found at record offset `offset`.
Expected<void> readText(PropertyInput& in, std::span<const std::uint8_t> bytes, std::size_t offset,
                        std::string& out) {
    std::size_t stop = 0;
    if (auto ok = in.texts.toUtf8(bytes, out, &stop); !ok)
        return Error{in.bytes.location().describe() + " at offset " + hexNumber(offset + stop) +
                     ": " + ok.error().message};
    return {};
}

} // namespace

// Text: length, bytes without 0x00, then 0x00.

Expected<void> TextCodec::read(PropertyInput& in, std::string& out) {
    ByteReader& r = in.bytes;
    LANSU_TRY_ASSIGN(const std::uint16_t length, r.u16("text length"));
    const std::size_t textOffset = r.offset();
    LANSU_TRY_ASSIGN(const auto bytes, r.take(length, "text"));
    if (const void* nul = std::memchr(bytes.data(), 0, bytes.size()))
        return r.errorAt(textOffset + static_cast<std::size_t>(
                                          static_cast<const std::uint8_t*>(nul) - bytes.data()),
                         "a text without 0x00 bytes", "0x00 inside it");
    LANSU_TRY_ASSIGN(const std::uint8_t terminator, r.u8("text terminator"));
    if (terminator != 0)
        return r.errorAt(r.offset() - 1, "0x00 ending the text", hexByte(terminator));
    return readText(in, bytes, textOffset, out);
}

Expected<void> TextCodec::write(ByteWriter& out, const std::string& utf8) {
    if (utf8.find('\0') != std::string::npos)
        return Error{"expected a text without NUL characters, got one at byte " +
                     std::to_string(utf8.find('\0'))};
    LANSU_TRY_ASSIGN(const std::string gbk, text::utf8ToGbk(utf8));
    if (gbk.size() > std::numeric_limits<std::uint16_t>::max())
        return Error{"expected at most 65535 bytes in code page 936, got " +
                     std::to_string(gbk.size())};
    // A character that code page 936 holds only as a look-alike would come
    // back as a different one; refuse it rather than change the text.
    std::string back;
    text::CodePage936Reader reader;
    if (!reader.toUtf8({reinterpret_cast<const std::uint8_t*>(gbk.data()), gbk.size()}, back) ||
        back != utf8)
        return Error{"expected a text that reads back the same from code page 936"};
    out.u16(static_cast<std::uint16_t>(gbk.size()));
    out.bytes(gbk);
    out.u8(0);
    return {};
}

std::string TextCodec::describe(const std::string& utf8) {
    return quoted(utf8, Quote::Utf8);
}

// Boolean: 0x00 or 0xff.

Expected<void> BooleanCodec::read(PropertyInput& in, bool& out) {
    LANSU_TRY_ASSIGN(const std::uint8_t b, in.bytes.u8("boolean"));
    if (b != 0x00 && b != 0xFF)
        return in.bytes.errorAt(in.bytes.offset() - 1, "0x00 or 0xff", hexByte(b));
    out = b == 0xFF;
    return {};
}

Expected<void> BooleanCodec::write(ByteWriter& out, const bool& value) {
    out.u8(value ? 0xFF : 0x00);
    return {};
}

std::string BooleanCodec::describe(const bool& value) {
    return yesNo(value);
}

// Small integers.

Expected<std::uint8_t> readSmallInt(PropertyInput& in, std::uint8_t max) {
    LANSU_TRY_ASSIGN(const std::uint8_t b, in.bytes.u8("value"));
    if (b > max)
        return in.bytes.errorAt(in.bytes.offset() - 1, "a value from 0 to " + std::to_string(max),
                                std::to_string(b));
    return b;
}

Expected<void> checkSmallInt(std::uint8_t value, std::uint8_t max, const char* noun) {
    if (value > max)
        return Error{std::string("expected ") + noun + " from 0 to " + std::to_string(max) +
                     ", got " + std::to_string(value)};
    return {};
}

std::string CheckValueCodec::describe(const std::uint8_t& value) {
    static constexpr const char* kNames[] = {"0 (unchecked)", "1 (checked)", "2 (grayed)"};
    return value < 3 ? kNames[value] : std::to_string(value);
}

Expected<void> OptionValueCodec::read(PropertyInput& in, std::uint8_t& out) {
    bool value = false;
    LANSU_TRY(BooleanCodec::read(in, value));
    out = value ? 1 : 0;
    return {};
}

Expected<void> OptionValueCodec::check(std::uint8_t value) {
    return checkSmallInt(value, 1, kValueNoun);
}

Expected<void> OptionValueCodec::write(ByteWriter& out, const std::uint8_t& value) {
    return BooleanCodec::write(out, value != 0);
}

std::string OptionValueCodec::describe(const std::uint8_t& value) {
    return yesNo(value != 0);
}

Expected<void> PictureBorderCodec::read(PropertyInput& in, model::PictureBorder& out) {
    LANSU_TRY_ASSIGN(const std::uint8_t value, readSmallInt(in, 1));
    out = static_cast<model::PictureBorder>(value);
    return {};
}

Expected<void> PictureBorderCodec::check(model::PictureBorder value) {
    if (static_cast<std::uint8_t>(value) > 1)
        return Error{"expected border style 0 or 1, got " +
                     std::to_string(static_cast<unsigned>(value))};
    return {};
}

Expected<void> PictureBorderCodec::write(ByteWriter& out, const model::PictureBorder& value) {
    out.u8(static_cast<std::uint8_t>(value));
    return {};
}

std::string PictureBorderCodec::describe(const model::PictureBorder& value) {
    return value == model::PictureBorder::None ? "0 (none)" : "1 (fixed single)";
}

// Tab index, colours, rectangles: plain numbers.

Expected<void> TabIndexCodec::read(PropertyInput& in, std::uint16_t& out) {
    LANSU_TRY_ASSIGN(out, in.bytes.u16("tab index"));
    return {};
}

Expected<void> TabIndexCodec::write(ByteWriter& out, const std::uint16_t& value) {
    out.u16(value);
    return {};
}

std::string TabIndexCodec::describe(const std::uint16_t& value) {
    return std::to_string(value);
}

Expected<void> ColourCodec::read(PropertyInput& in, model::Colour& out) {
    LANSU_TRY_ASSIGN(out.raw, in.bytes.u32("colour"));
    return {};
}

Expected<void> ColourCodec::write(ByteWriter& out, const model::Colour& value) {
    out.u32(value.raw);
    return {};
}

std::string ColourCodec::describe(const model::Colour& c) {
    char buffer[48];
    if (c.isSystem())
        std::snprintf(buffer, sizeof buffer, "0x%08x (system colour %u)",
                      static_cast<unsigned>(c.raw), static_cast<unsigned>(c.systemIndex()));
    else
        std::snprintf(buffer, sizeof buffer, "0x%08x", static_cast<unsigned>(c.raw));
    return buffer;
}

Expected<void> RectCodec::read(PropertyInput& in, model::TwipRect& out) {
    LANSU_TRY_ASSIGN(const auto bytes, in.bytes.take(8, "rectangle"));
    out = model::TwipRect{
        loadLittleEndian<std::int16_t>(&bytes[0]), loadLittleEndian<std::int16_t>(&bytes[2]),
        loadLittleEndian<std::int16_t>(&bytes[4]), loadLittleEndian<std::int16_t>(&bytes[6])};
    return {};
}

Expected<void> RectCodec::write(ByteWriter& out, const model::TwipRect& rect) {
    for (const std::int16_t v : {rect.left, rect.top, rect.width, rect.height})
        out.u16(static_cast<std::uint16_t>(v));
    return {};
}

std::string RectCodec::describe(const model::TwipRect& r) {
    return describeSides(r);
}

// The client rectangle: four 4-byte values, each held to a range a screen
// can show.

namespace {

struct ClientSide {
    std::int32_t model::ClientRect::*value;
    const char* name;
    const ValueRange& range;
};

constexpr ClientSide kClientSides[] = {
    {&model::ClientRect::left, "client left", kClientPosition},
    {&model::ClientRect::top, "client top", kClientPosition},
    {&model::ClientRect::width, "client width", kClientSize},
    {&model::ClientRect::height, "client height", kClientSize},
};

} // namespace

Expected<void> ClientRectCodec::read(PropertyInput& in, model::ClientRect& out) {
    for (const ClientSide& side : kClientSides) {
        const std::size_t at = in.bytes.offset();
        LANSU_TRY_ASSIGN(const std::int32_t value, in.bytes.i32("client rectangle"));
        if (!side.range.contains(value))
            return in.bytes.errorAt(at, std::string("a ") + side.name + " " + side.range.describe(),
                                    std::to_string(value));
        out.*side.value = value;
    }
    return {};
}

Expected<void> ClientRectCodec::write(ByteWriter& out, const model::ClientRect& rect) {
    for (const ClientSide& side : kClientSides)
        out.u32(static_cast<std::uint32_t>(rect.*side.value));
    return {};
}

std::string ClientRectCodec::describe(const model::ClientRect& r) {
    return describeSides(r);
}

// Font: version, character set, flags, weight, size, then the face's length
// and bytes.

Expected<void> FontCodec::read(PropertyInput& in, model::Font& font) {
    ByteReader& r = in.bytes;
    const std::size_t versionOffset = r.offset();
    LANSU_TRY_ASSIGN(const std::uint8_t version, r.u8("font version"));
    if (version != rf::kFontVersion)
        return r.errorAt(versionOffset, "font version 0x01", hexByte(version));
    LANSU_TRY_ASSIGN(font.charset, r.u16("font character set"));
    LANSU_TRY_ASSIGN(const std::uint8_t flags, r.u8("font flags"));
    constexpr std::uint8_t known = rf::kFontItalic | rf::kFontUnderline | rf::kFontStrikethrough;
    if ((flags & ~known) != 0)
        return r.errorAt(r.offset() - 1,
                         "font flags within 0x0e (italic, underline, strikethrough)",
                         hexByte(flags));
    font.italic = (flags & rf::kFontItalic) != 0;
    font.underline = (flags & rf::kFontUnderline) != 0;
    font.strikethrough = (flags & rf::kFontStrikethrough) != 0;
    const std::size_t weightOffset = r.offset();
    LANSU_TRY_ASSIGN(font.weight, r.u16("font weight"));
    if (!kFontWeight.contains(font.weight))
        return r.errorAt(weightOffset, "a font weight " + kFontWeight.describe(),
                         std::to_string(font.weight));
    const std::size_t sizeOffset = r.offset();
    LANSU_TRY_ASSIGN(font.sizeTenThousandths, r.i32("font size"));
    if (!kFontSize.contains(font.sizeTenThousandths))
        return r.errorAt(sizeOffset, "a font size " + kFontSize.describe(),
                         std::to_string(font.sizeTenThousandths));
    const std::size_t nameLengthOffset = r.offset();
    LANSU_TRY_ASSIGN(const std::uint8_t nameLength, r.u8("font name length"));
    if (nameLength == 0 || nameLength > rf::kMaxFontNameLength)
        return r.errorAt(nameLengthOffset,
                         "a font name length from 1 to " + std::to_string(rf::kMaxFontNameLength),
                         std::to_string(nameLength));
    const std::size_t nameOffset = r.offset();
    LANSU_TRY_ASSIGN(const auto name, r.take(nameLength, "font name"));
    if (std::memchr(name.data(), 0, name.size()))
        return r.errorAt(nameOffset, "a font name without 0x00 bytes",
                         quoted(asText(name), Quote::RawBytes));
    return readText(in, name, nameOffset, font.face);
}

Expected<void> FontCodec::write(ByteWriter& out, const model::Font& font) {
    if (font.weight > rf::kMaxFontWeight)
        return Error{"expected a font weight from 0 to 1000, got " + std::to_string(font.weight)};
    if (font.sizeTenThousandths <= 0)
        return Error{"expected a font size above 0, got " +
                     std::to_string(font.sizeTenThousandths)};
    auto face = text::utf8ToGbk(font.face);
    if (!face)
        return Error{"font name: " + face.error().message};
    if (face->empty() || face->size() > rf::kMaxFontNameLength ||
        face->find('\0') != std::string::npos)
        return Error{"expected a font name of 1 to " + std::to_string(rf::kMaxFontNameLength) +
                     " bytes in code page 936, got " + std::to_string(face->size())};
    out.u8(rf::kFontVersion);
    out.u16(font.charset);
    out.u8(static_cast<std::uint8_t>((font.italic ? rf::kFontItalic : 0) |
                                     (font.underline ? rf::kFontUnderline : 0) |
                                     (font.strikethrough ? rf::kFontStrikethrough : 0)));
    out.u16(font.weight);
    out.u32(static_cast<std::uint32_t>(font.sizeTenThousandths));
    out.u8(static_cast<std::uint8_t>(face->size()));
    out.bytes(*face);
    return {};
}

std::string FontCodec::describe(const model::Font& f) {
    char points[32];
    std::snprintf(points, sizeof points, "%.4g pt", f.sizeTenThousandths / 10000.0);
    std::string out = quoted(f.face, Quote::Utf8) + " " + points + ", weight " +
                      std::to_string(f.weight) + ", character set " + std::to_string(f.charset);
    if (f.italic)
        out += ", italic";
    if (f.underline)
        out += ", underline";
    if (f.strikethrough)
        out += ", strikethrough";
    return out;
}

// Picture: a length, then the OLE picture preamble, the file's length and
// the bitmap or icon file itself.

Expected<void> PictureCodec::read(PropertyInput& in, std::optional<model::Picture>& out) {
    ByteReader& r = in.bytes;
    const std::size_t lengthOffset = r.offset();
    LANSU_TRY_ASSIGN(const std::uint32_t n, r.u32("picture length"));
    if (n < rf::kPicturePreamble.size() + 4)
        return r.errorAt(lengthOffset, "a picture length of at least 8", std::to_string(n));
    LANSU_TRY_ASSIGN(ByteReader picture, r.sub(n, "picture", "picture"));
    const std::size_t preambleOffset = picture.offset();
    LANSU_TRY_ASSIGN(const auto preamble,
                     picture.take(rf::kPicturePreamble.size(), "picture preamble"));
    if (!std::equal(preamble.begin(), preamble.end(), rf::kPicturePreamble.begin()))
        return r.errorAt(preambleOffset, "the picture preamble 6c 74 00 00", byteList(preamble));
    const std::size_t fileLengthOffset = picture.offset();
    LANSU_TRY_ASSIGN(const std::uint32_t m, picture.u32("picture file length"));
    if (static_cast<std::uint64_t>(m) + 8 != n)
        return r.errorAt(fileLengthOffset,
                         "a file length of " + std::to_string(n - 8) +
                             " (the picture's length minus 8)",
                         std::to_string(m));
    const std::size_t fileOffset = picture.offset();
    LANSU_TRY_ASSIGN(const auto file, picture.take(m, "picture file"));
    // Drawn as stored or not at all: a picture must agree with its headers.
    auto checked = model::checkPicture(file);
    if (const auto* fault = std::get_if<model::PictureFault>(&checked))
        return r.errorAt(fileOffset + fault->offset, fault->expected, fault->got);
    out = std::get<model::Picture>(std::move(checked));
    return {};
}

Expected<void> PictureCodec::write(ByteWriter& out, const model::Picture& picture) {
    const std::size_t m = picture.fileBytes().size();
    if (m > std::numeric_limits<std::uint32_t>::max() - 8)
        return Error{"expected a picture of less than 4 GiB, got " + std::to_string(m) + " bytes"};
    out.u32(static_cast<std::uint32_t>(m + 8));
    out.bytes(rf::kPicturePreamble);
    out.u32(static_cast<std::uint32_t>(m));
    out.bytes(picture.fileBytes());
    return {};
}

std::string PictureCodec::describe(const model::Picture& picture) {
    return describePicture(picture);
}

// The drawing setting: always 01 00 42 00.

Expected<void> DrawingSettingCodec::read(PropertyInput& in, std::uint32_t& out) {
    const std::size_t at = in.bytes.offset();
    LANSU_TRY_ASSIGN(const auto bytes, in.bytes.take(4, "drawing setting"));
    if (loadLittleEndian<std::uint32_t>(bytes.data()) != model::kStandardDrawingSetting)
        return in.bytes.errorAt(at, "01 00 42 00", byteList(bytes));
    out = model::kStandardDrawingSetting;
    return {};
}

Expected<void> DrawingSettingCodec::check(std::uint32_t value) {
    if (value != model::kStandardDrawingSetting)
        return Error{"expected drawing setting 0x00420001, got " + hexNumber(value)};
    return {};
}

Expected<void> DrawingSettingCodec::write(ByteWriter& out, const std::uint32_t& value) {
    out.u32(value);
    return {};
}

std::string DrawingSettingCodec::describe(const std::uint32_t&) {
    return "01 00 42 00";
}

} // namespace shell::record
