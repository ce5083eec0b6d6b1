// Tdialog216, the palette dialog of the 216 web-safe colours, with its sample and its modal run.
#pragma once
#include <windows.h>

#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"
#include "ui/GradientButton.h"

namespace tessarin {

// A label without a background of its own: it shows the button that lies under it, and
// its lines of text on top, in its font's colour.
class TSampleLabel : public ui::CustomControl {
 public:
  TSampleLabel(ui::Control* parent, const std::string& text, ui::Bounds bounds, BaseButton& under);
  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override;

 protected:
  void Paint(HDC dc, const RECT& clip) override;
  void FontChanged() override { Invalidate(); }

 private:
  std::string text_;
  BaseButton& under_;
};

class Tdialog216 : public ui::Form {
 public:
  Tdialog216();
  ~Tdialog216() override;

  ui::Bevel Bevel1;
  ui::Image Image1;
  GradientButton BI_GradientButton1;
  TSampleLabel Label1;
  ui::Button OKBtn;
  ui::Button CancelBtn;

 private:
  void Image1MouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y);
  void OKBtnClick();
};

// The palette image, drawn from the layout rule: a 366 × 61 bitmap of 8 bits per pixel at
// 100 %, as many pixels more as the DPI scales it.
HBITMAP CreatePaletteBitmap(UINT dpi);

extern Tdialog216* dialog216;

}  // namespace tessarin
