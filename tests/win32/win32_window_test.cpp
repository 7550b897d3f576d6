// The main window's description realised as Win32 windows, under Wine on a
// virtual display: the kind of window each control gets, how the controls are
// stacked and tabbed through, and what a click does. Where each control sits
// is checked by the accessibility walk, the window's place end to end.

#include "main_window/form1_description.h"
#include "shell/model/control_behaviour.h"
#include "shell/model/ordering.h"
#include "shell/runtime/message_box.h"
#include "shell/win32/conversions.h"
#include "shell/win32/live_window.h"
#include "shell/win32/win32_toolkit.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {

using shell::ControlDescription;
using shell::ControlKind;
using win32shell::FormWindow;

struct RecordedEvents : runtime::WindowEvents {
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

LONG_PTR style(HWND window) {
    return GetWindowLongPtrW(window, GWL_STYLE);
}

LONG_PTR exStyle(HWND window) {
    return GetWindowLongPtrW(window, GWL_EXSTYLE);
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

class Form1Window : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        form = std::make_unique<FormWindow>(description, toolkit.owner(), events);
        ASSERT_TRUE(form->isValid());
    }

    HWND windowOf(const std::string& name) const { return form->control(name); }

    const ControlDescription& firstOfKind(ControlKind kind) const {
        for (const auto* control : shell::allControls(description))
            if (control->kind == kind)
                return *control;
        throw std::runtime_error("no control of that kind");
    }

    shell::WindowDescription description = main_window::form1Description();
    win32shell::Win32Toolkit toolkit;
    RecordedEvents events;
    std::unique_ptr<FormWindow> form;
};

// (Its size, title and icon are checked end to end, as the window manager sees them.)
TEST_F(Form1Window, FixedDialogFrameWithCloseBoxOnlyOwnedByTheHiddenWindow) {
    HWND window = form->handle();
    EXPECT_EQ(style(window) & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style(window) & WS_SYSMENU);
    EXPECT_FALSE(style(window) & WS_THICKFRAME);
    EXPECT_FALSE(style(window) & WS_MINIMIZEBOX);
    EXPECT_FALSE(style(window) & WS_MAXIMIZEBOX);
    EXPECT_TRUE(exStyle(window) & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(exStyle(window) & WS_EX_APPWINDOW);
    ASSERT_NE(toolkit.owner(), nullptr);
    EXPECT_EQ(GetWindow(window, GW_OWNER), toolkit.owner());
    EXPECT_FALSE(IsWindowVisible(toolkit.owner()));
    EXPECT_FALSE(form->isVisible()) << "hidden until shown";
}

TEST_F(Form1Window, EachKindIsItsWin32Control) {
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
    for (const auto* control : shell::allControls(description)) {
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
        EXPECT_EQ((exStyle(window) & WS_EX_CLIENTEDGE) != 0,
                  control->kind == ControlKind::TextBox ||
                      (control->kind == ControlKind::PictureBox &&
                       control->effectiveBorder() == shell::PictureBorder::FixedSingle));
        // (Option buttons: Windows keeps the tab stop on the chosen one of a group.)
        if (shell::isFocusable(control->kind) && control->kind != ControlKind::OptionButton) {
            EXPECT_TRUE(style(window) & WS_TABSTOP);
        }
    }
}

TEST_F(Form1Window, WindowedControlsAreStackedInDescriptionOrder) {
    auto check = [&](HWND container, const std::vector<ControlDescription>& siblings) {
        std::vector<HWND> expected;
        for (const auto& control : siblings)
            if (!shell::isWindowless(control.kind))
                expected.push_back(windowOf(control.name));
        EXPECT_EQ(childrenFrontToBack(container), expected);
        // Exactly the first of them starts the container's one group.
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ((style(expected[i]) & WS_GROUP) != 0, i == 0);
    };
    check(form->handle(), description.controls);
    int frames = 0;
    for (const auto* control : shell::allControls(description))
        if (control->kind == ControlKind::Frame) {
            check(windowOf(control->name), control->children);
            ++frames;
        }
    EXPECT_GT(frames, 0);
}

TEST_F(Form1Window, LabelsArePaintedByTheirContainerBackToFront) {
    const auto& labels = *form->contents().ownLabels;
    std::vector<std::wstring> expected;
    for (const auto* control : shell::stackingBackToFront(description.controls))
        if (control->kind == ControlKind::Label)
            expected.push_back(
                win32shell::withCrLf(win32shell::toWide(control->caption.value_or(""))));
    std::vector<std::wstring> captions;
    for (const auto& label : labels)
        captions.push_back(label.caption);
    EXPECT_EQ(captions, expected);
    EXPECT_FALSE(expected.empty());
}

// The options of one container as described: the chosen one first.
std::vector<const ControlDescription*> optionsIn(const std::vector<ControlDescription>& siblings) {
    std::vector<const ControlDescription*> options;
    for (const auto& control : siblings)
        if (control.kind == ControlKind::OptionButton)
            options.insert(control.value.value_or(0) != 0 ? options.begin() : options.end(),
                           &control);
    return options;
}

TEST_F(Form1Window, TabWrapsAroundTheFocusOrderWithEachOptionGroupOneStop) {
    ASSERT_EQ(form->show(), runtime::kOk);
    pumpMessages();
    // The described focus order, the unchosen options of each group left out.
    std::vector<HWND> stops;
    std::vector<const ControlDescription*> unchosen;
    for (const auto* control : shell::allControls(description))
        if (control->kind == ControlKind::Frame) {
            const auto options = optionsIn(control->children);
            if (options.size() > 1)
                unchosen.insert(unchosen.end(), options.begin() + 1, options.end());
        }
    ASSERT_FALSE(unchosen.empty());
    for (const auto* control : shell::focusOrder(description))
        if (std::find(unchosen.begin(), unchosen.end(), control) == unchosen.end())
            stops.push_back(windowOf(control->name));

    // The first control in the focus order has the focus once shown.
    EXPECT_EQ(GetFocus(), stops.front());
    for (std::size_t i = 1; i < stops.size(); ++i) {
        form->moveFocus(+1);
        EXPECT_EQ(GetFocus(), stops[i]) << i;
    }
    form->moveFocus(+1);
    EXPECT_EQ(GetFocus(), stops.front()) << "wraps around from the last to the first";
    for (std::size_t i = stops.size(); i-- > 0;) {
        form->moveFocus(-1);
        EXPECT_EQ(GetFocus(), stops[i]) << "backwards " << i;
    }

    const auto second = shell::focusOrder(description)[1]->name;
    ASSERT_EQ(form->setEnabled(second, false), runtime::kOk);
    SetFocus(stops.front());
    form->moveFocus(+1);
    EXPECT_EQ(GetFocus(), stops[2]) << "a disabled control is skipped";
}

TEST_F(Form1Window, ArrowKeysChooseTheNextOptionOfTheGroupAndTabFollows) {
    ASSERT_EQ(form->show(), runtime::kOk);
    const ControlDescription* frame = nullptr;
    for (const auto* control : shell::allControls(description))
        if (control->kind == ControlKind::Frame && optionsIn(control->children).size() > 1)
            frame = control;
    ASSERT_NE(frame, nullptr);
    // The group in focus order, and where the described choice stands in it.
    const auto options = optionsIn(frame->children);
    std::vector<HWND> group;
    for (const auto* control : shell::focusOrder(description))
        if (std::find(options.begin(), options.end(), control) != options.end())
            group.push_back(windowOf(control->name));
    const HWND chosen = windowOf(options.front()->name);
    const auto start =
        static_cast<std::size_t>(std::find(group.begin(), group.end(), chosen) - group.begin());
    ASSERT_LT(start, group.size());

    const auto press = [&](WPARAM key) {
        MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(FormWindow::preTranslate(message));
    };
    const auto expectChosen = [&](std::size_t index) {
        EXPECT_EQ(GetFocus(), group[index]);
        for (std::size_t i = 0; i < group.size(); ++i)
            EXPECT_EQ(SendMessageW(group[i], BM_GETCHECK, 0, 0),
                      i == index ? BST_CHECKED : BST_UNCHECKED)
                << i;
    };
    SetFocus(chosen);
    for (std::size_t step = 1; step <= group.size(); ++step) {
        press(step % 2 ? VK_DOWN : VK_RIGHT);
        expectChosen((start + step) % group.size());
    }
    press(VK_UP);
    press(VK_LEFT);
    const std::size_t last = (start + group.size() - 2) % group.size();
    expectChosen(last);

    // Tab leaves the group and Shift+Tab comes back to the new choice.
    form->moveFocus(+1);
    EXPECT_EQ(std::find(group.begin(), group.end(), GetFocus()), group.end());
    form->moveFocus(-1);
    EXPECT_EQ(GetFocus(), group[last]);
}

TEST_F(Form1Window, AFocusedPictureBoxShowsAFocusRectangleInsideItsBorder) {
    ASSERT_EQ(form->show(), runtime::kOk);
    // One that lies wholly inside the window (the banner starts left of it).
    HWND box = nullptr;
    for (const auto* control : shell::allControls(description))
        if (control->kind == ControlKind::PictureBox && control->rect.left >= 0 && !box)
            box = windowOf(control->name);
    ASSERT_NE(box, nullptr);
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
    SetFocus(windowOf(shell::focusOrder(description).back()->name));
    const auto unfocused = edgeAndMiddle();
    SetFocus(box);
    const auto focused = edgeAndMiddle();
    int changed = 0;
    for (std::size_t x = 0; x < 8; ++x)
        changed += focused[x] != unfocused[x];
    EXPECT_GE(changed, 4) << "a dotted line along the inner edge";
    EXPECT_EQ(focused.back(), unfocused.back()) << "the inside is the picture";
    SetFocus(windowOf(shell::focusOrder(description).back()->name));
    EXPECT_EQ(edgeAndMiddle(), unfocused) << "gone with the focus";
}

TEST_F(Form1Window, SetEnabledGreysAScrollBarAndNamesUnknownControls) {
    const auto& bar = firstOfKind(ControlKind::VScrollBar);
    EXPECT_TRUE(IsWindowEnabled(windowOf(bar.name)));
    EXPECT_EQ(form->setEnabled(bar.name, false), runtime::kOk);
    EXPECT_FALSE(IsWindowEnabled(windowOf(bar.name)));
    EXPECT_EQ(form->setEnabled("NoSuchControl", false), runtime::kNoSuchControl);
    EXPECT_EQ(form->setEnabled(firstOfKind(ControlKind::Label).name, false),
              runtime::kNoSuchControl);
}

TEST_F(Form1Window, AGrayedCheckBoxIsTickedByAClickAndNeverGrayedAgain) {
    ASSERT_EQ(form->show(), runtime::kOk);
    const ControlDescription* grayed = nullptr;
    for (const auto* control : shell::allControls(description))
        if (control->kind == ControlKind::CheckBox &&
            control->value == static_cast<std::uint8_t>(shell::CheckValue::Grayed))
            grayed = control;
    ASSERT_NE(grayed, nullptr);
    HWND box = windowOf(grayed->name);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    const LRESULT expected[] = {BST_CHECKED, BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED};
    for (const LRESULT state : expected) {
        SendMessageW(box, BM_CLICK, 0, 0);
        EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), state);
    }
    EXPECT_TRUE(events.clicks.empty()) << "check boxes raise no Click here";
}

TEST_F(Form1Window, ButtonsReportTheirClickByNameAndTheCloseBoxReportsClosing) {
    ASSERT_EQ(form->show(), runtime::kOk);
    for (const auto* control : shell::allControls(description))
        if (control->kind == ControlKind::CommandButton)
            SendMessageW(windowOf(control->name), BM_CLICK, 0, 0);
    std::vector<std::string> expected;
    for (const auto* control : shell::allControls(description))
        if (control->kind == ControlKind::CommandButton)
            expected.push_back(control->name);
    EXPECT_EQ(events.clicks, expected);

    EXPECT_EQ(events.closes, 0);
    SendMessageW(form->handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(events.closes, 1);
}

TEST_F(Form1Window, ShowingAgainKeepsTheWindowWhereItWas) {
    ASSERT_EQ(form->show(), runtime::kOk);
    pumpMessages();
    EXPECT_TRUE(form->isVisible());
    SetWindowPos(form->handle(), nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_EQ(form->show(), runtime::kOk);
    RECT again;
    GetWindowRect(form->handle(), &again);
    EXPECT_EQ(again.left, 10);
    EXPECT_EQ(again.top, 20);
}

TEST_F(Form1Window, PictureBoxesPaintTheirPictureUnscaledAtTheInnerCorner) {
    ASSERT_EQ(form->show(), runtime::kOk);
    const auto& control = firstOfKind(ControlKind::PictureBox);
    ASSERT_TRUE(control.picture);
    const auto view = win32shell::viewBitmap(*control.picture);
    ASSERT_TRUE(view);
    HWND box = windowOf(control.name);
    UpdateWindow(box);
    // The picture's top-left pixel, from its 24-bit bottom-up rows.
    const auto* bits = static_cast<const std::uint8_t*>(view->bits);
    const std::size_t stride = ((static_cast<std::size_t>(view->width) * 24 + 31) / 32) * 4;
    const std::uint8_t* topRow = bits + stride * static_cast<std::size_t>(view->height - 1);
    const COLORREF expected = RGB(topRow[2], topRow[1], topRow[0]);
    HDC dc = GetDC(box);
    const COLORREF actual = GetPixel(dc, 0, 0);
    ReleaseDC(box, dc);
    EXPECT_EQ(actual, expected);
}

TEST(Fonts, AreMadeAtTheDescribedSizeWeightAndCharset) {
    const shell::Font font = shell::boldSongTi(157500); // 15.75 pt
    HFONT handle = win32shell::createFont(font, 96);
    ASSERT_NE(handle, nullptr);
    LOGFONTW info{};
    GetObjectW(handle, sizeof info, &info);
    DeleteObject(handle);
    EXPECT_EQ(info.lfHeight, -21); // 15.75 pt at 96 dpi
    EXPECT_EQ(info.lfWeight, 700);
    EXPECT_EQ(info.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(win32shell::toUtf8(info.lfFaceName), "宋体");
}

TEST(MessageBoxStyle, EncodesEveryValidButtonsValueAsTheSameMessageBoxStyle) {
    // The buttons values of the message box are MessageBoxW's own bits: a
    // request decoded from one must encode back to it.
    int checked = 0;
    for (std::int32_t value = 0; value < 0x8000; ++value) {
        runtime::MessageBoxRequest request;
        if (!runtime::decodeMessageBoxStyle(value, request))
            continue;
        EXPECT_EQ(win32shell::messageBoxStyle(request), static_cast<UINT>(value)) << value;
        ++checked;
    }
    EXPECT_GT(checked, 100);
    runtime::MessageBoxRequest plain;
    EXPECT_EQ(win32shell::messageBoxStyle(plain), static_cast<UINT>(MB_OK | MB_APPLMODAL));
}

TEST(Conversions, LineBreaksBecomeCrLf) {
    EXPECT_EQ(win32shell::withCrLf(L"a\nb\r\nc\rd"), L"a\r\nb\r\nc\r\nd");
}

TEST(Pictures, RefuseBytesThatAreNoBitmapOrIcon) {
    const std::uint8_t junk[] = {'B', 'M', 0, 0, 0};
    EXPECT_FALSE(win32shell::viewBitmap(shell::Picture{junk}));
    EXPECT_EQ(win32shell::createIcon(shell::Picture{junk}, 32), nullptr);
}

} // namespace
