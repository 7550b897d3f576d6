#pragma once

// Our stand-in for the hosting runtime: it starts the project, keeps the
// windows' default-instance slots, dispatches events to procedures by name,
// turns failing statuses into run-time errors, and ends the program when the
// last loaded window closes.

#include "shell/runtime/language_resources.h"
#include "shell/runtime/message_box.h"
#include "shell/runtime/objects.h"
#include "shell/runtime/project.h"
#include "shell/runtime/status.h"
#include "shell/runtime/toolkit.h"
#include "shell/runtime/variant.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shell::runtime {

// A program-wide slot holding a window's default instance. Empty at start;
// once filled it stays filled for the program's life, also after its window
// has been closed.
class DefaultInstanceSlot {
public:
    bool empty() const { return instance_ == nullptr; }
    FormObject* get() const { return instance_.get(); }
    FormObject* operator->() const { return instance_.get(); }

private:
    friend Status vbaNew2(const FormClass& formClass, DefaultInstanceSlot& slot);
    std::unique_ptr<FormObject> instance_;
};

inline constexpr int kRuntimeErrorExitCode = 1;

class Runtime {
public:
    Runtime(const ProjectDescriptor& project, Toolkit& toolkit);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    // The runtime the program runs under; the message box and the slots
    // operations reach it through here, as there is one per process.
    static Runtime& current();

    const ProjectDescriptor& project() const { return project_; }
    Toolkit& toolkit() const { return toolkit_; }
    const LanguageResources& language() const { return language_; }

    // Start-up: fills the start-up window's slot, loads it (raising Load),
    // shows it and runs the message loop. Returns the exit status.
    int run();
    // The start-up without the loop; false when the program has already ended.
    bool start();

    const FormClass* formClass(std::string_view windowName) const;
    DefaultInstanceSlot& defaultInstance(std::string_view windowName);

    // Calls an event procedure; a failing status it returns is a run-time
    // error that no procedure handles, so the program ends.
    Status invoke(FormObject& form, Procedure procedure);

    // Records the run-time error a status check raised (its error-box text,
    // which names the number), for invoke() to report.
    void raise(std::string text);
    // Shows the error box and ends the program with a non-zero status.
    void fail(const std::string& text);

    // Lifetime: called when a window is closed and unloaded.
    void windowUnloaded();
    int loadedWindowCount() const;

private:
    const ProjectDescriptor& project_;
    Toolkit& toolkit_;
    LanguageResources language_;
    std::vector<DefaultInstanceSlot> slots_;
    std::optional<std::string> pendingError_;
    bool ended_ = false;
    int exitCode_ = 0;
};

// Creates a window's default instance into its slot if the slot is empty.
Status vbaNew2(const FormClass& formClass, DefaultInstanceSlot& slot);

// Turns a failing status from a call on `object` into a run-time error naming
// the interface and operation; returns the status unchanged.
Status vbaHresultCheckObj(Status status, const RuntimeObject& object,
                          std::string_view interfaceName, std::string_view operation);

// Shows the message box of buttons value 0, the only one the program asks
// for (see MessageBoxRequest), and returns its OK. An omitted title means the
// application title; the buttons value, help file and context are the
// runtime's arguments, which change nothing here.
Variant rtcMsgBox(const Variant& prompt, std::int32_t buttons, const Variant& title,
                  const Variant& helpFile, const Variant& context);

} // namespace shell::runtime
