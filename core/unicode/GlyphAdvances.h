// How far each glyph of a font advances, read from the bytes of its OpenType 'head', 'hhea'
// and 'hmtx' tables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessarin::unicode {

class GlyphAdvances {
 public:
  GlyphAdvances() = default;

  // Reads the advance widths. Tables that are missing, truncated or state an em of fewer than
  // 16 or more than 16384 units give what could be read safely, or nothing; nothing is ever
  // read outside the given bytes.
  static GlyphAdvances Parse(const unsigned char* head, std::size_t headSize, const unsigned char* hhea,
                             std::size_t hheaSize, const unsigned char* hmtx, std::size_t hmtxSize);

  bool Empty() const { return advances_.empty(); }

  // A glyph's advance in whole pixels at `ppem` pixels to the em, rounded to the nearest; glyphs
  // past the last width the table gives advance as that last one does. -1 when nothing was read.
  int Pixels(unsigned glyph, int ppem) const;

 private:
  std::uint32_t unitsPerEm_ = 0;
  std::vector<std::uint16_t> advances_;
};

}  // namespace tessarin::unicode
