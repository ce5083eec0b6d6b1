// Finding the running program's controls from another process, as a screen reader or
// a test robot does: by class, text and style.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

namespace e2e {

constexpr const char* kMainClass = "TessarinMainWindow";

struct ControlQuery {
  const char* className;
  const char* text;     // nullptr: any text
  LONG styleMask = 0;   // the style bits that must be set
  LONG styleValue = 0;  // … to these values
  bool visibleOnly = true;
};

struct FindState {
  ControlQuery query;
  HWND found;
};

inline BOOL CALLBACK MatchControl(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<FindState*>(lParam);
  const ControlQuery& q = s->query;
  if (_stricmp(testing_support::ClassName(hwnd).c_str(), q.className) != 0) return TRUE;
  if (q.text && testing_support::WindowText(hwnd) != q.text) return TRUE;
  const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
  if ((style & q.styleMask) != q.styleValue) return TRUE;
  if (q.visibleOnly && !(style & WS_VISIBLE)) return TRUE;
  s->found = hwnd;
  return FALSE;
}

inline HWND FindControl(HWND top, const ControlQuery& query) {
  FindState s{query, nullptr};
  EnumChildWindows(top, &MatchControl, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// The centre of a window on the screen.
inline POINT CentreOf(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The centre of the caption button of the main window (left of the close button of its
// dialog frame), on the screen.
inline POINT CaptionButtonCentre(HWND main) {
  RECT w;
  GetWindowRect(main, &w);
  const int b = GetSystemMetrics(SM_CXSIZE), e = GetSystemMetrics(SM_CYSIZE);
  const int left = (w.right - w.left) - GetSystemMetrics(SM_CXFIXEDFRAME) - 2 * b + 2;
  const int top = GetSystemMetrics(SM_CYFIXEDFRAME) + 2;
  return {w.left + left + (b - 2) / 2, w.top + top + (e - 4) / 2};
}

// The shown icons of Wine's notification area (a window of its own without a desktop
// shell), whichever program they belong to.
inline std::vector<HWND> NotificationIcons() {
  std::vector<HWND> icons;
  HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
  for (HWND icon = tray ? FindWindowExA(tray, nullptr, "__winex11_tray_icon", nullptr) : nullptr; icon;
       icon = FindWindowExA(tray, icon, "__winex11_tray_icon", nullptr))
    if (IsWindowVisible(icon)) icons.push_back(icon);
  return icons;
}

}  // namespace e2e
