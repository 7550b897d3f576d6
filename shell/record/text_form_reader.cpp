// The text form's reader: a line at a time, each block's properties spelt
// back into record bytes and read through their row of the property table,
// so that a value is held to the decoder's own checks where it is written.

#include "shell/record/byte_reader.h"
#include "shell/record/format.h"
#include "shell/record/identifier.h"
#include "shell/record/location.h"
#include "shell/record/property_table.h"
#include "shell/record/record.h"
#include "shell/record/text_form.h"
#include "shell/record/text_form_syntax.h"
#include "shell/text/codepage.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <map>
#include <optional>

namespace shell::record {

namespace {

namespace rf = format;
using namespace text_syntax;
using Bytes = std::vector<std::uint8_t>;

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
        std::array<int, 256> lineOf{}; // of each property given, by identifier; 0: none
        std::bitset<2> seenIds;        // window id, interface id
    };
    struct Block {
        Place ordinalPlace;
        Place namePlace;
        std::uint8_t ordinal;
    };

    std::optional<Located> line(std::string_view text, int number);
    std::optional<Located> blockName(Cursor& c, const char* what, std::string_view& name);
    std::optional<Located> windowLine(Cursor& c);
    std::optional<Located> controlLine(Cursor& c, int depth);
    std::optional<Located> propertyLine(Cursor& c, std::size_t equals);
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

// A block's name: an ASCII identifier no longer than the record holds.
std::optional<Located> Reader::blockName(Cursor& c, const char* what, std::string_view& name) {
    const Place at = c.place();
    name = c.word();
    if (!isIdentifier(name) || name.size() > rf::kMaxNameLength)
        return expected(at,
                        "an ASCII identifier of at most " + std::to_string(rf::kMaxNameLength) +
                            " characters as " + what,
                        quoted(name, Quote::Utf8));
    return std::nullopt;
}

std::optional<Located> Reader::windowLine(Cursor& c) {
    const Place at = c.place();
    if (c.word() != "window")
        return expected(at, "the window's line \"window NAME\"", quoted(c.line(), Quote::Utf8));
    c.skipSpaces();
    std::string_view name;
    if (auto e = blockName(c, "the window's name", name))
        return e;
    out_.window.name = std::string(name);
    haveWindow_ = true;
    windowPlace_ = at;
    open_.push_back({0, model::kWindowKindCode, {&out_.window, nullptr}, out_.window.name, {}, {}});
    return endOfLine(c);
}

std::optional<Located> Reader::controlLine(Cursor& c, int depth) {
    Open& parent = open_.back();
    const Place kindPlace = c.place();
    const std::string_view kindWord = c.word();
    std::optional<model::ControlKind> kind;
    std::string kinds;
    for (std::uint8_t code = 0; code < model::kWindowKindCode; ++code) {
        if (const auto k = model::controlKindFromCode(code)) {
            kinds += (kinds.empty() ? "" : ", ") + std::string(model::controlKindName(*k));
            if (model::controlKindName(*k) == kindWord)
                kind = k;
        }
    }
    if (!kind)
        return expected(kindPlace,
                        "a property (\"name = value\") or a control kind (" + kinds + ")",
                        quoted(kindWord, Quote::Utf8));
    if (parent.kindCode != model::kWindowKindCode &&
        parent.kindCode != static_cast<std::uint8_t>(model::ControlKind::Frame))
        return expected(kindPlace, "controls only under the window or a frame",
                        "a " + std::string(kindWord) + " under " + std::string(parent.name) +
                            ", a " + std::string(kindCodeName(parent.kindCode)));
    if (static_cast<std::size_t>(depth) > rf::kMaxDepth)
        return expected(kindPlace,
                        "at most " + std::to_string(rf::kMaxDepth) + " nested containers",
                        "a control in container " + std::to_string(depth));
    c.skipSpaces();
    const Place namePlace = c.place();
    std::string_view name;
    if (auto e = blockName(c, "the control's name", name))
        return e;
    // Unique among the controls, as the decoder has it: a control may share
    // the window's own name.
    if (const auto same = blocks_.find(name); same != blocks_.end())
        return expected(namePlace, "a name no other block in the window has",
                        "the name of the block at line " +
                            std::to_string(same->second.namePlace.line));
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

    std::vector<model::ControlDescription>& list =
        parent.fields.control ? parent.fields.control->children : out_.window.controls;
    model::ControlDescription& control = list.emplace_back();
    control.name = std::string(name);
    control.kind = *kind;
    control.ordinal = ord;
    const auto entry = blocks_.emplace(control.name, Block{ordinalPlace, namePlace, ord}).first;
    nameByOrdinal_[ord] = control.name;
    open_.push_back(
        {depth, static_cast<std::uint8_t>(*kind), {&out_.window, &control}, entry->first, {}, {}});
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

    if (block.kindCode == model::kWindowKindCode &&
        (name == "window id" || name == "interface id")) {
        const std::size_t which = name == "window id" ? 0 : 1;
        if (block.seenIds[which])
            return expected(namePlace, "each property once", "a second " + std::string(name));
        block.seenIds[which] = true;
        if (auto e = guidValue(c, which == 0 ? out_.window.windowId : out_.window.interfaceId))
            return e;
        return endOfLine(c);
    }
    const PropertyRule* rule = nullptr;
    std::string names = block.kindCode == model::kWindowKindCode ? "window id, interface id" : "";
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
    if (const int first = block.lineOf[rule->id])
        return expected(namePlace, "each property once",
                        "a second " + std::string(name) + " (the first at line " +
                            std::to_string(first) + ")");
    block.lineOf[rule->id] = namePlace.line;

    Bytes bytes;
    if (auto e = valueBytes(c, rule->encoding, load_, bytes))
        return e;
    if (auto e = endOfLine(c))
        return e;
    // Pictures stay views into these bytes.
    std::span<const std::uint8_t> stored = bytes;
    if (rule->encoding == Encoding::Picture)
        stored = out_.pictureBytes.emplace_back(std::move(bytes));
    Location where;
    ByteReader r(stored, 0, where, "value");
    text::CodePage936Reader texts;
    PropertyInput in{r, texts};
    auto ok = rule->read(in, block.fields);
    if (!ok)
        return Located{valuePlace, fromExpected(ok.error().message)};
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
