#include "shell/qt/picture_box.h"

#include <QPainter>
#include <qdrawutil.h>

namespace qtshell {

PictureBoxWidget::PictureBoxWidget(QImage picture, QColor back, bool sunkenBorder, QWidget* parent)
    : QWidget(parent), picture_(std::move(picture)), back_(back), sunken_(sunkenBorder) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBoxWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect inner = innerRect();
    painter.fillRect(inner, back_);
    if (sunken_)
        qDrawWinPanel(&painter, rect(), palette(), /*sunken=*/true);
    painter.setClipRect(inner);
    painter.drawImage(inner.topLeft(), picture_);
}

} // namespace qtshell
