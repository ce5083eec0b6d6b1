// CaptionButton: a push button drawn in a form's caption, and CaptionButtonHint, its tooltip.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "core/CaptionButtonGeometry.h"
#include "ui/Control.h"
#include "ui/Font.h"

namespace ui {
class Form;
}  // namespace ui

namespace tessarin {

// The tooltip of a caption button: shown after the application's hint pause at the point
// where the mouse came in, hidden after the hint hide pause or when the mouse leaves.
class CaptionButtonHint {
 public:
  static constexpr const char* kWindowClass = "TWidgetHintWindow";
  CaptionButtonHint() = default;
  ~CaptionButtonHint();
  CaptionButtonHint(const CaptionButtonHint&) = delete;
  CaptionButtonHint& operator=(const CaptionButtonHint&) = delete;

  // The widest a line of the hint grows before it breaks, and the space left and right of
  // its text, in pixels at 100 %.
  static constexpr int kWidth = 300;
  static constexpr int kMargin = 2;
  // Starts waiting to show the text at a screen point, for a form drawn at the given DPI.
  void Start(const std::string& text, int x, int y, UINT dpi);
  void Cancel();
  // Waiting or showing.
  bool Active() const { return active_; }
  bool Shown() const { return shown_; }
  HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Tick();
  void Paint();
  HWND window_ = nullptr;
  std::string text_;
  int x_ = 0, y_ = 0;
  UINT dpi_ = ui::kDefaultDpi;
  bool active_ = false, shown_ = false;
  ui::Font font_{"MS Sans Serif", -11};
};

// A small push button in the caption of its owning form, left of the caption's own
// buttons. It sees the form's messages before the form does, draws into the window's frame,
// tracks the mouse like a push button and raises OnClick on a completed click. When the
// form's window is destroyed and made again, the button takes to the new window one timer
// tick later. It is one of the form's components: the form outlives it.
class CaptionButton : private ui::Control::MessageFilter {
 public:
  // Throws "A Widget must be owned by a form" when the owner is not a form.
  explicit CaptionButton(ui::Control* owner);
  ~CaptionButton();
  CaptionButton(const CaptionButton&) = delete;
  CaptionButton& operator=(const CaptionButton&) = delete;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v, Paint(); }
  // Setting any of its properties repaints the button.
  ui::Font& Font() { return font_; }
  int Gap() const { return gap_; }
  void SetGap(int v) { gap_ = v, Recompute(), Paint(); }
  char Glyph() const { return glyph_; }
  void SetGlyph(char v) { glyph_ = v, Paint(); }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  int OffsetLeft() const { return offsetLeft_; }
  void SetOffsetLeft(int v) { offsetLeft_ = v, Paint(); }
  int OffsetTop() const { return offsetTop_; }
  void SetOffsetTop(int v) { offsetTop_ = v, Paint(); }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v) { showHint_ = v; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v);

  std::function<void()> OnClick;

  // How many widgets the form had before this one.
  int WidgetIndex() const { return index_; }
  // The button in window coordinates (origin at the window's outer top-left corner).
  const RECT& ButtonRect() const { return buttonRect_; }
  bool Pressed() const { return pressed_; }
  bool Tracking() const { return tracking_; }
  CaptionButtonHint& HintWindow() { return hintWindow_; }
  // Draws the button into the form's frame.
  void Paint();

 private:
  LRESULT FilterMessage(ui::Control& control, UINT msg, WPARAM wParam, LPARAM lParam) override;
  static void CALLBACK RehookTimer(HWND, UINT, UINT_PTR id, DWORD);
  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Hook();
  void Recompute();
  // Is the point of a message on the button? Client points are turned to screen ones.
  bool Inside(LPARAM point, bool clientPoint) const;
  void ReleaseTracking();

  ui::Form* form_;
  HWND hooked_ = nullptr;
  int index_ = 0;
  RECT buttonRect_{};
  bool enabled_ = true, visible_ = true, showHint_ = false;
  bool pressed_ = false, tracking_ = false, destroying_ = false;
  int gap_ = 2, offsetLeft_ = 0, offsetTop_ = 0;
  char glyph_ = 'v';
  std::string hint_;
  ui::Font font_;
  UINT_PTR rehookTimer_ = 0;
  CaptionButtonHint hintWindow_;
};

}  // namespace tessarin
