// GlobalHotKey, the program's global hot key, and HotKeyEdit, the platform's hot-key control
// that sets it.
#pragma once
#include <windows.h>

#include <cstdint>

#include "ui/Control.h"

namespace tessarin {

// One system-wide hot key, registered on a window that receives WM_HOTKEY with kId.
// Released when replaced and when the component goes.
class GlobalHotKey {
 public:
  static constexpr int kId = 1;
  GlobalHotKey() = default;
  GlobalHotKey(const GlobalHotKey&) = delete;
  GlobalHotKey& operator=(const GlobalHotKey&) = delete;
  ~GlobalHotKey() { Release(); }

  // Registers a setting (modifiers × 256 + virtual key; 0 for none) on the window, in
  // place of the key held before; registering the key already held does nothing. False
  // when the system refused the key.
  bool Register(HWND owner, std::uint16_t setting);
  void Release();
  // The error code with which the system refused the last registration; 0 when it did not.
  unsigned long Refusal() const { return refusal_; }
  // The last registration failed because another program holds the key.
  bool Taken() const { return refusal_ == ERROR_HOTKEY_ALREADY_REGISTERED; }

 private:
  HWND owner_ = nullptr;
  std::uint16_t setting_ = 0;
  bool registered_ = false;
  unsigned long refusal_ = 0;
};

// The platform's hot-key control (msctls_hotkey32). A key needs Ctrl or Alt with it:
// a plain key or Shift+key alone would stop typing everywhere else.
class HotKeyEdit : public ui::Control {
 public:
  HotKeyEdit(ui::Control* parent, ui::Bounds bounds);
  // Modifiers × 256 + virtual key, as the control gives it; 0 for none.
  std::uint16_t Value() const;
  void SetValue(std::uint16_t value);
};

}  // namespace tessarin
