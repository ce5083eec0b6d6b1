// The program's notification-area icon from another process: finding it, opening its menu
// with the right button, and the proof that the program has handled what it had posted.
#pragma once
#include <windows.h>

#include <vector>

#include "tests/e2e/E2eSupport.h"

namespace e2e {

// The icons in Wine's notification area, whichever program they belong to.
inline std::vector<HWND> TrayIcons() { return NotificationIcons(); }

inline POINT CentreOfIcon() {
  const std::vector<HWND> icons = TrayIcons();
  return icons.empty() ? POINT{-1, -1} : CentreOf(icons.front());
}

// The menu, focus and capture state of a window's thread.
inline GUITHREADINFO ThreadState(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info;
}

// Right-clicks at a point and waits until the menu of the program (whose main window is
// given) shows and has taken the mouse: a click sent before that would go to the window
// under it. nullptr if none opened.
inline HWND OpenIconMenuAt(HWND main, POINT p) {
  DWORD process = 0;
  GetWindowThreadProcessId(main, &process);
  testing_support::ClickAt(p.x, p.y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  HWND menu = nullptr;
  const bool open = testing_support::PumpUntil([&] {
    menu = testing_support::FindProcessWindow(process, "#32768");
    const GUITHREADINFO state = ThreadState(main);
    return menu && IsWindowVisible(menu) && (state.flags & GUI_INMENUMODE) && state.hwndCapture;
  });
  return open ? menu : nullptr;
}

// The menu has closed and its loop has ended.
inline bool IconMenuClosed(HWND main, HWND menu) {
  return testing_support::PumpUntil(
      [&] { return !IsWindowVisible(menu) && !(ThreadState(main).flags & GUI_INMENUMODE); });
}

// The program has handled everything it had posted to itself (its start-up's work, say):
// its icon's menu is opened and then closed by a message posted to the menu's owner, which
// the menu's loop takes from the queue only after everything posted before it.
inline bool PostedWorkHandled(HWND main) {
  const POINT icon = CentreOfIcon();
  if (icon.x < 0) return false;
  HWND menu = OpenIconMenuAt(main, icon);
  if (!menu) return false;
  PostMessageA(ThreadState(main).hwndMenuOwner, WM_CANCELMODE, 0, 0);
  return IconMenuClosed(main, menu);
}

}  // namespace e2e
