#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "ui/Font.h"

namespace ui {

enum class MouseButton { Left, Right, Middle };

// The shift state of a mouse or key event: keyboard modifiers and mouse buttons held.
struct ShiftState {
  bool shift = false, alt = false, ctrl = false;
  bool left = false, right = false, middle = false, dbl = false;
  static ShiftState FromKeys(WPARAM mouseKeys);  // MK_* flags of a mouse message, Alt from the keyboard
  static ShiftState FromKeyboard();
};

// Colours may be system colours, as the forms library writes them: kSysColor | COLOR_xxx.
constexpr COLORREF kSysColor = 0x80000000u;
COLORREF ResolveColor(COLORREF color);

// A window of the program: a real child window (a standard control, subclassed) or a
// window of one of our own classes. One trampoline serves them all; it finds the object
// from the window, forwards to the virtual handler and is the exception boundary.
class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  HWND Handle() const { return handle_; }
  Control* Parent() const { return parent_; }
  static Control* FromHandle(HWND hwnd);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  // The rectangle in the parent's client coordinates, as the window has it now.
  RECT BoundsRect() const;

  bool Visible() const;
  virtual void SetVisible(bool visible);
  bool Enabled() const;
  virtual void SetEnabled(bool enabled);

  std::string Text() const;
  virtual void SetText(const std::string& text);
  std::string Caption() const { return Text(); }
  void SetCaption(const std::string& text) { SetText(text); }

  Font& GetFont() { return font_; }
  const Font& GetFont() const { return font_; }
  // Background colour; kSysColor | COLOR_BTNFACE unless set.
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);

  void SetFocus();
  bool Focused() const;
  int Id() const { return id_; }

  void Invalidate();

  std::function<void()> OnClick;

 protected:
  Control() = default;
  explicit Control(Control* parent) : parent_(parent) {}

  // Creates the window (a standard class is subclassed) at the control's bounds.
  void CreateHandle(const char* className, const char* text, DWORD style, DWORD exStyle,
                    int left, int top, int width, int height);
  // Registers one of our own window classes, served by the trampoline.
  static const char* RegisterOwnClass(const char* className, UINT classStyle, HCURSOR cursor,
                                      HBRUSH background);

  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // Notifications a parent receives about this control (WM_COMMAND, WM_NOTIFY,
  // WM_CTLCOLOR…, WM_DRAWITEM, WM_MEASUREITEM, WM_HSCROLL/VSCROLL) come here.
  virtual bool Notify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  virtual void FontChanged();
  HBRUSH BackgroundBrush();
  virtual void Click();

  HWND handle_ = nullptr;
  Control* parent_ = nullptr;
  Font font_;

 private:
  friend class Application;
  static LRESULT CALLBACK Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
  bool ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

  WNDPROC original_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  int id_ = 0;
  COLORREF color_ = kSysColor | COLOR_BTNFACE;
  HBRUSH brush_ = nullptr;
  COLORREF brushColor_ = 0;
};

// Looks up a control by its id (the WM_COMMAND that the dialog manager sends for the
// default button carries only the id).
Control* FindControlById(int id);

}  // namespace ui
