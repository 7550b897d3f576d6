// The main window's banner: brand at the left, product lines at the right, on a
// striped blue-grey ground that fades into a pale strip along the bottom.
#include "pictures.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <random>

namespace generator {
namespace {

constexpr int kWidth = 1019;
constexpr int kHeight = 132;
// The window shows neither the rightmost 2 columns nor the bottom 3 rows, and
// its box starts 8 pixels left of the client edge.
constexpr double kRightEdge = kWidth - 2 - 22;
constexpr double kLeftEdge = 8 + 22;
constexpr int kStripTop = 112;

void drawText(QPainter& p, const QFont& font, const QColor& colour, QPointF baseline,
              const QString& text) {
    requireGlyphs(font, text);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(baseline, text);
}

double advance(const QFont& font, const QString& text) {
    return QFontMetricsF(font).horizontalAdvance(text);
}

} // namespace

QImage drawBanner() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Ground: dark blue-grey lightening downwards.
    QLinearGradient ground(0, 0, 0, kStripTop);
    ground.setColorAt(0.00, QColor(0x1c, 0x26, 0x33));
    ground.setColorAt(0.55, QColor(0x2a, 0x37, 0x48));
    ground.setColorAt(0.85, QColor(0x4f, 0x5d, 0x6e));
    ground.setColorAt(1.00, QColor(0x93, 0x9d, 0xa8));
    p.fillRect(QRect(0, 0, kWidth, kStripTop), ground);

    // A cool glow behind the product name.
    QRadialGradient glow(QPointF(kWidth - 180, 58), 320);
    glow.setColorAt(0.0, QColor(0x5b, 0x86, 0xb8, 70));
    glow.setColorAt(1.0, QColor(0x5b, 0x86, 0xb8, 0));
    p.fillRect(QRect(0, 0, kWidth, kStripTop), glow);

    // Fine horizontal stripes: every other row slightly darker, with a faint
    // fixed irregularity so the texture does not look mechanical.
    std::mt19937 rng(20201024u);
    std::uniform_int_distribution<int> jitter(0, 8);
    for (int y = 1; y < kStripTop; y += 2) {
        p.fillRect(QRect(0, y, kWidth, 1), QColor(0, 0, 0, 26 + jitter(rng)));
    }

    // Pale grey strip along the bottom with a light edge on top.
    QLinearGradient strip(0, kStripTop, 0, kHeight);
    strip.setColorAt(0.0, QColor(0xc4, 0xca, 0xd1));
    strip.setColorAt(1.0, QColor(0xe4, 0xe7, 0xeb));
    p.fillRect(QRect(0, kStripTop, kWidth, kHeight - kStripTop), strip);
    p.fillRect(QRect(0, kStripTop, kWidth, 1), QColor(0xee, 0xf1, 0xf4));

    // Brand in very large translucent grey letters, the company below it.
    const QFont brand = requireFont(kLatinFamily, 84, true);
    drawText(p, brand, QColor(0xc8, 0xcf, 0xd8, 96), QPointF(kLeftEdge - 4, 76),
             QStringLiteral("Qiongyue"));
    const QFont company = requireFont(kChineseFamily, 15);
    drawText(p, company, Qt::white, QPointF(kLeftEdge + 2, 100),
             QString::fromUtf8("穹岳（汀川）科技有限公司"));

    // Right-hand block: three right-aligned lines.
    const QFont edition = requireFont(kChineseFamily, 14);
    const QFont basedOn = requireFont(kLatinFamily, 11);
    const QString editionText = QString::fromUtf8("硬件直连读取版本");
    const QString basedOnText = QStringLiteral("  Based on Qiongyue source projects");
    const double basedOnWidth = advance(basedOn, basedOnText);
    const double editionWidth = advance(edition, editionText);
    drawText(p, basedOn, QColor(0xa4, 0xae, 0xba), QPointF(kRightEdge - basedOnWidth, 28),
             basedOnText);
    drawText(p, edition, Qt::white, QPointF(kRightEdge - basedOnWidth - editionWidth, 28),
             editionText);

    const QFont product = requireFont(kChineseFamily, 44, true);
    const QString productText = QString::fromUtf8("岚溯");
    drawText(p, QFont(product), QColor(0, 0, 0, 90),
             QPointF(kRightEdge - advance(product, productText) + 2, 78), productText);
    drawText(p, product, Qt::white, QPointF(kRightEdge - advance(product, productText), 76),
             productText);

    const QFont mode = requireFont(kLatinFamily, 13);
    const QString modeText = QStringLiteral("Lansu  X  Read-only operation");
    drawText(p, mode, Qt::white, QPointF(kRightEdge - advance(mode, modeText), 100), modeText);
    p.end();
    return image;
}

} // namespace generator
