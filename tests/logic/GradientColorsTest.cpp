// The gradient line colours and the palette layout rule, held against independent tables.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "core/GradientColors.h"
#include "core/PaletteRule.h"

namespace {

#include "tests/logic/data/GradientReference.inc"

using tessarin::GradientLineColor;
using tessarin::GradientStep;
using tessarin::GradientStepExact;
using tessarin::GradientStepExtended;

template <int N>
void ExpectTable(const unsigned char (&table)[256][N + 1], int (*step)(int, int, int), const char* name) {
  int mismatches = 0;
  for (int span = 0; span < 256; ++span)
    for (int i = 0; i <= N; ++i)
      if (step(span, N, i) != table[span][i] && ++mismatches <= 5)
        ADD_FAILURE() << name << ": span " << span << ", n " << N << ", i " << i << ": " << step(span, N, i)
                      << " instead of " << int{table[span][i]};
  EXPECT_EQ(mismatches, 0) << name;
}

TEST(GradientSteps, EveryWayOfComputingMatchesTheReferenceTables) {
  ExpectTable<104>(kGradientReference104, &GradientStepExact, "exact");
  ExpectTable<61>(kGradientReference61, &GradientStepExact, "exact");
  ExpectTable<104>(kGradientReference104, &GradientStep, "chosen");
  ExpectTable<61>(kGradientReference61, &GradientStep, "chosen");
  if (tessarin::HasExtendedLongDouble()) {
    ExpectTable<104>(kGradientReference104, &GradientStepExtended, "long double");
    ExpectTable<61>(kGradientReference61, &GradientStepExtended, "long double");
  }
}

TEST(GradientSteps, ExactAndExtendedAgreeOnOtherSizes) {
  if (!tessarin::HasExtendedLongDouble()) GTEST_SKIP() << "no 80-bit long double on this compiler";
  int mismatches = 0;
  for (int n : {1, 2, 3, 7, 19, 25, 73, 100, 255, 256, 1000, 1023, 4096, 65535})
    for (int span : {1, 3, 51, 95, 127, 128, 191, 204, 254, 255})
      for (int i = 0; i <= n; i += (n > 300 ? 7 : 1))
        if (GradientStepExact(span, n, i) != GradientStepExtended(span, n, i) && ++mismatches <= 5)
          ADD_FAILURE() << "span " << span << ", n " << n << ", i " << i;
  EXPECT_EQ(mismatches, 0);
}

struct LineCase {
  const char* name;
  std::uint32_t light, shadow;
  int n, i;
  std::uint32_t color;
};

class GradientLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(GradientLine, HasTheColourOfTheDescribedRounding) {
  const LineCase& c = GetParam();
  EXPECT_EQ(GradientLineColor(c.light, c.shadow, c.n, c.i), c.color);
}

INSTANTIATE_TEST_SUITE_P(Lines, GradientLine,
                         ::testing::Values(
                             // 255/104 × 52 is a tie at both roundings: 127.5, to even 128, 255 − 128.
                             LineCase{"WhiteToBlackMiddleTiesToEven", 0xFFFFFF, 0x000000, 104, 52, 0x7F7F7F},
                             LineCase{"WhiteToBlackFirstLineIsWhite", 0xFFFFFF, 0x000000, 104, 0, 0xFFFFFF},
                             LineCase{"WhiteToBlackLastVisibleLine", 0xFFFFFF, 0x000000, 104, 103, 0x020202},
                             LineCase{"WhiteToBlackLineBeyondTheFaceIsBlack", 0xFFFFFF, 0x000000, 104, 104,
                                      0x000000},
                             // Red falls by the tie-to-even step (128), green rises by it, blue stays.
                             LineCase{"ChannelsGoTheirOwnWays", 0x4000FF, 0x40FF00, 104, 52, 0x40807F},
                             LineCase{"EqualColoursStayPlain", 0x336699, 0x336699, 61, 30, 0x336699},
                             LineCase{"OneLineFaceHasTheLightColour", 0xC0C0C0, 0x404040, 1, 0, 0xC0C0C0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PaletteRule, EverySwatchIsANineByNineSquareAndTheRestIsBlack) {
  // Swatch (r, b, g) covers columns 61r + 10b + 1 .. + 9 and rows 10g + 1 .. + 9.
  std::set<std::uint32_t> colours;
  int swatchPixels = 0;
  for (int r = 0; r < 6; ++r)
    for (int b = 0; b < 6; ++b)
      for (int g = 0; g < 6; ++g) {
        const std::uint32_t colour = tessarin::PaletteSwatchColor(r, b, g);
        colours.insert(colour);
        for (int dy = 1; dy <= 9; ++dy)
          for (int dx = 1; dx <= 9; ++dx) {
            ASSERT_EQ(tessarin::PaletteColorAt(61 * r + 10 * b + dx, 10 * g + dy), colour)
                << "swatch " << r << b << g;
            ++swatchPixels;
          }
      }
  EXPECT_EQ(colours.size(), 216u);
  int black = 0;
  for (int y = 0; y < tessarin::kPaletteHeight; ++y)
    for (int x = 0; x < tessarin::kPaletteWidth; ++x) black += tessarin::PaletteColorAt(x, y) == 0;
  // Every pixel outside the squares is black, and one swatch (r = b = 0, g = 5) is black too.
  EXPECT_EQ(black, tessarin::kPaletteWidth * tessarin::kPaletteHeight - swatchPixels + 81);
}

TEST(PaletteRule, CornersAndSeparators) {
  EXPECT_EQ(tessarin::PaletteColorAt(1, 1), 0x00FF00u);     // top left: green
  EXPECT_EQ(tessarin::PaletteColorAt(364, 1), 0xFFFFFFu);   // top right: white
  EXPECT_EQ(tessarin::PaletteColorAt(1, 59), 0x000000u);    // bottom left swatch: black
  EXPECT_EQ(tessarin::PaletteColorAt(364, 59), 0xFF00FFu);  // bottom right: magenta
  EXPECT_EQ(tessarin::PaletteColorAt(60, 5), 0u);           // the first block's closing column
  EXPECT_EQ(tessarin::PaletteColorAt(61, 5), 0u);           // the next block's opening column
  EXPECT_EQ(tessarin::PaletteColorAt(62, 5), 0x00FF33u);    // red 0x33 in the low byte
  EXPECT_EQ(tessarin::PaletteColorAt(365, 5), 0u);
  EXPECT_EQ(tessarin::PaletteColorAt(5, 60), 0u);
  EXPECT_EQ(tessarin::PaletteColorAt(366, 5), 0u);
  EXPECT_EQ(tessarin::PaletteColorAt(-1, 5), 0u);
}

}  // namespace
