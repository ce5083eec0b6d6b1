// ForegroundOrigin: remembering the window the user was in, and whether it still stands.
#include "app/ForegroundOrigin.h"

#include "ui/Foreground.h"

namespace tessarin {
namespace {

DWORD ProcessOf(HWND w) {
  DWORD process = 0;
  GetWindowThreadProcessId(w, &process);
  return process;
}

// A top-level window of another program that a user types into: shown, enabled, activatable,
// not a tool window and not the shell's.
bool WorkWindow(HWND w) {
  const LONG style = GetWindowLongA(w, GWL_STYLE), exStyle = GetWindowLongA(w, GWL_EXSTYLE);
  return IsWindowVisible(w) && IsWindowEnabled(w) && !(style & WS_CHILD) &&
         !(exStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE)) && !ui::IsShellWindow(w) &&
         ProcessOf(w) != GetCurrentProcessId();
}

}  // namespace

void ForegroundOrigin::Remember() {
  HWND front = GetForegroundWindow();
  if (front && ProcessOf(front) == GetCurrentProcessId()) return;
  if (!front || front == GetDesktopWindow() || ui::IsShellWindow(front)) {
    front = nullptr;
    for (HWND w = GetTopWindow(nullptr); w && !front; w = GetWindow(w, GW_HWNDNEXT))
      if (WorkWindow(w)) front = w;
  }
  window_ = front;
  process_ = front ? ProcessOf(front) : 0;
}

HWND ForegroundOrigin::Window() const {
  if (!window_ || !IsWindow(window_) || !IsWindowVisible(window_) || ProcessOf(window_) != process_)
    return nullptr;
  return window_;
}

}  // namespace tessarin
