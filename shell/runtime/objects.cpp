#include "shell/runtime/objects.h"

#include "shell/model/ordering.h"
#include "shell/runtime/runtime.h"

namespace shell::runtime {

ControlObject::ControlObject(FormObject& form, std::string name, shell::model::ControlKind kind)
    : RuntimeObject(form.runtime()), form_(form), name_(std::move(name)), kind_(kind) {}

std::string ControlObject::interfaceName() const {
    return "_" + std::string(shell::model::controlKindName(kind_));
}

Status ControlObject::put_Enabled(bool enabled) {
    return form_.setEnabled(name_, enabled);
}

FormObject::FormObject(Runtime& runtime, const FormClass& formClass)
    : RuntimeObject(runtime), class_(formClass) {}

FormObject::~FormObject() = default;

Status FormObject::load() {
    if (live_)
        return kOk;
    auto description = class_.loadDescription();
    if (!description) {
        runtime().fail(
            runtime().language().descriptionUnreadable(class_.name, description.error().message));
        return kFail;
    }
    // Every control exists before Load is raised.
    live_ = runtime().toolkit().realise(*description, *this);
    if (!live_)
        return kFail;
    for (const auto* control : shell::model::allControls(*description))
        controls_.push_back(std::make_shared<ControlObject>(*this, control->name, control->kind));

    if (Procedure onLoad = class_.find(kFormEventSource, kLoadEvent)) {
        const Status status = runtime().invoke(*this, onLoad);
        if (failed(status))
            return status;
    }
    return kOk;
}

Status FormObject::show(const Variant& modal, const Variant& owner) {
    // Only the modeless, ownerless form of the operation exists here.
    const bool modeless =
        modal.isMissing() || (modal.type == Variant::Type::Integer && modal.integer == 0);
    if (!modeless || !owner.isMissing())
        return kInvalidArg;
    if (const Status loaded = load(); failed(loaded))
        return loaded;
    if (!live_)
        return kNotLoaded;
    const Status shown = live_->show();
    if (failed(shown))
        return shown;
    // A window the user cannot see cannot be closed either: the program
    // would run on with nothing to show, so that is a failed show.
    return live_->isVisible() ? shown : kFail;
}

std::shared_ptr<ControlObject> FormObject::control(std::string_view name) {
    for (const auto& control : controls_)
        if (control->name() == name)
            return control;
    return nullptr;
}

Status FormObject::setEnabled(std::string_view controlName, bool enabled) {
    if (!live_)
        return kNotLoaded;
    return live_->setEnabled(controlName, enabled);
}

void FormObject::clicked(std::string_view controlName) {
    if (Procedure procedure = class_.find(controlName, kClickEvent))
        runtime().invoke(*this, procedure);
}

void FormObject::closed() {
    unload();
}

void FormObject::unload() {
    controls_.clear();
    live_.reset();
    runtime().windowUnloaded();
}

} // namespace shell::runtime
