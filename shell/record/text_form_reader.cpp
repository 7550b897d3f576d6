// The text form's reader: a line at a time, each block's properties spelt
// back into record bytes and read through their row of the property table,
// so that a value is held to the decoder's own checks where it is written.

#include "shell/model/ordering.h"
#include "shell/record/byte_reader.h"
#include "shell/record/byte_writer.h"
#include "shell/record/codecs.h"
#include "shell/record/format.h"
#include "shell/record/identifier.h"
#include "shell/record/location.h"
#include "shell/record/property_table.h"
#include "shell/record/record.h"
#include "shell/record/text_batch.h"
#include "shell/record/text_form.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <limits>
#include <map>
#include <optional>

namespace shell::record {

namespace {

namespace rf = record_format;
using Bytes = std::vector<std::uint8_t>;

// A place in the text, 1-based; columns count characters, not bytes.
struct Place {
    int line = 1;
    int column = 1;
};

// One line of the text, read from left to right.
class Cursor {
public:
    Cursor(std::string_view line, int number) : line_(line), number_(number) {}

    Place place() const { return placeOf(pos_); }
    Place placeOf(std::size_t pos) const {
        int column = 1;
        for (std::size_t i = 0; i < pos && i < line_.size(); ++i)
            column += (static_cast<unsigned char>(line_[i]) & 0xC0) != 0x80;
        return {number_, column};
    }
    std::size_t pos() const { return pos_; }
    bool atEnd() const { return pos_ >= line_.size(); }
    char peek() const { return atEnd() ? '\0' : line_[pos_]; }
    void skip(std::size_t n = 1) { pos_ += n; }
    void skipSpaces() {
        while (!atEnd() && line_[pos_] == ' ')
            ++pos_;
    }
    // The rest of the line, or how it begins, for an error's "got".
    std::string rest() const {
        if (atEnd())
            return "the end of the line";
        return quoted(line_.substr(pos_, 24), Quote::Utf8);
    }
    // Characters up to a space, a comma or the end.
    std::string_view word() {
        const std::size_t start = pos_;
        while (!atEnd() && line_[pos_] != ' ' && line_[pos_] != ',')
            ++pos_;
        return line_.substr(start, pos_ - start);
    }
    std::string_view line() const { return line_; }

private:
    std::string_view line_;
    int number_;
    std::size_t pos_ = 0;
};

// An error at a place, worded "expected ..., got ..." (or a message that
// already reads so).
struct Located {
    Place place;
    std::string message;
};

Located expected(Place at, std::string_view what, std::string_view got) {
    return {at, "expected " + std::string(what) + ", got " + std::string(got)};
}

// A decoder or codec message without the record offset that means nothing
// in a text: from "expected" on.
std::string fromExpected(const std::string& message) {
    const std::size_t at = message.find(": expected ");
    return at == std::string::npos ? message : message.substr(at + 2);
}

int hexDigit(char h) {
    return h >= '0' && h <= '9'   ? h - '0'
           : h >= 'a' && h <= 'f' ? h - 'a' + 10
           : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                  : -1;
}

class Reader {
public:
    Reader(std::string_view fileName, const PictureLoader& load)
        : fileName_(fileName), load_(load) {}

    Expected<TextFormWindow> run(std::string_view text);

private:
    struct Open {
        int depth;
        std::uint8_t kindCode;
        Fields fields;
        std::string_view name;
        std::bitset<256> seen;              // property identifiers given
        std::bitset<2> seenIds;             // window id, interface id
        std::map<std::uint8_t, int> lineOf; // of each property, for duplicates
    };
    struct Block {
        Place ordinalPlace;
        Place namePlace;
        std::uint8_t ordinal;
    };

    std::optional<Located> line(std::string_view text, int number);
    std::optional<Located> windowLine(Cursor& c);
    std::optional<Located> controlLine(Cursor& c, int depth);
    std::optional<Located> propertyLine(Cursor& c, std::size_t equals);
    std::optional<Located> guidValue(Cursor& c, Guid& out);
    std::optional<Located> value(Cursor& c, const PropertyRule& rule, Bytes& out);
    std::optional<Located> endOfLine(Cursor& c);
    std::optional<Located> checkOrdinals();

    Error fail(const Located& e) const {
        return Error{std::string(fileName_) + ":" + std::to_string(e.place.line) + ":" +
                     std::to_string(e.place.column) + ": " + e.message};
    }

    std::string_view fileName_;
    const PictureLoader& load_;
    TextFormWindow out_;
    bool haveWindow_ = false;
    Place windowPlace_;
    std::vector<Open> open_;
    std::map<std::string, Block, std::less<>> blocks_;
    std::map<std::uint8_t, std::string> nameByOrdinal_;
};

std::optional<Located> Reader::line(std::string_view text, int number) {
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    Cursor c(text, number);
    c.skipSpaces();
    if (c.atEnd() || c.peek() == '#')
        return std::nullopt;
    if (c.peek() == '\t')
        return expected(c.place(), "spaces before the line's text", "a tab");
    const std::size_t indent = c.pos();
    if (indent % 2 != 0)
        return expected(c.place(), "an indent of an even number of spaces",
                        std::to_string(indent) + " spaces");
    const int depth = static_cast<int>(indent / 2);
    if (!haveWindow_) {
        if (depth != 0)
            return expected(c.place(), "the window's line \"window NAME\" first, not indented",
                            std::to_string(indent) + " spaces");
        return windowLine(c);
    }
    if (depth == 0)
        return expected(c.place(), "one window, its lines indented under it",
                        "a second line at the left margin");
    while (open_.back().depth >= depth)
        open_.pop_back();
    if (depth > open_.back().depth + 1)
        return expected(c.place(),
                        "an indent of at most " + std::to_string((open_.back().depth + 1) * 2) +
                            " spaces",
                        std::to_string(indent));
    // A property has a "=" after its name; a control's line has none.
    const std::size_t equals = c.line().find('=');
    if (equals != std::string_view::npos &&
        c.line().substr(0, equals).find('"') == std::string_view::npos)
        return propertyLine(c, equals);
    return controlLine(c, depth);
}

std::optional<Located> Reader::windowLine(Cursor& c) {
    const Place at = c.place();
    if (c.word() != "window")
        return expected(at, "the window's line \"window NAME\"", quoted(c.line(), Quote::Utf8));
    c.skipSpaces();
    const Place namePlace = c.place();
    const std::string_view name = c.word();
    if (!isIdentifier(name) || name.size() > rf::kMaxNameLength)
        return expected(namePlace,
                        "an ASCII identifier of at most " + std::to_string(rf::kMaxNameLength) +
                            " characters as the window's name",
                        quoted(name, Quote::Utf8));
    out_.window.name = std::string(name);
    haveWindow_ = true;
    windowPlace_ = at;
    open_.push_back({0, kWindowKindCode, {&out_.window, nullptr}, out_.window.name, {}, {}, {}});
    return endOfLine(c);
}

std::optional<Located> Reader::controlLine(Cursor& c, int depth) {
    Open& parent = open_.back();
    const Place kindPlace = c.place();
    const std::string_view kindWord = c.word();
    std::optional<ControlKind> kind;
    std::string kinds;
    for (std::uint8_t code = 0; code < kWindowKindCode; ++code) {
        if (const auto k = controlKindFromCode(code)) {
            kinds += (kinds.empty() ? "" : ", ") + std::string(controlKindName(*k));
            if (controlKindName(*k) == kindWord)
                kind = k;
        }
    }
    if (!kind)
        return expected(kindPlace,
                        "a property (\"name = value\") or a control kind (" + kinds + ")",
                        quoted(kindWord, Quote::Utf8));
    if (parent.kindCode != kWindowKindCode &&
        parent.kindCode != static_cast<std::uint8_t>(ControlKind::Frame))
        return expected(kindPlace, "controls only under the window or a frame",
                        "a " + std::string(kindWord) + " under " + std::string(parent.name) +
                            ", a " + std::string(kindCodeName(parent.kindCode)));
    if (static_cast<std::size_t>(depth) > rf::kMaxDepth)
        return expected(kindPlace,
                        "at most " + std::to_string(rf::kMaxDepth) + " nested containers",
                        "a control in container " + std::to_string(depth));
    c.skipSpaces();
    const Place namePlace = c.place();
    const std::string_view name = c.word();
    if (!isIdentifier(name) || name.size() > rf::kMaxNameLength)
        return expected(namePlace,
                        "an ASCII identifier of at most " + std::to_string(rf::kMaxNameLength) +
                            " characters as the control's name",
                        quoted(name, Quote::Utf8));
    if (const auto same = blocks_.find(name); same != blocks_.end() || name == out_.window.name)
        return expected(namePlace, "a name no other block in the window has",
                        "the name of the block at line " +
                            std::to_string(same != blocks_.end() ? same->second.namePlace.line
                                                                 : windowPlace_.line));
    c.skipSpaces();
    const Place wordPlace = c.place();
    if (c.word() != "ordinal")
        return expected(wordPlace, "\"ordinal\" after the control's name", c.rest());
    c.skipSpaces();
    const Place ordinalPlace = c.place();
    const std::string_view number = c.word();
    int ordinal = 0;
    for (const char ch : number)
        ordinal = (ch >= '0' && ch <= '9' && ordinal < 1000) ? ordinal * 10 + (ch - '0') : 1000;
    if (number.empty() || ordinal < 1 || ordinal > 255)
        return expected(ordinalPlace, "an ordinal from 1 to 255", quoted(number, Quote::Utf8));
    const auto ord = static_cast<std::uint8_t>(ordinal);
    if (const auto other = nameByOrdinal_.find(ord); other != nameByOrdinal_.end())
        return expected(ordinalPlace, "an ordinal no other control has",
                        std::to_string(ordinal) + ", already the ordinal of " + other->second);
    if (auto end = endOfLine(c))
        return end;

    std::vector<ControlDescription>& list =
        parent.fields.control ? parent.fields.control->children : out_.window.controls;
    ControlDescription& control = list.emplace_back();
    control.name = std::string(name);
    control.kind = *kind;
    control.ordinal = ord;
    const auto [entry, inserted] =
        blocks_.emplace(control.name, Block{ordinalPlace, namePlace, ord});
    nameByOrdinal_[ord] = control.name;
    open_.push_back({depth,
                     static_cast<std::uint8_t>(*kind),
                     {&out_.window, &control},
                     entry->first,
                     {},
                     {},
                     {}});
    return std::nullopt;
}

std::optional<Located> Reader::propertyLine(Cursor& c, std::size_t equals) {
    Open& block = open_.back();
    const Place namePlace = c.place();
    std::string_view name = c.line().substr(c.pos(), equals - c.pos());
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    c.skip(equals - c.pos() + 1);
    c.skipSpaces();
    const Place valuePlace = c.place();

    if (block.kindCode == kWindowKindCode && (name == "window id" || name == "interface id")) {
        const std::size_t which = name == "window id" ? 0 : 1;
        if (block.seenIds[which])
            return expected(namePlace, "each property once", "a second " + std::string(name));
        block.seenIds[which] = true;
        if (auto e = guidValue(c, which == 0 ? out_.window.windowId : out_.window.interfaceId))
            return e;
        return endOfLine(c);
    }
    const PropertyRule* rule = nullptr;
    std::string names = block.kindCode == kWindowKindCode ? "window id, interface id" : "";
    for (const PropertyRule& r : propertyRules(block.kindCode)) {
        names += (names.empty() ? "" : ", ") + std::string(r.name);
        if (r.name == name)
            rule = &r;
    }
    if (!rule)
        return expected(namePlace,
                        "a property of a " + std::string(kindCodeName(block.kindCode)) + " (" +
                            names + ")",
                        quoted(name, Quote::Utf8));
    if (block.seen[rule->id])
        return expected(namePlace, "each property once",
                        "a second " + std::string(name) + " (the first at line " +
                            std::to_string(block.lineOf[rule->id]) + ")");
    block.seen[rule->id] = true;
    block.lineOf[rule->id] = namePlace.line;

    Bytes bytes;
    if (auto e = value(c, *rule, bytes))
        return e;
    if (auto e = endOfLine(c))
        return e;
    // Pictures stay views into these bytes.
    std::span<const std::uint8_t> stored = bytes;
    if (rule->encoding == Encoding::Picture)
        stored = out_.pictureBytes.emplace_back(std::move(bytes));
    Location where;
    ByteReader r(stored, 0, where, "value");
    TextBatch texts;
    PropertyInput in{r, texts};
    auto ok = rule->read(in, block.fields);
    if (ok)
        ok = texts.convert();
    if (!ok)
        return Located{valuePlace, fromExpected(ok.error().message)};
    return std::nullopt;
}

std::optional<Located> Reader::endOfLine(Cursor& c) {
    c.skipSpaces();
    if (c.atEnd() || c.peek() == '#')
        return std::nullopt;
    return expected(c.place(), "the end of the line", c.rest());
}

// "{8 hex digits-4-4-4-12}"
std::optional<Located> Reader::guidValue(Cursor& c, Guid& out) {
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
        const char* simple = e == 'n'    ? "\n"
                             : e == 'r'  ? "\r"
                             : e == 't'  ? "\t"
                             : e == '"'  ? "\""
                             : e == '\\' ? "\\"
                                         : nullptr;
        if (simple) {
            out += simple;
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

std::optional<Located> Reader::value(Cursor& c, const PropertyRule& rule, Bytes& out) {
    ByteWriter w;
    std::int64_t n = 0;
    const Place at = c.place();
    switch (rule.encoding) {
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
        const bool wide = rule.encoding == Encoding::ClientRect;
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
        Font font;
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
        if (auto e = literal(c, ", weight"))
            return e;
        c.skipSpaces();
        if (auto e = integer(c, 0, 65535, "a weight", n))
            return e;
        font.weight = static_cast<std::uint16_t>(n);
        if (auto e = literal(c, ", character set"))
            return e;
        c.skipSpaces();
        if (auto e = integer(c, 0, 65535, "a character set", n))
            return e;
        font.charset = static_cast<std::uint16_t>(n);
        for (bool Font::*flag : {&Font::italic, &Font::underline, &Font::strikethrough}) {
            const char* name = flag == &Font::italic      ? "italic"
                               : flag == &Font::underline ? "underline"
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
        auto file = load_(name);
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

std::optional<Located> Reader::checkOrdinals() {
    const std::size_t count = blocks_.size();
    for (const auto& [name, block] : blocks_)
        if (block.ordinal > count)
            return expected(block.ordinalPlace,
                            "an ordinal from 1 to " + std::to_string(count) +
                                " (the number of controls)",
                            std::to_string(block.ordinal));
    return std::nullopt;
}

Expected<TextFormWindow> Reader::run(std::string_view text) {
    int number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (auto e = line(text.substr(start, end - start), ++number))
            return fail(*e);
        start = end + 1;
    }
    if (!haveWindow_)
        return fail(
            expected({number + 1, 1}, "the window's line \"window NAME\"", "the end of the text"));
    if (auto e = checkOrdinals())
        return fail(*e);
    // What the lines could not show wrong on their own, the encoder and the
    // decoder find for the window as a whole.
    const auto record = encodeRecord(out_.window);
    if (!record)
        return fail({windowPlace_, record.error().message});
    const auto back = decodeRecord(*record);
    if (!back || !(*back == out_.window))
        return fail(
            {windowPlace_, "expected a window that decodes as read, got " +
                               (back ? std::string("another window") : back.error().message)});
    return std::move(out_);
}

} // namespace

Expected<TextFormWindow> readTextForm(std::string_view text, std::string_view fileName,
                                      const PictureLoader& loadPicture) {
    return Reader(fileName, loadPicture).run(text);
}

} // namespace shell::record
