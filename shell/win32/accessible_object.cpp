#include "shell/win32/accessible_object.h"

#include <atomic>
// __uuidof(IAccessible) rather than IID_IAccessible: mingw-w64's oleacc
// import library gives that name the address of an import thunk, not the
// identifier.
#include <oleacc.h>

namespace shell::win32 {

namespace {

struct Part {
    RECT rect; // in the window's client coordinates
    std::wstring caption;
};

HRESULT putString(const std::wstring& text, BSTR* out) {
    if (!out)
        return E_POINTER;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

// A child window's client object, which its own WM_GETOBJECT gives.
HRESULT clientObjectOf(HWND window, IDispatch** object) {
    IAccessible* accessible = nullptr;
    const HRESULT result = AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                      reinterpret_cast<void**>(&accessible));
    *object = SUCCEEDED(result) ? accessible : nullptr;
    return result;
}

// A property a part does not have.
template <typename T> HRESULT none(T* out) {
    if (!out)
        return E_POINTER;
    *out = T{};
    return S_FALSE;
}

// The window's client object as the system makes it, with the name and role
// given and, for a container, its labels as children of their own. The
// labels are copied: the object may outlive the window.
class ClientObject final : public IAccessible {
public:
    ClientObject(HWND window, IAccessible* standard, const AccessibleClient& client)
        : window_(window), standard_(standard), name_(client.name), role_(client.role),
          container_(client.labels != nullptr) {
        if (client.labels)
            // Front to back: the order the controls are described in.
            for (auto label = client.labels->rbegin(); label != client.labels->rend(); ++label)
                parts_.push_back({label->rect, label->caption});
    }
    ClientObject(const ClientObject&) = delete;
    ClientObject& operator=(const ClientObject&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    // IDispatch: no type information; clients call IAccessible directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!container_)
            return standard_->get_accChildCount(count);
        if (!count)
            return E_POINTER;
        *count = static_cast<long>(parts_.size() + childWindows().size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (!container_)
            return standard_->get_accChild(child, object);
        if (!object)
            return E_POINTER;
        *object = nullptr;
        const long id = idOf(child);
        if (part(id))
            return S_FALSE; // a simple element, known by its id
        const auto windows = childWindows();
        const long index = id - static_cast<long>(parts_.size()) - 1;
        if (index < 0 || index >= static_cast<long>(windows.size()))
            return E_INVALIDARG;
        return clientObjectOf(windows[static_cast<std::size_t>(index)], object);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (const Part* label = part(idOf(child)))
            return putString(label->caption, name);
        if (isSelf(child) && !name_.empty())
            return putString(name_, name);
        return standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (part(idOf(child)))
            return none(value);
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        if (part(idOf(child)))
            return none(text);
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        const Part* label = part(idOf(child));
        if (label || (isSelf(child) && role_ != 0)) {
            if (!role)
                return E_POINTER;
            VariantInit(role);
            role->vt = VT_I4;
            role->lVal = label ? ROLE_SYSTEM_STATICTEXT : role_;
            return S_OK;
        }
        return standard_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (part(idOf(child))) {
            if (!state)
                return E_POINTER;
            VariantInit(state);
            state->vt = VT_I4;
            state->lVal =
                STATE_SYSTEM_READONLY | (IsWindowVisible(window_) ? 0 : STATE_SYSTEM_INVISIBLE);
            return S_OK;
        }
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        if (part(idOf(child)))
            return none(help);
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        if (part(idOf(child))) {
            none(topic);
            return none(file);
        }
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        if (part(idOf(child)))
            return none(keys);
        return standard_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        return standard_->get_accFocus(focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return standard_->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (part(idOf(child)))
            return none(action);
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        if (part(idOf(child)))
            return DISP_E_MEMBERNOTFOUND;
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (!left || !top || !width || !height)
            return E_POINTER;
        const Part* label = part(idOf(child));
        if (!label && !isSelf(child))
            return standard_->accLocation(left, top, width, height, child);
        // A label where it is painted; a control over its whole outer
        // rectangle, border included; a window over its client area.
        RECT rect = label ? label->rect : RECT{};
        if (label) {
            MapWindowPoints(window_, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
        } else if (GetWindowLongPtrW(window_, GWL_STYLE) & WS_CHILD) {
            GetWindowRect(window_, &rect);
        } else {
            GetClientRect(window_, &rect);
            MapWindowPoints(window_, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
        }
        *left = rect.left;
        *top = rect.top;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (part(idOf(start))) {
            if (end)
                VariantInit(end);
            return S_FALSE; // a label leads nowhere
        }
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        if (!container_)
            return standard_->accHitTest(x, y, hit);
        if (!hit)
            return E_POINTER;
        VariantInit(hit);
        POINT point{x, y};
        ScreenToClient(window_, &point);
        RECT client;
        GetClientRect(window_, &client);
        if (!PtInRect(&client, point))
            return S_FALSE;
        // Windowed controls lie above every label.
        HWND child = ChildWindowFromPointEx(window_, point, CWP_SKIPINVISIBLE);
        if (child && child != window_) {
            hit->vt = VT_DISPATCH;
            return clientObjectOf(child, &hit->pdispVal);
        }
        hit->vt = VT_I4;
        hit->lVal = CHILDID_SELF;
        for (std::size_t i = 0; i < parts_.size(); ++i)
            if (PtInRect(&parts_[i].rect, point)) {
                hit->lVal = static_cast<long>(i + 1);
                break;
            }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (part(idOf(child)))
            return DISP_E_MEMBERNOTFOUND;
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~ClientObject() { standard_->Release(); }

    static long idOf(const VARIANT& child) { return child.vt == VT_I4 ? child.lVal : -1; }
    static bool isSelf(const VARIANT& child) { return idOf(child) == CHILDID_SELF; }

    // The label a child id names, or null: ids 1 to n are the labels.
    const Part* part(long id) const {
        if (id < 1 || id > static_cast<long>(parts_.size()))
            return nullptr;
        return &parts_[static_cast<std::size_t>(id - 1)];
    }

    // The child windows front to back, which is also their described order.
    std::vector<HWND> childWindows() const {
        std::vector<HWND> windows;
        for (HWND child = GetWindow(window_, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT))
            windows.push_back(child);
        return windows;
    }

    std::atomic<ULONG> references_{1};
    HWND window_;
    IAccessible* standard_;
    std::wstring name_;
    long role_;
    bool container_;
    std::vector<Part> parts_;
};

constexpr UINT_PTR kNameSubclassId = 0x4e41; // "NA"

LRESULT CALLBACK namedControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR data) {
    switch (message) {
    case WM_GETOBJECT: {
        AccessibleClient client;
        client.name = *reinterpret_cast<const std::wstring*>(data);
        if (const LRESULT object = answerGetObject(window, wParam, lParam, client))
            return object;
        break;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, namedControlProcedure, kNameSubclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

LRESULT answerGetObject(HWND window, WPARAM wParam, LPARAM lParam, const AccessibleClient& client) {
    // The object id arrives as a 32-bit value in lParam.
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT)
        return 0;
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard))) ||
        !standard)
        return 0;
    auto* object = new ClientObject(window, standard, client);
    const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release();
    return result > 0 ? result : 0;
}

void nameForScreenReaders(HWND control, const std::wstring* name) {
    SetWindowSubclass(control, namedControlProcedure, kNameSubclassId,
                      reinterpret_cast<DWORD_PTR>(name));
}

} // namespace shell::win32
