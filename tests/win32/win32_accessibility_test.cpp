// What a screen reader finds in both windows through Microsoft Active
// Accessibility, walked as one would: from the window's client object with
// AccessibleObjectFromWindow, down through AccessibleChildren. Every label,
// frame and named control must be there, with its role and name, at its
// described rectangle on the screen.

#include "main_window/form1_accessible_names.h"
#include "main_window/form1_description.h"
#include "shell/model/accessible_names.h"
#include "shell/model/ordering.h"
#include "shell/win32/conversions.h"
#include "shell/win32/live_window.h"
#include "shell/win32/win32_toolkit.h"
#include "troubleshooting_window/form2_accessible_names.h"
#include "troubleshooting_window/form2_description.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <oleacc.h>
#include <span>
#include <string>
#include <vector>

namespace {

using shell::ControlDescription;
using shell::ControlKind;

// One object or simple element found in the walk.
struct Node {
    std::wstring name;
    long role = 0;
    RECT location{};
    std::vector<std::wstring> ancestors; // names, outermost first
};

std::wstring nameOf(IAccessible* object, const VARIANT& child) {
    BSTR name = nullptr;
    std::wstring text;
    if (object->get_accName(child, &name) == S_OK && name)
        text.assign(name, SysStringLen(name));
    SysFreeString(name);
    return text;
}

long roleOf(IAccessible* object, const VARIANT& child) {
    VARIANT role;
    VariantInit(&role);
    const long found =
        object->get_accRole(child, &role) == S_OK && role.vt == VT_I4 ? role.lVal : 0;
    VariantClear(&role);
    return found;
}

Node nodeOf(IAccessible* object, const VARIANT& child, const std::vector<std::wstring>& ancestors) {
    Node node{nameOf(object, child), roleOf(object, child), {}, ancestors};
    long left = 0, top = 0, width = 0, height = 0;
    if (object->accLocation(&left, &top, &width, &height, child) == S_OK)
        node.location = RECT{left, top, left + width, top + height};
    return node;
}

VARIANT self() {
    VARIANT id;
    VariantInit(&id);
    id.vt = VT_I4;
    id.lVal = CHILDID_SELF;
    return id;
}

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
        if (child.vt == VT_DISPATCH && child.pdispVal) {
            IAccessible* inner = nullptr;
            if (SUCCEEDED(child.pdispVal->QueryInterface(__uuidof(IAccessible),
                                                         reinterpret_cast<void**>(&inner)))) {
                found.push_back(nodeOf(inner, self(), ancestors));
                walk(inner, ancestors, found);
                inner->Release();
            }
        } else if (child.vt == VT_I4) {
            found.push_back(nodeOf(object, child, ancestors));
        }
        VariantClear(&child);
    }
}

struct RecordedEvents : runtime::WindowEvents {
    void clicked(std::string_view) override {}
    void closed() override {}
};

struct WindowCase {
    const char* name;
    shell::WindowDescription (*describe)();
    std::span<const shell::AccessibleName> (*names)();
};

class AccessibilityWalk : public ::testing::TestWithParam<WindowCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        auto named = shell::withAccessibleNames(GetParam().describe(), GetParam().names());
        ASSERT_TRUE(named) << named.error().message;
        description = std::move(*named);
        form = std::make_unique<win32shell::FormWindow>(description, toolkit.owner(), events);
        ASSERT_TRUE(form->isValid());
        ASSERT_EQ(form->show(), runtime::kOk);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);

        IAccessible* root = nullptr;
        ASSERT_EQ(AccessibleObjectFromWindow(form->handle(), OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&root)),
                  S_OK);
        walk(root, {}, found);
        root->Release();
    }
    void TearDown() override {
        form.reset();
        CoUninitialize();
    }

    // A control's described rectangle on the screen: its container's corner
    // (the form's client corner, or the frame's outer corner) plus its place.
    RECT onScreen(const ControlDescription& control) const {
        POINT origin{0, 0};
        ClientToScreen(form->handle(), &origin);
        const ControlDescription* container = containerOf(control, description.controls);
        if (container) {
            const RECT frame = win32shell::toPixels(container->rect, 96);
            origin.x += frame.left;
            origin.y += frame.top;
        }
        RECT rect = win32shell::toPixels(control.rect, 96);
        OffsetRect(&rect, origin.x, origin.y);
        return rect;
    }

    static const ControlDescription* containerOf(const ControlDescription& control,
                                                 const std::vector<ControlDescription>& in) {
        for (const auto& candidate : in)
            for (const auto& child : candidate.children)
                if (&child == &control)
                    return &candidate;
        return nullptr;
    }

    const Node* at(const RECT& rect, long role) const {
        for (const Node& node : found)
            if (EqualRect(&node.location, &rect) && (role == 0 || node.role == role))
                return &node;
        return nullptr;
    }

    shell::WindowDescription description;
    win32shell::Win32Toolkit toolkit;
    RecordedEvents events;
    std::unique_ptr<win32shell::FormWindow> form;
    std::vector<Node> found;
};

TEST_P(AccessibilityWalk, EveryControlIsFoundAtItsDescribedRectangle) {
    ASSERT_FALSE(found.empty());
    const auto caption = [](const ControlDescription& control) {
        return win32shell::withCrLf(win32shell::toWide(control.caption.value_or("")));
    };
    int graphics = 0, texts = 0;
    for (const Node& node : found) {
        graphics += node.role == ROLE_SYSTEM_GRAPHIC;
        texts += node.role == ROLE_SYSTEM_STATICTEXT;
    }
    for (const auto* control : shell::allControls(description)) {
        graphics -= control->kind == ControlKind::PictureBox;
        texts -= control->kind == ControlKind::Label;
        SCOPED_TRACE(control->name);
        // Labels and frames are named by their caption, picture boxes are graphics.
        const bool captioned =
            control->kind == ControlKind::Label || control->kind == ControlKind::Frame;
        const long role = control->kind == ControlKind::Label        ? ROLE_SYSTEM_STATICTEXT
                          : control->kind == ControlKind::Frame      ? ROLE_SYSTEM_GROUPING
                          : control->kind == ControlKind::PictureBox ? ROLE_SYSTEM_GRAPHIC
                                                                     : 0;
        std::wstring name = captioned ? caption(*control) : L"";
        if (control->accessibleName)
            name = win32shell::toWide(*control->accessibleName);
        const Node* node = at(onScreen(*control), role);
        ASSERT_NE(node, nullptr) << "nothing with role " << role << " at its rectangle";
        if (!name.empty()) {
            EXPECT_EQ(win32shell::toUtf8(node->name), win32shell::toUtf8(name));
        }
        // A frame's controls are found inside the frame's grouping.
        if (const ControlDescription* frame = containerOf(*control, description.controls)) {
            EXPECT_NE(std::find(node->ancestors.begin(), node->ancestors.end(), caption(*frame)),
                      node->ancestors.end())
                << "not inside " << frame->name;
        }
    }
    EXPECT_EQ(graphics, 0) << "graphics that are no picture box";
    EXPECT_EQ(texts, 0) << "static texts that are no label";
}

INSTANTIATE_TEST_SUITE_P(BothWindows, AccessibilityWalk,
                         ::testing::Values(WindowCase{"Form1", main_window::form1Description,
                                                      main_window::form1AccessibleNames},
                                           WindowCase{
                                               "Form2", troubleshooting_window::form2Description,
                                               troubleshooting_window::form2AccessibleNames}),
                         [](const auto& instance) { return std::string(instance.param.name); });

} // namespace
