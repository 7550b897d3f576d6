#include "shell/qt/frame_widget.h"

#include <QPainter>

namespace qtshell {

namespace {
constexpr int kCaptionIndent = 8;  // from the frame's left edge to the caption's gap
constexpr int kCaptionPadding = 2; // gap between the border and the caption text
} // namespace

FrameWidget::FrameWidget(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(caption) {
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
}

void FrameWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int top = metrics.height() / 2;

    // Etched: a shadow line with a highlight line one pixel right and below.
    const QRect box(0, top, width() - 1, height() - top - 1);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(box.adjusted(1, 1, 0, 0));

    if (caption_.isEmpty())
        return;
    const int textWidth = metrics.horizontalAdvance(caption_);
    const QRect gap(kCaptionIndent, 0, textWidth + 2 * kCaptionPadding, metrics.height());
    painter.fillRect(gap, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(gap.adjusted(kCaptionPadding, 0, -kCaptionPadding, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption_);
}

} // namespace qtshell
