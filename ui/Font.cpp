// ui::Font: the font a control draws with, its handle made on demand.
#include "ui/Font.h"

#include <cstring>

#include "ui/Units.h"

namespace ui {

namespace {
int liveHandles = 0;
}

int Font::LiveHandles() { return liveHandles; }

Font::Font(std::string name, int height, COLORREF color)
    : name_(std::move(name)), height_(height), color_(color) {}

Font::Font(const Font& other)
    : name_(other.name_), height_(other.height_), color_(other.color_), style_(other.style_),
      charset_(other.charset_) {}

Font& Font::operator=(const Font& other) {
  if (this != &other) Assign(other);
  return *this;
}

Font::~Font() { Release(); }

void Font::Release() const {
  if (handle_) {
    DeleteObject(handle_);
    handle_ = nullptr;
    --liveHandles;
  }
}

void Font::Changed() {
  Release();
  if (OnChange) OnChange();
}

void Font::SetName(const std::string& name) {
  if (name == name_) return;
  name_ = name;
  Changed();
}

void Font::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

int Font::ScreenPixelsPerInch() {
  static const int ppi = [] {
    HDC dc = GetDC(nullptr);
    const int value = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return value > 0 ? value : 96;
  }();
  return ppi;
}

int Font::Size() const { return HeightToPoints(height_, ScreenPixelsPerInch()); }

void Font::SetSize(int points) { SetHeight(PointsToHeight(points, ScreenPixelsPerInch())); }

void Font::SetColor(COLORREF color) {
  if (color == color_) return;
  color_ = color;
  // The colour is not part of the GDI font: keep the handle.
  if (OnChange) OnChange();
}

void Font::SetStyle(FontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void Font::SetCharset(BYTE charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

void Font::Assign(const Font& other) {
  name_ = other.name_;
  height_ = other.height_;
  color_ = other.color_;
  style_ = other.style_;
  charset_ = other.charset_;
  Changed();
}

HFONT Font::Handle() const {
  if (!handle_) {
    LOGFONTA lf{};
    lf.lfHeight = height_;
    lf.lfWeight = style_.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style_.italic;
    lf.lfUnderline = style_.underline;
    lf.lfStrikeOut = style_.strikeOut;
    lf.lfCharSet = charset_;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    std::strncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
    handle_ = CreateFontIndirectA(&lf);
    if (handle_) ++liveHandles;
  }
  return handle_;
}

}  // namespace ui
