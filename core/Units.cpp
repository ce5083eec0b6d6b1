// Rounding arithmetic and the conversion between points and pixels.
#include "core/Units.h"

#include <cstdint>
#include <cstdlib>

namespace ui {

int MulDivRound(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const std::int64_t divisor = c;
  const bool negative = (product < 0) != (divisor < 0);
  const std::int64_t p = product < 0 ? -product : product;
  const std::int64_t d = divisor < 0 ? -divisor : divisor;
  const std::int64_t q = (p + d / 2) / d;
  return static_cast<int>(negative ? -q : q);
}

int PointsToHeight(int points, int pixelsPerInch) { return -MulDivRound(points, pixelsPerInch, 72); }

int HeightToPoints(int height, int pixelsPerInch) { return -MulDivRound(height, 72, pixelsPerInch); }

}  // namespace ui
