// The font list's logic: the filter, item flags and heights, the charset of a name, name order.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/FontList.h"

namespace {

using namespace tessarin::fontlist;

constexpr unsigned kRaster = kRasterFontType, kDevice = kDeviceFontType, kTrueType = kTrueTypeFontType;

TEST(FontFilter, EveryOptionOfTheSetMustHold) {
  struct {
    std::uint16_t options;
    int charset;
    unsigned type;
    bool kept;
  } const cases[] = {
      {0, kRussianCharset, kRaster, true},
      {0, kSymbolCharset, kDevice, true},
      {kAnsiOnly, kAnsiCharset, kRaster, true},
      {kAnsiOnly, kAnsiCharset, kDevice, true},
      {kAnsiOnly, kDefaultCharset, kTrueType, false},
      {kAnsiOnly, kSymbolCharset, kTrueType, false},
      {kAnsiOnly, kRussianCharset, kTrueType, false},
      {kSymbolOnly, kSymbolCharset, kRaster, true},
      {kSymbolOnly, kSymbolCharset, kDevice, true},
      {kSymbolOnly, kAnsiCharset, kTrueType, false},
      {kTrueTypeOnly, kSymbolCharset, kTrueType, true},
      {kTrueTypeOnly, kGreekCharset, kTrueType, true},
      {kTrueTypeOnly, kAnsiCharset, kDevice | kTrueType, true},
      {kTrueTypeOnly, kAnsiCharset, kRaster, false},
      {kTrueTypeOnly, kAnsiCharset, kDevice, false},
      {kAnsiOnly | kTrueTypeOnly, kAnsiCharset, kTrueType, true},
      {kAnsiOnly | kTrueTypeOnly, kAnsiCharset, kRaster, false},
      {kAnsiOnly | kTrueTypeOnly, kRussianCharset, kTrueType, false},
      {kAnsiOnly | kSymbolOnly, kAnsiCharset, kTrueType, false},
      {kAnsiOnly | kSymbolOnly, kSymbolCharset, kTrueType, false},
      // Bits the box does not know reject nothing.
      {0x10, kRussianCharset, kRaster, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AcceptFont(c.options, c.charset, c.type), c.kept)
        << "options " << c.options << " charset " << c.charset << " type " << c.type;
}

TEST(FontItem, FlagsGlyphAndOwnFontFollowTypeAndCharset) {
  struct {
    int charset;
    unsigned type;
    unsigned flags;
    Glyph glyph;
  } const cases[] = {
      {kAnsiCharset, kTrueType, 260, Glyph::TrueType},
      {kSymbolCharset, kTrueType, 4, Glyph::TrueType},
      {kRussianCharset, kTrueType, 260, Glyph::TrueType},
      {kAnsiCharset, kRaster, 257, Glyph::None},
      {kSymbolCharset, kRaster, 1, Glyph::None},
      {kAnsiCharset, kDevice, 258, Glyph::Device},
      {kSymbolCharset, kDevice, 2, Glyph::Device},
      {kAnsiCharset, kDevice | kTrueType, 262, Glyph::TrueType},
  };
  for (const auto& c : cases) {
    const unsigned flags = ItemFlags(c.charset, c.type);
    EXPECT_EQ(flags, c.flags) << c.charset << "/" << c.type;
    EXPECT_EQ(GlyphFor(flags), c.glyph) << flags;
    EXPECT_EQ(DrawsInOwnFont(true, flags), c.charset != kSymbolCharset) << flags;
    EXPECT_FALSE(DrawsInOwnFont(false, flags)) << flags;
  }
}

TEST(FontCharset, SuffixesAreExactAndCaseSensitive) {
  struct {
    const char* name;
    int charset;
  } const cases[] = {
      {"Arial Cyr", kRussianCharset},
      {"Times New Roman Greek", kGreekCharset},
      {" Cyr", kRussianCharset},
      {" Greek", kGreekCharset},
      {"Arial Greek Cyr", kRussianCharset},
      {"Arial Cyr Greek", kGreekCharset},
      {"Arial CYR", kDefaultCharset},
      {"Arial cyr", kDefaultCharset},
      {"Courier greek", kDefaultCharset},
      {"Cyr", kDefaultCharset},
      {"Greek", kDefaultCharset},
      {"ArialCyr", kDefaultCharset},
      {"Arial Cyr ", kDefaultCharset},
      {"Arial Cyrillic", kDefaultCharset},
      {"", kDefaultCharset},
      {"Arial", kDefaultCharset},
  };
  for (const auto& c : cases) EXPECT_EQ(CharsetForName(c.name), c.charset) << '"' << c.name << '"';
}

TEST(FontItem, HeightIsTextPlusOneAtLeastNineAndGlyphMinusOne) {
  struct {
    int text, glyph, height;
  } const cases[] = {{13, 12, 14}, {16, 12, 17}, {10, 12, 11}, {5, 12, 11},
                     {7, 0, 9},    {8, 0, 9},    {9, 0, 10},   {0, 30, 29}};
  for (const auto& c : cases) EXPECT_EQ(ItemHeight(c.text, c.glyph), c.height) << c.text << "/" << c.glyph;
}

TEST(FontName, ComparesAsciiLettersWithoutRegardToCase) {
  EXPECT_TRUE(SameName("Arial", "arial"));
  EXPECT_TRUE(SameName("MS SANS SERIF", "ms Sans serif"));
  EXPECT_TRUE(SameName("", ""));
  EXPECT_FALSE(SameName("Arial", "Arial "));
  EXPECT_FALSE(SameName("Arial", "Arian"));
  // Letters outside ASCII are not folded: Ä and ä stay different.
  EXPECT_FALSE(SameName("\xC4rial", "\xE4rial"));  // Ä, ä
  EXPECT_EQ(NameKey("Times New Roman Greek"), "times new roman greek");
  EXPECT_EQ(NameKey("@\xC4Z[`az{"), "@\xC4z[`az{");  // Ä stays
}

TEST(FontListBuilder, FirstAcceptedReportOfANameWins) {
  struct Report {
    const char* name;
    int charset;
    unsigned type;
    std::optional<unsigned> flags;
  };
  const std::vector<Report> ansiOnly = {
      {"Arial", kAnsiCharset, kTrueType, 260},
      {"Arial", kRussianCharset, kTrueType, std::nullopt},
      // A family reported first with a charset the filter rejects is still listed later.
      {"Foreign", kRussianCharset, kTrueType, std::nullopt},
      {"Foreign", kAnsiCharset, kTrueType, 260},
      {"ARIAL", kAnsiCharset, kDevice, std::nullopt},
      {"MS Sans Serif", kAnsiCharset, kRaster, 257},
      {"Printer Only", kAnsiCharset, kDevice, 258},
  };
  ListBuilder ansi(kAnsiOnly);
  for (const auto& r : ansiOnly)
    EXPECT_EQ(ansi.Offer(r.name, r.charset, r.type), r.flags) << r.name << "/" << r.charset;

  const std::vector<Report> trueTypeOnly = {
      {"Wingdings", kSymbolCharset, kTrueType, 4u},
      {"wingdings", kAnsiCharset, kTrueType, std::nullopt},
      {"Small Fonts", kAnsiCharset, kRaster, std::nullopt},
      {"Arial", kGreekCharset, kTrueType, 260u},
      // The faces for vertical text of a font with East Asian characters are not listed, on
      // any filter; a name with "@" elsewhere is an ordinary one.
      {"@Unifont", kAnsiCharset, kDevice | kTrueType, std::nullopt},
      {"@MS Mincho", kSymbolCharset, kTrueType, std::nullopt},
      {"Unifont", kAnsiCharset, kTrueType, 260u},
      {"At@Home", kAnsiCharset, kTrueType, 260u},
  };
  ListBuilder trueType(kTrueTypeOnly);
  for (const auto& r : trueTypeOnly)
    EXPECT_EQ(trueType.Offer(r.name, r.charset, r.type), r.flags) << r.name << "/" << r.charset;
  for (std::uint16_t options : {std::uint16_t{0}, kAnsiOnly, kSymbolOnly}) {
    ListBuilder any(options);
    EXPECT_EQ(any.Offer("@Unifont", options == kSymbolOnly ? kSymbolCharset : kAnsiCharset, kTrueType),
              std::nullopt)
        << options;
  }
}

}  // namespace
