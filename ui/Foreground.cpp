// The foreground hand-over before hiding, and bringing another program's window back.
#include "ui/Foreground.h"

#include <initializer_list>

#include "core/Ticks.h"

namespace ui {
namespace {

// A message round trip to the window's thread, bounded: a hung program does not hold us.
void RoundTrip(HWND w) { SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, nullptr); }

// Under Wine without a window manager the thread of a window that takes the foreground asks X
// for the keyboard focus stamped with the time of the last message it took. Asked after our
// window hides, the stamp is older than the focus change the unmapped window caused, X refuses
// it, the focus stays on the root window, and keys (the global hot key among them) reach no
// program. So the window takes a fresh message first and the foreground while ours is still
// shown; our hide then leaves the focus where it is.
void GiveForeground(HWND w) {
  // Sent messages are handled before posted ones: the first send comes back once the posted
  // one is queued behind it, the second once the thread has taken it.
  PostMessageA(w, WM_NULL, 0, 0);
  RoundTrip(w);
  RoundTrip(w);
  SetForegroundWindow(w);
  RoundTrip(w);  // the activation, sent before it, is handled
}

bool Activatable(HWND w) {
  return IsWindowVisible(w) && IsWindowEnabled(w) && !(GetWindowLongA(w, GWL_STYLE) & WS_CHILD) &&
         !(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_NOACTIVATE);
}

bool Ours(HWND w) {
  DWORD process = 0;
  GetWindowThreadProcessId(w, &process);
  return process == GetCurrentProcessId();
}

}  // namespace

bool IsShellWindow(HWND w) {
  char name[64] = {};
  GetClassNameA(w, name, sizeof name);
  for (const char* shell : {"Shell_TrayWnd", "Shell_SecondaryTrayWnd", "NotifyIconOverflowWindow",
                            "__winex11_standalone_tray", "Progman", "WorkerW"})
    if (lstrcmpiA(name, shell) == 0) return true;
  return false;
}

void HandForegroundOn(HWND leaving, Hiding hiding) {
  if (!leaving || GetForegroundWindow() != leaving || !Ours(leaving)) return;
  if (hiding == Hiding::OneWindow) {
    // An owned window hands the foreground to its owner, a window of ours.
    if (HWND owner = GetWindow(leaving, GW_OWNER); owner && IsWindowVisible(owner) && IsWindowEnabled(owner))
      return;
  }
  // Looks at the windows from `first` down to `end` (exclusive); true once the search is settled.
  auto handOver = [&](HWND first, HWND end) {
    for (HWND w = first; w && w != end; w = GetWindow(w, GW_HWNDNEXT)) {
      // The taskbar and the notification area are no program to leave the user in (Wine's
      // own notification area is a plain window that may lie between ours and the next).
      if (!Activatable(w) || IsShellWindow(w)) continue;
      if (Ours(w)) {
        // Going too, with the rest of ours; else it takes the foreground, no other thread involved.
        if (hiding == Hiding::AllWindows) continue;
        return true;
      }
      GiveForeground(w);
      return true;
    }
    return false;
  };
  // The platform takes the next window below; with none, the first from the top. Under Wine a
  // window activated from another program's thread is not raised, so the program the user
  // goes back to may lie above ours.
  if (!handOver(GetWindow(leaving, GW_HWNDNEXT), nullptr))
    handOver(GetWindow(GetDesktopWindow(), GW_CHILD), leaving);
}

bool BringBackToFront(HWND target, DWORD timeoutMs) {
  if (!target || !IsWindow(target)) return false;
  const DWORD thread = GetWindowThreadProcessId(target, nullptr);
  auto holdsFocus = [&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    HWND front = GetForegroundWindow();
    return front && GetWindowThreadProcessId(front, nullptr) == thread && GetGUIThreadInfo(thread, &info) &&
           info.hwndFocus != nullptr;
  };
  if (IsIconic(target)) ShowWindow(target, SW_RESTORE);
  GiveForeground(target);
  const DWORD start = GetTickCount();
  // Each look after a round trip to its thread: what it had queued (the activation, its own
  // focus change) has been handled by then.
  while (!holdsFocus()) {
    if (WaitIsOver(start, GetTickCount(), static_cast<std::int32_t>(timeoutMs))) return false;
    // A late focus event of X may have moved the front back: ask again.
    if (GetWindowThreadProcessId(GetForegroundWindow(), nullptr) != thread) SetForegroundWindow(target);
    RoundTrip(target);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_SENDMESSAGE);
  }
  return true;
}

}  // namespace ui
