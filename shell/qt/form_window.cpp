#include "shell/qt/form_window.h"

#include "shell/model/ordering.h"
#include "shell/qt/conversions.h"
#include "shell/qt/option_button.h"
#include "shell/qt/text_smoothing.h"
#include "shell/qt/x11_hints.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <optional>

namespace qtshell {

namespace {

// The window manager's frame is only known once the window is mapped; the
// last one seen is the best guess for the next window.
QMargins gLastFrameMargins;

QMargins frameMargins(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                    frame.right() - client.right(), frame.bottom() - client.bottom());
}

} // namespace

FormWindow::FormWindow(const shell::WindowDescription& description)
    : QWidget(nullptr), startUpPosition_(description.startUpPosition),
      storedPosition_(shell::twipsToPixels(description.client.left),
                      shell::twipsToPixels(description.client.top)),
      fontsRatio_(devicePixelRatioF()) {
    Qt::WindowFlags flags =
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (description.borderStyle == shell::kBorderStyleFixedDialog)
        flags |= Qt::MSWindowsFixedSizeDialogHint;
    if (description.minButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (description.maxButton)
        flags |= Qt::WindowMaximizeButtonHint;
    if (description.helpButton.value_or(false))
        flags |= Qt::WindowContextHelpButtonHint;
    setWindowFlags(flags);
    setWindowTitle(toQString(description.caption));

    const QSize client = toPixels(description.client);
    if (description.borderStyle == shell::kBorderStyleFixedDialog)
        setFixedSize(client);
    else
        resize(client);

    if (!description.showInTaskbar)
        markSkipTaskbar(this);
    // Asked now, while the controls are built, the frame's size is known by
    // the time the window is placed.
    if (startUpPosition_ == shell::kStartUpCentreScreen)
        frameExtentsRequested_ = requestFrameExtents(this);
}

void FormWindow::showAtStartUpPosition() {
    moveToStartUpPosition();
    show();
}

void FormWindow::moveToStartUpPosition() {
    if (startUpPosition_ != shell::kStartUpCentreScreen) {
        move(storedPosition_);
        return;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Centre the whole window, frame included. Before the first show the
    // frame is asked of the window manager; failing that, the last one seen
    // is the guess, corrected at the first paint.
    QMargins margins = gLastFrameMargins;
    if (isVisible()) {
        margins = frameMargins(this);
    } else if (const auto extents = frameExtentsBeforeMapping(this, frameExtentsRequested_)) {
        margins = gLastFrameMargins = *extents;
        centreOnFirstPaint_ = false;
    } else {
        centreOnFirstPaint_ = true;
    }
    const QRect area = screen->availableGeometry();
    const QSize frame = size().grownBy(margins);
    const QPoint frameTopLeft(area.x() + (area.width() - frame.width()) / 2,
                              area.y() + (area.height() - frame.height()) / 2);
    setGeometry(QRect(frameTopLeft + QPoint(margins.left(), margins.top()), size()));
}

void FormWindow::setFocusOrder(std::vector<QWidget*> order) {
    focusOrder_.assign(order.begin(), order.end());
}

QWidget* FormWindow::nextInFocusOrder(QWidget* from, bool forward) const {
    const auto at = std::find(focusOrder_.begin(), focusOrder_.end(), from);
    const auto next = shell::nextRound(
        focusOrder_.size(),
        at == focusOrder_.end() ? std::nullopt
                                : std::optional(static_cast<std::size_t>(at - focusOrder_.begin())),
        forward ? 1 : -1, [this](std::size_t i) {
            QWidget* candidate = focusOrder_[i];
            if (!candidate || !candidate->isEnabled() || !candidate->isVisibleTo(this))
                return false;
            const auto* option = dynamic_cast<const OptionButtonWidget*>(candidate);
            return !option || option->isGroupTabStop();
        });
    return next ? focusOrder_[*next].data() : nullptr;
}

bool FormWindow::event(QEvent* event) {
    // On a screen of another scale the text is drawn at another size, which
    // the face may or may not carry bitmaps for.
    const bool rescaled =
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        event->type() == QEvent::DevicePixelRatioChange ||
#endif
        event->type() == QEvent::ScreenChangeInternal;
    if (rescaled && !qFuzzyCompare(devicePixelRatioF(), fontsRatio_)) {
        fontsRatio_ = devicePixelRatioF();
        chooseSmoothingAgain(this, fontsRatio_);
    }
    return QWidget::event(event);
}

bool FormWindow::focusNextPrevChild(bool next) {
    QWidget* target = nextInFocusOrder(QApplication::focusWidget(), next);
    if (!target)
        return false;
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void FormWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!centreOnFirstPaint_)
        return;
    centreOnFirstPaint_ = false;
    const QMargins real = frameMargins(this);
    if (real != gLastFrameMargins) {
        gLastFrameMargins = real;
        QTimer::singleShot(0, this, [this] { moveToStartUpPosition(); });
    }
}

void FormWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (onClosed)
        onClosed();
}

} // namespace qtshell
