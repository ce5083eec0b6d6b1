// A spot of bare desktop for the pointer, beside the input from the X server (FromX) that
// focus and foreground tests press their keys with.
#pragma once
#include <windows.h>

#include <string>

#include "tests/e2e/E2eInput.h"  // FromX: keys and clicks from the X server

namespace e2e {

// A point of the screen over no window: with X's keyboard focus lost to the root window,
// X gives the keys to the window under the pointer, and there no program would see them.
// {-1, -1} when every corner is covered.
inline POINT BareDesktopPoint() {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  for (POINT p : {POINT{w - 2, h - 2}, POINT{2, h - 2}, POINT{w - 2, 2}}) {
    HWND under = WindowFromPoint(p);
    if (!under || under == GetDesktopWindow()) return p;
  }
  return {-1, -1};
}

}  // namespace e2e
