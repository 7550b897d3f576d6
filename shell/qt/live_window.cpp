#include "shell/qt/live_window.h"

#include "shell/qt/conversions.h"
#include "shell/qt/window_builder.h"

#include <QWindow>

namespace shell::qt {

LiveWindow::LiveWindow(const shell::model::WindowDescription& description,
                       shell::runtime::WindowEvents& events)
    : relay_(std::make_unique<QObject>()) {
    window_ = buildWindow(description, relay_.get(),
                          [&events](std::string_view name) { events.clicked(name); });
    if (window_)
        window_->onClosed = [&events] { events.closed(); };
}

LiveWindow::~LiveWindow() {
    relay_.reset();
    if (window_) {
        window_->onClosed = nullptr;
        window_->hide();
        window_->deleteLater();
    }
}

shell::runtime::Status LiveWindow::show() {
    if (!window_)
        return shell::runtime::kNotLoaded;
    if (!window_->isVisible()) {
        if (!shown_)
            window_->showAtStartUpPosition();
        else
            window_->show();
        shown_ = true;
    }
    window_->raise();
    window_->activateWindow();
    return shell::runtime::kOk;
}

bool LiveWindow::isVisible() const {
    // Qt calls a window of empty size visible but never maps it: only the
    // native window's state says whether the user can see it.
    return window_ && window_->isVisible() && window_->windowHandle() &&
           window_->windowHandle()->isVisible();
}

shell::runtime::Status LiveWindow::setEnabled(std::string_view controlName, bool enabled) {
    if (!window_)
        return shell::runtime::kNotLoaded;
    QWidget* control = window_->findChild<QWidget*>(toQString(controlName));
    if (!control)
        return shell::runtime::kNoSuchControl;
    control->setEnabled(enabled);
    return shell::runtime::kOk;
}

} // namespace shell::qt
