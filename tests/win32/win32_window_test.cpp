// Both windows' descriptions realised as Win32 windows, under Wine on a
// virtual display: the kind of window each control gets, how the controls are
// stacked, painted, tabbed through and clicked, and what a screen reader finds
// through Microsoft Active Accessibility: every label, frame and named control
// with its role and name at its described rectangle. The window's place,
// title and icon are checked end to end.

#include "main_window/form1_accessible_names.h"
#include "main_window/form1_description.h"
#include "shell/model/accessible_names.h"
#include "shell/model/control_behaviour.h"
#include "shell/model/ordering.h"
#include "shell/runtime/message_box.h"
#include "shell/win32/conversions.h"
#include "shell/win32/live_window.h"
#include "shell/win32/win32_toolkit.h"
#include "troubleshooting_window/form2_accessible_names.h"
#include "troubleshooting_window/form2_description.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <oleacc.h>
#include <span>
#include <string>
#include <vector>

namespace {

using shell::model::ControlDescription;
using shell::model::ControlKind;
namespace win32 = shell::win32;

struct RecordedEvents : shell::runtime::WindowEvents {
    void clicked(std::string_view name) override { clicks.emplace_back(name); }
    void closed() override { ++closes; }
    std::vector<std::string> clicks;
    int closes = 0;
};

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

LONG_PTR style(HWND window, int which = GWL_STYLE) {
    return GetWindowLongPtrW(window, which);
}

// The children of a window, front to back.
std::vector<HWND> childrenFrontToBack(HWND parent) {
    std::vector<HWND> out;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        out.push_back(child);
    return out;
}

void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// One object or simple element found by a screen reader's walk.
struct Node {
    std::wstring name;
    long role = 0;
    RECT location{};
    std::vector<std::wstring> ancestors; // names, outermost first
};

VARIANT self() {
    VARIANT id;
    VariantInit(&id);
    id.vt = VT_I4;
    id.lVal = CHILDID_SELF;
    return id;
}

std::wstring nameOf(IAccessible* object, const VARIANT& child) {
    BSTR name = nullptr;
    std::wstring text;
    if (object->get_accName(child, &name) == S_OK && name)
        text.assign(name, SysStringLen(name));
    SysFreeString(name);
    return text;
}

Node nodeOf(IAccessible* object, const VARIANT& child, const std::vector<std::wstring>& ancestors) {
    Node node{nameOf(object, child), 0, {}, ancestors};
    VARIANT role;
    VariantInit(&role);
    if (object->get_accRole(child, &role) == S_OK && role.vt == VT_I4)
        node.role = role.lVal;
    VariantClear(&role);
    long left = 0, top = 0, width = 0, height = 0;
    if (object->accLocation(&left, &top, &width, &height, child) == S_OK)
        node.location = RECT{left, top, left + width, top + height};
    return node;
}

// From an object down through AccessibleChildren, as a screen reader walks.
void walk(IAccessible* object, std::vector<std::wstring> ancestors, std::vector<Node>& found) {
    ancestors.push_back(nameOf(object, self()));
    long count = 0;
    if (FAILED(object->get_accChildCount(&count)) || count <= 0)
        return;
    std::vector<VARIANT> children(static_cast<std::size_t>(count));
    long obtained = 0;
    if (FAILED(AccessibleChildren(object, 0, count, children.data(), &obtained)))
        return;
    for (long i = 0; i < obtained; ++i) {
        VARIANT& child = children[static_cast<std::size_t>(i)];
        IAccessible* inner = nullptr;
        if (child.vt == VT_DISPATCH && child.pdispVal &&
            SUCCEEDED(child.pdispVal->QueryInterface(__uuidof(IAccessible),
                                                     reinterpret_cast<void**>(&inner)))) {
            found.push_back(nodeOf(inner, self(), ancestors));
            walk(inner, ancestors, found);
            inner->Release();
        } else if (child.vt == VT_I4) {
            found.push_back(nodeOf(object, child, ancestors));
        }
        VariantClear(&child);
    }
}

struct WindowCase {
    const char* name;
    shell::model::WindowDescription (*describe)();
    std::span<const shell::model::AccessibleName> (*names)();
};
void PrintTo(const WindowCase& window, std::ostream* out) {
    *out << window.name;
}
const WindowCase kForm1{"Form1", main_window::form1Description, main_window::form1AccessibleNames};
const WindowCase kForm2{"Form2", troubleshooting_window::form2Description,
                        troubleshooting_window::form2AccessibleNames};

// A window realised from its description, with its accessible names, not yet shown.
class LiveWindow : public ::testing::TestWithParam<WindowCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        auto named = shell::model::withAccessibleNames(GetParam().describe(), GetParam().names());
        ASSERT_TRUE(named) << named.error().message;
        description = std::move(*named);
        form = std::make_unique<win32::LiveWindow>(description, toolkit.owner(), events);
        ASSERT_TRUE(form->isValid());
    }
    void TearDown() override {
        form.reset();
        CoUninitialize();
    }

    void show() {
        ASSERT_EQ(form->show(), shell::runtime::kOk);
        pumpMessages();
    }
    HWND windowOf(std::string_view name) const { return form->control(name); }
    std::string focused() const {
        const auto* control = form->contents().find(GetFocus());
        return control ? control->name : "";
    }
    // A key as the message loop hands it over, Shift held or not.
    void press(WPARAM key, bool shift = false) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(win32::LiveWindow::preTranslate(message));
    }
    // The controls Tab (or Shift+Tab) visits from the focus round to it.
    std::vector<std::string> tabRound(bool backwards = false) {
        std::vector<std::string> seen;
        const std::string start = focused();
        do {
            press(VK_TAB, backwards);
            seen.push_back(focused());
        } while (seen.back() != start && seen.size() < 100);
        return seen;
    }

    shell::model::WindowDescription description;
    shell::win32::Win32Toolkit toolkit;
    RecordedEvents events;
    std::unique_ptr<win32::LiveWindow> form;
};

class Form1Window : public LiveWindow {};
class BothWindows : public LiveWindow {};
INSTANTIATE_TEST_SUITE_P(Form1, Form1Window, ::testing::Values(kForm1),
                         [](const auto& instance) { return std::string(instance.param.name); });
INSTANTIATE_TEST_SUITE_P(Described, BothWindows, ::testing::Values(kForm1, kForm2),
                         [](const auto& instance) { return std::string(instance.param.name); });

TEST_P(Form1Window, FixedDialogFrameOwnedByTheHiddenWindowAndShownAgainWhereItWas) {
    HWND window = form->handle();
    EXPECT_EQ(style(window) & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style(window) & WS_SYSMENU);
    EXPECT_FALSE(style(window) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(style(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(style(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    ASSERT_NE(toolkit.owner(), nullptr);
    EXPECT_EQ(GetWindow(window, GW_OWNER), toolkit.owner());
    EXPECT_FALSE(IsWindowVisible(toolkit.owner()));
    EXPECT_FALSE(form->isVisible()) << "hidden until shown";

    show();
    EXPECT_TRUE(form->isVisible());
    SetWindowPos(window, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_EQ(form->show(), shell::runtime::kOk);
    RECT again;
    GetWindowRect(window, &again);
    EXPECT_EQ(again.left, 10);
    EXPECT_EQ(again.top, 20);
}

TEST_P(Form1Window, EachKindIsItsWin32Control) {
    struct Expected {
        const wchar_t* className;
        LONG_PTR typeMask, type;
    };
    const std::map<ControlKind, Expected> expected = {
        {ControlKind::CommandButton, {L"Button", BS_TYPEMASK, BS_PUSHBUTTON}},
        {ControlKind::CheckBox, {L"Button", BS_TYPEMASK, BS_3STATE}},
        {ControlKind::OptionButton, {L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON}},
        {ControlKind::Frame, {L"Button", BS_TYPEMASK | WS_TABSTOP, BS_GROUPBOX}},
        {ControlKind::TextBox, {L"Edit", ES_MULTILINE, 0}},
        {ControlKind::HScrollBar, {L"ScrollBar", SBS_VERT, SBS_HORZ}},
        {ControlKind::VScrollBar, {L"ScrollBar", SBS_VERT, SBS_VERT}},
        {ControlKind::PictureBox, {L"LansuPictureBox", 0, 0}},
    };
    for (const auto* control : shell::model::allControls(description)) {
        SCOPED_TRACE(control->name);
        HWND window = windowOf(control->name);
        if (control->kind == ControlKind::Label) {
            EXPECT_EQ(window, nullptr) << "labels are windowless";
            continue;
        }
        ASSERT_NE(window, nullptr);
        const Expected& wanted = expected.at(control->kind);
        EXPECT_EQ(className(window), wanted.className);
        EXPECT_EQ(style(window) & wanted.typeMask, wanted.type);
        // Sunken: text boxes always, picture boxes with a single border.
        EXPECT_EQ((style(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0,
                  control->kind == ControlKind::TextBox ||
                      (control->kind == ControlKind::PictureBox &&
                       control->effectiveBorder() == shell::model::PictureBorder::FixedSingle));
        // (Option buttons: Windows keeps the tab stop on the chosen one of a group.)
        if (shell::model::isFocusable(control->kind) &&
            control->kind != ControlKind::OptionButton) {
            EXPECT_TRUE(style(window) & WS_TABSTOP);
        }
    }
}

TEST_P(Form1Window, WindowedControlsAreStackedInDescriptionOrder) {
    auto check = [&](HWND container, const std::vector<ControlDescription>& siblings) {
        std::vector<HWND> expected;
        for (const auto& control : siblings)
            if (!shell::model::isWindowless(control.kind))
                expected.push_back(windowOf(control.name));
        EXPECT_EQ(childrenFrontToBack(container), expected);
        // Exactly the first of them starts the container's one group.
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ((style(expected[i]) & WS_GROUP) != 0, i == 0);
    };
    check(form->handle(), description.controls);
    int frames = 0;
    for (const auto* control : shell::model::allControls(description))
        if (control->kind == ControlKind::Frame) {
            check(windowOf(control->name), control->children);
            ++frames;
        }
    EXPECT_GT(frames, 0);
}

TEST_P(Form1Window, LabelsArePaintedByTheirContainerBackToFront) {
    std::vector<std::wstring> expected;
    for (const auto* control : shell::model::stackingBackToFront(description.controls))
        if (control->kind == ControlKind::Label)
            expected.push_back(
                shell::win32::withCrLf(shell::win32::toWide(control->caption.value_or(""))));
    std::vector<std::wstring> captions;
    for (const auto& label : *form->contents().ownLabels)
        captions.push_back(label.caption);
    EXPECT_EQ(captions, expected);
    EXPECT_FALSE(expected.empty());
}

TEST_P(Form1Window, TabGoesRoundBothWaysWithEachOptionGroupOneStop) {
    show();
    // The described order less the options that are not chosen.
    std::vector<std::string> stops;
    for (const auto* control : shell::model::focusOrder(description))
        if (control->kind != ControlKind::OptionButton || control->value.value_or(0) != 0)
            stops.push_back(control->name);
    EXPECT_EQ(focused(), stops.front()) << "the first takes the focus when shown";
    std::vector<std::string> forwards(stops.begin() + 1, stops.end());
    forwards.push_back(stops.front());
    EXPECT_EQ(tabRound(), forwards);
    EXPECT_EQ(tabRound(true), std::vector<std::string>(stops.rbegin(), stops.rend()));

    ASSERT_EQ(form->setEnabled(stops[1], false), shell::runtime::kOk);
    EXPECT_FALSE(IsWindowEnabled(windowOf(stops[1])));
    press(VK_TAB);
    EXPECT_EQ(focused(), stops[2]) << "a disabled control is skipped";
    EXPECT_EQ(form->setEnabled("NoSuchControl", false), shell::runtime::kNoSuchControl);
    EXPECT_EQ(form->setEnabled("Label1", false), shell::runtime::kNoSuchControl);
}

TEST_P(Form1Window, ArrowKeysChooseTheNextOptionOfTheGroupAndTabFollows) {
    show();
    SetFocus(windowOf("Option2"));
    const std::pair<WPARAM, std::string> moves[] = {{VK_DOWN, "Option3"}, {VK_RIGHT, "Option4"},
                                                    {VK_DOWN, "Option1"}, {VK_UP, "Option4"},
                                                    {VK_LEFT, "Option3"}, {VK_RIGHT, "Option4"}};
    for (const auto& [key, expected] : moves) {
        press(key);
        EXPECT_EQ(focused(), expected);
        for (const char* option : {"Option1", "Option2", "Option3", "Option4"})
            EXPECT_EQ(SendMessageW(windowOf(option), BM_GETCHECK, 0, 0),
                      option == expected ? BST_CHECKED : BST_UNCHECKED)
                << option;
    }
    // The group's stop has moved to Option4: Tab reaches it after Check8 and
    // no other option on the way round.
    const auto seen = tabRound();
    const auto option4 = std::find(seen.begin(), seen.end(), "Option4");
    ASSERT_NE(option4, seen.begin());
    EXPECT_EQ(*(option4 - 1), "Check8");
    EXPECT_EQ(std::count_if(seen.begin(), seen.end(),
                            [](const std::string& name) { return name.starts_with("Option"); }),
              1);
}

// Unscaled at the inner corner, with a focus rectangle inside the border.
TEST_P(Form1Window, PictureBoxPaintsItsPictureAndAFocusRectangle) {
    show();
    HWND box = windowOf("Picture2");
    const auto edgeAndMiddle = [&] {
        RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        RECT client;
        GetClientRect(box, &client);
        HDC dc = GetDC(box);
        std::vector<COLORREF> pixels;
        for (int x = 0; x < 8; ++x)
            pixels.push_back(GetPixel(dc, x, 0));
        pixels.push_back(GetPixel(dc, client.right / 2, client.bottom / 2));
        ReleaseDC(box, dc);
        return pixels;
    };
    SetFocus(windowOf("Command12"));
    const auto unfocused = edgeAndMiddle();
    // The picture's top-left pixel, from its 24-bit bottom-up rows.
    const auto view =
        shell::win32::viewBitmap(*shell::model::findControl(description, "Picture2")->picture);
    ASSERT_TRUE(view);
    const std::size_t stride = ((static_cast<std::size_t>(view->width) * 24 + 31) / 32) * 4;
    const std::uint8_t* topRow = static_cast<const std::uint8_t*>(view->bits) +
                                 stride * static_cast<std::size_t>(view->height - 1);
    EXPECT_EQ(unfocused[0], RGB(topRow[2], topRow[1], topRow[0]));
    SetFocus(box);
    const auto focused = edgeAndMiddle();
    int changed = 0;
    for (std::size_t x = 0; x < 8; ++x)
        changed += focused[x] != unfocused[x];
    EXPECT_GE(changed, 4) << "a dotted line along the inner edge";
    EXPECT_EQ(focused.back(), unfocused.back()) << "the inside is the picture";
    SetFocus(windowOf("Command12"));
    EXPECT_EQ(edgeAndMiddle(), unfocused) << "gone with the focus";
}

TEST_P(Form1Window, ButtonsReportClicksByNameCheckBoxesNoneAndTheCloseBoxClosing) {
    show();
    std::vector<std::string> buttons;
    for (const auto* control : shell::model::allControls(description))
        if (control->kind == ControlKind::CommandButton) {
            SendMessageW(windowOf(control->name), BM_CLICK, 0, 0);
            buttons.push_back(control->name);
        }
    // A grayed check box is ticked by a click and never grayed again.
    HWND grayed = windowOf("Check7");
    EXPECT_EQ(SendMessageW(grayed, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    for (const LRESULT state : {BST_CHECKED, BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED}) {
        SendMessageW(grayed, BM_CLICK, 0, 0);
        EXPECT_EQ(SendMessageW(grayed, BM_GETCHECK, 0, 0), state);
    }
    EXPECT_EQ(events.clicks, buttons);

    EXPECT_EQ(events.closes, 0);
    SendMessageW(form->handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(events.closes, 1);
}

TEST_P(BothWindows, EveryControlIsFoundByAScreenReaderAtItsDescribedRectangle) {
    show();
    std::vector<Node> found;
    IAccessible* root = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(form->handle(), OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&root)),
              S_OK);
    walk(root, {}, found);
    root->Release();
    ASSERT_FALSE(found.empty());

    const auto caption = [](const ControlDescription& control) {
        return shell::win32::withCrLf(shell::win32::toWide(control.caption.value_or("")));
    };
    // Where a control's container starts on the screen: the form's client
    // corner, or the frame's outer corner.
    const auto containerOf = [&](const ControlDescription& control) -> const ControlDescription* {
        for (const auto& candidate : description.controls)
            for (const auto& child : candidate.children)
                if (&child == &control)
                    return &candidate;
        return nullptr;
    };
    POINT client{0, 0};
    ClientToScreen(form->handle(), &client);
    int graphics = 0, texts = 0;
    for (const Node& node : found) {
        graphics += node.role == ROLE_SYSTEM_GRAPHIC;
        texts += node.role == ROLE_SYSTEM_STATICTEXT;
    }
    for (const auto* control : shell::model::allControls(description)) {
        SCOPED_TRACE(control->name);
        graphics -= control->kind == ControlKind::PictureBox;
        texts -= control->kind == ControlKind::Label;
        // Labels and frames are named by their caption, picture boxes are graphics.
        const bool captioned =
            control->kind == ControlKind::Label || control->kind == ControlKind::Frame;
        const long role = control->kind == ControlKind::Label        ? ROLE_SYSTEM_STATICTEXT
                          : control->kind == ControlKind::Frame      ? ROLE_SYSTEM_GROUPING
                          : control->kind == ControlKind::PictureBox ? ROLE_SYSTEM_GRAPHIC
                                                                     : 0;
        std::wstring name = captioned ? caption(*control) : L"";
        if (control->accessibleName)
            name = shell::win32::toWide(*control->accessibleName);
        const ControlDescription* frame = containerOf(*control);
        RECT rect = shell::win32::toPixels(control->rect, 96);
        const RECT corner = frame ? shell::win32::toPixels(frame->rect, 96) : RECT{};
        OffsetRect(&rect, client.x + corner.left, client.y + corner.top);
        const auto node = std::find_if(found.begin(), found.end(), [&](const Node& candidate) {
            return EqualRect(&candidate.location, &rect) && (role == 0 || candidate.role == role);
        });
        ASSERT_NE(node, found.end()) << "nothing with role " << role << " at its rectangle";
        if (!name.empty()) {
            EXPECT_EQ(shell::win32::toUtf8(node->name), shell::win32::toUtf8(name));
        }
        // A frame's controls are found inside the frame's grouping.
        if (frame) {
            EXPECT_NE(std::find(node->ancestors.begin(), node->ancestors.end(), caption(*frame)),
                      node->ancestors.end())
                << "not inside " << frame->name;
        }
    }
    EXPECT_EQ(graphics, 0) << "graphics that are no picture box";
    EXPECT_EQ(texts, 0) << "static texts that are no label";
}

TEST(Fonts, AreMadeAtTheDescribedSizeWeightAndCharset) {
    const shell::model::Font font = shell::model::boldSongTi(157500); // 15.75 pt
    HFONT handle = shell::win32::createFont(font, 96);
    ASSERT_NE(handle, nullptr);
    LOGFONTW info{};
    GetObjectW(handle, sizeof info, &info);
    DeleteObject(handle);
    EXPECT_EQ(info.lfHeight, -21); // 15.75 pt at 96 dpi
    EXPECT_EQ(info.lfWeight, 700);
    EXPECT_EQ(info.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(shell::win32::toUtf8(info.lfFaceName), "宋体");
}

TEST(Conversions, LineBreaksBecomeCrLf) {
    EXPECT_EQ(shell::win32::withCrLf(L"a\nb\r\nc\rd"), L"a\r\nb\r\nc\r\nd");
}

} // namespace
