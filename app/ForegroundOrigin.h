// ForegroundOrigin: the window of another program the user was in when Tessarin came forward.
#pragma once
#include <windows.h>

namespace tessarin {

// Remembered each time the program's window comes forward (the hot key, the icon, a second
// start), so that a character can be typed back where the user was.
class ForegroundOrigin {
 public:
  // Takes the window in front, unless it is one of ours (the program was in front already and
  // the window remembered before still stands). When the shell's taskbar or notification area
  // is in front (a click on the icon), or nothing is, the topmost window of another program
  // that the user can work in stands for it.
  void Remember();
  // The remembered window while it is still there and shown; nullptr otherwise.
  HWND Window() const;
  void Forget() { window_ = nullptr; }

 private:
  HWND window_ = nullptr;
  DWORD process_ = 0;  // a handle of a closed window may come back for another one
};

}  // namespace tessarin
