// The per-font cache of character maps and advance widths, filled from the fonts' tables.
#include "fontbox/FontCharMap.h"

#include <algorithm>
#include <list>
#include <string>
#include <vector>

#include "ui/Canvas.h"

namespace tessarin {
namespace {

// A table tag as GetFontData takes it: the four bytes of the name in file order.
constexpr DWORD Tag(const char (&name)[5]) {
  return static_cast<DWORD>(name[0]) | static_cast<DWORD>(name[1]) << 8 | static_cast<DWORD>(name[2]) << 16 |
         static_cast<DWORD>(name[3]) << 24;
}

int reads = 0;

std::vector<unsigned char> TableOf(HDC dc, DWORD tag) {
  const DWORD size = GetFontData(dc, tag, 0, nullptr, 0);
  std::vector<unsigned char> bytes;
  if (size != GDI_ERROR && size > 0) {
    bytes.resize(size);
    if (GetFontData(dc, tag, 0, bytes.data(), size) != size) bytes.clear();
  }
  return bytes;
}

std::shared_ptr<const unicode::CharMap> ReadCharMap(HDC dc) {
  ++reads;
  const auto cmap = TableOf(dc, Tag("cmap"));
  return std::make_shared<const unicode::CharMap>(unicode::CharMap::Parse(cmap.data(), cmap.size()));
}

std::shared_ptr<const unicode::GlyphAdvances> ReadAdvances(HDC dc) {
  const auto head = TableOf(dc, Tag("head")), hhea = TableOf(dc, Tag("hhea")),
             hmtx = TableOf(dc, Tag("hmtx"));
  return std::make_shared<const unicode::GlyphAdvances>(unicode::GlyphAdvances::Parse(
      head.data(), head.size(), hhea.data(), hhea.size(), hmtx.data(), hmtx.size()));
}

struct FaceTables {
  std::wstring face;
  std::shared_ptr<const unicode::CharMap> map;
  std::shared_ptr<const unicode::GlyphAdvances> advances;
};

// The faces asked for last, the latest first. A walk through the font box passes every font
// once; only the few faces in use are asked for again, so the oldest is let go (a table still
// in use lives on in its holders' pointers).
std::list<FaceTables>& Cache() {
  static std::list<FaceTables> faces;
  return faces;
}

// The tables of a font's face, `read` filling the one asked for on first use. The face, its
// weight and its slant choose the font file; the size and the character set do not change
// what it draws.
template <typename Table>
std::shared_ptr<const Table> Cached(HFONT font, std::shared_ptr<const Table> FaceTables::*member,
                                    std::shared_ptr<const Table> (*read)(HDC)) {
  LOGFONTW lf{};
  if (!font || !GetObjectW(font, sizeof lf, &lf)) return std::make_shared<const Table>();
  std::wstring key(lf.lfFaceName);
  key += L'|' + std::to_wstring(lf.lfWeight >= FW_SEMIBOLD) + L'|' + std::to_wstring(lf.lfItalic != 0);
  std::list<FaceTables>& cache = Cache();
  auto it = std::find_if(cache.begin(), cache.end(), [&key](const FaceTables& f) { return f.face == key; });
  if (it == cache.end()) {
    cache.push_front({std::move(key), nullptr, nullptr});
    if (cache.size() > kCachedFaces) cache.pop_back();
  } else if (it != cache.begin()) {
    cache.splice(cache.begin(), cache, it);
  }
  auto& entry = cache.front().*member;
  if (!entry) {
    const ui::CompatibleDC dc(nullptr);
    const ui::SelectObjectScope selected(dc, font);
    entry = read(dc);
  }
  return entry;
}

}  // namespace

std::shared_ptr<const unicode::CharMap> FontCharMapOf(HFONT font) {
  return Cached(font, &FaceTables::map, &ReadCharMap);
}

std::shared_ptr<const unicode::GlyphAdvances> FontAdvancesOf(HFONT font) {
  return Cached(font, &FaceTables::advances, &ReadAdvances);
}

int FontCharMapReads() { return reads; }

std::size_t FontCharMapCachedFaces() { return Cache().size(); }

}  // namespace tessarin
