// What a window message packs into its parameters, decoded once.
#pragma once
#include <windows.h>

namespace ui {

// A point packed into a message parameter (the mouse messages, the tray's callback): x in
// the low word, y in the high word, each a signed 16-bit value, since a point left of or
// above the primary monitor is negative.
inline POINT PointOf(LPARAM packed) {
  return {static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))};
}

}  // namespace ui
