#include "pictures.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>
#include <stdexcept>

namespace generator {

QFont requireFont(const char* family, int pixelSize, bool bold) {
    const QString name = QString::fromUtf8(family);
    if (!QFontDatabase::families().contains(name)) {
        throw std::runtime_error("font family \"" + std::string(family) + "\" is not installed");
    }
    QFont font(name);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoFontMerging));
    font.setHintingPreference(QFont::PreferNoHinting);
    if (QFontInfo(font).family() != name) {
        throw std::runtime_error("font family \"" + std::string(family) + "\" cannot be matched");
    }
    return font;
}

void requireGlyphs(const QFont& font, const QString& text) {
    const QRawFont raw = QRawFont::fromFont(font);
    for (const char32_t ch : text.toUcs4()) {
        if (ch != U' ' && !raw.supportsCharacter(ch)) {
            throw std::runtime_error("font \"" + font.family().toStdString() +
                                     "\" has no glyph for U+" +
                                     QString::number(ch, 16).toUpper().toStdString());
        }
    }
}

} // namespace generator
