#pragma once

#include <QByteArrayView>
#include <QFont>
#include <QList>

class QWidget;

namespace qtshell {

// Text is drawn from the bitmaps a face carries for the size drawn, as the
// classic desktop draws 宋体 at its body sizes, and from smoothed outlines at
// every other size. The size drawn is the font's pixel size times the
// device pixel ratio, so a scaled display changes the choice.

// The pixel sizes of the strikes in an EBLC (or CBLC) table; empty when
// the table is short or of another version.
QList<int> strikesInTable(QByteArrayView table);

// Sets the font's smoothing for drawing at that device pixel ratio: none
// (the face's bitmaps) when it is not bold and its face carries a strike
// at the size drawn, smoothed otherwise. The font's pixel size must be set.
void chooseSmoothing(QFont& font, qreal devicePixelRatio);

// Chooses again for every font set on the window and its children, after
// the window has moved to a screen of another scale.
void chooseSmoothingAgain(QWidget* window, qreal devicePixelRatio);

} // namespace qtshell
