#pragma once

#include "shell/model/window_description.h"

#include <QMargins>
#include <QWidget>
#include <functional>

namespace qtshell {

// A top-level window realised from a window description: a fixed-size dialog
// frame with a close box and no minimize or maximize box.
class FormWindow : public QWidget {
public:
    explicit FormWindow(const shell::WindowDescription& description);

    // Called once the user has closed the window with its close box.
    std::function<void()> onClosed;

    // Shows the window for the first time at its start-up position.
    void showAtStartUpPosition();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void moveToStartUpPosition();

    std::uint8_t startUpPosition_;
    QPoint storedPosition_;
    bool centreOnFirstPaint_ = false;
    bool frameExtentsRequested_ = false;
};

} // namespace qtshell
