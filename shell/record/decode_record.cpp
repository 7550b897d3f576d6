#include "shell/model/picture_check.h"
#include "shell/record/byte_reader.h"
#include "shell/record/guid_text.h"
#include "shell/record/location.h"
#include "shell/record/property_table.h"
#include "shell/record/record.h"
#include "shell/record/value_bounds.h"
#include "shell/text/codepage.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

namespace {

using record::ByteReader;
using record::Encoding;
using record::Field;
using record::hexByte;
using record::hexNumber;
using record::Location;
using record::PropertyRule;
namespace rf = record_format;

// Length field, ordinal, name length, a one-letter name, its terminator,
// kind and the closing 0xFF.
constexpr std::size_t kMinBlockLength = 4 + 1 + 2 + 1 + 1 + 1 + 1;

// Which bytes may start a name (1) and which may follow (2 or 1).
constexpr std::array<std::uint8_t, 256> kIdentifierBytes = [] {
    std::array<std::uint8_t, 256> t{};
    for (int c = 'A'; c <= 'Z'; ++c)
        t[static_cast<std::size_t>(c)] = 3;
    for (int c = 'a'; c <= 'z'; ++c)
        t[static_cast<std::size_t>(c)] = 3;
    for (int c = '0'; c <= '9'; ++c)
        t[static_cast<std::size_t>(c)] = 2;
    t['_'] = 2;
    return t;
}();

bool isIdentifier(std::span<const std::uint8_t> name) {
    if (name.empty() || (kIdentifierBytes[name[0]] & 1) == 0)
        return false;
    for (const std::uint8_t c : name.subspan(1))
        if (kIdentifierBytes[c] == 0)
            return false;
    return true;
}

// Bytes shown in a message: printable ASCII as is, anything else as \xNN.
std::string quoted(std::span<const std::uint8_t> bytes) {
    std::string out = "\"";
    for (const std::uint8_t c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            out += static_cast<char>(c);
        } else {
            static constexpr char digits[] = "0123456789abcdef";
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 0xF];
        }
    }
    out += '"';
    return out;
}

std::string byteList(std::span<const std::uint8_t> bytes) {
    std::string out;
    for (const std::uint8_t b : bytes) {
        static constexpr char digits[] = "0123456789abcdef";
        if (!out.empty())
            out += ' ';
        out += digits[b >> 4];
        out += digits[b & 0xF];
    }
    return out;
}

std::string_view asText(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

class Decoder {
public:
    explicit Decoder(std::span<const std::uint8_t> record) : record_(record) {}

    Expected<WindowDescription> run();

private:
    // Control names by hash, open addressing: at most 255 names in 512
    // slots, each holding the ordinal of the block with that name (0: free).
    static constexpr std::size_t kNameSlots = 512;

    Expected<bool> readHeader(ByteReader& r);
    // Reads the block at r's position into the window (first block) or into
    // a new control at the end of `list`.
    Expected<bool> readBlock(ByteReader& r, std::vector<ControlDescription>* list);
    Expected<bool> readProperty(ByteReader& block, const PropertyRule& rule,
                                ControlDescription* control);
    // Reads a text into `target`, which belongs to the window or to the
    // control read last; `field` says which (for a font: its face).
    Expected<bool> readText(ByteReader& block, Field field, std::string& target);
    // Stores text bytes as `target`: ASCII at once, anything else queued
    // for convertTexts.
    void setText(std::span<const std::uint8_t> bytes, std::size_t offset, Field field,
                 std::string& target);
    // Converts the queued texts in one pass and stores them.
    Expected<bool> convertTexts();
    Expected<bool> readBoolean(ByteReader& block, bool& out);
    Expected<std::uint8_t> readSmallInt(ByteReader& block, std::uint8_t maxValue);
    Expected<Font> readFont(ByteReader& block);
    Expected<Picture> readPicture(ByteReader& block);
    Expected<ClientRect> readClientRect(ByteReader& block);
    Expected<bool> checkConstant(ByteReader& block);
    Expected<bool> readStructure(ByteReader& r);
    // Notes the block's name, failing if another block has it already.
    Expected<bool> noteName(std::size_t nameOffset);

    Error fail(std::size_t offset, std::string_view expected, std::string_view got) const {
        return record::errorAt(where_, offset, expected, got);
    }

    std::span<const std::uint8_t> record_;
    Location where_;
    WindowDescription window_;
    std::uint8_t headerCount_ = 0;
    std::size_t controlsRead_ = 0;
    std::array<std::string_view, 256> nameByOrdinal_{}; // empty: ordinal not used yet
    std::array<std::uint8_t, kNameSlots> nameSlots_{};

    // Texts are converted all at once at the end: one iconv call for the
    // whole record instead of one per text. Each knows its place by the
    // order its control was read in, which is the tree's depth-first order,
    // since vectors may still move while the tree grows.
    static constexpr std::size_t kWindowText = SIZE_MAX;
    struct PendingText {
        std::span<const std::uint8_t> bytes;
        std::size_t offset;  // of bytes[0] in the record
        Location where;      // for an error
        std::size_t control; // index in reading order, or kWindowText
        Field field;
    };

    // Working lists kept from one decode to the next on the same thread, so
    // that a decode allocates only what it hands back.
    struct Scratch {
        std::vector<PendingText> pending;
        std::vector<ControlDescription*> inReadingOrder;
        std::vector<std::span<const std::uint8_t>> texts;
        std::vector<std::string*> targets;
    };
    static Scratch& scratch() {
        thread_local Scratch lists;
        return lists;
    }
    Scratch& scratch_ = scratch();
    std::vector<PendingText>& pending_ = scratch_.pending;
};

Expected<WindowDescription> Decoder::run() {
    ByteReader r(record_, 0, where_, "record");
    if (auto ok = readHeader(r); !ok)
        return ok.error();
    pending_.clear();
    pending_.reserve(headerCount_ + 2u);
    auto ok = readBlock(r, nullptr);
    if (ok)
        ok = readStructure(r);
    // Texts read before a failure lie before it: a bad one among them is
    // the first error.
    if (auto texts = convertTexts(); !texts)
        return texts.error();
    if (!ok)
        return ok.error();
    return std::move(window_);
}

Expected<bool> Decoder::readHeader(ByteReader& r) {
    where_ = Location{Location::Part::Header};
    if (record_.size() < rf::kHeaderSize)
        return fail(0, "a record of at least " + std::to_string(rf::kHeaderSize) + " bytes",
                    std::to_string(record_.size()) + " bytes");
    auto header = r.take(rf::kHeaderSize, 1, "header");
    if (!header)
        return r.takeError();
    const auto h = *header;

    if (h[0] != rf::kLeadByte)
        return fail(0, "0xff", hexByte(h[0]));
    const auto magic = h.subspan(1, rf::kHeaderMagic.size());
    if (!std::equal(magic.begin(), magic.end(), rf::kHeaderMagic.begin()))
        return fail(1, "cc 31 00", byteList(magic));
    headerCount_ = h[rf::kCountOffset];
    window_.windowId = record::guidFromBytes(h.subspan<rf::kWindowIdOffset, 16>());
    window_.interfaceId = record::guidFromBytes(h.subspan<rf::kInterfaceIdOffset, 16>());
    const Guid classId = record::guidFromBytes(h.subspan<rf::kClassIdOffset, 16>());
    if (classId != rf::kWindowClassId)
        return fail(rf::kClassIdOffset,
                    "the window class id " + record::guidText(rf::kWindowClassId),
                    record::guidText(classId));
    for (std::size_t i = rf::kZeroOffset; i < rf::kZeroOffset + rf::kZeroSize; ++i)
        if (h[i] != 0)
            return fail(i,
                        "0x00 (reserved header bytes " + std::to_string(rf::kZeroOffset) + " to " +
                            std::to_string(rf::kZeroOffset + rf::kZeroSize - 1) + ")",
                        hexByte(h[i]));
    const std::uint64_t length =
        static_cast<std::uint64_t>(h[89]) | (static_cast<std::uint64_t>(h[90]) << 8) |
        (static_cast<std::uint64_t>(h[91]) << 16) | (static_cast<std::uint64_t>(h[92]) << 24);
    if (length + rf::kLengthOffset != record_.size())
        return fail(rf::kLengthOffset,
                    "a length of " + std::to_string(record_.size() - rf::kLengthOffset) +
                        " (the record's " + std::to_string(record_.size()) + " bytes minus " +
                        std::to_string(rf::kLengthOffset) + ")",
                    std::to_string(length));
    window_.controls.reserve(headerCount_);
    return true;
}

Expected<bool> Decoder::readBlock(ByteReader& r, std::vector<ControlDescription>* list) {
    const bool isWindow = list == nullptr;
    where_ = Location{Location::Part::Block};
    r.setLocation(where_);
    const std::size_t start = r.offset();
    auto length = r.u32("block length");
    if (!length)
        return r.takeError();
    // The length counts its own four bytes, which r has just read.
    if (*length < kMinBlockLength || *length - 4 > r.remaining())
        return fail(start,
                    "a block length from " + std::to_string(kMinBlockLength) + " to " +
                        std::to_string(r.remaining() + 4) + " (the bytes left in the record)",
                    std::to_string(*length));
    auto sub = r.sub(*length - 4, "block", "block");
    if (!sub)
        return r.takeError();
    ByteReader& block = *sub;

    const std::size_t ordinalOffset = block.offset();
    auto ordinal = block.u8("ordinal");
    if (!ordinal)
        return block.takeError();
    const std::size_t nameLengthOffset = block.offset();
    auto nameLength = block.u16("name length");
    if (!nameLength)
        return block.takeError();
    if (*nameLength == 0 || *nameLength > rf::kMaxNameLength)
        return fail(nameLengthOffset,
                    "a name length from 1 to " + std::to_string(rf::kMaxNameLength),
                    std::to_string(*nameLength));
    const std::size_t nameOffset = block.offset();
    auto name = block.take(*nameLength, 1, "name");
    if (!name)
        return block.takeError();
    if (!isIdentifier(*name))
        return fail(nameOffset, "an ASCII identifier as the name", quoted(*name));
    where_.blockName = asText(*name);
    where_.ordinal = *ordinal;

    auto terminator = block.u8("name terminator");
    if (!terminator)
        return block.takeError();
    if (*terminator != 0)
        return fail(block.offset() - 1, "0x00 ending the name", hexByte(*terminator));

    const std::size_t closing = start + *length - 1;
    if (record_[closing] != rf::kEndOfProperties)
        return fail(closing, "0xff closing the block", hexByte(record_[closing]));

    if (isWindow) {
        if (*ordinal != 0)
            return fail(ordinalOffset, "ordinal 0 for the window's block",
                        std::to_string(*ordinal));
    } else {
        if (*ordinal == 0 || *ordinal > headerCount_)
            return fail(ordinalOffset,
                        "an ordinal from 1 to " + std::to_string(headerCount_) +
                            " (the header's control count)",
                        std::to_string(*ordinal));
        if (!nameByOrdinal_[*ordinal].empty())
            return fail(ordinalOffset, "an ordinal no other block has",
                        std::to_string(*ordinal) + ", already the ordinal of block " +
                            std::string(nameByOrdinal_[*ordinal]));
        if (auto ok = noteName(nameOffset); !ok)
            return ok;
        nameByOrdinal_[*ordinal] = where_.blockName;
    }

    const std::size_t kindOffset = block.offset();
    auto kindCode = block.u8("kind");
    if (!kindCode)
        return block.takeError();
    ControlDescription* control = nullptr;
    if (isWindow) {
        if (*kindCode != kWindowKindCode)
            return fail(kindOffset, "kind 13 (window) in the first block",
                        std::to_string(*kindCode));
        window_.name = std::string(where_.blockName);
    } else {
        const auto kind = controlKindFromCode(*kindCode);
        if (!kind)
            return fail(kindOffset, "a control kind (0 to 6, 9 or 10)",
                        std::to_string(*kindCode) +
                            (*kindCode == kWindowKindCode ? " (the window's kind)" : ""));
        control = &list->emplace_back();
        control->name = std::string(where_.blockName);
        control->kind = *kind;
        control->ordinal = *ordinal;
        ++controlsRead_;
    }

    int previous = -1;
    for (;;) {
        where_.property = -1;
        where_.propertyName = {};
        const std::size_t idOffset = block.offset();
        auto id = block.u8("property identifier");
        if (!id)
            return block.takeError();
        if (*id == rf::kEndOfProperties) {
            if (!block.atEnd())
                return fail(idOffset,
                            "the properties to end at the block's closing 0xff at offset " +
                                hexNumber(closing),
                            "0xff with " + std::to_string(block.remaining()) +
                                " bytes of the block left");
            break;
        }
        if (*id <= previous)
            return fail(idOffset,
                        "a property identifier above " +
                            hexByte(static_cast<std::uint8_t>(previous)) + " (ascending order)",
                        hexByte(*id));
        const PropertyRule* rule = record::findPropertyRule(*kindCode, *id);
        if (!rule) {
            std::string known;
            for (const PropertyRule& r2 : record::propertyRules(*kindCode))
                known += (known.empty() ? "" : ", ") + hexByte(r2.id);
            return fail(idOffset,
                        "a property identifier of a " +
                            std::string(record::kindCodeName(*kindCode)) + " (" + known + ")",
                        hexByte(*id));
        }
        where_.property = *id;
        where_.propertyName = rule->name;
        if (auto ok = readProperty(block, *rule, control); !ok)
            return ok.error();
        previous = *id;
    }
    where_.property = -1;
    where_.propertyName = {};
    return true;
}

Expected<bool> Decoder::noteName(std::size_t nameOffset) {
    // Names of one window differ mostly in their length and last
    // characters ("Command12", "Label3"); that is all the hash looks at, and
    // probing sorts out the rest.
    const std::string_view name = where_.blockName;
    const std::size_t n = name.size();
    const std::size_t h = n * 31u + static_cast<std::uint8_t>(name[n - 1]) * 7u +
                          static_cast<std::uint8_t>(name[n > 1 ? n - 2 : 0]) * 131u +
                          static_cast<std::uint8_t>(name[0]);
    for (std::size_t slot = h % kNameSlots;; slot = (slot + 1) % kNameSlots) {
        const std::uint8_t other = nameSlots_[slot];
        if (other == 0) {
            nameSlots_[slot] = static_cast<std::uint8_t>(where_.ordinal);
            return true;
        }
        if (nameByOrdinal_[other] == where_.blockName)
            return fail(nameOffset, "a name no other block in the window has",
                        "the name of block " + std::string(where_.blockName) + " (ordinal " +
                            std::to_string(other) + ")");
    }
}

Expected<bool> Decoder::readText(ByteReader& block, Field field, std::string& target) {
    auto length = block.u16("text length");
    if (!length)
        return block.takeError();
    const std::size_t textOffset = block.offset();
    auto bytes = block.take(*length, 1, "text");
    if (!bytes)
        return block.takeError();
    if (const void* nul = std::memchr(bytes->data(), 0, bytes->size()))
        return fail(textOffset + static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) -
                                                          bytes->data()),
                    "a text without 0x00 bytes", "0x00 inside it");
    auto terminator = block.u8("text terminator");
    if (!terminator)
        return block.takeError();
    if (*terminator != 0)
        return fail(block.offset() - 1, "0x00 ending the text", hexByte(*terminator));
    setText(*bytes, textOffset, field, target);
    return true;
}

void Decoder::setText(std::span<const std::uint8_t> bytes, std::size_t offset, Field field,
                      std::string& target) {
    if (text::isAscii(bytes)) {
        target.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return;
    }
    target.clear();
    const bool ofWindow = field == Field::WindowCaption || field == Field::LinkTopic;
    pending_.push_back({bytes, offset, where_, ofWindow ? kWindowText : controlsRead_ - 1, field});
}

Expected<bool> Decoder::convertTexts() {
    if (pending_.empty())
        return true;
    std::vector<ControlDescription*>& inReadingOrder = scratch_.inReadingOrder;
    inReadingOrder.clear();
    const auto collect = [&](auto& self, std::vector<ControlDescription>& list) -> void {
        for (ControlDescription& c : list) {
            inReadingOrder.push_back(&c);
            self(self, c.children);
        }
    };
    collect(collect, window_.controls);

    std::vector<std::span<const std::uint8_t>>& texts = scratch_.texts;
    std::vector<std::string*>& targets = scratch_.targets;
    texts.clear();
    targets.clear();
    for (const PendingText& p : pending_) {
        std::string* target = nullptr;
        if (p.control == kWindowText) {
            target = p.field == Field::WindowCaption ? &window_.caption : &window_.linkTopic;
        } else {
            ControlDescription& c = *inReadingOrder[p.control];
            target = p.field == Field::Font ? &c.font->face : &*c.caption;
        }
        texts.push_back(p.bytes);
        targets.push_back(target);
    }
    std::size_t failedText = 0;
    std::size_t failedAt = 0;
    if (auto ok = text::appendManyGbkAsUtf8(texts, targets, failedText, failedAt); !ok) {
        const PendingText& p = pending_[failedText];
        return Error{p.where.describe() + " at offset " + hexNumber(p.offset + failedAt) + ": " +
                     ok.error().message};
    }
    return true;
}

Expected<bool> Decoder::readBoolean(ByteReader& block, bool& out) {
    auto b = block.u8("boolean");
    if (!b)
        return block.takeError();
    if (*b != 0x00 && *b != 0xFF)
        return fail(block.offset() - 1, "0x00 or 0xff", hexByte(*b));
    out = *b == 0xFF;
    return true;
}

Expected<std::uint8_t> Decoder::readSmallInt(ByteReader& block, std::uint8_t maxValue) {
    auto b = block.u8("value");
    if (!b)
        return block.takeError();
    if (*b > maxValue)
        return fail(block.offset() - 1, "a value from 0 to " + std::to_string(maxValue),
                    std::to_string(*b));
    return *b;
}

Expected<bool> Decoder::checkConstant(ByteReader& block) {
    const std::size_t at = block.offset();
    auto v = block.u32("drawing setting");
    if (!v)
        return block.takeError();
    if (*v != kStandardDrawingSetting)
        return fail(at, "01 00 42 00", byteList(record_.subspan(at, 4)));
    return true;
}

Expected<Font> Decoder::readFont(ByteReader& block) {
    Font font;
    const std::size_t versionOffset = block.offset();
    auto version = block.u8("font version");
    if (!version)
        return block.takeError();
    if (*version != rf::kFontVersion)
        return fail(versionOffset, "font version 0x01", hexByte(*version));
    auto charset = block.u16("font character set");
    if (!charset)
        return block.takeError();
    font.charset = *charset;
    auto flags = block.u8("font flags");
    if (!flags)
        return block.takeError();
    constexpr std::uint8_t known = rf::kFontItalic | rf::kFontUnderline | rf::kFontStrikethrough;
    if ((*flags & ~known) != 0)
        return fail(block.offset() - 1, "font flags within 0x0e (italic, underline, strikethrough)",
                    hexByte(*flags));
    font.italic = (*flags & rf::kFontItalic) != 0;
    font.underline = (*flags & rf::kFontUnderline) != 0;
    font.strikethrough = (*flags & rf::kFontStrikethrough) != 0;
    const std::size_t weightOffset = block.offset();
    auto weight = block.u16("font weight");
    if (!weight)
        return block.takeError();
    if (!record::kFontWeight.contains(*weight))
        return fail(weightOffset, "a font weight " + record::kFontWeight.describe(),
                    std::to_string(*weight));
    font.weight = *weight;
    const std::size_t sizeOffset = block.offset();
    auto size = block.i32("font size");
    if (!size)
        return block.takeError();
    if (!record::kFontSize.contains(*size))
        return fail(sizeOffset, "a font size " + record::kFontSize.describe(),
                    std::to_string(*size));
    font.sizeTenThousandths = *size;
    const std::size_t nameLengthOffset = block.offset();
    auto nameLength = block.u8("font name length");
    if (!nameLength)
        return block.takeError();
    if (*nameLength == 0 || *nameLength > rf::kMaxFontNameLength)
        return fail(nameLengthOffset,
                    "a font name length from 1 to " + std::to_string(rf::kMaxFontNameLength),
                    std::to_string(*nameLength));
    const std::size_t nameOffset = block.offset();
    auto name = block.take(*nameLength, 1, "font name");
    if (!name)
        return block.takeError();
    if (std::memchr(name->data(), 0, name->size()))
        return fail(nameOffset, "a font name without 0x00 bytes", quoted(*name));
    // The face is queued against the control, which takes the font below.
    setText(*name, nameOffset, Field::Font, font.face);
    return font;
}

Expected<ClientRect> Decoder::readClientRect(ByteReader& block) {
    struct Side {
        std::int32_t ClientRect::*value;
        const char* name;
        const record::ValueRange& range;
    };
    static constexpr Side kSides[] = {
        {&ClientRect::left, "client left", record::kClientPosition},
        {&ClientRect::top, "client top", record::kClientPosition},
        {&ClientRect::width, "client width", record::kClientSize},
        {&ClientRect::height, "client height", record::kClientSize},
    };
    ClientRect rect;
    for (const Side& side : kSides) {
        const std::size_t at = block.offset();
        auto value = block.i32("client rectangle");
        if (!value)
            return block.takeError();
        if (!side.range.contains(*value))
            return fail(at, std::string("a ") + side.name + " " + side.range.describe(),
                        std::to_string(*value));
        rect.*side.value = *value;
    }
    return rect;
}

Expected<Picture> Decoder::readPicture(ByteReader& block) {
    const std::size_t lengthOffset = block.offset();
    auto n = block.u32("picture length");
    if (!n)
        return block.takeError();
    if (*n < rf::kPicturePreamble.size() + 4)
        return fail(lengthOffset, "a picture length of at least 8", std::to_string(*n));
    auto sub = block.sub(*n, "picture", "picture");
    if (!sub)
        return block.takeError();
    ByteReader& picture = *sub;
    const std::size_t preambleOffset = picture.offset();
    auto preamble = picture.take(rf::kPicturePreamble.size(), 1, "picture preamble");
    if (!preamble)
        return picture.takeError();
    if (!std::equal(preamble->begin(), preamble->end(), rf::kPicturePreamble.begin()))
        return fail(preambleOffset, "the picture preamble 6c 74 00 00", byteList(*preamble));
    const std::size_t fileLengthOffset = picture.offset();
    auto m = picture.u32("picture file length");
    if (!m)
        return picture.takeError();
    if (static_cast<std::uint64_t>(*m) + 8 != *n)
        return fail(fileLengthOffset,
                    "a file length of " + std::to_string(*n - 8) +
                        " (the picture's length minus 8)",
                    std::to_string(*m));
    const std::size_t fileOffset = picture.offset();
    auto file = picture.take(*m, 1, "picture file");
    if (!file)
        return picture.takeError();
    Picture result{*file};
    if (result.format() == Picture::Format::Unknown)
        return fail(fileOffset, "a bitmap file (42 4d) or an icon file (00 00 01 00)",
                    file->empty() ? std::string("an empty file")
                                  : byteList(file->first(std::min<std::size_t>(4, file->size()))));
    // Drawn as stored or not at all: a picture must agree with its headers.
    if (const auto fault = findPictureFault(*file))
        return fail(fileOffset + fault->offset, fault->expected, fault->got);
    return result;
}

Expected<bool> Decoder::readProperty(ByteReader& block, const PropertyRule& rule,
                                     ControlDescription* control) {
    WindowDescription& w = window_;
    switch (rule.encoding) {
    case Encoding::Text: {
        std::string& target = rule.field == Field::WindowCaption ? w.caption
                              : rule.field == Field::LinkTopic   ? w.linkTopic
                                                                 : control->caption.emplace();
        return readText(block, rule.field, target);
    }
    case Encoding::Boolean: {
        bool value = false;
        if (auto ok = readBoolean(block, value); !ok)
            return ok;
        switch (rule.field) {
        case Field::HelpButton:
            w.helpButton = value;
            break;
        case Field::MaxButton:
            w.maxButton = value;
            break;
        case Field::MinButton:
            w.minButton = value;
            break;
        case Field::ShowInTaskbar:
            w.showInTaskbar = value;
            break;
        default: // Field::OptionValue
            control->value = value ? 1 : 0;
            break;
        }
        return true;
    }
    case Encoding::SmallInt: {
        auto value = readSmallInt(block, rule.maxValue);
        if (!value)
            return value.error();
        switch (rule.field) {
        case Field::BorderStyle:
            w.borderStyle = *value;
            break;
        case Field::StartUpPosition:
            w.startUpPosition = *value;
            break;
        case Field::PictureBorder:
            control->border = static_cast<PictureBorder>(*value);
            break;
        default: // Field::CheckValue
            control->value = *value;
            break;
        }
        return true;
    }
    case Encoding::Word: {
        auto value = block.u16("tab index");
        if (!value)
            return block.takeError();
        control->tabIndex = *value;
        return true;
    }
    case Encoding::Colour: {
        auto value = block.u32("colour");
        if (!value)
            return block.takeError();
        (rule.field == Field::BackColour ? control->backColour : control->foreColour) =
            Colour{*value};
        return true;
    }
    case Encoding::Rect: {
        auto bytes = block.take(4, 2, "rectangle");
        if (!bytes)
            return block.takeError();
        const auto at = [&](std::size_t i) {
            return static_cast<std::int16_t>((*bytes)[2 * i] | ((*bytes)[2 * i + 1] << 8));
        };
        control->rect = TwipRect{at(0), at(1), at(2), at(3)};
        return true;
    }
    case Encoding::ClientRect: {
        auto rect = readClientRect(block);
        if (!rect)
            return rect.error();
        w.client = *rect;
        return true;
    }
    case Encoding::Font: {
        auto font = readFont(block);
        if (!font)
            return font.error();
        control->font = std::move(*font);
        return true;
    }
    case Encoding::Picture: {
        auto picture = readPicture(block);
        if (!picture)
            return picture.error();
        (rule.field == Field::Icon ? w.icon : control->picture) = *picture;
        return true;
    }
    case Encoding::Constant: {
        if (auto ok = checkConstant(block); !ok)
            return ok;
        (rule.field == Field::WindowDrawingSetting ? w.drawingSetting : control->drawingSetting) =
            kStandardDrawingSetting;
        return true;
    }
    }
    return fail(block.offset(), "a known encoding", "none"); // unreachable
}

Expected<bool> Decoder::readStructure(ByteReader& r) {
    // The lists open, innermost last: the window's, then a frame's per 0x01.
    struct OpenLists {
        std::array<std::vector<ControlDescription>*, rf::kMaxDepth> lists{};
        std::size_t count = 0;
        bool empty() const { return count == 0; }
        std::size_t size() const { return count; }
        void push_back(std::vector<ControlDescription>* list) { lists[count++] = list; }
        void pop_back() { --count; }
        std::vector<ControlDescription>* back() const { return lists[count - 1]; }
    } open;
    // The block just read: the window (null control, windowJustRead) or a
    // control; after 0x02 there is none.
    bool windowJustRead = true;
    ControlDescription* justRead = nullptr;
    for (;;) {
        where_.part = Location::Part::StructureCode;
        where_.property = -1;
        r.setLocation(where_);
        const std::size_t codeOffset = r.offset();
        auto code = r.u8("structure code");
        if (!code)
            return r.takeError();
        switch (*code) {
        case rf::kChildrenFollow: {
            std::vector<ControlDescription>* children = nullptr;
            if (windowJustRead)
                children = &window_.controls;
            else if (justRead && justRead->kind == ControlKind::Frame)
                children = &justRead->children;
            if (!children)
                return fail(codeOffset, "0x01 only after the window's or a frame's block",
                            justRead
                                ? "0x01 after a " + std::string(controlKindName(justRead->kind))
                                : std::string("0x01 after 0x02"));
            if (open.size() >= rf::kMaxDepth)
                return fail(codeOffset,
                            "at most " + std::to_string(rf::kMaxDepth) + " nested containers",
                            "0x01 opening container " + std::to_string(open.size() + 1));
            // A frame holds at most the controls not read yet; reserving
            // that saves moving its children as the list grows.
            if (children != &window_.controls)
                children->reserve(headerCount_ > controlsRead_ ? headerCount_ - controlsRead_ : 0);
            open.push_back(children);
            break;
        }
        case rf::kNextSibling:
            if (open.empty())
                return fail(codeOffset, "0x01 or 0x04 at the window's level",
                            "0x03 (the window has no siblings)");
            break;
        case rf::kEndOfList:
            if (open.empty())
                return fail(codeOffset, "0x01 or 0x04 at the window's level",
                            "0x02 with no list open");
            open.pop_back();
            windowJustRead = false;
            justRead = nullptr;
            continue; // the next code applies to the level above
        case rf::kEndOfRecord:
            if (!open.empty())
                return fail(codeOffset,
                            "0x02 closing each of the " + std::to_string(open.size()) +
                                " open lists before 0x04",
                            "0x04");
            if (!r.atEnd())
                return fail(codeOffset, "0x04 as the record's last byte",
                            std::to_string(r.remaining()) + " bytes after it");
            if (controlsRead_ != headerCount_) {
                where_ = Location{Location::Part::Record};
                return fail(codeOffset,
                            std::to_string(headerCount_) + " controls (the header's count)",
                            std::to_string(controlsRead_));
            }
            return true;
        default:
            return fail(codeOffset, "a structure code 0x01 to 0x04", hexByte(*code));
        }
        // After 0x01 or 0x03 comes the next block of the current list.
        if (auto ok = readBlock(r, open.back()); !ok)
            return ok;
        windowJustRead = false;
        justRead = &open.back()->back();
    }
}

} // namespace

Expected<WindowDescription> decodeRecord(std::span<const std::uint8_t> record) {
    return Decoder(record).run();
}

} // namespace shell
