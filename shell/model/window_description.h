#pragma once

#include "shell/model/colour.h"
#include "shell/model/control_kind.h"
#include "shell/model/font.h"
#include "shell/model/picture.h"
#include "shell/model/units.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace shell::model {

// A 128-bit identifier; stored in records in the usual mixed-endian layout.
struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};
    friend bool operator==(const Guid&, const Guid&) = default;
};

// Check box values.
enum class CheckValue : std::uint8_t { Unchecked = 0, Checked = 1, Grayed = 2 };

// Picture box border styles.
enum class PictureBorder : std::uint8_t { None = 0, FixedSingle = 1 };

// The 4-byte setting that every window and every picture box stores with the
// same value. Nothing reads it; it is kept so records round-trip exactly.
inline constexpr std::uint32_t kStandardDrawingSetting = 0x00420001u;

struct ControlDescription {
    std::string name; // ASCII, unique within its window
    ControlKind kind = ControlKind::Label;
    std::uint8_t ordinal = 0; // number in the window's control list, 1 to n
    TwipRect rect;
    std::uint16_t tabIndex = 0;

    // Caption (labels, frames, buttons, check and option buttons) or text
    // (text boxes), UTF-8. Absent means the kind's standard, empty text.
    std::optional<std::string> caption;
    std::optional<Colour> backColour;
    std::optional<Colour> foreColour;
    std::optional<Font> font; // absent: the window font

    // Picture boxes only.
    std::optional<Picture> picture;
    std::optional<PictureBorder> border; // absent: fixed single
    std::optional<std::uint32_t> drawingSetting;

    // Check boxes: a CheckValue; option buttons: 0 false, 1 true.
    std::optional<std::uint8_t> value;

    // A frame's own controls, front to back.
    std::vector<ControlDescription> children;

    // What a screen reader calls a control whose caption does not say it:
    // the pictures, the text boxes, the scroll bars. Not held in the record;
    // each window names its controls after decoding (see accessible_names.h).
    std::optional<std::string> accessibleName;

    PictureBorder effectiveBorder() const { return border.value_or(PictureBorder::FixedSingle); }

    friend bool operator==(const ControlDescription&, const ControlDescription&) = default;
};

inline constexpr std::uint8_t kBorderStyleSizable = 2;
inline constexpr std::uint8_t kBorderStyleFixedDialog = 3;
inline constexpr std::uint8_t kStartUpManual = 0;
inline constexpr std::uint8_t kStartUpCentreScreen = 2;

struct WindowDescription {
    std::string name; // ASCII; also the window's link topic
    Guid windowId;
    Guid interfaceId;

    std::string caption; // UTF-8
    std::optional<std::uint32_t> drawingSetting;
    // Whether the title bar carries a What's-This help box. The main window
    // stores false; the troubleshooting window stores nothing.
    std::optional<bool> helpButton;
    // The defaults are the standard values a window has when its record
    // omits the setting; both descriptions set every one of them.
    std::uint8_t borderStyle = kBorderStyleSizable;
    std::optional<Picture> icon;
    std::string linkTopic;
    bool maxButton = true;
    bool minButton = true;
    ClientRect client;
    bool showInTaskbar = true;
    std::uint8_t startUpPosition = kStartUpManual;

    // Front to back; a frame carries its own list.
    std::vector<ControlDescription> controls;

    friend bool operator==(const WindowDescription&, const WindowDescription&) = default;
};

} // namespace shell::model
