#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>

// Ends the process's event loop once the named top-level window has been
// painted for the first time, after printing when that was on the steady
// (monotonic) clock, so a launch can be timed to its first picture without
// the process's exit.
class QuitAfterFirstPaint : public QObject {
public:
    explicit QuitAfterFirstPaint(QString windowName) : windowName_(std::move(windowName)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!done_ && event->type() == QEvent::Paint && watched->objectName() == windowName_ &&
            isOnScreen(static_cast<QWidget*>(watched))) {
            done_ = true;
            // After this paint has been flushed to the screen.
            QTimer::singleShot(0, [] {
                const auto now = std::chrono::steady_clock::now().time_since_epoch();
                std::printf("painted %lld\n",
                            static_cast<long long>(std::chrono::nanoseconds(now).count()));
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    // A paint of the top-level window into the screen's backing store, not
    // one into a picture (QWidget::render), which also sends paint events.
    static bool isOnScreen(const QWidget* widget) {
        return widget->isWindow() && widget->windowHandle() && widget->windowHandle()->isExposed();
    }

    QString windowName_;
    bool done_ = false;
};
