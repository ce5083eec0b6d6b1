// The main window's three layouts: the design layout and the two screen adaptations.
#include "core/MainLayout.h"

namespace tessarin {

const DesignLayout kMainDesign{
    .magnifier = {4, 10, 531, 465},
    .grid = {4, 10, 531, 465},
    .panel = {kDesignClientWidth - kPanelWidth, 0, kPanelWidth, kDesignClientHeight},
    .fontBox = {4, 4, 193, 20},
    .ownFontNamesCheck = {4, 28, 117, 17},
    .fontFilterGroup = {4, 44, 113, 61},
    .styleGroup = {124, 28, 73, 77},
    .colorGroup = {4, 105, 193, 38},
    // The list of blocks, the preview and the name share what was the preview's room.
    .viewBox = {8, 145, 188, 300},
    .preview = {8, 167, 188, 95},
    .nameLabel = {8, 262, 188, 13},
    .keyCaption = {8, 276, 21, 13},
    .codeLabel = {49, 276, 19, 13},
    .keyLabel = {109, 276, 31, 13},
    .entityLabel = {144, 276, 48, 13},
    .compositionGroup = {4, 292, 193, 159},
    .select = {4, 456, 61, 25},
    .options = {68, 456, 61, 25},
    .exit = {132, 456, 61, 25},
    .boldCheck = {8, 14, 57, 15},
    .italicCheck = {8, 29, 57, 15},
    .strikeCheck = {8, 44, 57, 15},
    .underlineCheck = {8, 59, 57, 15},
    .colorButton = {8, 13, 104, 19},
    .webSafeCheck = {118, 15, 71, 17},
    .composition = {4, 14, 183, 47},
    .sizeCaption = {101, 64, 43, 13},
    .sizeEdit = {148, 62, 41, 22},
    .clipboardEdit = {16, 64, 1, 21},
    .htmlCaption = {8, 78, 61, 13},
    .htmlEdit = {4, 92, 185, 21},
    .htmlStyles = {4, 113, 153, 17},
    .copyRtf = {4, 134, 90, 21},
    .copyHtml = {98, 134, 90, 21},
    .htmlLabel = {8, 0, 0, 13},
};

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
constexpr LayoutValues kDesign{0,   0,  {4, 10, 531, 465}, 0, 32, 32, {4, 10, 531, 465}, 0, 0, 95, 262, 276,
                               292, 456};

// The small preview keeps a third of its room beside the list of blocks and the name.
constexpr LayoutValues kSmall{
    590, 450, {4, 10, 369, 400}, 12, 22, 27, {4, 10, 369, 400}, 256, 20, 35, 202, 216, 232, 396};

// The large layout enlarges only the grid and the magnifier (by 162 x 142 pixels);
// the panel keeps its design positions.
constexpr LayoutValues kLarge{
    914, 648, {4, 10, 693, 607}, 22, 42, 42, {4, 10, 693, 607}, 336, 0, 95, 262, 276, 292, 456};

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
