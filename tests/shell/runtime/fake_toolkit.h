#pragma once

// A toolkit that records what the runtime asks of it, for testing the
// runtime's logic without a window system.

#include "shell/runtime/toolkit.h"

#include <map>
#include <string>
#include <vector>

namespace testing_support {

struct FakeWindow;

class FakeToolkit : public runtime::Toolkit {
public:
    std::unique_ptr<runtime::LiveWindow> realise(const shell::WindowDescription& description,
                                                 runtime::WindowEvents& sink) override;
    runtime::MessageBoxResult messageBox(const runtime::MessageBoxRequest& request) override {
        messageBoxes.push_back(request);
        return runtime::MessageBoxResult::Ok;
    }
    void errorBox(std::string_view title, std::string_view text) override {
        errorBoxes.emplace_back(std::string(title), std::string(text));
    }
    int runMessageLoop() override {
        loopRan = true;
        return loopExitCode.value_or(0);
    }
    void quit(int exitCode) override { loopExitCode = exitCode; }

    // Failures to inject: a control name whose put_Enabled fails, the show
    // operation, or a show that succeeds but leaves the window unseen.
    std::string failEnabledOf;
    bool failShow = false;
    bool showLeavesHidden = false;

    std::vector<runtime::MessageBoxRequest> messageBoxes;
    std::vector<std::pair<std::string, std::string>> errorBoxes;
    std::optional<int> loopExitCode;
    bool loopRan = false;
    int realised = 0;
    std::vector<FakeWindow*> live; // windows currently alive
};

struct FakeWindow : runtime::LiveWindow {
    FakeWindow(FakeToolkit& owner, const shell::WindowDescription& description,
               runtime::WindowEvents& sink)
        : toolkit(owner), name(description.name), events(sink) {
        toolkit.live.push_back(this);
    }
    ~FakeWindow() override { std::erase(toolkit.live, this); }

    runtime::Status show() override {
        if (toolkit.failShow)
            return runtime::kFail;
        ++showCalls;
        visible = !toolkit.showLeavesHidden;
        return runtime::kOk;
    }
    bool isVisible() const override { return visible; }
    runtime::Status setEnabled(std::string_view control, bool on) override {
        if (control == toolkit.failEnabledOf)
            return runtime::kFail;
        enabled[std::string(control)] = on;
        return runtime::kOk;
    }

    // What the user does.
    void click(std::string_view control) { events.clicked(control); }
    void close() {
        visible = false;
        events.closed(); // destroys this window
    }

    FakeToolkit& toolkit;
    std::string name;
    runtime::WindowEvents& events;
    bool visible = false;
    int showCalls = 0;
    std::map<std::string, bool> enabled;
};

inline std::unique_ptr<runtime::LiveWindow>
FakeToolkit::realise(const shell::WindowDescription& description, runtime::WindowEvents& events) {
    ++realised;
    return std::make_unique<FakeWindow>(*this, description, events);
}

} // namespace testing_support
