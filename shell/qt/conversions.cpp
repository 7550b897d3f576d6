#include "shell/qt/conversions.h"

#include "shell/qt/text_smoothing.h"

#include <cmath>

namespace qtshell {

QRect toPixels(const shell::TwipRect& rect) {
    return QRect(shell::twipsToPixels(rect.left), shell::twipsToPixels(rect.top),
                 shell::twipsToPixels(rect.width), shell::twipsToPixels(rect.height));
}

QSize toPixels(const shell::ClientRect& rect) {
    return QSize(shell::twipsToPixels(rect.width), shell::twipsToPixels(rect.height));
}

QColor toQColor(shell::Colour colour, const QPalette& palette) {
    if (!colour.isSystem())
        return QColor(colour.red(), colour.green(), colour.blue());
    switch (colour.systemIndex()) {
    case 5: // window background
        return palette.color(QPalette::Base);
    case 8: // window text
        return palette.color(QPalette::Text);
    case 13: // highlight
        return palette.color(QPalette::Highlight);
    case 14: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 16: // button shadow
        return palette.color(QPalette::Dark);
    case 17: // grey text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    case 15: // button face
    default:
        return palette.color(QPalette::Button);
    }
}

QFont toQFont(const shell::Font& font, qreal devicePixelRatio) {
    // The installed face that stands in for 宋体 (see fonts.h), named
    // directly: asked for 宋体 itself, Qt first fails to find it and then
    // sorts every installed face into a fallback list, for each font.
    const QString face = toQString(font.face);
    QFont qfont(QFont::substitute(face));
    // Points are converted at 96 dpi, the same scale as the twips.
    const int pixels = static_cast<int>(std::lround(font.points() * shell::kReferenceDpi / 72.0));
    qfont.setPixelSize(pixels);
    qfont.setWeight(static_cast<QFont::Weight>(font.weight));
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikethrough);
    // The Song faces carry heavy bytecode hinting; running it for every
    // glyph was most of the start-up's text cost, and the unhinted glyphs
    // read as well at these sizes.
    qfont.setHintingPreference(QFont::PreferNoHinting);
    // 宋体 draws its body sizes from the bitmaps its face carries, as on
    // Windows, and so do its stand-ins (AR PL UMing: 11 to 16 px); copying
    // a bitmap also costs far less than rasterising an outline, which was
    // most of the first paint.
    chooseSmoothing(qfont, devicePixelRatio);
    return qfont;
}

QString toQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString normaliseLineBreaks(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

} // namespace qtshell
