#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace shell::model {

// The nine control kinds, numbered as they are stored in a record.
enum class ControlKind : std::uint8_t {
    PictureBox = 0,
    Label = 1,
    TextBox = 2,
    Frame = 3,
    CommandButton = 4,
    CheckBox = 5,
    OptionButton = 6,
    HScrollBar = 9,
    VScrollBar = 10,
};

// The kind code a window's own block carries in a record.
inline constexpr std::uint8_t kWindowKindCode = 13;

std::optional<ControlKind> controlKindFromCode(std::uint8_t code);
std::string_view controlKindName(ControlKind kind);

// Labels are windowless: painted on their container, below its windowed controls.
constexpr bool isWindowless(ControlKind kind) {
    return kind == ControlKind::Label;
}

// Labels and frames never take the focus; every other kind does.
constexpr bool isFocusable(ControlKind kind) {
    return kind != ControlKind::Label && kind != ControlKind::Frame;
}

constexpr bool isContainer(ControlKind kind) {
    return kind == ControlKind::Frame;
}

} // namespace shell::model
