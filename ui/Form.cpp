// A top-level window of the program: show step, state, dialog keys, closing.
#include "ui/Form.h"

#include <algorithm>
#include <vector>

#include "ui/Application.h"
#include "ui/Foreground.h"
#include "ui/Messages.h"

namespace ui {
namespace {

DWORD StyleFor(BorderStyle border, bool minimizeBox) {
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  switch (border) {
    case BorderStyle::Dialog: style |= DS_MODALFRAME; break;  // no minimise box on a dialog frame
    case BorderStyle::Single: style |= minimizeBox ? WS_MINIMIZEBOX : 0; break;
    case BorderStyle::Sizeable: style |= WS_THICKFRAME | (minimizeBox ? WS_MINIMIZEBOX : 0); break;
  }
  return style;
}

DWORD ExStyleFor(BorderStyle border) {
  return border == BorderStyle::Dialog ? WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT
                                       : WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;
}

// The visible, enabled top-level windows of the thread other than the modal form.
struct ModalCollect {
  HWND self;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectEnabledWindow(HWND hwnd, LPARAM lParam) {
  auto* c = reinterpret_cast<ModalCollect*>(lParam);
  if (hwnd != c->self && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) c->windows.push_back(hwnd);
  return TRUE;
}

}  // namespace

Form::Form(const Options& options) : Control(nullptr), centerOnFirstShow_(options.centerOnFirstShow) {
  Application& app = Application::Instance();
  app.Initialize();
  font_.Assign(options.font);
  // Made on the primary screen, at its DPI; a window that the platform places on a monitor
  // of another scaling hears of it through WM_DPICHANGED.
  RegisterOwnClass(options.windowClass, CS_DBLCLKS, nullptr,
                   reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
  const DWORD style = StyleFor(options.border, options.minimizeBox);
  const DWORD exStyle = ExStyleFor(options.border);
  RECT r{0, 0, Scale(options.clientWidth), Scale(options.clientHeight)};
  AdjustWindowRectForDpi(&r, style, exStyle, Dpi());
  // Owned by the application window; created hidden.
  CreateHandle({.className = options.windowClass,
                .text = options.caption,
                .style = style,
                .exStyle = exStyle,
                .bounds = {0, 0, r.right - r.left, r.bottom - r.top},
                .pixels = true,
                .owner = app.Handle()});
  app.AddForm(this);
}

Form::~Form() { Application::Instance().RemoveForm(this); }

void Form::DoShow() {
  if (OnShow) OnShow();
}

void Form::Show() {
  if (!handle_ || IsWindowVisible(handle_)) return;
  // The show step runs first, so that the window appears with the size, position and
  // state it sets.
  RunShowStep();
  inShow_ = true;
  ShowWindow(handle_, state_ == WindowState::Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  inShow_ = false;
}

void Form::RunShowStep() {
  inShow_ = true;
  try {
    DoShow();
  } catch (...) {
    Application::Instance().HandleException();
  }
  if (!shownOnce_ && centerOnFirstShow_) Center();
  shownOnce_ = true;
  inShow_ = false;
}

void Form::Hide() {
  if (handle_ && IsWindowVisible(handle_)) ShowWindow(handle_, SW_HIDE);
}

void Form::HandForegroundOn() const { ui::HandForegroundOn(handle_, Hiding::OneWindow); }

void Form::BringToFront() {
  Show();
  if (handle_) SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void Form::Close() {
  if (!handle_) return;
  PostMessageA(handle_, WM_CLOSE, 0, 0);
}

void Form::ShowModal() {
  if (!handle_ || modal_) return;
  Application& app = Application::Instance();
  HWND previous = GetActiveWindow();
  // The thread's other visible windows take no input while this one is up.
  ModalCollect collect{handle_, {}};
  EnumThreadWindows(GetCurrentThreadId(), &CollectEnabledWindow, reinterpret_cast<LPARAM>(&collect));
  std::vector<HWND>& disabled = collect.windows;
  for (HWND hwnd : disabled) EnableWindow(hwnd, FALSE);
  modal_ = true;
  endModal_ = false;
  struct Restore {
    Form& form;
    std::vector<HWND>& disabled;
    HWND previous;
    ~Restore() {
      // Enabled before the form hides, so that the activation returns to them and not
      // to another program.
      for (HWND hwnd : disabled)
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
      form.modal_ = false;
      form.endModal_ = false;
      form.Hide();
      if (previous && IsWindow(previous) && IsWindowVisible(previous)) SetActiveWindow(previous);
    }
  } restore{*this, disabled, previous};
  Show();
  SetForegroundWindow(handle_);
  while (!endModal_ && IsWindowVisible(handle_) && !app.Terminated() && app.HandleMessage()) {
  }
}

void Form::EndModal() {
  if (modal_) {
    endModal_ = true;
    PostMessageA(handle_, WM_NULL, 0, 0);  // the loop looks again after this message
  } else {
    Hide();
  }
}

void Form::SetWindowState(WindowState state) {
  state_ = state;
  if (handle_ && IsWindowVisible(handle_)) {
    switch (state) {
      case WindowState::Normal:
        if (IsIconic(handle_) || IsZoomed(handle_)) ShowWindow(handle_, SW_RESTORE);
        break;
      case WindowState::Minimized: ShowWindow(handle_, SW_MINIMIZE); break;
      case WindowState::Maximized: ShowWindow(handle_, SW_MAXIMIZE); break;
    }
  }
}

void Form::SetOuterSize(int width, int height) {
  SetWindowPos(handle_, nullptr, 0, 0, Scale(width), Scale(height),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM lParam) {
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
  return TRUE;
}

}  // namespace

void Form::ChangeDpi(UINT dpi, const RECT& suggested) {
  if (!handle_ || dpi == 0) return;
  // Parents come before their children in the platform's enumeration; a child's place is
  // relative to its parent, so the order does not matter for the sizes anyway.
  std::vector<HWND> children;
  EnumChildWindows(handle_, &CollectChild, reinterpret_cast<LPARAM>(&children));
  ChangeScale(dpi);
  for (HWND child : children)
    if (Control* c = Control::FromHandle(child); c && GetAncestor(child, GA_ROOT) == handle_)
      c->ChangeScale(dpi);
  SetWindowPos(handle_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  if (OnDpiChanged) OnDpiChanged();
  InvalidateRect(handle_, nullptr, TRUE);
}

void Form::Center() {
  RECT w{};
  GetWindowRect(handle_, &w);
  const int width = w.right - w.left, height = w.bottom - w.top;
  const int left = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  const int top = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  SetWindowPos(handle_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetActiveControl(Control* control) {
  activeControl_ = control;
  if (control && handle_ && GetActiveWindow() == handle_) control->SetFocus();
}

bool Form::PreviewKey(MSG&) { return false; }

LRESULT Form::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SHOWWINDOW:
      // A show by someone else (another process, the owner coming back) runs the show
      // step too, before the window appears.
      if (wParam && !inShow_ && !IsWindowVisible(handle_)) RunShowStep();
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(handle_, focus)) {
          if (Control* c = Control::FromHandle(focus)) activeControl_ = c;
        }
      } else if (activeControl_ && activeControl_->Handle() && !HIWORD(wParam)) {
        activeControl_->SetFocus();
        return 0;
      }
      break;
    case WM_COMMAND:
      // Esc in the dialog manager: the cancel button, as if it had been clicked.
      if (LOWORD(wParam) == IDCANCEL && lParam == 0 && cancelButton_ && cancelButton_->Handle() &&
          IsWindowEnabled(cancelButton_->Handle()))
        return SendMessageA(handle_, WM_COMMAND, MAKEWPARAM(cancelButton_->Id(), BN_CLICKED),
                            reinterpret_cast<LPARAM>(cancelButton_->Handle()));
      break;
    case DM_GETDEFID:
      if (defaultButton_ && defaultButton_->Handle()) return MAKELRESULT(defaultButton_->Id(), DC_HASDEFID);
      return 0;
    case WM_CLOSE:
      if (OnClose) OnClose();
      if (Application::Instance().MainForm() == this) {
        Hide();
        Application::Instance().Terminate();
      } else {
        Hide();
      }
      return 0;
    case WM_SIZE:
      if (OnResize) OnResize();
      break;
    case WM_DPICHANGED: ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_MOUSEMOVE:
      if (OnMouseMove) {
        const POINT at = PointOf(lParam);
        OnMouseMove(ShiftState::FromKeys(wParam), at.x, at.y);
      }
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE && Application::Instance().MainForm() == this) {
        Application::Instance().Minimize();
        return 0;
      }
      break;
    default: break;
  }
  return Control::WndProc(msg, wParam, lParam);
}

}  // namespace ui
