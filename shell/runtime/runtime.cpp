#include "shell/runtime/runtime.h"

#include <cassert>

namespace shell::runtime {

namespace {
Runtime* gCurrent = nullptr;
} // namespace

Runtime::Runtime(const ProjectDescriptor& project, Toolkit& toolkit)
    : project_(project), toolkit_(toolkit),
      language_(LanguageResources::load(project.languageLibrary, project.languageLocale)),
      slots_(project.windows.size()) {
    assert(gCurrent == nullptr && "one runtime per process");
    gCurrent = this;
}

Runtime::~Runtime() {
    // Windows go before the runtime they report to.
    slots_.clear();
    gCurrent = nullptr;
}

Runtime& Runtime::current() {
    assert(gCurrent != nullptr);
    return *gCurrent;
}

int Runtime::run() {
    if (!start())
        return exitCode_;
    const int loopCode = toolkit_.runMessageLoop();
    return ended_ ? exitCode_ : loopCode;
}

bool Runtime::start() {
    if (project_.windows.empty())
        return false;
    const FormClass& startUp = project_.windows.front();
    DefaultInstanceSlot& slot = slots_.front();
    vbaNew2(startUp, slot);
    const Status shown = slot->show();
    if (!ended_ && failed(shown))
        fail(language_.objectCallFailed(shown, slot->interfaceName(), "Show"));
    return !ended_;
}

const FormClass* Runtime::formClass(std::string_view windowName) const {
    for (const auto& formClass : project_.windows)
        if (formClass.name == windowName)
            return &formClass;
    return nullptr;
}

DefaultInstanceSlot& Runtime::defaultInstance(std::string_view windowName) {
    for (std::size_t i = 0; i < project_.windows.size(); ++i)
        if (project_.windows[i].name == windowName)
            return slots_[i];
    assert(false && "window not in the project's window list");
    return slots_.front();
}

Status Runtime::invoke(FormObject& form, Procedure procedure) {
    if (ended_)
        return kFail;
    pendingError_.reset();
    const Status status = procedure(form);
    if (failed(status) && !ended_) {
        fail(pendingError_.value_or(language_.objectCallFailed(status, form.interfaceName(), "?")));
    }
    pendingError_.reset();
    return status;
}

void Runtime::raise(std::string text) {
    if (!pendingError_)
        pendingError_ = std::move(text);
}

void Runtime::fail(const std::string& text) {
    if (ended_)
        return;
    ended_ = true;
    exitCode_ = kRuntimeErrorExitCode;
    toolkit_.errorBox(project_.applicationTitle, text);
    toolkit_.quit(exitCode_);
}

void Runtime::windowUnloaded() {
    if (!ended_ && loadedWindowCount() == 0)
        toolkit_.quit(0);
}

int Runtime::loadedWindowCount() const {
    int count = 0;
    for (const auto& slot : slots_)
        if (slot.get() && slot->isLoaded())
            ++count;
    return count;
}

Status vbaNew2(const FormClass& formClass, DefaultInstanceSlot& slot) {
    if (slot.empty())
        slot.instance_ = std::make_unique<FormObject>(Runtime::current(), formClass);
    return kOk;
}

Status vbaHresultCheckObj(Status status, const RuntimeObject& object,
                          std::string_view interfaceName, std::string_view operation) {
    if (failed(status)) {
        Runtime& runtime = object.runtime();
        runtime.raise(runtime.language().objectCallFailed(status, interfaceName, operation));
    }
    return status;
}

namespace {

std::string variantText(const Variant& value) {
    switch (value.type) {
    case Variant::Type::String:
        return value.text;
    case Variant::Type::Integer:
        return std::to_string(value.integer);
    case Variant::Type::Empty:
    case Variant::Type::Missing:
        break;
    }
    return {};
}

} // namespace

Variant rtcMsgBox(const Variant& prompt, std::int32_t, const Variant& title, const Variant&,
                  const Variant&) {
    Runtime& runtime = Runtime::current();
    runtime.toolkit().messageBox({.title = title.isMissing()
                                               ? std::string(runtime.project().applicationTitle)
                                               : variantText(title),
                                  .prompt = variantText(prompt)});
    return Variant::number(kMessageBoxOk);
}

} // namespace shell::runtime
