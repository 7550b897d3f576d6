#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

// Ends the process's event loop once the named top-level window has been
// painted for the first time, so a launch can be timed to its first picture.
class QuitAfterFirstPaint : public QObject {
public:
    explicit QuitAfterFirstPaint(QString windowName) : windowName_(std::move(windowName)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!done_ && event->type() == QEvent::Paint && watched->objectName() == windowName_ &&
            static_cast<QWidget*>(watched)->isWindow()) {
            done_ = true;
            // After this paint has been flushed to the screen.
            QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

private:
    QString windowName_;
    bool done_ = false;
};
