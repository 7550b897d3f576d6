// The text form's values: each encoding's syntax, read into record bytes.

#include "shell/record/text_form_syntax.h"

#include "shell/record/byte_writer.h"
#include "shell/record/format.h"
#include "shell/record/location.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>

namespace shell::record::text_syntax {

namespace rf = format;

std::string Cursor::rest() const {
    if (atEnd())
        return "the end of the line";
    return quoted(line_.substr(pos_, 24), Quote::Utf8);
}

Located expected(Place at, std::string_view what, std::string_view got) {
    return {at, "expected " + std::string(what) + ", got " + std::string(got)};
}

// A decoder or codec message without the record offset that means nothing
// in a text: from "expected" on.
std::string fromExpected(const std::string& message) {
    const std::size_t at = message.find(": expected ");
    return at == std::string::npos ? message : message.substr(at + 2);
}

namespace {

int hexDigit(char h) {
    return h >= '0' && h <= '9'   ? h - '0'
           : h >= 'a' && h <= 'f' ? h - 'a' + 10
           : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                  : -1;
}

} // namespace

std::optional<Located> endOfLine(Cursor& c) {
    c.skipSpaces();
    if (c.atEnd() || c.peek() == '#')
        return std::nullopt;
    return expected(c.place(), "the end of the line", c.rest());
}

// "{8 hex digits-4-4-4-12}"
std::optional<Located> guidValue(Cursor& c, model::Guid& out) {
    const Place at = c.place();
    const std::string_view word = c.word();
    static constexpr std::string_view kShape = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
    const auto bad = [&] {
        return expected(at, "an identifier such as {33AD4F3A-6699-11CF-B70C-00AA0060D393}",
                        quoted(word, Quote::Utf8));
    };
    if (word.size() != kShape.size())
        return bad();
    std::array<std::uint8_t, 16> bytes{};
    std::size_t nibble = 0;
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        const char ch = word[i];
        if (kShape[i] != 'X') {
            if (ch != kShape[i])
                return bad();
            continue;
        }
        const int v = hexDigit(ch);
        if (v < 0)
            return bad();
        bytes[nibble / 2] = static_cast<std::uint8_t>(bytes[nibble / 2] << 4 | v);
        ++nibble;
    }
    // Read as written: the first three fields are numbers, the rest bytes.
    out.data1 =
        static_cast<std::uint32_t>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
    out.data2 = static_cast<std::uint16_t>(bytes[4] << 8 | bytes[5]);
    out.data3 = static_cast<std::uint16_t>(bytes[6] << 8 | bytes[7]);
    std::copy(bytes.begin() + 8, bytes.end(), out.data4.begin());
    return std::nullopt;
}

namespace {

// Whole numbers, with the range of the field they fill.
std::optional<Located> integer(Cursor& c, std::int64_t min, std::int64_t max, std::string_view what,
                               std::int64_t& out) {
    const Place at = c.place();
    const std::string_view word = c.word();
    std::size_t i = word.starts_with('-') ? 1 : 0;
    std::int64_t magnitude = 0;
    bool ok = i < word.size() && word.size() - i <= 12;
    for (; ok && i < word.size(); ++i) {
        ok = word[i] >= '0' && word[i] <= '9';
        magnitude = magnitude * 10 + (word[i] - '0');
    }
    out = word.starts_with('-') ? -magnitude : magnitude;
    if (!ok || out < min || out > max)
        return expected(
            at, std::string(what) + " from " + std::to_string(min) + " to " + std::to_string(max),
            word.empty() ? c.rest() : quoted(word, Quote::Utf8));
    return std::nullopt;
}

// A word that must come next: "twips", "pt", ",".
std::optional<Located> literal(Cursor& c, std::string_view word) {
    c.skipSpaces();
    if (c.line().substr(c.pos()).starts_with(word)) {
        c.skip(word.size());
        return std::nullopt;
    }
    return expected(c.place(), quoted(word, Quote::Utf8), c.rest());
}

// A text between double quotes with the escapes quoted() writes.
std::optional<Located> quotedText(Cursor& c, std::string& out) {
    if (c.peek() != '"')
        return expected(c.place(), "a text in double quotes", c.rest());
    c.skip();
    for (;;) {
        if (c.atEnd())
            return expected(c.place(), "a closing double quote", "the end of the line");
        const char ch = c.peek();
        if (ch == '"') {
            c.skip();
            return std::nullopt;
        }
        if (ch != '\\') {
            out += ch;
            c.skip();
            continue;
        }
        const Place at = c.place();
        const std::string_view rest = c.line().substr(c.pos());
        const char e = rest.size() > 1 ? rest[1] : '\0';
        if (const auto* escape = std::ranges::find(kEscapes, e, &Escape::letter);
            escape != std::end(kEscapes)) {
            out += escape->character;
            c.skip(2);
            continue;
        }
        const auto hex = hexDigit;
        if (e == 'x' && rest.size() >= 4 && hex(rest[2]) >= 0 && hex(rest[3]) >= 0 &&
            hex(rest[2]) < 8) {
            out += static_cast<char>(hex(rest[2]) * 16 + hex(rest[3]));
            c.skip(4);
            continue;
        }
        return expected(at, "an escape \\n, \\r, \\t, \\\", \\\\ or \\x00 to \\x7f",
                        quoted(rest.substr(0, e == 'x' ? 4 : 2), Quote::Utf8));
    }
}

} // namespace

std::optional<Located> valueBytes(Cursor& c, Encoding encoding, const PictureLoader& load,
                                  std::vector<std::uint8_t>& out) {
    ByteWriter w;
    std::int64_t n = 0;
    const Place at = c.place();
    switch (encoding) {
    case Encoding::Text: {
        std::string text;
        if (auto e = quotedText(c, text))
            return e;
        if (auto ok = TextCodec::write(w, text); !ok) {
            const std::string& why = ok.error().message;
            return Located{at, why.starts_with("expected")
                                   ? why
                                   : "expected a text code page 936 holds, got " + why};
        }
        break;
    }
    case Encoding::Boolean: {
        const std::string_view word = c.word();
        if (word != "true" && word != "false")
            return expected(at, "true or false", quoted(word, Quote::Utf8));
        w.u8(word == "true" ? 0xFF : 0x00);
        break;
    }
    case Encoding::SmallInt:
        if (auto e = integer(c, 0, 255, "a number", n))
            return e;
        w.u8(static_cast<std::uint8_t>(n));
        break;
    case Encoding::Word:
        if (auto e = integer(c, 0, 65535, "a number", n))
            return e;
        w.u16(static_cast<std::uint16_t>(n));
        break;
    case Encoding::Colour: {
        const std::string_view word = c.word();
        std::uint32_t v = 0;
        bool ok = word.size() == 10 && word.starts_with("0x");
        for (std::size_t i = 2; ok && i < word.size(); ++i) {
            const char h = word[i];
            const int d = hexDigit(h);
            ok = d >= 0;
            v = v << 4 | static_cast<std::uint32_t>(d);
        }
        if (!ok)
            return expected(at, "a colour as 0x and 8 hex digits", quoted(word, Quote::Utf8));
        w.u32(v);
        break;
    }
    case Encoding::Rect:
    case Encoding::ClientRect: {
        const bool wide = encoding == Encoding::ClientRect;
        const std::int64_t min = wide ? std::numeric_limits<std::int32_t>::min() : -32768;
        const std::int64_t max = wide ? std::numeric_limits<std::int32_t>::max() : 32767;
        for (const char* side : {"left", "top", "width", "height"}) {
            c.skipSpaces();
            if (auto e = integer(c, min, max, std::string("a ") + side, n))
                return e;
            if (wide)
                w.u32(static_cast<std::uint32_t>(n));
            else
                w.u16(static_cast<std::uint16_t>(n));
        }
        if (auto e = literal(c, "twips"))
            return e;
        break;
    }
    case Encoding::Font: {
        model::Font font;
        if (auto e = quotedText(c, font.face))
            return e;
        c.skipSpaces();
        const Place sizePlace = c.place();
        const std::string_view size = c.word();
        // Points with up to four decimals: the record's ten-thousandths.
        const std::size_t dot = size.find('.');
        const std::string_view whole = size.substr(0, dot);
        const std::string_view fraction = dot == std::string_view::npos ? "" : size.substr(dot + 1);
        bool ok = !whole.empty() && whole.size() <= 6 && fraction.size() <= 4 &&
                  (dot == std::string_view::npos || !fraction.empty());
        // At most ten digits in all: no overflow on the way.
        std::int64_t v = 0;
        for (std::size_t i = 0; ok && i < whole.size() + 4; ++i) {
            const std::size_t f = i - whole.size();
            const char d = i < whole.size() ? whole[i] : f < fraction.size() ? fraction[f] : '0';
            ok = d >= '0' && d <= '9';
            v = v * 10 + (d - '0');
        }
        if (!ok || v > std::numeric_limits<std::int32_t>::max())
            return expected(sizePlace, "a size in points with at most 4 decimals",
                            quoted(size, Quote::Utf8));
        font.sizeTenThousandths = static_cast<std::int32_t>(v);
        if (auto e = literal(c, "pt"))
            return e;
        struct Number {
            std::string_view label;
            std::string_view what;
            std::uint16_t model::Font::*field;
        };
        for (const Number& number :
             {Number{", weight", "a weight", &model::Font::weight},
              Number{", character set", "a character set", &model::Font::charset}}) {
            if (auto e = literal(c, number.label))
                return e;
            c.skipSpaces();
            if (auto e = integer(c, 0, 65535, number.what, n))
                return e;
            font.*number.field = static_cast<std::uint16_t>(n);
        }
        for (bool model::Font::*flag :
             {&model::Font::italic, &model::Font::underline, &model::Font::strikethrough}) {
            const char* name = flag == &model::Font::italic      ? "italic"
                               : flag == &model::Font::underline ? "underline"
                                                                 : "strikethrough";
            Cursor ahead = c;
            ahead.skipSpaces();
            if (ahead.peek() != ',')
                break;
            ahead.skip();
            ahead.skipSpaces();
            if (ahead.line().substr(ahead.pos()).starts_with(name)) {
                ahead.skip(std::string_view(name).size());
                font.*flag = true;
                c = ahead;
            }
        }
        if (auto written = FontCodec::write(w, font); !written)
            return Located{at, fromExpected(written.error().message)};
        break;
    }
    case Encoding::Picture: {
        if (auto e = literal(c, "file"))
            return e;
        c.skipSpaces();
        const Place namePlace = c.place();
        std::string name;
        if (auto e = quotedText(c, name))
            return e;
        auto file = load(name);
        if (!file)
            return Located{namePlace, file.error().message};
        if (file->size() > std::numeric_limits<std::uint32_t>::max() - 8)
            return expected(namePlace, "a picture of less than 4 GiB",
                            std::to_string(file->size()) + " bytes");
        w.u32(static_cast<std::uint32_t>(file->size() + 8));
        w.bytes(rf::kPicturePreamble);
        w.u32(static_cast<std::uint32_t>(file->size()));
        w.bytes(*file);
        break;
    }
    case Encoding::Constant:
        // Four bytes as two hex digits each: "01 00 42 00".
        for (int i = 0; i < 4; ++i) {
            c.skipSpaces();
            const Place bytePlace = c.place();
            const std::string_view word = c.word();
            if (word.size() != 2 || hexDigit(word[0]) < 0 || hexDigit(word[1]) < 0)
                return expected(bytePlace, "four bytes as two hex digits each, such as 01 00 42 00",
                                word.empty() ? c.rest() : quoted(word, Quote::Utf8));
            w.u8(static_cast<std::uint8_t>(hexDigit(word[0]) * 16 + hexDigit(word[1])));
        }
        break;
    }
    out = w.take();
    return std::nullopt;
}

} // namespace shell::record::text_syntax
