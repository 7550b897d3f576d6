#pragma once

// Text contrast as the web's accessibility guidelines measure it, and the
// nearest colour of the same hue that reads against a given background.

#include "shell/model/colour.h"

namespace shell::model {

// The contrast a body text needs to be read by people with low vision.
inline constexpr double kReadableContrast = 4.5;

// Relative luminance of an sRGB colour, 0 (black) to 1 (white). The colour
// must not be a system colour.
double relativeLuminance(Colour colour);

// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double contrastRatio(Colour a, Colour b);

// `text` itself when it reads against `background` at `minimum`; otherwise
// `text` mixed towards white or black (whichever can reach the contrast),
// by as little as reaches it. A designer's navy stays navy on a light face
// and becomes a light blue on a dark one.
Colour readableOn(Colour text, Colour background, double minimum = kReadableContrast);

} // namespace shell::model
