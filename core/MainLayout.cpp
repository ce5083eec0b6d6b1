// The main window's three layouts: the design layout and the two screen adaptations.
#include "core/MainLayout.h"

namespace tessarin {

const DesignLayout kMainDesign{
    .megaLabel = {4, 10, 531, 465},
    .grid = {4, 10, 531, 465},
    .panel = {kDesignClientWidth - kPanelWidth, 0, kPanelWidth, kDesignClientHeight},
    .fontBox = {4, 4, 193, 20},
    .checkBox1 = {4, 28, 117, 17},
    .radioGroup1 = {4, 44, 113, 61},
    .groupBox1 = {124, 28, 73, 77},
    .groupBox4 = {4, 105, 193, 38},
    // The list of blocks, the preview and the name share what was the preview's room.
    .blockBox = {8, 145, 188, 300},
    .label1 = {8, 167, 188, 95},
    .charName = {8, 262, 188, 13},
    .label3 = {8, 276, 21, 13},
    .num = {49, 276, 19, 13},
    .tast = {109, 276, 31, 13},
    .htmlChar = {144, 276, 48, 13},
    .groupBox3 = {4, 292, 193, 159},
    .select = {4, 456, 61, 25},
    .options = {68, 456, 61, 25},
    .exit = {132, 456, 61, 25},
    .checkBold = {8, 14, 57, 15},
    .checkItalic = {8, 29, 57, 15},
    .checkStrike = {8, 44, 57, 15},
    .checkUnderline = {8, 59, 57, 15},
    .gradient = {8, 13, 104, 19},
    .check216 = {118, 15, 71, 17},
    .richEdit = {4, 14, 183, 47},
    .label2 = {101, 64, 43, 13},
    .spinEdit = {148, 62, 41, 22},
    .editLeer = {16, 64, 1, 21},
    .labelHtml = {8, 78, 61, 13},
    .htmlEdit = {4, 92, 185, 21},
    .checkFontcopy = {4, 113, 153, 17},
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
