// The main window's three layouts: the design layout and the two screen adaptations.
#pragma once

#include "core/Bounds.h"

namespace tessarin {

// The main window adapts to the width of the primary screen each time it is shown.
enum class ScreenLayout { Small, Design, Large };

// At most 640 pixels: small; at least 1024: large; in between the design layout stands.
ScreenLayout LayoutForScreenWidth(int screenWidth);

using ui::Bounds;

// Where the design layout puts every control of the main window (client pixels; inside
// the panel and the groups relative to them).
struct DesignLayout {
  Bounds magnifier, grid, panel;
  // In the panel.
  Bounds fontBox, ownFontNamesCheck, fontFilterGroup, styleGroup, colorGroup, viewBox, preview, nameLabel,
      keyCaption, codeLabel, keyLabel, entityLabel, compositionGroup;
  Bounds select, options, exit;
  // In the style group (styleGroup) and the colour group (colorGroup).
  Bounds boldCheck, italicCheck, strikeCheck, underlineCheck, colorButton, webSafeCheck;
  // In the text group (compositionGroup).
  Bounds composition, sizeCaption, sizeEdit, clipboardEdit, htmlCaption, htmlEdit, htmlStyles, copyRtf,
      copyHtml, htmlLabel;
};
extern const DesignLayout kMainDesign;

// What a layout sets. Font sizes are in points, converted with the screen's pixels per
// inch; 0 keeps the form's own font (the design layout's fonts are given in pixels:
// grid 21, magnifier 341, preview kPreviewFontHeight).
struct LayoutValues {
  int windowWidth, windowHeight;  // outer size; 0 for the design layout (client 747 x 485)
  Bounds grid;
  int gridFontPoints;
  int columnWidth, rowHeight;
  Bounds magnifier;
  int megaFontPoints;
  int previewFontPoints;  // previewLabel
  int previewHeight;
  int nameTop;         // nameLabel, under the preview
  int describeRowTop;  // keyCaption, codeLabel, keyLabel, entityLabel
  int textGroupTop;    // compositionGroup
  int buttonsTop;      // selectButton, optionsButton, exitButton
};

const LayoutValues& LayoutValuesFor(ScreenLayout layout);

// The design layout's client size and the right-hand panel's width.
constexpr int kDesignClientWidth = 747;
constexpr int kDesignClientHeight = 485;
constexpr int kPanelWidth = 202;
// The preview's font height in the design layout, in pixels: the character with its
// descender fits the preview under the list of blocks.
constexpr int kPreviewFontHeight = 80;

}  // namespace tessarin
