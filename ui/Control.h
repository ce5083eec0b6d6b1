// ui::Control, the base of every window of the program, with its bounds, text, font and events.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/Bounds.h"
#include "ui/Canvas.h"
#include "ui/Dpi.h"
#include "ui/Font.h"

namespace ui {

enum class MouseButton { Left, Right, Middle };

// The shift state of a mouse or key event: keyboard modifiers and mouse buttons held.
struct ShiftState {
  bool shift = false, alt = false, ctrl = false;
  bool left = false, right = false, middle = false, dbl = false;
  static ShiftState FromKeys(WPARAM mouseKeys);  // MK_* flags of a mouse message, Alt from the keyboard
  // The same for a press or double click (WM_xBUTTONDOWN, …DBLCLK): dbl for a double click.
  static ShiftState OfPress(UINT msg, WPARAM mouseKeys);
  static ShiftState FromKeyboard();
};

// The button of a mouse press, double click or release message (WM_xBUTTONDOWN,
// …DBLCLK, …UP); Left for any other message.
MouseButton MouseButtonOf(UINT msg);

// Colours may be system colours, as the forms library writes them: kSysColor | COLOR_xxx.
constexpr COLORREF kSysColor = 0x80000000u;
COLORREF ResolveColor(COLORREF color);

// A window of the program: a standard control (its procedure replaced by ours, which
// passes on to the class's own) or a window of one of our own classes (served by one
// trampoline). Either way the window procedure finds the object, forwards to the virtual
// handler and is the exception boundary.
class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  HWND Handle() const { return handle_; }

  // Sees the window's messages before the control does, and answers them or passes them
  // on with PassOn (a button drawn into a form's caption). Kept by the control, not the
  // window: it stays when the window is made again. The one added last sees them first.
  class MessageFilter {
   public:
    virtual LRESULT FilterMessage(Control& control, UINT msg, WPARAM wParam, LPARAM lParam) = 0;

   protected:
    ~MessageFilter() = default;
  };
  void AddMessageFilter(MessageFilter* filter);
  void RemoveMessageFilter(MessageFilter* filter);
  // The message goes on to the filters added before `from`, then to the control.
  LRESULT PassOn(const MessageFilter* from, UINT msg, WPARAM wParam, LPARAM lParam);

  // The one way from a window to its object: the control whose window this thread
  // created; nullptr for any other window, whatever it keeps in its user data.
  static Control* FromHandle(HWND hwnd);

  // The DPI the window is drawn at: its form's, which follows the form's monitor.
  UINT Dpi() const { return dpi_; }
  // A size given in pixels at 100 % in this window's pixels (ui::Scale at its DPI).
  int Scale(int px) const { return ui::Scale(px, dpi_); }
  Bounds Scale(const Bounds& bounds) const { return ui::Scale(bounds, dpi_); }
  // The window moved to a monitor of another DPI: its place, its size and its font scale
  // from the old DPI to the new one. The form calls it for itself and every child.
  virtual void ChangeScale(UINT newDpi);

  // The window's place in its own pixels, kept up to date when the window moves or is
  // resized.
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  void SetTop(int v) { SetBounds({bounds_.left, v, bounds_.width, bounds_.height}); }
  void SetHeight(int v) { SetBounds({bounds_.left, bounds_.top, bounds_.width, v}); }
  virtual void SetBounds(const Bounds& bounds);
  // The rectangle in the parent's client coordinates, as the window has it now.
  RECT BoundsRect() const;

  bool Visible() const;
  virtual void SetVisible(bool visible);
  bool Enabled() const;
  virtual void SetEnabled(bool enabled);

  // The control's text (the window text unless a control keeps its own). Caption is the
  // same property under the name buttons and labels use.
  virtual std::string Text() const;
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
  // A control takes its parent's font; a change of its own font reaches FontChanged.
  explicit Control(Control* parent);

  struct CreateParams {
    const char* className = nullptr;
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    Bounds bounds;         // in pixels at 100 %: scaled to the window's DPI
    bool pixels = false;   // bounds already in the window's own pixels
    HWND owner = nullptr;  // for a top-level window: its owner
    // For a standard control: its messages go through WndProc (the control overrides
    // it). Notifications reach Notify through the parent either way.
    bool subclass = false;
  };
  // Creates the window at the given bounds: a child of the parent control's window, or
  // a top-level window owned by params.owner when there is no parent.
  // A child is drawn at its parent's DPI; a form sets its own before it creates its window.
  void CreateHandle(const CreateParams& params);
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
  // The answer to WM_ERASEBKGND for a control drawn on its own colour: the client area
  // filled with the background brush, and 1 (erased).
  LRESULT EraseBackground(HDC dc);
  virtual void Click();

  HWND handle_ = nullptr;
  Control* parent_ = nullptr;
  Font font_;
  UINT dpi_ = kDefaultDpi;

 private:
  friend class Application;
  static LRESULT CALLBACK Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK StandardProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
  // The message through the first `count` filters (the last of them first), then WndProc.
  LRESULT Filtered(size_t count, UINT msg, WPARAM wParam, LPARAM lParam);
  bool ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Enters the window as this control's; Detach takes it out again.
  void Attach(HWND hwnd);
  void Detach();
  // Takes out the windows that are gone without a word to their controls.
  static void ForgetDestroyedWindows();

  std::vector<MessageFilter*> filters_;
  struct Passing {
    MessageFilter* filter;
    size_t place;  // how many filters in filters_ are still before it on the message's way
  };
  std::vector<Passing> passing_;  // the filters a message is on its way through, innermost last
  WNDPROC baseProc_ = nullptr;    // a standard control's own procedure, when ours goes first
  Bounds bounds_;
  int id_ = 0;
  COLORREF color_ = kSysColor | COLOR_BTNFACE;
  Brush brush_;
  COLORREF brushColor_ = 0;
};

}  // namespace ui
