#pragma once

// Turns the model's values into Qt's: twips into logical pixels, stored
// colours into QColors (system colours from the desktop's palette), fonts,
// texts.

#include "shell/model/colour.h"
#include "shell/model/font.h"
#include "shell/model/units.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>
#include <string_view>

namespace qtshell {

// Qt's logical pixels are 96-dpi pixels on every screen; high-dpi screens
// scale them through the device-pixel ratio, so layouts never reflow.
QRect toPixels(const shell::TwipRect& rect);
QSize toPixels(const shell::ClientRect& rect);

// A stored colour, or a system colour resolved against the palette.
QColor toQColor(shell::Colour colour, const QPalette& palette);

// A font as Qt draws it: 宋体 by the face installSongTiSubstitutes chose,
// smoothed or not for a display of that device pixel ratio (see
// text_smoothing.h).
QFont toQFont(const shell::Font& font, qreal devicePixelRatio = 1.0);

QString toQString(std::string_view utf8);

// CR LF and lone LF (and a lone CR) become Qt's line separator '\n'.
QString normaliseLineBreaks(const QString& text);

} // namespace qtshell
