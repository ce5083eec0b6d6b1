// ui::Font: the font a control draws with, its handle made on demand.
#include "ui/Font.h"

#include <cstring>
#include <map>
#include <string>
#include <tuple>

#include "ui/Dpi.h"
#include "core/Units.h"

namespace ui {

namespace {

int liveHandles = 0;

// What makes two fonts the same GDI font.
using FontKey = std::tuple<std::string, int, bool, bool, bool, bool, BYTE>;

}  // namespace

struct Font::Shared {
  FontKey key;
  HFONT handle = nullptr;
  ~Shared();
};

namespace {

std::map<FontKey, std::weak_ptr<Font::Shared>>& FontCache() {
  static std::map<FontKey, std::weak_ptr<Font::Shared>> cache;
  return cache;
}

}  // namespace

Font::Shared::~Shared() {
  if (!handle) return;
  DeleteObject(handle);
  --liveHandles;
  auto& cache = FontCache();
  if (const auto it = cache.find(key); it != cache.end() && it->second.expired()) cache.erase(it);
}

int Font::LiveHandles() { return liveHandles; }

Font::Font(std::string name, int height, COLORREF color)
    : name_(std::move(name)), height_(height), color_(color) {}

Font::Font(const Font& other)
    : name_(other.name_),
      height_(other.height_),
      color_(other.color_),
      style_(other.style_),
      charset_(other.charset_),
      dpi_(other.dpi_) {}

Font& Font::operator=(const Font& other) {
  if (this != &other) Assign(other);
  return *this;
}

Font::~Font() { Release(); }

void Font::Release() const { shared_.reset(); }

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

// Points and heights convert at 100 %: the scaling to the window's DPI is the GDI font's.
int Font::Size() const { return HeightToPoints(height_, static_cast<int>(kDefaultDpi)); }

void Font::SetSize(int points) { SetHeight(PointsToHeight(points, static_cast<int>(kDefaultDpi))); }

UINT Font::Dpi() const { return dpi_ ? dpi_ : SystemDpi(); }

void Font::SetDpi(UINT dpi) {
  if (dpi == dpi_) return;
  const int before = PixelHeight();
  dpi_ = dpi;
  if (PixelHeight() != before) Changed();
}

int Font::PixelHeight() const { return Scale(height_, Dpi()); }

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
  if (shared_) return shared_->handle;
  FontKey key{name_, PixelHeight(), style_.bold, style_.italic, style_.underline, style_.strikeOut, charset_};
  std::weak_ptr<Shared>& cached = FontCache()[key];
  shared_ = cached.lock();
  if (shared_) return shared_->handle;
  LOGFONTA lf{};
  lf.lfHeight = PixelHeight();
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
  auto shared = std::make_shared<Shared>();
  shared->key = std::move(key);
  shared->handle = CreateFontIndirectA(&lf);
  if (shared->handle) ++liveHandles;
  cached = shared;
  shared_ = std::move(shared);
  return shared_->handle;
}

}  // namespace ui
