// Keys and focus as another program sees them: typed with SendInput, the focus read from
// the window's thread.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/E2eSupport.h"

namespace e2e {

// Presses and releases a key with the modifiers held around it, in one SendInput.
inline void SendChord(WORD vk, const std::vector<WORD>& held) {
  std::vector<INPUT> in;
  auto key = [&](WORD k, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = k;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  for (WORD m : held) key(m, false);
  key(vk, false);
  key(vk, true);
  for (auto m = held.rbegin(); m != held.rend(); ++m) key(*m, true);
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

// Presses and releases a key, with Shift or Ctrl held when asked, at a typist's pace.
inline void PressKey(WORD vk, bool shift = false, bool ctrl = false) {
  std::vector<WORD> held;
  if (ctrl) held.push_back(VK_CONTROL);
  if (shift) held.push_back(VK_SHIFT);
  SendChord(vk, held);
  testing_support::PaceInput();
}

// Types ASCII text on the keyboard layout of the session.
inline void TypeText(const std::string& text) {
  for (char c : text) {
    const SHORT scan = VkKeyScanA(c);
    PressKey(static_cast<WORD>(scan & 0xFF), (scan & 0x100) != 0);
  }
}

// Keys and clicks from the X server, as a user's keyboard and mouse give them (injected input
// skips X and reaches the window in front whatever has X's focus): xdotool with its arguments.
// The tool runs on its own (waiting on it fails under Wine); its effect is what a test waits for.
inline bool FromX(const std::string& arguments) {
  std::string command = "Z:\\usr\\bin\\xdotool " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

// A message round trip to the window's thread: what it had queued before is handled.
inline bool Idle(HWND window) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored) != 0;
}

// The window that has the keyboard focus in the thread of the given window.
inline HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

// The text of a control of another process, asked of the control itself (the caption
// that GetWindowText reads across processes is not an edit's text).
inline std::string ControlText(HWND hwnd) {
  const auto length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const auto got = SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

// Clicks the centre of a window, at a hand's pace.
inline void ClickCentre(HWND hwnd) {
  const POINT p = CentreOf(hwnd);
  testing_support::ClickAt(p.x, p.y);
  testing_support::PaceInput();
}

// The message box the process shows, if one is up: its caption and its text.
struct MessageBoxSeen {
  HWND box = nullptr;
  std::string caption, text;
};
inline MessageBoxSeen FindMessageBox(DWORD processId) {
  MessageBoxSeen seen;
  for (HWND top : testing_support::TopLevelWindows(processId)) {
    if (testing_support::ClassName(top) == "#32770" && IsWindowVisible(top)) {
      seen.box = top;
      seen.caption = testing_support::WindowText(top);
      seen.text = testing_support::WindowText(GetDlgItem(top, 0xFFFF));
    }
  }
  return seen;
}

}  // namespace e2e
