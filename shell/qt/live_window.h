#pragma once

#include "shell/qt/form_window.h"
#include "shell/runtime/toolkit.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace qtshell {

// A loaded window as the runtime sees it. Destroying it destroys the window
// and its controls (after the current event, as Qt requires).
class QtLiveWindow : public runtime::LiveWindow {
public:
    QtLiveWindow(const shell::WindowDescription& description, runtime::WindowEvents& events);
    ~QtLiveWindow() override;

    runtime::Status show() override;
    bool isVisible() const override;
    runtime::Status setEnabled(std::string_view controlName, bool enabled) override;

    FormWindow* window() const { return window_; }

private:
    // Connections are made in this object, so none reaches the runtime once
    // the live window is gone.
    std::unique_ptr<QObject> relay_;
    QPointer<FormWindow> window_;
    bool shown_ = false;
};

} // namespace qtshell
