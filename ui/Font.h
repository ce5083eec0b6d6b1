// ui::Font and its styles: the font a control draws with.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace ui {

struct FontStyles {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  bool operator==(const FontStyles&) const = default;
};

// A font description with a lazily created GDI font. Changing any property drops the
// handle and raises OnChange, so the owning control can select the new font.
// Heights are pixels at 100 % (96 DPI); the GDI font is made for the DPI of the window
// that shows it (SetDpi), so a font keeps its size in points at every scaling.
class Font {
 public:
  Font() = default;
  Font(std::string name, int height, COLORREF color = 0);
  Font(const Font& other);
  Font& operator=(const Font& other);
  ~Font();

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // Height in pixels at 100 %: negative is the character height, as LOGFONT has it.
  int Height() const { return height_; }
  void SetHeight(int height);
  // Size in points (at 100 % a point is 96/72 pixels).
  int Size() const;
  void SetSize(int points);
  // The DPI the GDI font is made for: its owning window's. 0 (the default) is the
  // system's DPI; kDefaultDpi (96) makes the height a count of device pixels.
  UINT Dpi() const;
  void SetDpi(UINT dpi);
  // The height of the GDI font, in pixels at its DPI.
  int PixelHeight() const;
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);
  FontStyles Style() const { return style_; }
  void SetStyle(FontStyles style);
  BYTE Charset() const { return charset_; }
  void SetCharset(BYTE charset);

  // Takes every property of another font; one OnChange.
  void Assign(const Font& other);

  HFONT Handle() const;
  // GDI fonts held by Font objects right now, each counted once however many Font
  // objects share it (Wine's GetGuiResources always says 0, so the toolkit keeps its own
  // count to show that repeated work leaks none).
  static int LiveHandles();

  std::function<void()> OnChange;

  // A GDI font and the description it was made from; Fonts share it.
  struct Shared;

 private:
  void Changed();
  void Release() const;

  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  COLORREF color_ = 0;
  FontStyles style_;
  BYTE charset_ = DEFAULT_CHARSET;
  UINT dpi_ = 0;
  // The GDI font, shared by every Font of the same description (a form's controls all
  // take their parent's font: one GDI font serves them all).
  mutable std::shared_ptr<Shared> shared_;
};

}  // namespace ui
