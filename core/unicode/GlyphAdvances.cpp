// Reading the horizontal metrics of an OpenType font from untrusted bytes.
#include "core/unicode/GlyphAdvances.h"

#include <algorithm>

namespace tessarin::unicode {

namespace {

std::uint32_t U16(const unsigned char* data, std::size_t size, std::size_t offset) {
  return data && offset + 2 <= size ? static_cast<std::uint32_t>(data[offset] << 8 | data[offset + 1]) : 0;
}

}  // namespace

GlyphAdvances GlyphAdvances::Parse(const unsigned char* head, std::size_t headSize, const unsigned char* hhea,
                                   std::size_t hheaSize, const unsigned char* hmtx, std::size_t hmtxSize) {
  GlyphAdvances result;
  const std::uint32_t unitsPerEm = U16(head, headSize, 18);
  if (unitsPerEm < 16 || unitsPerEm > 16384) return result;
  // Each of the first numberOfHMetrics glyphs has an advance and a left side bearing, four bytes.
  const std::size_t count = std::min<std::size_t>(U16(hhea, hheaSize, 34), hmtx ? hmtxSize / 4 : 0);
  result.advances_.reserve(count);
  for (std::size_t i = 0; i < count; ++i)
    result.advances_.push_back(static_cast<std::uint16_t>(U16(hmtx, hmtxSize, 4 * i)));
  if (!result.advances_.empty()) result.unitsPerEm_ = unitsPerEm;
  return result;
}

int GlyphAdvances::Pixels(unsigned glyph, int ppem) const {
  if (advances_.empty() || ppem < 0) return -1;
  const std::uint32_t units = advances_[std::min<std::size_t>(glyph, advances_.size() - 1)];
  return static_cast<int>((units * static_cast<std::uint64_t>(ppem) + unitsPerEm_ / 2) / unitsPerEm_);
}

}  // namespace tessarin::unicode
