#include "shell/record/property_table.h"

#include "shell/model/control_kind.h"

#include <array>
#include <optional>
#include <type_traits>

namespace shell::record {

namespace {

// The binding of one description field (a member pointer of the window's or
// a control's description) to the codec of its value.
template <typename> struct MemberOf;
template <typename Owner, typename Type> struct MemberOf<Type Owner::*> {
    using OwnerType = Owner;
    using FieldType = Type;
};

template <typename> constexpr bool kIsOptional = false;
template <typename T> constexpr bool kIsOptional<std::optional<T>> = true;

// One object per bound field, whose address names the field.
template <auto Member> constexpr char kFieldKey = 0;

template <auto Member> struct FieldOf {
    using Owner = typename MemberOf<decltype(Member)>::OwnerType;
    using Type = typename MemberOf<decltype(Member)>::FieldType;

    static auto& slot(Fields f) {
        if constexpr (std::is_same_v<Owner, model::WindowDescription>)
            return f.window->*Member;
        else
            return f.control->*Member;
    }
    static const auto& slot(ConstFields f) {
        if constexpr (std::is_same_v<Owner, model::WindowDescription>)
            return f.window->*Member;
        else
            return f.control->*Member;
    }
    // The value of a present field.
    static const auto& value(ConstFields f) {
        if constexpr (kIsOptional<Type>)
            return *slot(f);
        else
            return slot(f);
    }
};

struct Binding {
    Encoding encoding;
    const void* field;
    std::string_view fieldWords;
    decltype(PropertyRule::read) read;
    decltype(PropertyRule::present) present;
    decltype(PropertyRule::check) check;
    decltype(PropertyRule::write) write;
    decltype(PropertyRule::describe) describe;
};

template <auto Member, typename Codec> constexpr Binding bind(std::string_view fieldWords = {}) {
    using F = FieldOf<Member>;
    return Binding{
        Codec::kEncoding,
        &kFieldKey<Member>,
        fieldWords,
        [](PropertyInput& in, Fields f) -> Expected<void> {
            auto& slot = F::slot(f);
            // A picture exists only once read and checked: its codec fills
            // the optional itself.
            if constexpr (requires { Codec::read(in, slot); })
                return Codec::read(in, slot);
            else if constexpr (kIsOptional<typename F::Type>)
                return Codec::read(in, slot.emplace());
            else
                return Codec::read(in, slot);
        },
        [](ConstFields f) {
            if constexpr (kIsOptional<typename F::Type>)
                return F::slot(f).has_value();
            else
                return true;
        },
        [](ConstFields f) -> Expected<void> {
            if constexpr (requires { Codec::check(F::value(f)); })
                return Codec::check(F::value(f));
            else
                return {};
        },
        [](ByteWriter& out, ConstFields f) { return Codec::write(out, F::value(f)); },
        [](ConstFields f) { return Codec::describe(F::value(f)); },
    };
}

using W = model::WindowDescription;
using C = model::ControlDescription;

// The window's fields.
constexpr Binding kWindowCaption = bind<&W::caption, TextCodec>();
constexpr Binding kWindowDrawingSetting = bind<&W::drawingSetting, DrawingSettingCodec>();
constexpr Binding kHelpButton = bind<&W::helpButton, BooleanCodec>();
constexpr Binding kBorderStyle = bind<&W::borderStyle, SmallIntCodec<5, kBorderStyleNoun>>();
constexpr Binding kIcon = bind<&W::icon, PictureCodec>();
constexpr Binding kLinkTopic = bind<&W::linkTopic, TextCodec>();
constexpr Binding kMaxButton = bind<&W::maxButton, BooleanCodec>();
constexpr Binding kMinButton = bind<&W::minButton, BooleanCodec>();
constexpr Binding kClient = bind<&W::client, ClientRectCodec>();
constexpr Binding kShowInTaskbar = bind<&W::showInTaskbar, BooleanCodec>();
constexpr Binding kStartUpPosition =
    bind<&W::startUpPosition, SmallIntCodec<3, kStartUpPositionNoun>>();

// A control's fields.
constexpr Binding kCaption = bind<&C::caption, TextCodec>("a caption or text");
constexpr Binding kBackColour = bind<&C::backColour, ColourCodec>("a back colour");
constexpr Binding kForeColour = bind<&C::foreColour, ColourCodec>("a fore colour");
constexpr Binding kFont = bind<&C::font, FontCodec>("a font");
constexpr Binding kPicture = bind<&C::picture, PictureCodec>("a picture");
constexpr Binding kRect = bind<&C::rect, RectCodec>("a rectangle");
constexpr Binding kTabIndex = bind<&C::tabIndex, TabIndexCodec>("a tab index");
constexpr Binding kDrawingSetting =
    bind<&C::drawingSetting, DrawingSettingCodec>("a drawing setting");
constexpr Binding kPictureBorder = bind<&C::border, PictureBorderCodec>("a border style");
constexpr Binding kCheckValue = bind<&C::value, CheckValueCodec>("a value");
constexpr Binding kOptionValue = bind<&C::value, OptionValueCodec>("a value");

constexpr PropertyRule row(std::uint8_t kindCode, std::uint8_t id, std::string_view name,
                           const Binding& b) {
    return PropertyRule{kindCode, id,        name,    b.encoding, b.field,   b.fieldWords,
                        b.read,   b.present, b.check, b.write,    b.describe};
}

// Kind codes, as the control kinds are numbered.
constexpr std::uint8_t code(model::ControlKind kind) {
    return static_cast<std::uint8_t>(kind);
}
constexpr std::uint8_t kWindow = model::kWindowKindCode;
constexpr std::uint8_t kPictureBox = code(model::ControlKind::PictureBox);
constexpr std::uint8_t kLabel = code(model::ControlKind::Label);
constexpr std::uint8_t kTextBox = code(model::ControlKind::TextBox);
constexpr std::uint8_t kFrame = code(model::ControlKind::Frame);
constexpr std::uint8_t kCommandButton = code(model::ControlKind::CommandButton);
constexpr std::uint8_t kCheckBox = code(model::ControlKind::CheckBox);
constexpr std::uint8_t kOptionButton = code(model::ControlKind::OptionButton);
constexpr std::uint8_t kHScrollBar = code(model::ControlKind::HScrollBar);
constexpr std::uint8_t kVScrollBar = code(model::ControlKind::VScrollBar);

// Grouped by kind, the window last, each group in ascending identifier
// order.
constexpr std::array kRules = {
    row(kPictureBox, 0x01, "back colour", kBackColour),
    row(kPictureBox, 0x03, "picture", kPicture),
    row(kPictureBox, 0x05, "rectangle", kRect),
    row(kPictureBox, 0x12, "tab index", kTabIndex),
    row(kPictureBox, 0x1A, "drawing setting", kDrawingSetting),
    row(kPictureBox, 0x24, "border style", kPictureBorder),

    row(kLabel, 0x01, "caption", kCaption),
    row(kLabel, 0x03, "back colour", kBackColour),
    row(kLabel, 0x04, "fore colour", kForeColour),
    row(kLabel, 0x05, "rectangle", kRect),
    row(kLabel, 0x12, "tab index", kTabIndex),
    row(kLabel, 0x25, "font", kFont),

    row(kTextBox, 0x04, "rectangle", kRect),
    row(kTextBox, 0x0B, "text", kCaption),
    row(kTextBox, 0x12, "tab index", kTabIndex),

    row(kFrame, 0x01, "caption", kCaption),
    row(kFrame, 0x05, "rectangle", kRect),
    row(kFrame, 0x12, "tab index", kTabIndex),

    row(kCommandButton, 0x01, "caption", kCaption),
    row(kCommandButton, 0x04, "rectangle", kRect),
    row(kCommandButton, 0x11, "tab index", kTabIndex),

    row(kCheckBox, 0x01, "caption", kCaption),
    row(kCheckBox, 0x05, "rectangle", kRect),
    row(kCheckBox, 0x12, "tab index", kTabIndex),
    row(kCheckBox, 0x13, "value", kCheckValue),

    row(kOptionButton, 0x01, "caption", kCaption),
    row(kOptionButton, 0x05, "rectangle", kRect),
    row(kOptionButton, 0x12, "tab index", kTabIndex),
    row(kOptionButton, 0x13, "value", kOptionValue),

    row(kHScrollBar, 0x02, "rectangle", kRect),
    row(kHScrollBar, 0x09, "tab index", kTabIndex),

    row(kVScrollBar, 0x02, "rectangle", kRect),
    row(kVScrollBar, 0x09, "tab index", kTabIndex),

    row(kWindow, 0x01, "caption", kWindowCaption),
    row(kWindow, 0x19, "drawing setting", kWindowDrawingSetting),
    row(kWindow, 0x1D, "help button", kHelpButton),
    row(kWindow, 0x22, "border style", kBorderStyle),
    row(kWindow, 0x23, "icon", kIcon),
    row(kWindow, 0x24, "link topic", kLinkTopic),
    row(kWindow, 0x26, "maximize button", kMaxButton),
    row(kWindow, 0x27, "minimize button", kMinButton),
    row(kWindow, 0x35, "client rectangle", kClient),
    row(kWindow, 0x44, "shown in taskbar", kShowInTaskbar),
    row(kWindow, 0x46, "start-up position", kStartUpPosition),
};

// Each kind's slice of kRules, indexed by kind code.
struct Slice {
    std::uint8_t begin = 0;
    std::uint8_t count = 0;
};

constexpr std::array<Slice, 16> kSlices = [] {
    std::array<Slice, 16> slices{};
    for (std::size_t i = 0; i < kRules.size(); ++i) {
        Slice& s = slices[kRules[i].kindCode];
        if (s.count == 0)
            s.begin = static_cast<std::uint8_t>(i);
        ++s.count;
    }
    return slices;
}();

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
    // The window's rules come last, so the control rules are one span.
    return kRules.back().kindCode == kWindow &&
           kSlices[kWindow].begin + kSlices[kWindow].count == kRules.size();
}
static_assert(groupedAndAscending(), "property rules must be grouped by kind, ids ascending");

// kRules' index + 1 for every (kind code, identifier), 0 where there is no
// rule: a decoder looks a property up in one step.
constexpr auto kIndex = [] {
    std::array<std::uint8_t, 16 * 256> index{};
    for (std::size_t i = 0; i < kRules.size(); ++i)
        index[kRules[i].kindCode * 256u + kRules[i].id] = static_cast<std::uint8_t>(i + 1);
    return index;
}();

} // namespace

std::span<const PropertyRule> propertyRules(std::uint8_t kindCode) {
    if (kindCode >= kSlices.size())
        return {};
    const Slice s = kSlices[kindCode];
    return std::span<const PropertyRule>(kRules).subspan(s.begin, s.count);
}

const PropertyRule* findPropertyRule(std::uint8_t kindCode, std::uint8_t id) {
    if (kindCode >= kSlices.size())
        return nullptr;
    const std::uint8_t i = kIndex[kindCode * 256u + id];
    return i == 0 ? nullptr : &kRules[i - 1u];
}

std::span<const PropertyRule> controlRules() {
    return std::span<const PropertyRule>(kRules).first(kSlices[kWindow].begin);
}

bool kindCarries(std::uint8_t kindCode, const void* field) {
    for (const PropertyRule& rule : propertyRules(kindCode))
        if (rule.field == field)
            return true;
    return false;
}

std::string_view kindCodeName(std::uint8_t kindCode) {
    if (kindCode == kWindow)
        return "window";
    if (const auto kind = model::controlKindFromCode(kindCode))
        return model::controlKindName(*kind);
    return "unknown";
}

} // namespace shell::record
