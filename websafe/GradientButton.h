// TBI_GradientButton, the push button with a gradient face.
#pragma once
#include <windows.h>

#include <string>

#include "ui/StdCtrls.h"

namespace tessarin {

// A push button whose face runs from a light to a dark colour, with its caption drawn
// over it in the button font's colour. It never takes the focus.
class TBI_GradientButton : public ui::CustomControl {
 public:
  TBI_GradientButton(ui::Control* parent, const std::string& caption, ui::Bounds bounds);

  COLORREF LightColor() const { return light_; }
  COLORREF ShadowColor() const { return shadow_; }
  void SetLightColor(COLORREF c) { light_ = c; Invalidate(); }
  void SetShadowColor(COLORREF c) { shadow_ = c; Invalidate(); }

 protected:
  void Paint(HDC dc, const RECT& clip) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void FontChanged() override { Invalidate(); }

 private:
  COLORREF light_ = RGB(255, 255, 255);
  COLORREF shadow_ = RGB(0, 0, 0);
};

}  // namespace tessarin
