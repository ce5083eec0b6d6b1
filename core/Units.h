// Rounding arithmetic and the conversion between points and pixels.
#pragma once

namespace ui {

// a * b / c rounded half away from zero, as the platform's MulDiv does; -1 when c is 0.
int MulDivRound(int a, int b, int c);

// A font size in points as a font height in pixels (negative: character height) at the
// given pixels per inch, and back. 10 points at 96 ppi is -13; -13 pixels is 10 points.
int PointsToHeight(int points, int pixelsPerInch);
int HeightToPoints(int height, int pixelsPerInch);

}  // namespace ui
