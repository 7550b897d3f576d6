#pragma once

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QString>

namespace generator {

// The pictures are committed, so they must come out the same on every machine:
// text is drawn only with these two families, and a missing one is an error.
inline constexpr const char* kChineseFamily = "AR PL UMing CN";
inline constexpr const char* kLatinFamily = "DejaVu Sans";

// Returns the family at the given pixel size; throws std::runtime_error when the
// family is not installed.
QFont requireFont(const char* family, int pixelSize, bool bold = false);

// Throws std::runtime_error when a character of text has no glyph in font, so
// that a picture never silently shows replacement boxes.
void requireGlyphs(const QFont& font, const QString& text);

// size x size (32 by default, the icon's design size), ARGB32 (not
// premultiplied).
QImage drawApplicationIcon(int size = 32);
// The same drawing as an SVG document with a 32-unit view box.
QByteArray drawScalableApplicationIcon();
// One-image ICO file: 32-bpp DIB with alpha followed by its 1-bpp AND mask.
QByteArray encodeIcon(const QImage& icon);

// 1019 x 132, RGB32.
QImage drawBanner();
// 150 x 506, RGB32.
QImage drawSidePicture();
// 220 x 220, RGB32, a QR code of text.
QImage drawCodePicture(const QString& text);

} // namespace generator
