// The per-font cache of character maps, filled from the fonts' 'cmap' tables.
#include "main/FontCharMap.h"

#include <map>
#include <string>
#include <vector>

#include "ui/Canvas.h"

namespace tessarin {
namespace {

// The table tag as GetFontData takes it: the four bytes 'c', 'm', 'a', 'p' in file order.
constexpr DWORD kCmapTag = 'c' | ('m' << 8) | ('a' << 16) | (static_cast<DWORD>('p') << 24);

int reads = 0;

std::shared_ptr<const unicode::CharMap> Read(HFONT font) {
  ++reads;
  const ui::CompatibleDC dc(nullptr);
  const ui::SelectObjectScope selected(dc, font);
  const DWORD size = GetFontData(dc, kCmapTag, 0, nullptr, 0);
  std::vector<unsigned char> bytes;
  if (size != GDI_ERROR && size > 0) {
    bytes.resize(size);
    if (GetFontData(dc, kCmapTag, 0, bytes.data(), size) != size) bytes.clear();
  }
  return std::make_shared<const unicode::CharMap>(unicode::CharMap::Parse(bytes.data(), bytes.size()));
}

}  // namespace

std::shared_ptr<const unicode::CharMap> FontCharMapOf(HFONT font) {
  LOGFONTW lf{};
  if (!font || !GetObjectW(font, sizeof lf, &lf)) return std::make_shared<const unicode::CharMap>();
  // The face, its weight and its slant choose the font file; the size and the character
  // set do not change what it draws.
  std::wstring key(lf.lfFaceName);
  key += L'|' + std::to_wstring(lf.lfWeight >= FW_SEMIBOLD) + L'|' + std::to_wstring(lf.lfItalic != 0);
  static std::map<std::wstring, std::shared_ptr<const unicode::CharMap>> cache;
  auto& entry = cache[key];
  if (!entry) entry = Read(font);
  return entry;
}

int FontCharMapReads() { return reads; }

}  // namespace tessarin
