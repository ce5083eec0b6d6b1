// A control's rectangle in its parent's client coordinates (no platform types).
#pragma once

namespace ui {

struct Bounds {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Bounds&) const = default;
};

}  // namespace ui
