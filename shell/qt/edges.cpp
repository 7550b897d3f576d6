#include "shell/qt/edges.h"

#include <QPainter>
#include <QPen>
#include <cmath>

namespace qtshell {

namespace {

// Bands one pixel wide along the top and left of `rect`, its corner
// included, ending one pixel short of the far sides.
void fillTopLeft(QPainter& painter, const QRect& rect, const QColor& colour) {
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width() - 1, 1), colour);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height() - 1), colour);
}

// Bands one pixel wide along the bottom and right of `rect`, whole.
void fillBottomRight(QPainter& painter, const QRect& rect, const QColor& colour) {
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), colour);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), colour);
}

// A one-pixel outline as four bands.
void fillOutline(QPainter& painter, const QRect& rect, const QColor& colour) {
    fillTopLeft(painter, rect, colour);
    fillBottomRight(painter, rect, colour);
}

// Where a pixel edge at `logical` falls on the device.
int onDevice(int logical, qreal ratio) {
    return static_cast<int>(std::lround(logical * ratio));
}

} // namespace

void drawSunkenEdge(QPainter& painter, const QRect& rect, const QPalette& palette) {
    if (rect.width() < 2 || rect.height() < 2)
        return;
    fillTopLeft(painter, rect, palette.color(QPalette::Dark));
    fillBottomRight(painter, rect, palette.color(QPalette::Light));
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    if (inner.width() < 3 || inner.height() < 3)
        return;
    fillTopLeft(painter, inner, palette.color(QPalette::Shadow));
    fillBottomRight(painter, inner, palette.color(QPalette::Midlight));
}

void drawEtchedOutline(QPainter& painter, const QRect& rect, const QPalette& palette) {
    fillOutline(painter, rect.adjusted(0, 0, -1, -1), palette.color(QPalette::Dark));
    fillOutline(painter, rect.adjusted(1, 1, 0, 0), palette.color(QPalette::Light));
}

void drawFocusDots(QPainter& painter, const QRect& outline) {
    // Drawn in the device's own pixels: the outline's edges where the
    // device draws them, and a one-pixel cosmetic pen.
    const qreal ratio = painter.device()->devicePixelRatioF();
    const QRect device(QPoint(onDevice(outline.left(), ratio), onDevice(outline.top(), ratio)),
                       QPoint(onDevice(outline.right() + 1, ratio) - 1,
                              onDevice(outline.bottom() + 1, ratio) - 1));
    painter.save();
    painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio), /*combine=*/true);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen dots(Qt::white, 1, Qt::CustomDashLine);
    dots.setCosmetic(true);
    dots.setDashPattern({1, 1});
    painter.setPen(dots);
    painter.drawRect(device);
    painter.restore();
}

} // namespace qtshell
