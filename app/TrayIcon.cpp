// TrayIcon: the notification record, Shell_NotifyIconA and the callback window.
#include "app/TrayIcon.h"

#include <cstring>

#include "ui/Application.h"
#include "ui/Messages.h"
#include "ui/ShellLibraries.h"
#include "ui/WindowClass.h"

namespace tessarin {
namespace {

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}

const char* RegisterTrayClass(WNDPROC proc) {
  // The component, in a slot of its own class.
  return ui::RegisterWindowClass(
      {.name = TrayIcon::kWindowClass, .proc = proc, .windowExtra = sizeof(TrayIcon*)});
}

ui::ShiftState WithMouse(ui::ShiftState s, const tray::TrayMouseState& m) {
  s.left = m.left;
  s.right = m.right;
  s.middle = m.middle;
  s.dbl = m.dbl;
  return s;
}

ui::MouseButton ButtonOf(tray::TrayButton b) {
  switch (b) {
    case tray::TrayButton::Right: return ui::MouseButton::Right;
    case tray::TrayButton::Middle: return ui::MouseButton::Middle;
    default: return ui::MouseButton::Left;
  }
}

}  // namespace

TrayIcon::TrayIcon() {
  TaskbarCreatedMessage();
  FillRecord();
}

TrayIcon::~TrayIcon() {
  enabled_ = false;
  Deactivate();
  if (window_) {
    SetWindowLongPtrA(window_, 0, 0);
    DestroyWindow(window_);
  }
  if (icon_) DestroyIcon(icon_);
}

void TrayIcon::HandleNeeded() {
  if (window_) return;
  // A hidden top-level window, not a message-only one: the shell's "TaskbarCreated"
  // broadcast reaches only top-level windows. It is made when the icon is loaded, not with
  // the component: a start draws its main window first.
  window_ = CreateWindowExA(WS_EX_TOOLWINDOW, RegisterTrayClass(&TrayIcon::WindowProc), "", WS_POPUP, 0, 0, 0,
                            0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window_) throw ui::Exception("Cannot create the notification icon's window");
  SetWindowLongPtrA(window_, 0, reinterpret_cast<LONG_PTR>(this));
}

void TrayIcon::Loaded() {
  loading_ = false;
  HandleNeeded();
  if (active_) Activate();
}

void TrayIcon::SetActive(bool active) {
  active_ = active;
  if (loading_) return;
  if (active)
    Activate();
  else
    Deactivate();
}

void TrayIcon::SetHint(const std::string& hint) {
  hint_ = hint;
  Update();
}

void TrayIcon::SetIcon(HICON icon) {
  if (icon == icon_) return;
  HICON old = icon_;
  icon_ = icon;
  Update();
  if (old) DestroyIcon(old);
}

void TrayIcon::FillRecord() {
  record_ = NOTIFYICONDATAA{};
  record_.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record_.hWnd = window_;
  record_.uID = 0;
  record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record_.uCallbackMessage = tray::TrayCallbackMessage;
  record_.hIcon = icon_ ? icon_ : reinterpret_cast<HICON>(-1);
  // The short part of the hint (the text before a "|"), cut to the 64 characters of the
  // record's first form, the end included.
  constexpr size_t kTipLength = 64;
  const std::string tip = hint_.substr(0, hint_.find('|')).substr(0, kTipLength - 1);
  std::memcpy(record_.szTip, tip.c_str(), tip.size() + 1);
}

void TrayIcon::Activate() {
  HandleNeeded();
  Deactivate();
  if (!HasIcon()) return;
  pressed_ = {};
  FillRecord();
  added_ = ui::late::Shell_NotifyIconA(NIM_ADD, &record_) != FALSE;
  if (record_.szTip[0] == '\0' && added_) ui::late::Shell_NotifyIconA(NIM_MODIFY, &record_);
  // Asks the shell to report where each click happened. By the time a callback is handled
  // the pointer may be far away (a busy machine, a quick hand), and a menu opened where the
  // pointer is now would open away from the icon.
  clickPositions_ = false;
  if (added_) {
    NOTIFYICONDATAA version{};
    version.cbSize = NOTIFYICONDATAA_V3_SIZE;
    version.hWnd = window_;
    version.uID = record_.uID;
    version.uVersion = NOTIFYICON_VERSION_4;
    clickPositions_ = ui::late::Shell_NotifyIconA(NIM_SETVERSION, &version) != FALSE;
  }
}

void TrayIcon::Deactivate() {
  ui::late::Shell_NotifyIconA(NIM_DELETE, &record_);
  added_ = false;
  clickPositions_ = false;
  pressed_ = {};
}

void TrayIcon::Update() {
  if (added_) {
    if (!HasIcon()) {
      Deactivate();
    } else {
      FillRecord();
      ui::late::Shell_NotifyIconA(NIM_MODIFY, &record_);
    }
  } else if (active_ && !loading_) {
    Activate();
  }
}

LRESULT CALLBACK TrayIcon::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TrayIcon*>(GetWindowLongPtrA(hwnd, 0));
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  // The error boundary: an error of a handler is shown, and the message counts as handled.
  try {
    if (msg == tray::TrayCallbackMessage && self->enabled_) {
      if (self->clickPositions_) {
        // The shell's fourth form: the mouse message in the low word, the position of the
        // event on the screen in wParam.
        const POINT at = ui::PointOf(static_cast<LPARAM>(wParam));
        const unsigned event = LOWORD(lParam);
        // In this form the keyboard reaches the icon too: Enter or Space selects it as a
        // left click does. The menu key, Shift+F10 and the release of a right click all ask
        // for the menu with WM_CONTEXTMENU, which is then the one right click: the release
        // itself raises none. The request may arrive while a menu opened for the release
        // would still run its loop.
        if (event == NIN_KEYSELECT) {
          self->Raise({.kind = tray::TrayEventKind::Click, .button = tray::TrayButton::Left}, at);
        } else if (event == WM_CONTEXTMENU) {
          self->Raise({.kind = tray::TrayEventKind::Click, .button = tray::TrayButton::Right}, at);
        } else {
          self->HandleCallback(event, at, /*rightClicks=*/false);
        }
      } else {
        // The first form carries no position: the pointer's, now, is the best there is.
        POINT at{};
        GetCursorPos(&at);
        self->HandleCallback(static_cast<unsigned>(lParam), at, /*rightClicks=*/true);
      }
      return 0;
    }
    if (msg == TaskbarCreatedMessage() && msg != 0) {
      // The shell has restarted and every icon is gone; without a taskbar button the
      // icon is the only way back to the program.
      if (self->active_) self->Activate();
      return 0;
    }
  } catch (...) {
    ui::Application::Instance().HandleException();
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void TrayIcon::HandleCallback(unsigned mouseMessage, POINT p, bool rightClicks) {
  for (const tray::TrayEvent& event : tray::DecodeTrayMessage(mouseMessage, pressed_))
    if (rightClicks || event.kind != tray::TrayEventKind::Click || event.button != tray::TrayButton::Right)
      Raise(event, p);
}

void TrayIcon::Raise(const tray::TrayEvent& event, POINT p) {
  const ui::ShiftState shift = WithMouse(ui::ShiftState::FromKeyboard(), event.state);
  const ui::MouseButton button = ButtonOf(event.button);
  switch (event.kind) {
    case tray::TrayEventKind::MouseMove:
      if (OnMouseMove) OnMouseMove(shift, p.x, p.y);
      break;
    case tray::TrayEventKind::MouseDown:
      if (OnMouseDown) OnMouseDown(button, shift, p.x, p.y);
      break;
    case tray::TrayEventKind::MouseUp:
      if (OnMouseUp) OnMouseUp(button, shift, p.x, p.y);
      break;
    // The component opens no menu of its own: a right click reaches OnClick like any other.
    case tray::TrayEventKind::Click:
      if (OnClick) OnClick(button, shift, p.x, p.y);
      break;
    case tray::TrayEventKind::DoubleClick:
      if (OnDblClick) OnDblClick();
      break;
  }
}

}  // namespace tessarin
