#include "shell/qt/picture_box.h"

#include "shell/qt/edges.h"

#include <QPainter>

namespace qtshell {

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
        drawSunkenEdge(painter, rect(), palette());
    painter.setClipRect(inner);
    painter.drawImage(inner.topLeft(), picture_);
    if (hasFocus())
        drawFocusDots(painter, focusRect());
}

void PictureBoxWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void PictureBoxWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

} // namespace qtshell
