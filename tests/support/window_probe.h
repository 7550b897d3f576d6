#pragma once

// Helpers for tests that look at realised windows: find controls by name,
// find what is on top at a point, and read pixels.

#include "shell/model/window_description.h"

#include <QImage>
#include <QWidget>

namespace testing_support {

// The named control at a point of the window (the topmost one), walking up
// from the innermost widget to one that carries a control name.
inline QString controlAt(QWidget* window, QPoint point) {
    for (QWidget* widget = window->childAt(point); widget && widget != window;
         widget = widget->parentWidget())
        if (!widget->objectName().isEmpty() &&
            !widget->objectName().startsWith(QLatin1String("qt_")))
            return widget->objectName();
    return {};
}

template <typename T = QWidget> T* control(QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name));
}

inline QImage decodeBitmap(const shell::Picture& picture) {
    return QImage::fromData(QByteArrayView(reinterpret_cast<const char*>(picture.fileBytes.data()),
                                           static_cast<qsizetype>(picture.fileBytes.size())),
                            "BMP")
        .convertToFormat(QImage::Format_RGB32);
}

inline QImage grab(QWidget* window) {
    return window->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace testing_support
