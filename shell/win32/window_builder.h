#pragma once

#include "shell/model/window_description.h"
#include "shell/support/win32_api.h"
#include "shell/win32/labels.h"
#include "shell/win32/picture_box.h"

#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace shell::win32 {

// A windowed control of a form, by name.
struct ControlWindow {
    std::string name;
    shell::model::ControlKind kind;
    HWND window;
};

// What a form window holds besides its own handle: its controls' windows,
// the labels each container paints, what its picture boxes paint and the
// fonts it made. The lists' elements keep their addresses.
struct FormContents {
    std::vector<ControlWindow> controls;
    std::vector<HWND> focusOrder; // the focusable controls in ascending tab index
    std::list<std::vector<Label>> labels;
    const std::vector<Label>* ownLabels = nullptr; // the form's, not a frame's
    std::list<PictureBoxContent> pictures;
    std::list<std::wstring> accessibleNames; // of the standard controls that have one
    std::vector<std::pair<shell::model::Font, HFONT>> fonts;

    const ControlWindow* find(std::string_view name) const;
    const ControlWindow* find(HWND window) const;
    // Deletes the fonts; call once the windows that use them are destroyed.
    void releaseFonts();
};

// Creates every control of a description inside `form`, stacked as described
// (the first listed in front, labels painted below every windowed control of
// their container), in their initial states and fonts. Returns false when a
// control could not be created.
bool buildControls(HWND form, const shell::model::WindowDescription& description, int dpi,
                   FormContents& contents);

} // namespace shell::win32
