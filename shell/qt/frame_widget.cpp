#include "shell/qt/frame_widget.h"

#include "shell/qt/edges.h"

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

    drawEtchedOutline(painter, QRect(0, top, width(), height() - top), palette());

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
