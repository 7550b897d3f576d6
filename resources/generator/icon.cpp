// The application icon: a light window with a blue title strip, three white
// caption squares at its right end and a grey gear in the client area.
#include "pictures.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace generator {
namespace {

constexpr int kSize = 32;

QPainterPath gearPath(QPointF centre, double outer, double root, double hole, int teeth) {
    QPainterPath path;
    const double step = 2.0 * std::numbers::pi / teeth;
    // Each tooth: a flat top spanning 36 % of the pitch, flanks to the root circle.
    for (int i = 0; i < teeth; ++i) {
        const double a = i * step - std::numbers::pi / 2.0;
        const double angles[4] = {a - 0.32 * step, a - 0.18 * step, a + 0.18 * step,
                                  a + 0.32 * step};
        const double radii[4] = {root, outer, outer, root};
        for (int k = 0; k < 4; ++k) {
            const QPointF p(centre.x() + radii[k] * std::cos(angles[k]),
                            centre.y() + radii[k] * std::sin(angles[k]));
            if (i == 0 && k == 0) {
                path.moveTo(p);
            } else {
                path.lineTo(p);
            }
        }
        // Arc along the root circle to the next tooth.
        const double from = a + 0.32 * step;
        const double to = a + 0.68 * step;
        for (int s = 1; s <= 3; ++s) {
            const double t = from + (to - from) * s / 3.0;
            path.lineTo(centre.x() + root * std::cos(t), centre.y() + root * std::sin(t));
        }
    }
    path.closeSubpath();
    path.addEllipse(centre, hole, hole);
    path.setFillRule(Qt::OddEvenFill);
    return path;
}

} // namespace

namespace {

// Paints the icon in its 32-unit design space. An SVG has no clip paths
// (QSvgGenerator drops them), so there the title strip is cut to the window's
// shape as a path; pixels keep the clip they were first drawn with.
void paintApplicationIcon(QPainter& p, bool clipByPath) {
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF frame(1.5, 2.5, 29.0, 26.0);
    QPainterPath window;
    window.addRoundedRect(frame, 3.0, 3.0);

    // Soft shadow one pixel down and right.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 30, 50, 60));
    p.drawPath(window.translated(0.8, 1.2));

    // Client area.
    QLinearGradient body(0, frame.top(), 0, frame.bottom());
    body.setColorAt(0.0, QColor(0xfb, 0xfc, 0xfe));
    body.setColorAt(1.0, QColor(0xdc, 0xe4, 0xee));
    p.setBrush(body);
    p.drawPath(window);

    // Title strip, clipped to the rounded window.
    QLinearGradient strip(0, frame.top(), 0, 10.0);
    strip.setColorAt(0.0, QColor(0x4a, 0x8d, 0xe6));
    strip.setColorAt(1.0, QColor(0x1f, 0x5c, 0xbf));
    const QRectF stripRect(frame.left() - 1, frame.top() - 1, frame.width() + 2,
                           10.0 - frame.top() + 1);
    const QRectF edgeRect(frame.left(), 10.0, frame.width(), 1.0);
    const QColor edge(0x17, 0x47, 0x94);
    if (clipByPath) {
        QPainterPath stripPath, edgePath;
        stripPath.addRect(stripRect);
        edgePath.addRect(edgeRect);
        p.fillPath(window.intersected(stripPath), strip);
        p.fillPath(window.intersected(edgePath), edge);
    } else {
        p.save();
        p.setClipPath(window);
        p.fillRect(stripRect, strip);
        p.fillRect(edgeRect, edge);
        p.restore();
    }

    // Three caption squares at the right end of the strip.
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int x : {17, 21, 25}) {
        p.fillRect(QRect(x, 5, 3, 3), Qt::white);
    }
    p.setRenderHint(QPainter::Antialiasing);

    // Window outline.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x1d, 0x4a, 0x8c), 1.0));
    p.drawPath(window);

    // Gear in the middle of the client area.
    const QPointF centre(16.0, 19.5);
    const QPainterPath gear = gearPath(centre, 7.2, 5.4, 2.2, 8);
    QLinearGradient metal(centre.x() - 7, centre.y() - 7, centre.x() + 7, centre.y() + 7);
    metal.setColorAt(0.0, QColor(0xa3, 0xa9, 0xb1));
    metal.setColorAt(1.0, QColor(0x5e, 0x65, 0x6e));
    p.setPen(QPen(QColor(0x4a, 0x50, 0x58), 0.6));
    p.setBrush(metal);
    p.drawPath(gear);
}

} // namespace

QImage drawApplicationIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    if (size != kSize) {
        p.scale(size / double(kSize), size / double(kSize));
    }
    paintApplicationIcon(p, false);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray drawScalableApplicationIcon() {
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(kSize, kSize));
    svg.setViewBox(QRect(0, 0, kSize, kSize));
    svg.setTitle(QStringLiteral("Lansu"));
    QPainter p(&svg);
    paintApplicationIcon(p, true);
    p.end();
    return buffer.data();
}

QByteArray encodeIcon(const QImage& source) {
    const QImage icon = source.convertToFormat(QImage::Format_ARGB32);
    if (icon.width() != kSize || icon.height() != kSize) {
        throw std::invalid_argument("the icon must be 32 x 32");
    }
    constexpr quint32 kPixelBytes = kSize * kSize * 4;
    constexpr quint32 kMaskRow = (kSize / 8 + 3) / 4 * 4;
    constexpr quint32 kMaskBytes = kMaskRow * kSize;
    constexpr quint32 kDibBytes = 40 + kPixelBytes + kMaskBytes;

    QByteArray out;
    auto u8 = [&out](quint32 v) { out.append(static_cast<char>(v & 0xff)); };
    auto u16 = [&u8](quint32 v) {
        u8(v);
        u8(v >> 8);
    };
    auto u32 = [&u16](quint32 v) {
        u16(v & 0xffff);
        u16(v >> 16);
    };

    // ICONDIR
    u16(0); // reserved
    u16(1); // type: icon
    u16(1); // one image
    // ICONDIRENTRY
    u8(kSize);
    u8(kSize);
    u8(0);   // no palette
    u8(0);   // reserved
    u16(1);  // planes
    u16(32); // bits per pixel
    u32(kDibBytes);
    u32(6 + 16); // offset of the image
    // BITMAPINFOHEADER: the height covers the colour image and the mask.
    u32(40);
    u32(kSize);
    u32(2 * kSize);
    u16(1);
    u16(32);
    u32(0); // BI_RGB
    u32(kPixelBytes + kMaskBytes);
    u32(0);
    u32(0);
    u32(0);
    u32(0);
    // Colour image, bottom-up, BGRA; fully transparent pixels carry no colour.
    for (int y = kSize - 1; y >= 0; --y) {
        for (int x = 0; x < kSize; ++x) {
            const QRgb c = icon.pixel(x, y);
            if (qAlpha(c) == 0) {
                u32(0);
            } else {
                u8(static_cast<quint32>(qBlue(c)));
                u8(static_cast<quint32>(qGreen(c)));
                u8(static_cast<quint32>(qRed(c)));
                u8(static_cast<quint32>(qAlpha(c)));
            }
        }
    }
    // AND mask, bottom-up, one bit a pixel: set where the icon is fully transparent.
    for (int y = kSize - 1; y >= 0; --y) {
        for (quint32 byte = 0; byte < kMaskRow; ++byte) {
            quint32 bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = static_cast<int>(byte) * 8 + bit;
                if (x < kSize && qAlpha(icon.pixel(x, y)) == 0) {
                    bits |= 0x80u >> bit;
                }
            }
            u8(bits);
        }
    }
    if (out.size() != 6 + 16 + static_cast<qsizetype>(kDibBytes)) {
        throw std::logic_error("icon encoding has the wrong size");
    }
    return out;
}

} // namespace generator
