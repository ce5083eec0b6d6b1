// Reading what a font draws from hand-built 'cmap' tables, whole, truncated and malformed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

#include "core/unicode/CharMap.h"

namespace {

using tessarin::unicode::CharMap;
using Bytes = std::vector<unsigned char>;

void Put16(Bytes& b, std::uint32_t v) {
  b.push_back(static_cast<unsigned char>(v >> 8));
  b.push_back(static_cast<unsigned char>(v));
}
void Put32(Bytes& b, std::uint32_t v) {
  Put16(b, v >> 16);
  Put16(b, v & 0xFFFF);
}
void Set16(Bytes& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<unsigned char>(v >> 8);
  b[at + 1] = static_cast<unsigned char>(v);
}

// A format 4 segment: consecutive glyphs from `delta` added to the code, or (with `glyphs`) the
// glyphs of the array.
struct Seg4 {
  std::uint16_t start, end, delta;
  std::vector<std::uint16_t> glyphs;
};

Bytes Format4(std::vector<Seg4> segs, bool closing = true) {
  if (closing) segs.push_back({0xFFFF, 0xFFFF, 1, {}});
  const std::size_t n = segs.size();
  Bytes b;
  Put16(b, 4);
  Put16(b, 0);  // length, set below
  Put16(b, 0);
  Put16(b, static_cast<std::uint32_t>(2 * n));
  Put16(b, 0);
  Put16(b, 0);
  Put16(b, 0);
  for (const Seg4& s : segs) Put16(b, s.end);
  Put16(b, 0);
  for (const Seg4& s : segs) Put16(b, s.start);
  for (const Seg4& s : segs) Put16(b, s.delta);
  // idRangeOffset: from its own position to the segment's glyphs in the array after it.
  std::size_t arrayAt = 2 * n;  // bytes from the first idRangeOffset to the glyph array
  for (std::size_t i = 0; i < n; ++i) {
    Put16(b, segs[i].glyphs.empty() ? 0 : static_cast<std::uint32_t>(arrayAt - 2 * i));
    arrayAt += 2 * segs[i].glyphs.size();
  }
  for (const Seg4& s : segs)
    for (std::uint16_t g : s.glyphs) Put16(b, g);
  Set16(b, 2, static_cast<std::uint32_t>(b.size()));
  return b;
}

struct Group {
  std::uint32_t first, last, glyph;
};

Bytes Format12(const std::vector<Group>& groups, std::uint32_t count = ~0u) {
  Bytes b;
  Put16(b, 12);
  Put16(b, 0);
  Put32(b, static_cast<std::uint32_t>(16 + 12 * groups.size()));
  Put32(b, 0);
  Put32(b, count == ~0u ? static_cast<std::uint32_t>(groups.size()) : count);
  for (const Group& g : groups) {
    Put32(b, g.first);
    Put32(b, g.last);
    Put32(b, g.glyph);
  }
  return b;
}

struct Sub {
  std::uint16_t platform, encoding;
  Bytes table;
};

Bytes Cmap(const std::vector<Sub>& subs) {
  Bytes b;
  Put16(b, 0);
  Put16(b, static_cast<std::uint32_t>(subs.size()));
  std::uint32_t at = static_cast<std::uint32_t>(4 + 8 * subs.size());
  for (const Sub& s : subs) {
    Put16(b, s.platform);
    Put16(b, s.encoding);
    Put32(b, at);
    at += static_cast<std::uint32_t>(s.table.size());
  }
  for (const Sub& s : subs) b.insert(b.end(), s.table.begin(), s.table.end());
  return b;
}

CharMap Parse(const Bytes& b) { return CharMap::Parse(b.data(), b.size()); }

// A BMP font: space to tilde as glyphs 3.., the euro sign and arrows from the array (one of them
// missing), and the Greek capitals Alpha..Gamma.
Bytes SampleFormat4() {
  return Format4({{0x20, 0x7E, static_cast<std::uint16_t>(3 - 0x20), {}},
                  {0x2190, 0x2193, 0, {200, 0, 202, 203}},
                  {0x20AC, 0x20AC, 0, {150}},
                  {0x391, 0x393, static_cast<std::uint16_t>(300 - 0x391), {}}});
}

TEST(CharMap, ReadsFormat4SegmentsOfBothKinds) {
  CharMap map = Parse(Cmap({{3, 1, SampleFormat4()}}));
  const std::map<char32_t, unsigned> glyphs{{0x1F, 0},     {0x20, 3},     {0x41, 36},   {0x7E, 97},
                                            {0x7F, 0},     {0x2190, 200}, {0x2191, 0},  {0x2192, 202},
                                            {0x2193, 203}, {0x20AC, 150}, {0x391, 300}, {0x393, 302},
                                            {0x394, 0},    {0xFFFF, 0},   {0x1F600, 0}};
  for (const auto& [cp, glyph] : glyphs)
    EXPECT_EQ(map.GlyphOf(cp), glyph) << std::hex << static_cast<unsigned>(cp);
  EXPECT_TRUE(map.Has(0x2192));
  EXPECT_FALSE(map.Has(0x2191));
  EXPECT_EQ(map.Count(), 95u + 3u + 1u + 3u);
  EXPECT_EQ(map.Rows(), (std::vector<char32_t>{0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x390, 0x20A0, 0x2190}));
}

TEST(CharMap, ReadsFormat12BeyondTheBasicPlane) {
  CharMap map =
      Parse(Cmap({{3, 10, Format12({{0x41, 0x42, 10}, {0x1F600, 0x1F64F, 500}, {0x10FFFD, 0x10FFFD, 9}})}}));
  EXPECT_EQ(map.GlyphOf(0x41), 10u);
  EXPECT_EQ(map.GlyphOf(0x42), 11u);
  EXPECT_EQ(map.GlyphOf(0x1F600), 500u);
  EXPECT_EQ(map.GlyphOf(0x1F64F), 500u + 0x4F);
  EXPECT_EQ(map.GlyphOf(0x1F650), 0u);
  EXPECT_EQ(map.GlyphOf(0x10FFFD), 9u);
  EXPECT_EQ(map.Count(), 2u + 80u + 1u);
  EXPECT_EQ(map.Rows(), (std::vector<char32_t>{0x40, 0x1F600, 0x1F610, 0x1F620, 0x1F630, 0x1F640, 0x10FFF0}));
}

TEST(CharMap, PrefersTheFullUnicodeSubtableThenTheBasicOneThenUnicodePlatformThenSymbol) {
  Bytes basic = SampleFormat4();
  Bytes full = Format12({{0x1F600, 0x1F600, 7}});
  Bytes symbol = Format4({{0xF020, 0xF0FF, static_cast<std::uint16_t>(1 - 0xF020), {}}});
  const struct {
    std::vector<Sub> subs;
    char32_t drawn;     // only the subtable that should be read has it
    char32_t notDrawn;  // only the other one has it
  } cases[] = {
      {{{3, 1, basic}, {3, 10, full}}, 0x1F600, 0x41},
      {{{3, 10, full}, {3, 1, basic}}, 0x1F600, 0x41},
      {{{3, 0, symbol}, {3, 1, basic}}, 0x2192, 0xF041},
      {{{3, 0, symbol}, {0, 3, basic}}, 0x2192, 0xF041},
      {{{0, 4, full}, {3, 0, symbol}}, 0x1F600, 0xF041},
      {{{3, 0, symbol}, {1, 0, basic}}, 0xF041, 0x41},
      // A subtable of a format this does not read is passed over.
      {{{3, 10, Bytes{0, 6, 0, 0, 0, 0}}, {3, 1, basic}}, 0x2192, 0x1F600},
  };
  for (const auto& c : cases) {
    CharMap map = Parse(Cmap(c.subs));
    EXPECT_TRUE(map.Has(c.drawn)) << std::hex << static_cast<unsigned>(c.drawn);
    EXPECT_FALSE(map.Has(c.notDrawn)) << std::hex << static_cast<unsigned>(c.notDrawn);
  }
  EXPECT_EQ(Parse(Cmap({{1, 0, basic}})).Count(), 0u);  // Macintosh Roman only: nothing Unicode
}

TEST(CharMap, LeavesOutGlyphZeroSurrogatesAndCodesBeyondUnicode) {
  CharMap map = Parse(Cmap({{3, 10,
                             Format12({{0x30, 0x33, 0},                 // 0x30 gets glyph 0
                                       {0xD7FE, 0xE001, 100},           // across the surrogates
                                       {0x10FFFE, 0x200000, 50}})}}));  // past U+10FFFF
  EXPECT_EQ(map.GlyphOf(0x30), 0u);
  EXPECT_EQ(map.GlyphOf(0x31), 1u);
  EXPECT_EQ(map.GlyphOf(0xD7FF), 101u);
  EXPECT_EQ(map.GlyphOf(0xD800), 0u);
  EXPECT_EQ(map.GlyphOf(0xDFFF), 0u);
  EXPECT_EQ(map.GlyphOf(0xE000), 100u + (0xE000 - 0xD7FE));
  EXPECT_EQ(map.GlyphOf(0x10FFFF), 51u);
  EXPECT_EQ(map.GlyphOf(0x110000), 0u);
  EXPECT_EQ(map.Count(), 3u + 2u + 2u + 2u);
}

TEST(CharMap, Format4GlyphsWrapPastZero) {
  // 0xFFFE + delta 2 wraps to glyph 0: that code draws nothing, the next one draws glyph 1.
  CharMap map =
      Parse(Cmap({{3, 1, Format4({{0x100, 0x104, static_cast<std::uint16_t>(0xFFFE - 0x100), {}}})}}));
  EXPECT_EQ(map.GlyphOf(0x100), 0xFFFEu);
  EXPECT_EQ(map.GlyphOf(0x101), 0xFFFFu);
  EXPECT_EQ(map.GlyphOf(0x102), 0u);
  EXPECT_EQ(map.GlyphOf(0x103), 1u);
  EXPECT_EQ(map.Count(), 4u);
}

TEST(CharMap, OverlappingSegmentsKeepTheFirstOnesGlyphs) {
  CharMap map = Parse(Cmap({{3, 10, Format12({{0x41, 0x50, 10}, {0x48, 0x60, 500}, {0x45, 0x46, 900}})}}));
  EXPECT_EQ(map.GlyphOf(0x48), 10u + 7u);
  EXPECT_EQ(map.GlyphOf(0x50), 10u + 15u);
  EXPECT_EQ(map.GlyphOf(0x51), 500u + 9u);
  EXPECT_EQ(map.Count(), 0x60u - 0x41u + 1u);
}

// Format 4 segments that share code points, as an odd or hostile font has them. The earlier
// start keeps the shared codes; the rest of the later segment keeps its own glyphs, which
// are the code plus idDelta modulo 65536 (or the array's glyph plus idDelta, modulo 65536),
// whatever part of it was cut off. Expected glyphs are worked out by hand from those rules.
TEST(CharMap, OverlappingFormat4SegmentsKeepTheirGlyphsModulo65536) {
  const auto delta = [](char32_t cp, unsigned glyph) {
    return static_cast<std::uint16_t>((glyph - cp) & 0xFFFF);
  };
  const struct {
    const char* name;
    std::vector<Seg4> segs;
    std::map<char32_t, unsigned> glyphs;
    std::size_t count;
    std::vector<char32_t> firstRows;  // the first rows, in order
  } cases[] = {
      // U+0150 -> 0xFFF0: the later segment's glyph 0 falls at U+0160, inside the shared part;
      // U+0201 -> (0x201 + 0xFEA0) mod 65536 = 0xA1.
      {"wrap inside the shared codes",
       {{0x100, 0x200, delta(0x100, 5), {}}, {0x150, 0x300, delta(0x150, 0xFFF0), {}}},
       {{0xFF, 0},
        {0x100, 5},
        {0x170, 117},
        {0x200, 0x105},
        {0x201, 0xA1},
        {0x2FF, 0x19F},
        {0x300, 0x1A0},
        {0x301, 0}},
       0x101 + 0x100,
       {0x100, 0x110, 0x120}},
      // Cut at U+0146 -> 0xFFF6; U+0150 wraps to glyph 0 and draws nothing; U+0151 -> 1.
      {"wrap after the cut",
       {{0x100, 0x145, delta(0x100, 7), {}}, {0x140, 0x180, delta(0x140, 0xFFF0), {}}},
       {{0x145, 7 + 0x45}, {0x146, 0xFFF6}, {0x14F, 0xFFFF}, {0x150, 0}, {0x151, 1}, {0x180, 0x30}},
       0x46 + 0x3B - 1,
       {0x100, 0x110, 0x120}},
      // The later segment lies wholly inside the earlier one: it adds nothing.
      {"inside the earlier one",
       {{0x41, 0x5A, delta(0x41, 0xFFFE), {}}, {0x45, 0x50, delta(0x45, 900), {}}},
       {{0x41, 0xFFFE}, {0x42, 0xFFFF}, {0x43, 0}, {0x44, 1}, {0x45, 2}, {0x50, 13}, {0x5A, 23}},
       0x1A - 1,
       {0x40, 0x50}},
      // Glyphs from the array, cut: the array entries after the cut, plus idDelta modulo 65536.
      {"array glyphs after the cut",
       {{0x20, 0x22, delta(0x20, 40), {}}, {0x21, 0x24, 0xFFF0, {0x11, 0x12, 0x13, 0}}},
       {{0x20, 40}, {0x21, 41}, {0x22, 42}, {0x23, 3}, {0x24, 0}},
       4,
       {0x20}},
  };
  for (const auto& c : cases) {
    CharMap map = Parse(Cmap({{3, 1, Format4(c.segs)}}));
    for (const auto& [cp, glyph] : c.glyphs)
      EXPECT_EQ(map.GlyphOf(cp), glyph) << c.name << " U+" << std::hex << static_cast<unsigned>(cp);
    EXPECT_EQ(map.Count(), c.count) << c.name;
    const std::vector<char32_t>& rows = map.Rows();
    ASSERT_GE(rows.size(), c.firstRows.size()) << c.name;
    EXPECT_EQ(
        std::vector<char32_t>(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(c.firstRows.size())),
        c.firstRows)
        << c.name;
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end()) &&
                std::adjacent_find(rows.begin(), rows.end()) == rows.end())
        << c.name;
  }
}

// Format 12 groups count their glyphs up in 32 bits: a group cut by an earlier one whose glyphs
// would pass 0xFFFFFFFF is not there, as the group whole would not be.
TEST(CharMap, Format12GroupCutPastTheLastGlyphIsLeftOut) {
  CharMap map = Parse(Cmap({{3, 10, Format12({{0x30, 0x50, 1}, {0x41, 0x60, 0xFFFFFFF0u}})}}));
  EXPECT_EQ(map.GlyphOf(0x50), 0x21u);
  EXPECT_EQ(map.GlyphOf(0x51), 0u);
  EXPECT_EQ(map.GlyphOf(0x52), 0u);
  EXPECT_EQ(map.Count(), 0x21u);
}

TEST(CharMap, TruncatedTablesGiveOnlyWhatTheWholeTableSays) {
  const Bytes wholeTables[] = {
      Cmap({{3, 1, SampleFormat4()}}),
      Cmap({{3, 10, Format12({{0x41, 0x5A, 1}, {0x1F600, 0x1F64F, 100}})}, {3, 1, SampleFormat4()}}),
  };
  const char32_t probes[] = {0x20, 0x41, 0x5A, 0x7E, 0x2190, 0x2192, 0x20AC, 0x391, 0x393, 0x1F600, 0x1F64F};
  for (const Bytes& whole : wholeTables) {
    CharMap full = Parse(whole);
    for (std::size_t size = 0; size <= whole.size(); ++size) {
      // A copy of exactly `size` bytes, so that the sanitizers see any read past it.
      Bytes part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
      CharMap map = CharMap::Parse(part.empty() ? nullptr : part.data(), part.size());
      for (char32_t cp : probes) {
        unsigned glyph = map.GlyphOf(cp);
        if (glyph != 0) {
          EXPECT_EQ(glyph, full.GlyphOf(cp)) << size;
        }
      }
      EXPECT_LE(map.Count(), full.Count() + 0x10000) << size;
    }
  }
}

TEST(CharMap, MalformedCountsAndOffsetsStayInsideTheData) {
  Bytes hugeGroups = Cmap({{3, 10, Format12({{0x41, 0x42, 5}}, 0x7FFFFFFF)}});
  EXPECT_EQ(Parse(hugeGroups).Count(), 2u);

  Bytes format4 = SampleFormat4();
  Set16(format4, 6, 0xFFFE);  // far more segments than there are
  CharMap many = Parse(Cmap({{3, 1, format4}}));
  EXPECT_EQ(many.GlyphOf(0x1F600), 0u);

  Bytes pastEnd = Cmap({{3, 1, SampleFormat4()}});
  pastEnd[8] = 0x7F;  // the subtable's offset far past the data
  EXPECT_EQ(Parse(pastEnd).Count(), 0u);

  Bytes tables = Cmap({{3, 1, SampleFormat4()}});
  Set16(tables, 2, 0xFFFF);  // more encoding records than the data holds
  EXPECT_EQ(Parse(tables).GlyphOf(0x41), 36u);

  // Array glyphs pointing past the data draw nothing.
  Bytes array = Format4({{0x100, 0x1FF, 0, {1, 2}}}, false);
  array.resize(array.size() - 2);
  CharMap shortArray = Parse(Cmap({{3, 1, array}}));
  EXPECT_EQ(shortArray.GlyphOf(0x100), 1u);
  EXPECT_EQ(shortArray.GlyphOf(0x101), 0u);
  EXPECT_EQ(shortArray.Count(), 1u);

  EXPECT_EQ(CharMap::Parse(nullptr, 0).Count(), 0u);
  EXPECT_TRUE(CharMap().Rows().empty());
}

}  // namespace

// The ranges of what a map draws hold exactly the code points it draws, runs of glyphs of
// either kind joined where they meet, for whole, overlapping and truncated tables.
TEST(CharMap, RangesHoldExactlyTheCodePointsDrawn) {
  using tessarin::unicode::CodeRange;
  const Bytes touching = Cmap({{3, 1,
                                Format4({{0x41, 0x42, static_cast<std::uint16_t>(10 - 0x41), {}},
                                         {0x43, 0x44, 0, {7, 8}},
                                         {0x46, 0x46, 0, {0}}})}});
  EXPECT_EQ(Parse(touching).Ranges(), (std::vector<CodeRange>{{0x41, 0x44}}));
  EXPECT_EQ(Parse(Cmap({{3, 1, SampleFormat4()}})).Ranges(),
            (std::vector<CodeRange>{
                {0x20, 0x7E}, {0x391, 0x393}, {0x20AC, 0x20AC}, {0x2190, 0x2190}, {0x2192, 0x2193}}));
  const Bytes full = Cmap({{3, 10,
                            Format12({{0x41, 0x5A, 10},
                                      {0x50, 0x60, 90},
                                      {0xD7F0, 0xE010, 100},
                                      {0x1F600, 0x1F64F, 500},
                                      {0x10FFFD, 0x10FFFD, 9}})}});
  std::vector<Bytes> tables{touching, Cmap({{3, 1, SampleFormat4()}}), full};
  for (std::size_t cut : {20u, 33u, 50u}) tables.emplace_back(full.begin(), full.begin() + cut);
  for (const Bytes& table : tables) {
    const CharMap map = Parse(table);
    const auto ranges = map.Ranges();
    std::size_t count = 0;
    for (std::size_t i = 0; i < ranges.size(); ++i) {
      EXPECT_LE(ranges[i].first, ranges[i].last);
      if (i > 0) {
        EXPECT_GT(ranges[i].first, ranges[i - 1].last + 1);  // sorted, apart
      }
      count += ranges[i].last - ranges[i].first + 1;
    }
    EXPECT_EQ(count, map.Count());
    for (const CodeRange& r : ranges) {
      EXPECT_TRUE(map.Has(r.first) && map.Has(r.last));
      EXPECT_FALSE(map.Has(r.first - 1) && r.first > 0);
      EXPECT_FALSE(map.Has(r.last + 1));
    }
  }
}
