// The troubleshooting window's code picture: a QR code with a pale yellow band
// across it and a small dark logo in the middle. The code uses the highest
// error-correction level so the logo does not stop it from being read.
#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <memory>
#include <qrencode.h>
#include <stdexcept>

namespace generator {
namespace {

constexpr int kSize = 220;
constexpr int kModule = 6; // pixels per module

struct QrDeleter {
    void operator()(QRcode* code) const { QRcode_free(code); }
};

} // namespace

QImage drawCodePicture(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const std::unique_ptr<QRcode, QrDeleter> code(
        QRcode_encodeString(utf8.constData(), 0, QR_ECLEVEL_H, QR_MODE_8, 1));
    if (!code) {
        throw std::runtime_error("libqrencode could not encode the code text");
    }
    const int modules = code->width;
    const int side = modules * kModule;
    // The window cuts 3 pixels off the right and bottom, so the code sits one
    // pixel up-left of the centre and the quiet zone stays at least 3 modules.
    const int origin = (kSize - side) / 2 - 1;
    if (origin - 3 < 3 * kModule) {
        throw std::runtime_error("the code is too large for a quiet zone");
    }

    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    for (int y = 0; y < modules; ++y) {
        for (int x = 0; x < modules; ++x) {
            if (code->data[y * modules + x] & 1) {
                p.fillRect(QRect(origin + x * kModule, origin + y * kModule, kModule, kModule),
                           Qt::black);
            }
        }
    }

    // The band runs from the lower left to the upper right. It multiplies, so
    // light modules turn pale yellow and dark ones stay black.
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Multiply);
    QPainterPath band;
    const double half = 26.0;
    band.moveTo(-half, kSize - half);
    band.lineTo(kSize - half, -half);
    band.lineTo(kSize + half, half);
    band.lineTo(half, kSize + half);
    band.closeSubpath();
    QLinearGradient tint(0, kSize, kSize, 0);
    tint.setColorAt(0.0, QColor(0xff, 0xf3, 0xb0));
    tint.setColorAt(0.5, QColor(0xff, 0xee, 0x9c));
    tint.setColorAt(1.0, QColor(0xff, 0xf3, 0xb0));
    p.fillPath(band, tint);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);

    // Logo: a dark rounded square on a white pad, 5 modules across, centred on
    // the code.
    const double centre = origin + side / 2.0;
    const double pad = 3.5 * kModule;
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(centre - pad, centre - pad, 2 * pad, 2 * pad), 4, 4);
    const double logo = 2.5 * kModule;
    QLinearGradient dark(centre - logo, centre - logo, centre + logo, centre + logo);
    dark.setColorAt(0.0, QColor(0x1f, 0x33, 0x52));
    dark.setColorAt(1.0, QColor(0x0b, 0x16, 0x2b));
    p.setBrush(dark);
    p.drawRoundedRect(QRectF(centre - logo, centre - logo, 2 * logo, 2 * logo), 3, 3);
    // A mountain ridge under a crescent, in white.
    QPainterPath ridge;
    ridge.moveTo(centre - logo + 3, centre + logo - 4);
    ridge.lineTo(centre - 4, centre - 3);
    ridge.lineTo(centre + 0.5, centre + 2);
    ridge.lineTo(centre + 4, centre - 1);
    ridge.lineTo(centre + logo - 3, centre + logo - 4);
    ridge.closeSubpath();
    p.setBrush(QColor(0xe8, 0xee, 0xf6));
    p.drawPath(ridge);
    QPainterPath moon;
    moon.addEllipse(QPointF(centre + 6.5, centre - 7.5), 3.2, 3.2);
    QPainterPath bite;
    bite.addEllipse(QPointF(centre + 8.0, centre - 8.8), 2.8, 2.8);
    p.setBrush(QColor(0xf5, 0xd5, 0x6a));
    p.drawPath(moon.subtracted(bite));
    p.end();
    return image;
}

} // namespace generator
