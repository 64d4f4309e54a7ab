#pragma once
// Fonts: the default GUI face, building a Qt font from a stored font description, the point/pixel
// conversions at the screen's resolution, and the growth rule of one-line edit boxes.

#include "ui/form/form.h"

#include <QFont>

namespace ui {

// The face every font of the form uses (they name none): it shows the GBK texts, and its line
// height at a character height of 160 px (169 px) keeps the 3 x 3 cells from growing.
inline constexpr const char* defaultFace = "AR PL UMing CN";
inline constexpr int defaultGuiFontHeight = 12;

// Lets Qt draw the bold of a face that has only one weight at every size: its FreeType engine
// otherwise emboldens such a face only below 64 px, so the big cell digits would come out at normal
// weight. Font engines read this when they are built: call it before the application loads a font.
void allowSyntheticBoldAtEverySize();

// Installs the default GUI font on the application.
void installDefaultGuiFont();

// A font description as the control layer keeps it; a height of 0 means the default GUI font.
QFont buildFont(const FontSpec& description);

// The screen's vertical pixels per inch.
int screenDpiY();

// Character height in pixels for a font size in points, and back; to the nearest integer,
// halves away from zero.
int pointsToPixels(int points, int dpiY);
int pixelsToPoints(int pixels, int dpiY);

// The thickness of a sunken 3-D edge, on each side of an edit box.
inline constexpr int edgeThickness = 2;

// The height a one-line edit box must have at least for a font: line height plus both edges.
int minimumOneLineHeight(const QFont& font);

} // namespace ui
