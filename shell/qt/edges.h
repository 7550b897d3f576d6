#pragma once

#include <QPalette>
#include <QRect>

class QPainter;

namespace qtshell {

// The classic 3-D edges and focus mark, drawn as filled bands rather than
// stroked lines: on a scaled display a stroked one-pixel line is widened
// about its centre and rounded on both sides, which leaves edges the 1x
// look does not have, while a band of one pixel scales to its share of the
// device's pixels.

// The two-pixel sunken edge of picture boxes and text boxes just inside
// `rect`: shadow and dark shadow at the top and left, light and midlight at the
// bottom and right.
void drawSunkenEdge(QPainter& painter, const QRect& rect, const QPalette& palette);

// The etched outline of a frame: a shadow line with a light line one pixel
// right of and below it, `rect` being the outside of both.
void drawEtchedOutline(QPainter& painter, const QRect& rect, const QPalette& palette);

// The dotted focus rectangle with `outline` as its outermost pixels: every
// other device pixel of it inverted, so the dots stay one device pixel and
// show on any picture.
void drawFocusDots(QPainter& painter, const QRect& outline);

} // namespace qtshell
