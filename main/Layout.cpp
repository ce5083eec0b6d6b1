#include "main/Layout.h"

namespace tessarin {

ScreenLayout LayoutForScreenWidth(int screenWidth) {
  if (screenWidth <= 640) return ScreenLayout::Small;
  if (screenWidth >= 1024) return ScreenLayout::Large;
  return ScreenLayout::Design;
}

namespace {

// The grid and the magnifier share one rectangle; each layout sizes it so that the
// 16 x 14 cells with their one-pixel lines fit with a few pixels to spare:
//   design 16 x 33 = 528 of 531, 14 x 33 = 462 of 465
//   small  16 x 23 = 368 of 369, 14 x 28 = 392 of 400
//   large  16 x 43 = 688 of 693, 14 x 43 = 602 of 607
constexpr LayoutValues kDesign{0, 0, {4, 10, 531, 465}, 0, 32, 32, {4, 10, 531, 465}, 0, 0, 131, 276, 292, 456};

constexpr LayoutValues kSmall{590, 450, {4, 10, 369, 400}, 12, 22, 27, {4, 10, 369, 400}, 256, 46, 71, 216, 232, 396};

// The large layout enlarges only the grid and the magnifier (by 162 x 142 pixels);
// the panel keeps its design positions.
constexpr LayoutValues kLarge{914, 648, {4, 10, 693, 607}, 22, 42, 42, {4, 10, 693, 607}, 336, 0, 131, 276, 292, 456};

}  // namespace

const LayoutValues& LayoutValuesFor(ScreenLayout layout) {
  switch (layout) {
    case ScreenLayout::Small: return kSmall;
    case ScreenLayout::Large: return kLarge;
    case ScreenLayout::Design: break;
  }
  return kDesign;
}

}  // namespace tessarin
