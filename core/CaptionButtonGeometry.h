// Where a caption button sits: its rectangle from the frame, the caption buttons and the metrics.
#pragma once
#include <cstdint>

namespace tessarin {

enum class WidgetBorder : std::uint8_t { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };

struct WidgetBorderIcons {
  bool systemMenu = false, minimize = false, maximize = false, help = false;
};

// The system metrics the rectangle depends on (GetSystemMetrics of the names).
struct WidgetMetrics {
  int cxFixedFrame = 0, cyFixedFrame = 0;
  int cxSizeFrame = 0, cySizeFrame = 0;
  int cxSize = 0, cySize = 0;
  int cxSmSize = 0, cySmSize = 0;
};

// A rectangle in window coordinates (origin at the window's outer top-left corner).
struct WidgetRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
  friend bool operator==(const WidgetRect&, const WidgetRect&) = default;
};

// The button's rectangle for a window of the given outer width: it stands left of the
// caption's own buttons, and each further widget of the same form (index 1, 2, …) one
// button and a gap further left. A window without a caption gets an empty rectangle.
WidgetRect WidgetButtonRect(WidgetBorder border, WidgetBorderIcons icons, const WidgetMetrics& m,
                            int windowWidth, int gap, int widgetIndex);

}  // namespace tessarin
