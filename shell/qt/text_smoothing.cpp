#include "shell/qt/text_smoothing.h"

#include <QFontDatabase>
#include <QHash>
#include <QRawFont>
#include <QWidget>
#include <cmath>

namespace qtshell {

namespace {

constexpr qsizetype kHeaderSize = 8;   // version, number of strikes
constexpr qsizetype kStrikeSize = 48;  // one BitmapSize record
constexpr qsizetype kPpemYOffset = 45; // within a BitmapSize record
constexpr quint16 kSupportedMajor = 2; // EBLC 2.0; CBLC is 3.0
constexpr quint16 kColourMajor = 3;

quint32 bigEndian32(QByteArrayView bytes, qsizetype at) {
    quint32 value = 0;
    for (qsizetype i = 0; i < 4; ++i)
        value = value << 8 | static_cast<quint8>(bytes[at + i]);
    return value;
}

// The strikes of the font's face, read once per family: the table comes
// from the face Qt has already opened for drawing the font.
const QList<int>& strikesOf(const QFont& font) {
    static QHash<QString, QList<int>> known;
    const QString family = font.family();
    if (const auto it = known.constFind(family); it != known.constEnd())
        return *it;
    const QRawFont raw = QRawFont::fromFont(font);
    return *known.insert(family, strikesInTable(raw.fontTable("EBLC")));
}

} // namespace

QList<int> strikesInTable(QByteArrayView table) {
    if (table.size() < kHeaderSize)
        return {};
    const quint32 version = bigEndian32(table, 0);
    const quint32 major = version >> 16;
    if (major != kSupportedMajor && major != kColourMajor)
        return {};
    const quint32 count = bigEndian32(table, 4);
    if (count > static_cast<quint32>((table.size() - kHeaderSize) / kStrikeSize))
        return {};
    QList<int> strikes;
    for (quint32 i = 0; i < count; ++i)
        strikes << static_cast<quint8>(table[kHeaderSize + i * kStrikeSize + kPpemYOffset]);
    return strikes;
}

void chooseSmoothing(QFont& font, qreal devicePixelRatio) {
    // Qt would make bold from the regular bitmaps, which smears small
    // shapes (an ellipsis becomes a dash); the face has no bold ones.
    bool bitmap = font.weight() < QFont::DemiBold;
    if (bitmap) {
        // Asked with the strategy it will most likely draw with, the face
        // is the one the first paint uses.
        font.setStyleStrategy(QFont::NoAntialias);
        const int drawn = static_cast<int>(std::lround(font.pixelSize() * devicePixelRatio));
        bitmap = strikesOf(font).contains(drawn);
    }
    // Set either way, so that a font never inherits its parent's choice.
    font.setStyleStrategy(bitmap ? QFont::NoAntialias : QFont::PreferDefault);
}

void chooseSmoothingAgain(QWidget* window, qreal devicePixelRatio) {
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        if (!widget->testAttribute(Qt::WA_SetFont))
            continue;
        QFont font = widget->font();
        chooseSmoothing(font, devicePixelRatio);
        if (font.styleStrategy() != widget->font().styleStrategy())
            widget->setFont(font);
    }
}

} // namespace qtshell
