// Reading glyph advances from hand-built 'head', 'hhea' and 'hmtx' tables, whole and damaged.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/unicode/GlyphAdvances.h"

namespace {

using tessarin::unicode::GlyphAdvances;
using Bytes = std::vector<unsigned char>;

void Set16(Bytes& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<unsigned char>(v >> 8);
  b[at + 1] = static_cast<unsigned char>(v);
}

Bytes Head(std::uint32_t unitsPerEm) {
  Bytes b(54);
  Set16(b, 18, unitsPerEm);
  return b;
}

Bytes Hhea(std::uint32_t metrics) {
  Bytes b(36);
  Set16(b, 34, metrics);
  return b;
}

// Advance and left side bearing for each of the widths, then `extraBearings` bearings alone.
Bytes Hmtx(const std::vector<std::uint16_t>& advances, std::size_t extraBearings = 0) {
  Bytes b(4 * advances.size() + 2 * extraBearings);
  for (std::size_t i = 0; i < advances.size(); ++i) Set16(b, 4 * i, advances[i]);
  return b;
}

GlyphAdvances Parse(const Bytes& head, const Bytes& hhea, const Bytes& hmtx) {
  return GlyphAdvances::Parse(head.data(), head.size(), hhea.data(), hhea.size(), hmtx.data(), hmtx.size());
}

TEST(GlyphAdvances, ScalesFontUnitsToRoundedPixels) {
  // 1000 units: 600 at 16 ppem is 9.6 pixels; 2048 units: 1229 at 13 ppem is 7.8, 1024 at 16 is 8.
  const GlyphAdvances thousand = Parse(Head(1000), Hhea(3), Hmtx({500, 600, 0}, 2));
  const GlyphAdvances twoK = Parse(Head(2048), Hhea(2), Hmtx({1229, 1024}));
  struct Case {
    const GlyphAdvances& font;
    unsigned glyph;
    int ppem, pixels;
  } cases[] = {
      {thousand, 0, 16, 8},
      {thousand, 1, 16, 10},
      {thousand, 2, 16, 0},
      {thousand, 1, 0, 0},
      {twoK, 0, 13, 8},
      {twoK, 1, 16, 8},
      {twoK, 1, 200, 100},
      // Glyphs past the widths take the last one: the monospaced tail of a table.
      {thousand, 3, 16, 0},
      {twoK, 9999, 16, 8},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.font.Pixels(c.glyph, c.ppem), c.pixels) << "glyph " << c.glyph << " at " << c.ppem;
}

TEST(GlyphAdvances, DamagedTablesGiveWhatCanBeReadOrNothing) {
  // A table cut inside its third width keeps two.
  Bytes cut = Hmtx({300, 400, 500});
  cut.resize(10);
  const GlyphAdvances truncated = Parse(Head(1000), Hhea(3), cut);
  EXPECT_EQ(truncated.Pixels(1, 10), 4);
  EXPECT_EQ(truncated.Pixels(2, 10), 4);

  const Bytes widths = Hmtx({500});
  const Bytes shortHead(10);
  for (const GlyphAdvances& none : {Parse(Head(8), Hhea(1), widths), Parse(Head(20000), Hhea(1), widths),
                                    Parse(shortHead, Hhea(1), widths), Parse(Head(1000), Hhea(0), widths),
                                    Parse(Head(1000), Bytes(20), widths), Parse(Head(1000), Hhea(1), {}),
                                    GlyphAdvances::Parse(nullptr, 0, nullptr, 0, nullptr, 0)}) {
    EXPECT_TRUE(none.Empty());
    EXPECT_EQ(none.Pixels(0, 16), -1);
  }
}

}  // namespace
