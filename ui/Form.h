// ui::Form, a top-level window of the program, with its show step and window state.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "ui/Control.h"

namespace ui {

enum class WindowState { Normal, Minimized, Maximized };
enum class BorderStyle { Dialog, Single, Sizeable };

// A top-level window of the program, owned by the application window. Its controls are
// members of the derived class, created in its constructor.
class Form : public Control {
 public:
  struct Options {
    const char* windowClass = "TForm";  // a class of its own lets other processes find it
    std::string caption;
    int clientWidth = 0, clientHeight = 0;  // at 100 %
    BorderStyle border = BorderStyle::Dialog;
    bool minimizeBox = false;
    bool centerOnFirstShow = true;
    Font font{"MS Sans Serif", -11};
  };
  explicit Form(const Options& options);
  ~Form() override;

  // Shows the form; when it was hidden, OnShow runs first (every time, not only the
  // first time), and on the first show the form is then centred on the screen.
  void Show();
  void Hide();
  // Show and bring to the top of the window order.
  void BringToFront();
  void Close();

  void SetWindowState(WindowState state);

  // The window that owns this form (the application window, which would carry the
  // taskbar button), and hiding it.
  HWND OwnerWindow() const { return handle_ ? GetWindow(handle_, GW_OWNER) : nullptr; }
  void HideOwner() const { ShowWindow(OwnerWindow(), SW_HIDE); }
  // Before the form that holds the foreground hides to leave the user with another
  // program: gives that program the foreground while the form is still shown.
  void HandForegroundOn() const;

  // The outer size of the window, given at 100 % and scaled to the form's DPI.
  void SetOuterSize(int width, int height);

  // The form and its controls scale to a new DPI (a move to a monitor of another scaling)
  // and the form takes the given rectangle: what WM_DPICHANGED asks for.
  void ChangeDpi(UINT dpi, const RECT& suggested);

  // The control that gets the focus when the form is activated; focuses it now when the
  // form is active.
  void SetActiveControl(Control* control);
  void SetDefaultButton(Control* button) { defaultButton_ = button; }
  // The button that Esc clicks.
  void SetCancelButton(Control* button) { cancelButton_ = button; }

  // Shows the form and handles messages through the application until it is hidden
  // again; the other forms take no input meanwhile, and the window that was active
  // before is active again afterwards.
  void ShowModal();
  // Ends a modal showing once the handler that calls it has returned (hides the form
  // at once when it is not shown modally).
  void EndModal();
  bool Modal() const { return modal_; }

  // Keys reach this before the dialog manager; return true to consume the message.
  virtual bool PreviewKey(MSG& msg);

  std::function<void()> OnShow;
  std::function<void()> OnClose;
  std::function<void()> OnResize;
  // After the form and its controls have scaled to a new DPI.
  std::function<void()> OnDpiChanged;
  // The pointer moves over the form's own client area (not over one of its controls).
  std::function<void(ShiftState shift, int x, int y)> OnMouseMove;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  virtual void DoShow();

 private:
  void Center();
  void RunShowStep();
  bool centerOnFirstShow_;
  bool shownOnce_ = false;
  bool inShow_ = false;
  WindowState state_ = WindowState::Normal;
  Control* activeControl_ = nullptr;
  Control* defaultButton_ = nullptr;
  Control* cancelButton_ = nullptr;
  bool modal_ = false;
  bool endModal_ = false;
};

}  // namespace ui
