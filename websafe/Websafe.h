// PaletteDialog, the palette dialog of the 216 web-safe colours, with its sample and its modal run.
#pragma once
#include <windows.h>

#include <functional>

#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"
#include "ui/GradientButton.h"

namespace tessarin {

// A label without a background of its own: it shows the button that lies under it, and
// its lines of text on top, in its font's colour.
class SampleLabel : public ui::CustomControl {
 public:
  SampleLabel(ui::Control* parent, const std::string& text, ui::Bounds bounds, BaseButton& under);
  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override;

 protected:
  void Paint(HDC dc, const RECT& clip) override;
  void FontChanged() override { Invalidate(); }

 private:
  std::string text_;
  BaseButton& under_;
};

class PaletteDialog : public ui::Form {
 public:
  PaletteDialog();
  ~PaletteDialog() override;

  // Shows the dialog modally; OK hands the sample's colour to `chosen` before the dialog
  // closes, Cancel, Esc and the close box hand nothing.
  void Choose(std::function<void(COLORREF)> chosen);

  ui::Bevel frame;
  ui::Image paletteImage;
  // The gradient the sample is shown on.
  GradientButton sampleGround;
  SampleLabel sample;
  ui::Button okButton;
  ui::Button cancelButton;

 private:
  void PaletteMouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y);
  void OkClick();

  std::function<void(COLORREF)> chosen_;
};

// The palette image, drawn from the layout rule: a 366 × 61 bitmap of 8 bits per pixel at
// 100 %, as many pixels more as the DPI scales it.
HBITMAP CreatePaletteBitmap(UINT dpi);

extern PaletteDialog* paletteDialog;

}  // namespace tessarin
