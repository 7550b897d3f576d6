#pragma once

// Finds a control of a window realised on Qt by its name.

#include <QWidget>

namespace testing_support {

template <typename T = QWidget> T* control(QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name));
}

} // namespace testing_support
