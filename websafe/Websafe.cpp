// The palette dialog: the palette bitmap from the layout rule, the sample, the pick, OK and Cancel.
#include "websafe/Websafe.h"

#include <vector>

#include "ui/Canvas.h"
#include "core/PaletteRule.h"

namespace tessarin {

PaletteDialog* paletteDialog = nullptr;

namespace {

ui::Form::Options DialogOptions() {
  ui::Form::Options o;
  o.windowClass = "Tdialog216";
  o.caption = "Colorselect (216 Color-Palett)";
  o.clientWidth = 562;
  o.clientHeight = 90;
  return o;
}

constexpr const char* kSampleText = "SampleText\r\nSampleText\r\nSampleText\r\nSampleText";

// The swatch colours as a colour table: index 36r + 6b + g.
int SwatchIndex(std::uint32_t color) {
  const int red = static_cast<int>(color & 0xFF), green = static_cast<int>((color >> 8) & 0xFF),
            blue = static_cast<int>((color >> 16) & 0xFF);
  return 36 * (red / 0x33) + 6 * (blue / 0x33) + (0xFF - green) / 0x33;
}

// The pixel at 100 % that a pixel of the scaled image shows: the one it lies in.
int DesignCoordinate(int px, UINT dpi) { return ui::Unscale(2 * px + 1, dpi) / 2; }

}  // namespace

HBITMAP CreatePaletteBitmap(UINT dpi) {
  // Drawn in the image's own pixels; each pixel takes the rule's colour at its place at
  // 100 %, so that a press reads from the bitmap the colour under the pointer.
  const int width = ui::Scale(kPaletteWidth, dpi), height = ui::Scale(kPaletteHeight, dpi);
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
  } info{};
  info.header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 8, BI_RGB};
  info.header.biClrUsed = 216;
  for (int r = 0; r < 6; ++r)
    for (int b = 0; b < 6; ++b)
      for (int g = 0; g < 6; ++g) {
        const std::uint32_t c = PaletteSwatchColor(r, b, g);
        info.colors[36 * r + 6 * b + g] =
            RGBQUAD{static_cast<BYTE>((c >> 16) & 0xFF), static_cast<BYTE>((c >> 8) & 0xFF),
                    static_cast<BYTE>(c & 0xFF), 0};
      }
  void* bits = nullptr;
  ui::WindowDC screen(nullptr);
  HBITMAP bitmap =
      CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return bitmap;
  const int stride = (width + 3) & ~3;
  auto* rows = static_cast<BYTE*>(bits);
  for (int y = 0; y < height; ++y) {
    const int y100 = DesignCoordinate(y, dpi);
    for (int x = 0; x < width; ++x)
      rows[y * stride + x] = static_cast<BYTE>(SwatchIndex(PaletteColorAt(DesignCoordinate(x, dpi), y100)));
  }
  GdiFlush();
  return bitmap;
}

// --- SampleLabel -----------------------------------------------------------------------

SampleLabel::SampleLabel(ui::Control* parent, const std::string& text, ui::Bounds bounds, BaseButton& under)
    : ui::CustomControl(parent, "TSampleLabel", bounds), text_(text), under_(under) {
  ui::Control::SetText(text);
  // Above the button it shows through.
  SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void SampleLabel::SetText(const std::string& text) {
  text_ = text;
  ui::Control::SetText(text);
  Invalidate();
}

void SampleLabel::Paint(HDC dc, const RECT&) {
  RECT client;
  GetClientRect(handle_, &client);
  ui::MemoryDC memory(dc, client.right, client.bottom);
  FillRect(memory, &client, GetSysColorBrush(COLOR_BTNFACE));
  {
    // What lies under the label: the button, painted at its place relative to the label.
    RECT under{0, 0, under_.Width(), under_.Height()};
    POINT old{};
    SetViewportOrgEx(memory, under_.Left() - Left(), under_.Top() - Top(), &old);
    under_.PaintTo(memory, under);
    SetViewportOrgEx(memory, old.x, old.y, nullptr);
  }
  ui::SelectObjectScope font(memory, font_.Handle());
  SetBkMode(memory, TRANSPARENT);
  SetTextColor(memory, ui::ResolveColor(font_.Color()));
  DrawTextA(memory, text_.c_str(), static_cast<int>(text_.size()), &client, DT_LEFT | DT_TOP | DT_NOPREFIX);
  memory.CopyTo(dc);
}

// --- PaletteDialog ---------------------------------------------------------------------

PaletteDialog::PaletteDialog()
    : ui::Form(DialogOptions()),
      frame(this, {8, 8, 461, 73}),
      paletteImage(this, {16, 16, kPaletteWidth, kPaletteHeight}),
      sampleGround(this, "", {388, 16, 73, 61}, {.vertical = true}),
      sample(this, kSampleText, {392, 18, 65, 56}, sampleGround),
      okButton(this, "OK", {479, 8, 75, 25}, {.isDefault = true}),
      cancelButton(this, "Cancel", {479, 38, 75, 25}) {
  paletteDialog = this;
  // The frame lies behind the palette and the sample it frames.
  SetWindowPos(frame.Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  paletteImage.SetBitmap(CreatePaletteBitmap(Dpi()));
  // On a monitor of another scaling the palette is drawn anew for its pixels.
  OnDpiChanged = [this] { paletteImage.SetBitmap(CreatePaletteBitmap(Dpi())); };
  sample.GetFont().Assign(ui::Font("Arial", -11, ui::kSysColor | COLOR_WINDOWTEXT));
  sample.GetFont().SetStyle({.bold = true});
  SetDefaultButton(&okButton);
  SetCancelButton(&cancelButton);
  SetActiveControl(&okButton);
  paletteImage.OnMouseDown = [this](ui::MouseButton b, ui::ShiftState s, int x, int y) {
    PaletteMouseDown(b, s, x, y);
  };
  okButton.OnClick = [this] { OkClick(); };
  // Cancel, Esc and the close box leave the colours as they were.
  cancelButton.OnClick = [this] { EndModal(); };
}

PaletteDialog::~PaletteDialog() {
  if (paletteDialog == this) paletteDialog = nullptr;
}

void PaletteDialog::Choose(std::function<void(COLORREF)> chosen) {
  chosen_ = std::move(chosen);
  ShowModal();
  chosen_ = nullptr;
}

void PaletteDialog::PaletteMouseDown(ui::MouseButton, ui::ShiftState, int x, int y) {
  // The pixel under the pointer, black lines included.
  ui::WindowDC screen(nullptr);
  ui::MemoryDC source(screen, 0, 0);
  ui::SelectObjectScope select(source, paletteImage.BitmapHandle());
  const COLORREF color = GetPixel(source, x, y);
  if (color == CLR_INVALID) return;
  sample.GetFont().SetColor(color);
}

void PaletteDialog::OkClick() {
  if (chosen_) chosen_(sample.GetFont().Color());
  EndModal();
}

}  // namespace tessarin
