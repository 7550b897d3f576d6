#pragma once

// Finds a control of a window realised on Qt by its name, and meets the
// modal box that a step raises.

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace testing_support {

template <typename T = QWidget> T* control(QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name));
}

// Runs `open`, which raises a modal box, and `inspect` on the box while it
// is up; then Escape dismisses it. False when no box came up or Escape
// left it up.
inline bool throughBox(
    const std::function<void()>& open,
    const std::function<void(QMessageBox*)>& inspect = [](QMessageBox*) {}) {
    bool dismissed = false;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            inspect(box); // a failed check returns from here only
            QTest::keyClick(box, Qt::Key_Escape);
            dismissed = !box->isVisible();
            if (!dismissed)
                box->done(0); // fail, rather than wait for ever
        }
    });
    open();
    return dismissed;
}

} // namespace testing_support
