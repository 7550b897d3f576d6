// The decoder: header, then the window's block, then structure codes each
// followed by a control's block, every property read through its row of the
// property table.

#include "shell/record/byte_reader.h"
#include "shell/record/guid_text.h"
#include "shell/record/identifier.h"
#include "shell/record/location.h"
#include "shell/record/property_table.h"
#include "shell/record/record.h"
#include "shell/record/unique_blocks.h"
#include "shell/text/codepage.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace shell::record {

namespace {

namespace rf = format;

// Length field, ordinal, name length, a one-letter name, its terminator,
// kind and the closing 0xFF.
constexpr std::size_t kMinBlockLength = 4 + 1 + 2 + 1 + 1 + 1 + 1;

class Decoder {
public:
    explicit Decoder(std::span<const std::uint8_t> record) : record_(record) {}

    Expected<model::WindowDescription> run();

private:
    Expected<void> readHeader(ByteReader& r);
    // Reads the block at r's position into the window (list null) or into a
    // new control at the end of `list`.
    Expected<void> readBlock(ByteReader& r, std::vector<model::ControlDescription>* list);
    Expected<void> readProperties(ByteReader& block, std::uint8_t kindCode, std::size_t closing,
                                  Fields fields);
    Expected<void> readStructure(ByteReader& r);
    // Fails on the first control sharing an ordinal or a name with another.
    Expected<void> checkUnique();

    Error fail(std::size_t offset, std::string_view expected, std::string_view got) const {
        return errorAt(where_, offset, expected, got);
    }

    std::span<const std::uint8_t> record_;
    Location where_;
    model::WindowDescription window_;
    std::uint8_t headerCount_ = 0;
    // Each control's ordinal and name, with where they lie in the record.
    std::vector<BlockKey> controlKeys_;
    struct KeyOffsets {
        std::size_t ordinal;
        std::size_t name;
    };
    std::vector<KeyOffsets> keyOffsets_;
    text::CodePage936Reader texts_;
};

Expected<model::WindowDescription> Decoder::run() {
    ByteReader r(record_, 0, where_, "record");
    LANSU_TRY(readHeader(r));
    LANSU_TRY(readBlock(r, nullptr));
    LANSU_TRY(readStructure(r));
    return std::move(window_);
}

Expected<void> Decoder::readHeader(ByteReader& r) {
    where_ = Location{Location::Part::Header};
    if (record_.size() < rf::kHeaderSize)
        return fail(0, "a record of at least " + std::to_string(rf::kHeaderSize) + " bytes",
                    std::to_string(record_.size()) + " bytes");
    LANSU_TRY_ASSIGN(const auto h, r.take(rf::kHeaderSize, "header"));

    if (h[0] != rf::kLeadByte)
        return fail(0, "0xff", hexByte(h[0]));
    const auto magic = h.subspan(1, rf::kHeaderMagic.size());
    if (!std::equal(magic.begin(), magic.end(), rf::kHeaderMagic.begin()))
        return fail(1, "cc 31 00", byteList(magic));
    headerCount_ = h[rf::kCountOffset];
    window_.windowId = guidFromBytes(h.subspan<rf::kWindowIdOffset, 16>());
    window_.interfaceId = guidFromBytes(h.subspan<rf::kInterfaceIdOffset, 16>());
    const model::Guid classId = guidFromBytes(h.subspan<rf::kClassIdOffset, 16>());
    if (classId != rf::kWindowClassId)
        return fail(rf::kClassIdOffset, "the window class id " + guidText(rf::kWindowClassId),
                    guidText(classId));
    for (std::size_t i = rf::kZeroOffset; i < rf::kZeroOffset + rf::kZeroSize; ++i)
        if (h[i] != 0)
            return fail(i,
                        "0x00 (reserved header bytes " + std::to_string(rf::kZeroOffset) + " to " +
                            std::to_string(rf::kZeroOffset + rf::kZeroSize - 1) + ")",
                        hexByte(h[i]));
    const std::uint64_t length = loadLittleEndian<std::uint32_t>(&h[rf::kLengthOffset]);
    if (length + rf::kLengthOffset != record_.size())
        return fail(rf::kLengthOffset,
                    "a length of " + std::to_string(record_.size() - rf::kLengthOffset) +
                        " (the record's " + std::to_string(record_.size()) + " bytes minus " +
                        std::to_string(rf::kLengthOffset) + ")",
                    std::to_string(length));
    // Room for every control at the window's level: saves moving them as
    // the list grows.
    window_.controls.reserve(headerCount_);
    return {};
}

Expected<void> Decoder::readBlock(ByteReader& r, std::vector<model::ControlDescription>* list) {
    const bool isWindow = list == nullptr;
    where_ = Location{Location::Part::Block};
    r.setLocation(where_);
    const std::size_t start = r.offset();
    LANSU_TRY_ASSIGN(const std::uint32_t length, r.u32("block length"));
    // The length counts its own four bytes, which r has just read.
    if (length < kMinBlockLength || length - 4 > r.remaining())
        return fail(start,
                    "a block length from " + std::to_string(kMinBlockLength) + " to " +
                        std::to_string(r.remaining() + 4) + " (the bytes left in the record)",
                    std::to_string(length));
    LANSU_TRY_ASSIGN(ByteReader block, r.sub(length - 4, "block", "block"));

    const std::size_t ordinalOffset = block.offset();
    LANSU_TRY_ASSIGN(const std::uint8_t ordinal, block.u8("ordinal"));
    const std::size_t nameLengthOffset = block.offset();
    LANSU_TRY_ASSIGN(const std::uint16_t nameLength, block.u16("name length"));
    if (nameLength == 0 || nameLength > rf::kMaxNameLength)
        return fail(nameLengthOffset,
                    "a name length from 1 to " + std::to_string(rf::kMaxNameLength),
                    std::to_string(nameLength));
    const std::size_t nameOffset = block.offset();
    LANSU_TRY_ASSIGN(const auto name, block.take(nameLength, "name"));
    if (!isIdentifier(asText(name)))
        return fail(nameOffset, "an ASCII identifier as the name",
                    quoted(asText(name), Quote::RawBytes));
    where_.blockName = asText(name);
    where_.ordinal = ordinal;

    LANSU_TRY_ASSIGN(const std::uint8_t terminator, block.u8("name terminator"));
    if (terminator != 0)
        return fail(block.offset() - 1, "0x00 ending the name", hexByte(terminator));

    const std::size_t closing = start + length - 1;
    if (record_[closing] != rf::kEndOfProperties)
        return fail(closing, "0xff closing the block", hexByte(record_[closing]));

    if (isWindow) {
        if (ordinal != 0)
            return fail(ordinalOffset, "ordinal 0 for the window's block", std::to_string(ordinal));
    } else if (ordinal == 0 || ordinal > headerCount_) {
        return fail(ordinalOffset,
                    "an ordinal from 1 to " + std::to_string(headerCount_) +
                        " (the header's control count)",
                    std::to_string(ordinal));
    }

    const std::size_t kindOffset = block.offset();
    LANSU_TRY_ASSIGN(const std::uint8_t kindCode, block.u8("kind"));
    if (isWindow) {
        if (kindCode != model::kWindowKindCode)
            return fail(kindOffset, "kind 13 (window) in the first block",
                        std::to_string(kindCode));
        window_.name = std::string(where_.blockName);
        return readProperties(block, kindCode, closing, {&window_, nullptr});
    }
    const auto kind = model::controlKindFromCode(kindCode);
    if (!kind)
        return fail(kindOffset, "a control kind (0 to 6, 9 or 10)",
                    std::to_string(kindCode) +
                        (kindCode == model::kWindowKindCode ? " (the window's kind)" : ""));
    model::ControlDescription& control = list->emplace_back();
    control.name = std::string(where_.blockName);
    control.kind = *kind;
    control.ordinal = ordinal;
    controlKeys_.push_back({where_.blockName, ordinal});
    keyOffsets_.push_back({ordinalOffset, nameOffset});
    return readProperties(block, kindCode, closing, {&window_, &control});
}

Expected<void> Decoder::checkUnique() {
    const auto clash = findClash(controlKeys_);
    if (!clash)
        return {};
    const BlockKey& block = controlKeys_[clash->block];
    const BlockKey& earlier = controlKeys_[clash->earlier];
    where_ = Location{Location::Part::Block, block.name, block.ordinal};
    if (clash->field == Clash::Field::Ordinal)
        return fail(keyOffsets_[clash->block].ordinal, "an ordinal no other block has",
                    std::to_string(block.ordinal) + ", already the ordinal of block " +
                        std::string(earlier.name));
    return fail(keyOffsets_[clash->block].name, "a name no other block in the window has",
                "the name of block " + std::string(block.name) + " (ordinal " +
                    std::to_string(earlier.ordinal) + ")");
}

Expected<void> Decoder::readProperties(ByteReader& block, std::uint8_t kindCode,
                                       std::size_t closing, Fields fields) {
    PropertyInput in{block, texts_};
    int previous = -1;
    for (;;) {
        where_.property = -1;
        where_.propertyName = {};
        const std::size_t idOffset = block.offset();
        LANSU_TRY_ASSIGN(const std::uint8_t id, block.u8("property identifier"));
        if (id == rf::kEndOfProperties) {
            if (!block.atEnd())
                return fail(idOffset,
                            "the properties to end at the block's closing 0xff at offset " +
                                hexNumber(closing),
                            "0xff with " + std::to_string(block.remaining()) +
                                " bytes of the block left");
            return {};
        }
        if (id <= previous)
            return fail(idOffset,
                        "a property identifier above " +
                            hexByte(static_cast<std::uint8_t>(previous)) + " (ascending order)",
                        hexByte(id));
        const PropertyRule* rule = findPropertyRule(kindCode, id);
        if (!rule) {
            std::string known;
            for (const PropertyRule& other : propertyRules(kindCode))
                known += (known.empty() ? "" : ", ") + hexByte(other.id);
            return fail(idOffset,
                        "a property identifier of a " + std::string(kindCodeName(kindCode)) + " (" +
                            known + ")",
                        hexByte(id));
        }
        where_.property = id;
        where_.propertyName = rule->name;
        LANSU_TRY(rule->read(in, fields));
        previous = id;
    }
}

Expected<void> Decoder::readStructure(ByteReader& r) {
    // The lists open, innermost last: the window's, then a frame's per 0x01.
    // Only the innermost list grows, so the pointers to the outer ones hold.
    std::vector<std::vector<model::ControlDescription>*> open;
    // The block just read: the window (null control, windowJustRead) or a
    // control; after 0x02 there is none.
    bool windowJustRead = true;
    model::ControlDescription* justRead = nullptr;
    for (;;) {
        where_.part = Location::Part::StructureCode;
        where_.property = -1;
        r.setLocation(where_);
        const std::size_t codeOffset = r.offset();
        LANSU_TRY_ASSIGN(const std::uint8_t code, r.u8("structure code"));
        switch (code) {
        case rf::kChildrenFollow: {
            std::vector<model::ControlDescription>* children = nullptr;
            if (windowJustRead)
                children = &window_.controls;
            else if (justRead && justRead->kind == model::ControlKind::Frame)
                children = &justRead->children;
            if (!children)
                return fail(codeOffset, "0x01 only after the window's or a frame's block",
                            justRead ? "0x01 after a " +
                                           std::string(model::controlKindName(justRead->kind))
                                     : std::string("0x01 after 0x02"));
            if (open.size() >= rf::kMaxDepth)
                return fail(codeOffset,
                            "at most " + std::to_string(rf::kMaxDepth) + " nested containers",
                            "0x01 opening container " + std::to_string(open.size() + 1));
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
            LANSU_TRY(checkUnique());
            if (controlKeys_.size() != headerCount_) {
                where_ = Location{Location::Part::Record};
                return fail(codeOffset,
                            std::to_string(headerCount_) + " controls (the header's count)",
                            std::to_string(controlKeys_.size()));
            }
            return {};
        default:
            return fail(codeOffset, "a structure code 0x01 to 0x04", hexByte(code));
        }
        // After 0x01 or 0x03 comes the next block of the current list.
        LANSU_TRY(readBlock(r, open.back()));
        windowJustRead = false;
        justRead = &open.back()->back();
    }
}

} // namespace

Expected<model::WindowDescription> decodeRecord(std::span<const std::uint8_t> record) {
    return Decoder(record).run();
}

} // namespace shell::record
