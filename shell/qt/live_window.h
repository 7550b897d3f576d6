#pragma once

#include "shell/qt/form_window.h"
#include "shell/runtime/toolkit.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace shell::qt {

// A loaded window as the runtime sees it. Destroying it destroys the window
// and its controls (after the current event, as Qt requires).
class LiveWindow : public shell::runtime::LiveWindow {
public:
    LiveWindow(const shell::model::WindowDescription& description,
               shell::runtime::WindowEvents& events);
    ~LiveWindow() override;

    shell::runtime::Status show() override;
    bool isVisible() const override;
    shell::runtime::Status setEnabled(std::string_view controlName, bool enabled) override;

    FormWindow* window() const { return window_; }

private:
    // Connections are made in this object, so none reaches the runtime once
    // the live window is gone.
    std::unique_ptr<QObject> relay_;
    QPointer<FormWindow> window_;
    bool shown_ = false;
};

} // namespace shell::qt
