#pragma once

#include "shell/model/window_description.h"

#include <QMargins>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

namespace qtshell {

// A top-level window realised from a window description: a fixed-size dialog
// frame with a close box and no minimize or maximize box.
class FormWindow : public QWidget {
public:
    explicit FormWindow(const shell::WindowDescription& description);

    // Called once the user has closed the window with its close box.
    std::function<void()> onClosed;

    // The device pixel ratio its text is smoothed for: its screen's when it
    // was made, then that of each screen it moves to.
    qreal fontsRatio() const { return fontsRatio_; }

    // Shows the window for the first time at its start-up position.
    void showAtStartUpPosition();

    // The focusable controls in tab order. Tab and Shift+Tab go round them
    // both ways, wrapping at the ends, and pass over disabled ones and the
    // option buttons that are not their group's stop.
    void setFocusOrder(std::vector<QWidget*> order);
    // The control Tab (or Shift+Tab, `forward` false) moves to from `from`.
    QWidget* nextInFocusOrder(QWidget* from, bool forward) const;

protected:
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void moveToStartUpPosition();

    std::vector<QPointer<QWidget>> focusOrder_;
    std::uint8_t startUpPosition_;
    QPoint storedPosition_;
    bool centreOnFirstPaint_ = false;
    bool frameExtentsRequested_ = false;
    qreal fontsRatio_;
};

} // namespace qtshell
