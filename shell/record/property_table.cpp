#include "shell/record/property_table.h"

#include "shell/model/control_kind.h"

#include <array>

namespace shell::record {

namespace {

using E = Encoding;
using F = Field;

constexpr std::uint8_t kWindow = kWindowKindCode;
constexpr std::uint8_t kPictureBox = 0;
constexpr std::uint8_t kLabel = 1;
constexpr std::uint8_t kTextBox = 2;
constexpr std::uint8_t kFrame = 3;
constexpr std::uint8_t kCommandButton = 4;
constexpr std::uint8_t kCheckBox = 5;
constexpr std::uint8_t kOptionButton = 6;
constexpr std::uint8_t kHScrollBar = 9;
constexpr std::uint8_t kVScrollBar = 10;

// Grouped by kind, each group in ascending identifier order.
constexpr std::array kRules = {
    PropertyRule{kWindow, 0x01, F::WindowCaption, E::Text, 0, "caption"},
    PropertyRule{kWindow, 0x19, F::WindowDrawingSetting, E::Constant, 0, "drawing setting"},
    PropertyRule{kWindow, 0x1D, F::HelpButton, E::Boolean, 0, "help button"},
    PropertyRule{kWindow, 0x22, F::BorderStyle, E::SmallInt, 5, "border style"},
    PropertyRule{kWindow, 0x23, F::Icon, E::Picture, 0, "icon"},
    PropertyRule{kWindow, 0x24, F::LinkTopic, E::Text, 0, "link topic"},
    PropertyRule{kWindow, 0x26, F::MaxButton, E::Boolean, 0, "maximize button"},
    PropertyRule{kWindow, 0x27, F::MinButton, E::Boolean, 0, "minimize button"},
    PropertyRule{kWindow, 0x35, F::Client, E::ClientRect, 0, "client rectangle"},
    PropertyRule{kWindow, 0x44, F::ShowInTaskbar, E::Boolean, 0, "shown in taskbar"},
    PropertyRule{kWindow, 0x46, F::StartUpPosition, E::SmallInt, 3, "start-up position"},

    PropertyRule{kPictureBox, 0x01, F::BackColour, E::Colour, 0, "back colour"},
    PropertyRule{kPictureBox, 0x03, F::Picture, E::Picture, 0, "picture"},
    PropertyRule{kPictureBox, 0x05, F::Rect, E::Rect, 0, "rectangle"},
    PropertyRule{kPictureBox, 0x12, F::TabIndex, E::Word, 0, "tab index"},
    PropertyRule{kPictureBox, 0x1A, F::DrawingSetting, E::Constant, 0, "drawing setting"},
    PropertyRule{kPictureBox, 0x24, F::PictureBorder, E::SmallInt, 1, "border style"},

    PropertyRule{kLabel, 0x01, F::Caption, E::Text, 0, "caption"},
    PropertyRule{kLabel, 0x03, F::BackColour, E::Colour, 0, "back colour"},
    PropertyRule{kLabel, 0x04, F::ForeColour, E::Colour, 0, "fore colour"},
    PropertyRule{kLabel, 0x05, F::Rect, E::Rect, 0, "rectangle"},
    PropertyRule{kLabel, 0x12, F::TabIndex, E::Word, 0, "tab index"},
    PropertyRule{kLabel, 0x25, F::Font, E::Font, 0, "font"},

    PropertyRule{kTextBox, 0x04, F::Rect, E::Rect, 0, "rectangle"},
    PropertyRule{kTextBox, 0x0B, F::Caption, E::Text, 0, "text"},
    PropertyRule{kTextBox, 0x12, F::TabIndex, E::Word, 0, "tab index"},

    PropertyRule{kFrame, 0x01, F::Caption, E::Text, 0, "caption"},
    PropertyRule{kFrame, 0x05, F::Rect, E::Rect, 0, "rectangle"},
    PropertyRule{kFrame, 0x12, F::TabIndex, E::Word, 0, "tab index"},

    PropertyRule{kCommandButton, 0x01, F::Caption, E::Text, 0, "caption"},
    PropertyRule{kCommandButton, 0x04, F::Rect, E::Rect, 0, "rectangle"},
    PropertyRule{kCommandButton, 0x11, F::TabIndex, E::Word, 0, "tab index"},

    PropertyRule{kCheckBox, 0x01, F::Caption, E::Text, 0, "caption"},
    PropertyRule{kCheckBox, 0x05, F::Rect, E::Rect, 0, "rectangle"},
    PropertyRule{kCheckBox, 0x12, F::TabIndex, E::Word, 0, "tab index"},
    PropertyRule{kCheckBox, 0x13, F::CheckValue, E::SmallInt, 2, "value"},

    PropertyRule{kOptionButton, 0x01, F::Caption, E::Text, 0, "caption"},
    PropertyRule{kOptionButton, 0x05, F::Rect, E::Rect, 0, "rectangle"},
    PropertyRule{kOptionButton, 0x12, F::TabIndex, E::Word, 0, "tab index"},
    PropertyRule{kOptionButton, 0x13, F::OptionValue, E::Boolean, 0, "value"},

    PropertyRule{kHScrollBar, 0x02, F::Rect, E::Rect, 0, "rectangle"},
    PropertyRule{kHScrollBar, 0x09, F::TabIndex, E::Word, 0, "tab index"},

    PropertyRule{kVScrollBar, 0x02, F::Rect, E::Rect, 0, "rectangle"},
    PropertyRule{kVScrollBar, 0x09, F::TabIndex, E::Word, 0, "tab index"},
};

// Each kind's slice of kRules, indexed by kind code; computed once at
// compile time so a look-up is a short linear scan.
struct Slice {
    std::uint8_t begin = 0;
    std::uint8_t count = 0;
};

constexpr std::array<Slice, 16> makeSlices() {
    std::array<Slice, 16> slices{};
    for (std::size_t i = 0; i < kRules.size(); ++i) {
        Slice& s = slices[kRules[i].kindCode];
        if (s.count == 0)
            s.begin = static_cast<std::uint8_t>(i);
        ++s.count;
    }
    return slices;
}

constexpr std::array<Slice, 16> kSlices = makeSlices();

constexpr bool groupedAndAscending() {
    for (std::size_t kind = 0; kind < kSlices.size(); ++kind) {
        const Slice s = kSlices[kind];
        for (std::size_t i = s.begin; i < std::size_t{s.begin} + s.count; ++i) {
            if (kRules[i].kindCode != kind)
                return false;
            if (i > s.begin && kRules[i - 1].id >= kRules[i].id)
                return false;
            if (kRules[i].id == 0xFF) // 0xFF ends a block's properties
                return false;
        }
    }
    return true;
}
static_assert(groupedAndAscending(), "property rules must be grouped by kind, ids ascending");

} // namespace

std::span<const PropertyRule> propertyRules(std::uint8_t kindCode) {
    if (kindCode >= kSlices.size())
        return {};
    const Slice s = kSlices[kindCode];
    return std::span<const PropertyRule>(kRules).subspan(s.begin, s.count);
}

// kRules' index + 1 for every (kind code, identifier), 0 where there is no
// rule: a decoder looks a property up in one step.
constexpr auto makeIndex() {
    std::array<std::uint8_t, 16 * 256> index{};
    for (std::size_t i = 0; i < kRules.size(); ++i)
        index[kRules[i].kindCode * 256u + kRules[i].id] = static_cast<std::uint8_t>(i + 1);
    return index;
}

constexpr auto kIndex = makeIndex();

const PropertyRule* findPropertyRule(std::uint8_t kindCode, std::uint8_t id) {
    if (kindCode >= kSlices.size())
        return nullptr;
    const std::uint8_t i = kIndex[kindCode * 256u + id];
    return i == 0 ? nullptr : &kRules[i - 1u];
}

const PropertyRule* findFieldRule(std::uint8_t kindCode, Field field) {
    for (const PropertyRule& rule : propertyRules(kindCode))
        if (rule.field == field)
            return &rule;
    return nullptr;
}

std::string_view kindCodeName(std::uint8_t kindCode) {
    if (kindCode == kWindow)
        return "window";
    if (const auto kind = controlKindFromCode(kindCode))
        return controlKindName(*kind);
    return "unknown";
}

} // namespace shell::record
