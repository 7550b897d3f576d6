#pragma once

// The objects procedures work with: a window's default instance and the
// controls reached through it, plus the reference handles that hold them.

#include "shell/model/control_kind.h"
#include "shell/runtime/project.h"
#include "shell/runtime/status.h"
#include "shell/runtime/toolkit.h"
#include "shell/runtime/variant.h"

#include <memory>
#include <string>
#include <string_view>

namespace shell::runtime {

class Runtime;
class FormObject;

// Anything a status check can name: it knows its runtime.
class RuntimeObject {
public:
    explicit RuntimeObject(Runtime& runtime) : runtime_(runtime) {}
    virtual ~RuntimeObject() = default;
    Runtime& runtime() const { return runtime_; }

private:
    Runtime& runtime_;
};

// A control of a loaded window, reached by name.
class ControlObject : public RuntimeObject {
public:
    ControlObject(FormObject& form, std::string name, shell::model::ControlKind kind);

    const std::string& name() const { return name_; }
    shell::model::ControlKind kind() const { return kind_; }
    // The control's programming interface, as run-time errors name it.
    std::string interfaceName() const;

    Status put_Enabled(bool enabled);

private:
    FormObject& form_;
    std::string name_;
    shell::model::ControlKind kind_;
};

// A window's default instance. It outlives its loads: closing the window
// unloads it, and showing it again loads it afresh from its description.
class FormObject : public RuntimeObject, private WindowEvents {
public:
    FormObject(Runtime& runtime, const FormClass& formClass);
    ~FormObject() override;

    const FormClass& formClass() const { return class_; }
    std::string interfaceName() const { return "_" + std::string(class_.name); }
    bool isLoaded() const { return live_ != nullptr; }

    // Loads the window if needed and raises Load; a window already loaded is left as it is.
    Status load();
    // The show operation: loads if not loaded, then shows modeless and
    // ownerless; both arguments may be omitted.
    Status show(const Variant& modal = Variant::missing(),
                const Variant& owner = Variant::missing());

    // Reaches a control by name; null when the window is not loaded or has no such control.
    std::shared_ptr<ControlObject> control(std::string_view name);

    // Used by the control objects.
    Status setEnabled(std::string_view controlName, bool enabled);

private:
    void clicked(std::string_view controlName) override;
    void closed() override;
    void unload();

    const FormClass& class_;
    std::unique_ptr<LiveWindow> live_;
    std::vector<std::shared_ptr<ControlObject>> controls_;
};

// A counted reference to an object, taken with vbaObjSet and dropped with
// vbaFreeObj or at the end of its scope.
template <typename T> class ObjRef {
public:
    ObjRef() = default;
    T* operator->() const { return object_.get(); }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }
    const std::shared_ptr<T>& get() const { return object_; }

    template <typename U> friend void vbaObjSet(ObjRef<U>& reference, std::shared_ptr<U> object);
    template <typename U> friend void vbaFreeObj(ObjRef<U>& reference);

private:
    std::shared_ptr<T> object_;
};

template <typename T> void vbaObjSet(ObjRef<T>& reference, std::shared_ptr<T> object) {
    reference.object_ = std::move(object);
}

template <typename T> void vbaFreeObj(ObjRef<T>& reference) {
    reference.object_.reset();
}

} // namespace shell::runtime
