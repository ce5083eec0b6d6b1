// TrayIcon: the program's icon in the notification area and the events of its mouse buttons.
#pragma once
#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string>

#include "core/TrayDecode.h"
#include "ui/Control.h"

namespace tessarin {

// The icon is added by Activate (and by Loaded, for an Active component once its form is
// built; until then the settings only take note) and stays until Deactivate or destruction. A hidden window
// of the component's own receives the shell's callback messages; every handler runs inside an error boundary.
// When the shell restarts, the icon is added again.
class TrayIcon {
 public:
  // The class of the hidden window that receives the icon's messages.
  static constexpr const char* kWindowClass = "TRxTrayIconWindow";

  TrayIcon();
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // The owning form has been built: an Active icon shows itself now.
  void Loaded();

  bool Active() const { return active_; }
  void SetActive(bool active);
  // Off: the callback messages go unhandled.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  HICON Icon() const { return icon_; }
  // Takes ownership of the icon (nullptr: none) and updates the notification area.
  void SetIcon(HICON icon);
  // Adds the icon (after removing it); nothing is added without an icon.
  void Activate();
  // Removes the icon.
  void Deactivate();
  // Brings the notification area up to date after a change of the icon or the hint.
  void Update();

  bool Added() const { return added_; }
  // The shell reports where each event happened, and the handlers get that position; without
  // it they get the pointer's position when the callback is handled.
  bool ClickPositions() const { return clickPositions_; }
  // The window that receives the icon's messages; made by Loaded (nullptr before).
  HWND Handle() const { return window_; }
  // The record as the shell receives it (the platform's first, 88-byte form).
  const NOTIFYICONDATAA& Record() const { return record_; }

  std::function<void(ui::MouseButton, ui::ShiftState, int x, int y)> OnClick;
  std::function<void()> OnDblClick;
  std::function<void(ui::ShiftState, int x, int y)> OnMouseMove;
  std::function<void(ui::MouseButton, ui::ShiftState, int x, int y)> OnMouseDown;
  std::function<void(ui::MouseButton, ui::ShiftState, int x, int y)> OnMouseUp;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void HandleNeeded();
  // One callback: its mouse message and where on the screen it happened. Without
  // rightClicks the release of the right button raises no click (the shell asks for the
  // menu on its own).
  void HandleCallback(unsigned mouseMessage, POINT p, bool rightClicks);
  void Raise(const tray::TrayEvent& event, POINT p);
  void FillRecord();
  bool HasIcon() const { return icon_ != nullptr; }

  HWND window_ = nullptr;
  HICON icon_ = nullptr;
  std::string hint_;
  bool loading_ = true;
  bool active_ = true;
  bool enabled_ = true;
  bool added_ = false;
  bool clickPositions_ = false;  // the shell reports each event's position (its fourth form)
  tray::PressedButtons pressed_;
  NOTIFYICONDATAA record_{};
};

}  // namespace tessarin
