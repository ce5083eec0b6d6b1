// The caption button's rectangle for each border style.
#include "core/CaptionButtonGeometry.h"

namespace tessarin {

WidgetRect WidgetButtonRect(WidgetBorder border, WidgetBorderIcons icons, const WidgetMetrics& m,
                            int windowWidth, int gap, int widgetIndex) {
  int frameX = m.cxFixedFrame, frameY = m.cyFixedFrame, cellW = m.cxSize, cellH = m.cySize;
  int right = 0;  // the width of the caption's own buttons right of the widget
  switch (border) {
    case WidgetBorder::None: return {};
    case WidgetBorder::Sizeable:
      frameX = m.cxSizeFrame;
      frameY = m.cySizeFrame;
      [[fallthrough]];
    case WidgetBorder::Single:
      if (icons.systemMenu)
        right = cellW + (icons.minimize || icons.maximize ? 2 * cellW : icons.help ? cellW : 0);
      break;
    case WidgetBorder::Dialog:
      // A dialog frame never shows the minimise and maximise buttons.
      if (icons.systemMenu) right = cellW + (icons.help ? cellW : 0);
      break;
    case WidgetBorder::SizeToolWin:
      frameX = m.cxSizeFrame;
      frameY = m.cySizeFrame;
      [[fallthrough]];
    case WidgetBorder::ToolWindow:
      cellW = m.cxSmSize;
      cellH = m.cySmSize;
      if (icons.systemMenu) right = cellW;
      break;
  }
  WidgetRect r;
  r.left = windowWidth - frameX - right - (gap + cellW - 2) * widgetIndex - cellW - gap + 4;
  r.top = frameY + 2;
  r.right = r.left + cellW - 2;
  r.bottom = r.top + cellH - 4;
  return r;
}

}  // namespace tessarin
