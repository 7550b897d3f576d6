#include "shell/qt/frame_widget.h"

#include "shell/model/colour.h"
#include "shell/qt/edges.h"
#include "shell/qt/label_widget.h"

#include <QEvent>
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
    // Created before the frame's controls, so it lies below them all.
    if (!caption_.isEmpty()) {
        captionLabel_ =
            new LabelWidget(caption_, shell::system_colour::kButtonFace, std::nullopt, this);
        placeCaption();
    }
}

// The caption's text starts after the gap's padding; the label reaches to the
// gap's end, so no fraction of a glyph's advance can wrap it.
void FrameWidget::placeCaption() {
    if (captionLabel_)
        captionLabel_->setGeometry(captionGap().adjusted(kCaptionPadding, 0, 0, 0));
}

QRect FrameWidget::captionGap() const {
    const QFontMetrics metrics(font());
    return QRect(kCaptionIndent, 0, metrics.horizontalAdvance(caption_) + 2 * kCaptionPadding,
                 metrics.height());
}

void FrameWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        placeCaption();
}

void FrameWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int top = QFontMetrics(font()).height() / 2;

    drawEtchedOutline(painter, QRect(0, top, width(), height() - top), palette());

    // The border breaks for the caption, which its label draws.
    if (captionLabel_)
        painter.fillRect(captionGap(), palette().color(QPalette::Window));
}

} // namespace qtshell
