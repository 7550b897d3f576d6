#include "shell/win32/window_builder.h"

#include "shell/model/control_behaviour.h"
#include "shell/model/ordering.h"
#include "shell/win32/accessible_object.h"
#include "shell/win32/conversions.h"
#include "shell/win32/frame_container.h"

namespace shell::win32 {

namespace {

// Control identifiers start above IDOK and IDCANCEL, which Enter and Escape
// send when no control takes them.
constexpr int kFirstControlId = 100;

WPARAM checkState(shell::model::CheckValue value) {
    switch (value) {
    case shell::model::CheckValue::Checked:
        return BST_CHECKED;
    case shell::model::CheckValue::Grayed:
        return BST_INDETERMINATE;
    case shell::model::CheckValue::Unchecked:
        break;
    }
    return BST_UNCHECKED;
}

class Builder {
public:
    Builder(int dpi, FormContents& contents) : dpi_(dpi), contents_(contents) {}

    bool addChildren(HWND container, std::vector<Label>& labels,
                     const std::vector<shell::model::ControlDescription>& controls) {
        for (const auto* control : shell::model::stackingBackToFront(controls)) {
            if (shell::model::isWindowless(control->kind)) {
                labels.push_back(label(*control));
                continue;
            }
            HWND window = create(*control, container);
            if (!window)
                return false;
            // Each control goes in front of those made before it.
            SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font(control->font)), FALSE);
            contents_.controls.push_back({control->name, control->kind, window});
            if (shell::model::isContainer(control->kind)) {
                auto& frameLabels = contents_.labels.emplace_back();
                if (!addChildren(window, frameLabels, control->children))
                    return false;
                makeFrameContainer(window, &frameLabels);
            }
        }
        // A container's controls form one group, so its option buttons
        // exclude one another and no others.
        if (HWND first = GetWindow(container, GW_CHILD))
            SetWindowLongPtrW(first, GWL_STYLE, GetWindowLongPtrW(first, GWL_STYLE) | WS_GROUP);
        return true;
    }

private:
    HFONT font(const std::optional<shell::model::Font>& wanted) {
        const shell::model::Font font = wanted.value_or(shell::model::defaultWindowFont());
        for (const auto& [known, handle] : contents_.fonts)
            if (known == font)
                return handle;
        HFONT handle = createFont(font, dpi_);
        contents_.fonts.emplace_back(font, handle);
        return handle;
    }

    Label label(const shell::model::ControlDescription& control) {
        return Label{
            toPixels(control.rect, dpi_), withCrLf(toWide(control.caption.value_or(std::string()))),
            toColorRef(control.backColour.value_or(shell::model::system_colour::kButtonFace)),
            toColorRef(control.foreColour.value_or(shell::model::system_colour::kButtonText)),
            font(control.font)};
    }

    HWND create(const shell::model::ControlDescription& control, HWND parent) {
        const RECT rect = toPixels(control.rect, dpi_);
        const int id = nextId_++;
        const std::wstring caption = withCrLf(toWide(control.caption.value_or(std::string())));
        const bool multiline = caption.find(L'\n') != std::wstring::npos;
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        DWORD exStyle = 0;
        const wchar_t* windowClass = WC_BUTTONW;
        switch (control.kind) {
        case shell::model::ControlKind::PictureBox: {
            const auto& content = contents_.pictures.emplace_back(PictureBoxContent{
                control.picture ? viewBitmap(*control.picture) : std::nullopt,
                toColorRef(control.backColour.value_or(shell::model::system_colour::kButtonFace)),
                toWide(control.accessibleName.value_or(std::string()))});
            return createPictureBox(
                parent, rect, control.effectiveBorder() == shell::model::PictureBorder::FixedSingle,
                id, &content);
        }
        case shell::model::ControlKind::Label:
            return nullptr; // windowless: painted by its container
        case shell::model::ControlKind::TextBox:
            windowClass = WC_EDITW;
            style |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
            exStyle |= WS_EX_CLIENTEDGE;
            break;
        case shell::model::ControlKind::Frame:
            style |= BS_GROUPBOX | WS_CLIPCHILDREN;
            exStyle |= WS_EX_CONTROLPARENT;
            break;
        case shell::model::ControlKind::CommandButton:
            style |= BS_PUSHBUTTON | WS_TABSTOP | (multiline ? BS_MULTILINE : 0);
            break;
        case shell::model::ControlKind::CheckBox:
            // Not BS_AUTO3STATE: a click never returns a box to grayed.
            style |= BS_3STATE | WS_TABSTOP | (multiline ? BS_MULTILINE : 0);
            break;
        case shell::model::ControlKind::OptionButton:
            style |= BS_AUTORADIOBUTTON | WS_TABSTOP | (multiline ? BS_MULTILINE : 0);
            break;
        case shell::model::ControlKind::HScrollBar:
        case shell::model::ControlKind::VScrollBar:
            windowClass = WC_SCROLLBARW;
            style |= WS_TABSTOP |
                     (control.kind == shell::model::ControlKind::HScrollBar ? SBS_HORZ : SBS_VERT);
            break;
        }
        HWND window = CreateWindowExW(
            exStyle, windowClass,
            control.kind == shell::model::ControlKind::HScrollBar ||
                    control.kind == shell::model::ControlKind::VScrollBar
                ? L""
                : caption.c_str(),
            style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
        if (!window)
            return nullptr;
        if (control.accessibleName)
            nameForScreenReaders(
                window, &contents_.accessibleNames.emplace_back(toWide(*control.accessibleName)));
        switch (control.kind) {
        case shell::model::ControlKind::CheckBox:
            SendMessageW(
                window, BM_SETCHECK,
                checkState(static_cast<shell::model::CheckValue>(control.value.value_or(0))), 0);
            break;
        case shell::model::ControlKind::OptionButton:
            SendMessageW(window, BM_SETCHECK,
                         control.value.value_or(0) != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case shell::model::ControlKind::HScrollBar:
        case shell::model::ControlKind::VScrollBar:
            SetScrollRange(window, SB_CTL, shell::model::kScrollBarMinimum,
                           shell::model::kScrollBarMaximum, FALSE);
            break;
        default:
            break;
        }
        return window;
    }

    int dpi_;
    FormContents& contents_;
    int nextId_ = kFirstControlId;
};

} // namespace

const ControlWindow* FormContents::find(std::string_view name) const {
    for (const auto& control : controls)
        if (control.name == name)
            return &control;
    return nullptr;
}

const ControlWindow* FormContents::find(HWND window) const {
    for (const auto& control : controls)
        if (control.window == window)
            return &control;
    return nullptr;
}

void FormContents::releaseFonts() {
    for (const auto& [font, handle] : fonts)
        DeleteObject(handle);
    fonts.clear();
}

bool buildControls(HWND form, const shell::model::WindowDescription& description, int dpi,
                   FormContents& contents) {
    Builder builder(dpi, contents);
    auto& ownLabels = contents.labels.emplace_back();
    contents.ownLabels = &ownLabels;
    if (!builder.addChildren(form, ownLabels, description.controls))
        return false;
    for (const auto* control : shell::model::focusOrder(description))
        if (const ControlWindow* found = contents.find(control->name))
            contents.focusOrder.push_back(found->window);
    return true;
}

} // namespace shell::win32
