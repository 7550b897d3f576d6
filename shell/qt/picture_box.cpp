#include "shell/qt/picture_box.h"

#include <QPainter>
#include <qdrawutil.h>

namespace shell::qt {

PictureBoxWidget::PictureBoxWidget(QImage picture, QColor back, bool sunkenBorder, QWidget* parent)
    : QWidget(parent), picture_(std::move(picture)), back_(back), sunken_(sunkenBorder) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect PictureBoxWidget::focusRect() const {
    // The banner runs past the window's edges; a rectangle drawn there would
    // show only two of its sides, so it keeps to the part that is visible.
    const QRect container(-pos(), parentWidget()->size());
    return innerRect().intersected(container).adjusted(0, 0, -1, -1);
}

void PictureBoxWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect inner = innerRect();
    painter.fillRect(inner, back_);
    if (sunken_)
        qDrawWinPanel(&painter, rect(), palette(), /*sunken=*/true);
    painter.setClipRect(inner);
    painter.drawImage(inner.topLeft(), picture_);
    if (!hasFocus())
        return;
    // Dots that invert what lies below them, as the classic focus rectangle
    // does, so they show on any picture.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen dots(Qt::white, 1, Qt::CustomDashLine);
    dots.setDashPattern({1, 1});
    painter.setPen(dots);
    painter.drawRect(focusRect());
}

void PictureBoxWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void PictureBoxWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

} // namespace shell::qt
