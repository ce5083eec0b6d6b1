// Handing the foreground to another program before our windows hide, and bringing a window
// of another program back to the front until its thread holds the keyboard focus.
#pragma once
#include <windows.h>

namespace ui {

// What goes when the window in front hides: that window alone (its owner or another window
// of ours may take the foreground), or every window of the program (minimising, exiting).
enum class Hiding { OneWindow, AllWindows };

// A window of the desktop shell: the taskbar, the notification area (Wine's own too), the
// desktop. The user works in none of them.
bool IsShellWindow(HWND w);

// Before `leaving`, which holds the foreground, hides to leave the user with another program:
// gives the window the platform would activate next (the next activatable window below, of
// another program, not the shell's; with none below, the first such from the top) a fresh
// message and the foreground while ours is still shown. Does nothing when `leaving` is not in
// front, or when a window of ours takes the foreground anyway.
void HandForegroundOn(HWND leaving, Hiding hiding);

// Gives `target`, a window of another program, the foreground while ours is still shown (a
// fresh message to its thread first, as above), then waits until its thread holds the
// keyboard focus and the foreground, for at most timeoutMs milliseconds. True when it does.
bool BringBackToFront(HWND target, DWORD timeoutMs);

}  // namespace ui
