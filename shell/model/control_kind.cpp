#include "shell/model/control_kind.h"

namespace shell::model {

std::optional<ControlKind> controlKindFromCode(std::uint8_t code) {
    switch (code) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 9:
    case 10:
        return static_cast<ControlKind>(code);
    default:
        return std::nullopt;
    }
}

std::string_view controlKindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::PictureBox:
        return "PictureBox";
    case ControlKind::Label:
        return "Label";
    case ControlKind::TextBox:
        return "TextBox";
    case ControlKind::Frame:
        return "Frame";
    case ControlKind::CommandButton:
        return "CommandButton";
    case ControlKind::CheckBox:
        return "CheckBox";
    case ControlKind::OptionButton:
        return "OptionButton";
    case ControlKind::HScrollBar:
        return "HScrollBar";
    case ControlKind::VScrollBar:
        return "VScrollBar";
    }
    return "unknown";
}

} // namespace shell::model
