// BaseButton, the focusless self-drawn button, and GradientButton, its gradient-faced kind.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "ui/Canvas.h"
#include "ui/StdCtrls.h"

namespace tessarin {

enum ButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct GradientButtonOptions {
  COLORREF lightColor = ui::kSysColor | COLOR_3DHIGHLIGHT;
  COLORREF shadowColor = ui::kSysColor | COLOR_3DSHADOW;
  bool vertical = false;
};

// A button drawn by itself that never takes the keyboard focus. A click is a press and a
// release of the left button on the button, the mouse captured in between; the caption's
// access key (Alt with the "&" letter, offered through DialogChar) clicks it too.
class BaseButton : public ui::CustomControl {
 public:
  using MouseEvent = std::function<void(ui::MouseButton button, ui::ShiftState shift, int x, int y)>;

  // A size of 0 stands for the default, 25 pixels.
  BaseButton(ui::Control* parent, const std::string& caption, ui::Bounds bounds);

  COLORREF LightColor() const { return light_; }
  void SetLightColor(COLORREF color) { Change(light_, color); }
  COLORREF ShadowColor() const { return shadow_; }
  void SetShadowColor(COLORREF color) { Change(shadow_, color); }
  // The glyph: one image, or several of the bitmap's height side by side (normal,
  // disabled, pressed). The button takes ownership; the bottom-left pixel's colour is
  // transparent.
  HBITMAP Glyph() const { return glyph_.Get(); }
  void SetGlyph(HBITMAP glyph);
  // The number of images in the glyph (0 without one).
  int NumGlyphs() const;
  // A popup menu opened below the button on a press; the button does not own it.
  HMENU DropDownMenu() const { return dropDownMenu_; }
  void SetDropDownMenu(HMENU menu) { Change(dropDownMenu_, menu); }
  bool GrayedInactive() const { return grayedInactive_; }
  void SetGrayedInactive(bool v) { Change(grayedInactive_, v); }
  ButtonLayout Layout() const { return layout_; }
  void SetLayout(ButtonLayout v) { Change(layout_, v); }
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int v) { Change(bevelWidth_, v); }
  // Latched down; only for a button of a group (GroupIndex other than 0). Down releases
  // the other buttons of the group on the same parent.
  bool Down() const { return down_; }
  void SetDown(bool down);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v) { Change(groupIndex_, v); }
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool v) { allowAllUp_ = v; }
  bool Flat() const { return flat_; }
  void SetFlat(bool v) { Change(flat_, v); }
  bool MarkDropDown() const { return markDropDown_; }
  void SetMarkDropDown(bool v) { Change(markDropDown_, v); }
  int Spacing() const { return spacing_; }
  void SetSpacing(int v) { Change(spacing_, v); }
  bool Paint256() const { return paint256_; }
  void SetPaint256(bool v) { Change(paint256_, v); }
  std::string Text() const override { return caption_; }
  void SetText(const std::string& text) override;
  void SetEnabled(bool enabled) override;

  // The look: pressed while the left button is held on the button.
  bool Pressed() const { return pressed_; }
  // Decided once at creation: the screen has 15 bits per pixel or fewer.
  bool LowColor() const { return lowColor_; }

  // The window's access-key handling offers Alt+key here: an enabled, visible button whose
  // caption marks that letter clicks itself and answers true.
  bool DialogChar(char key);
  // Offers Alt+key to the buttons among a window's descendants; true when one took it.
  static bool DispatchAccessKey(HWND root, char key);

  // Composes the whole button off screen and copies the given area onto a DC.
  void PaintTo(HDC dc, const RECT& area);
  // The face alone (gradient or plain), as the first step of painting draws it.
  virtual void PaintFace(HDC dc, const RECT& rect);

  MouseEvent OnMouseDown, OnMouseUp;
  std::function<void(ui::ShiftState shift, int x, int y)> OnMouseMove;
  std::function<void()> OnDblClick;
  // A command chosen from the drop-down menu.
  std::function<void(UINT command)> OnMenuCommand;

 protected:
  void Paint(HDC dc, const RECT& clip) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void FontChanged() override { Invalidate(); }
  // Repaints now, not when the queue is empty.
  void Repaint();
  // A derived button may decide the display's colour depth otherwise.
  void SetLowColor(bool low) { lowColor_ = low; }

 private:
  template <typename T>
  void Change(T& field, T value) {
    if (field == value) return;
    field = value;
    Invalidate();
  }
  void MouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y);
  void MouseUp(ui::MouseButton button, ui::ShiftState shift, int x, int y);
  void DrawCaptionAndGlyph(HDC dc, const RECT& client);
  void DrawGlyph(HDC dc, int x, int y);
  void DrawBevel(HDC dc, const RECT& client);

  COLORREF light_ = ui::kSysColor | COLOR_3DHIGHLIGHT;
  COLORREF shadow_ = ui::kSysColor | COLOR_3DSHADOW;
  ui::Bitmap glyph_;
  HMENU dropDownMenu_ = nullptr;
  bool grayedInactive_ = true;
  ButtonLayout layout_ = blGlyphLeft;
  int bevelWidth_ = 1;
  bool down_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool flat_ = false;
  bool markDropDown_ = true;
  int spacing_ = 1;
  bool paint256_ = false;
  std::string caption_;
  bool pressed_ = false;
  bool tracking_ = false;  // a left press on the button, the mouse captured
  bool mouseInside_ = false;
  bool lowColor_ = false;
};

// A button whose face runs from LightColor to ShadowColor, left to right or, Vertical,
// top to bottom, each line in the colour of the extended-precision rounding.
class GradientButton : public BaseButton {
 public:
  using Options = GradientButtonOptions;
  GradientButton(ui::Control* parent, const std::string& caption, ui::Bounds bounds, Options options = {});
  bool Vertical() const { return vertical_; }
  void SetVertical(bool vertical);
  void PaintFace(HDC dc, const RECT& rect) override;

 private:
  bool vertical_ = false;
};

}  // namespace tessarin
