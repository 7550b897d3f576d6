// The encoder: checks the description, then writes the header, the window's
// block and each control's block in tree order, every property through its
// row of the property table.

#include "shell/model/ordering.h"
#include "shell/record/byte_writer.h"
#include "shell/record/guid_text.h"
#include "shell/record/property_table.h"
#include "shell/record/record.h"
#include "shell/record/validate_description.h"

#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace shell::record {

namespace {

namespace rf = format;

class Encoder {
public:
    Expected<std::vector<std::uint8_t>> run(const model::WindowDescription& window);

private:
    // A block: its header, the properties its kind's rules find present,
    // then 0xFF; `ordinal` -1 for the window.
    Expected<void> writeBlock(std::string_view name, int ordinal, std::uint8_t kindCode,
                              ConstFields fields);
    Expected<void> writeList(const std::vector<model::ControlDescription>& list);

    ByteWriter out_;
};

Expected<void> Encoder::writeBlock(std::string_view name, int ordinal, std::uint8_t kindCode,
                                   ConstFields fields) {
    const std::size_t start = out_.size();
    out_.u32(0); // the length, patched below
    out_.u8(static_cast<std::uint8_t>(ordinal < 0 ? 0 : ordinal));
    out_.u16(static_cast<std::uint16_t>(name.size()));
    out_.bytes(name);
    out_.u8(0);
    out_.u8(kindCode);
    for (const PropertyRule& rule : propertyRules(kindCode)) {
        if (!rule.present(fields))
            continue;
        out_.u8(rule.id);
        if (auto ok = rule.write(out_, fields); !ok)
            return descriptionError(name, ordinal, ok.error().message, &rule);
    }
    out_.u8(rf::kEndOfProperties);
    const std::size_t length = out_.size() - start;
    if (length > std::numeric_limits<std::uint32_t>::max())
        return descriptionError(name, ordinal,
                                "expected a block of at most 4 GiB, got " + std::to_string(length) +
                                    " bytes");
    out_.patch32(start, static_cast<std::uint32_t>(length));
    return {};
}

Expected<void> Encoder::writeList(const std::vector<model::ControlDescription>& list) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        const model::ControlDescription& c = list[i];
        LANSU_TRY(writeBlock(c.name, c.ordinal, static_cast<std::uint8_t>(c.kind), {nullptr, &c}));
        if (!c.children.empty()) {
            out_.u8(rf::kChildrenFollow);
            LANSU_TRY(writeList(c.children));
        }
        out_.u8(i + 1 < list.size() ? rf::kNextSibling : rf::kEndOfList);
    }
    return {};
}

Expected<std::vector<std::uint8_t>> Encoder::run(const model::WindowDescription& window) {
    LANSU_TRY(validateDescription(window));

    out_.u8(rf::kLeadByte);
    out_.bytes(rf::kHeaderMagic);
    // validateDescription has checked the count fits a byte.
    out_.u8(static_cast<std::uint8_t>(model::allControls(window).size()));
    appendGuid(out_.buffer(), window.windowId);
    appendGuid(out_.buffer(), window.interfaceId);
    appendGuid(out_.buffer(), rf::kWindowClassId);
    out_.zeros(rf::kZeroSize);
    out_.u32(0); // the length, patched below

    LANSU_TRY(writeBlock(window.name, -1, model::kWindowKindCode, {&window, nullptr}));
    if (!window.controls.empty()) {
        out_.u8(rf::kChildrenFollow);
        LANSU_TRY(writeList(window.controls));
    }
    out_.u8(rf::kEndOfRecord);

    const std::size_t length = out_.size() - rf::kLengthOffset;
    if (length > std::numeric_limits<std::uint32_t>::max())
        return descriptionError(window.name, -1,
                                "expected a record of at most 4 GiB, got " +
                                    std::to_string(out_.size()) + " bytes");
    out_.patch32(rf::kLengthOffset, static_cast<std::uint32_t>(length));
    return out_.take();
}

} // namespace

Expected<std::vector<std::uint8_t>> encodeRecord(const model::WindowDescription& window) {
    return Encoder().run(window);
}

} // namespace shell::record
