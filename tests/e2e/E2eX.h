// Input from the X server, as a user's keyboard gives it, and a spot of bare desktop for the
// pointer: what focus and foreground tests press their keys with.
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

// Runs xdotool with the arguments. Injected input (SendInput) skips X and reaches the program
// in front whatever X's keyboard focus is; xdotool's goes where X sends it. The tool runs on
// its own (a Windows process cannot wait on it under Wine): its effect is what a test waits
// for, and one call's keys come in order.
inline bool FromX(const std::string& arguments) {
  std::string command = "Z:\\usr\\bin\\xdotool " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

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
