// The index of what the installed faces draw: shared coverages, the faces that draw a
// character and their order, and what the index costs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/unicode/FontCoverage.h"

namespace {

using tessarin::unicode::CodeRange;
using tessarin::unicode::FontCoverage;
using Ranges = std::vector<CodeRange>;

const Ranges kLatin{{0x20, 0x7E}, {0xA0, 0x17F}};
const Ranges kLatinArrows{{0x20, 0x7E}, {0xA0, 0x17F}, {0x2190, 0x2199}};
const Ranges kFewArrows{{0x20, 0x7E}, {0x2192, 0x2192}};
const Ranges kEmoji{{0x20, 0x7E}, {0x2190, 0x21FF}, {0x1F600, 0x1F64F}};

FontCoverage Sample() {
  FontCoverage c;
  c.Add("Liberation Sans", kLatin);
  c.Add("Arial", kLatin);  // another name of the same face
  c.Add("DejaVu Sans", kLatinArrows);
  c.Add("symbola", kEmoji);
  c.Add("Noto Sans Math", kFewArrows);
  c.Add("Empty", {});
  return c;
}

TEST(FontCoverage, FacesOfEqualCoverageShareOneCopyOfTheirRanges) {
  const FontCoverage c = Sample();
  EXPECT_EQ(c.FaceCount(), 6u);
  EXPECT_EQ(c.SetCount(), 5u);
  EXPECT_EQ(c.RangesOf("Arial"), kLatin);
  EXPECT_EQ(c.RangesOf("ARIAL"), kLatin);
  EXPECT_EQ(c.RangesOf("DejaVu Sans"), kLatinArrows);
  EXPECT_EQ(c.RangesOf("Symbola"), kEmoji);
  EXPECT_TRUE(c.RangesOf("Empty").empty());
  EXPECT_TRUE(c.RangesOf("Missing").empty());

  // A hundred faces of one large coverage cost their names, not a hundred copies.
  Ranges big;
  for (char32_t cp = 0; cp < 0x10000; cp += 4) big.push_back({cp, cp + 1});
  FontCoverage one, many;
  one.Add("Face 0", big);
  for (int i = 0; i < 100; ++i) many.Add("Face " + std::to_string(i), big);
  EXPECT_EQ(many.SetCount(), 1u);
  EXPECT_GE(one.Bytes(), big.size() * sizeof(CodeRange));
  EXPECT_LT(many.Bytes(), one.Bytes() + 100 * 256);

  // A name given again keeps its first coverage.
  FontCoverage again = Sample();
  again.Add("Symbola", kLatin);
  EXPECT_EQ(again.FaceCount(), 6u);
  EXPECT_EQ(again.RangesOf("Symbola"), kEmoji);
}

TEST(FontCoverage, FacesThatDrawACharacterComeMostOfItsBlockFirstThenByName) {
  const FontCoverage c = Sample();
  struct Case {
    char32_t cp;
    CodeRange near;
    std::vector<std::string> faces;
  };
  const std::vector<Case> cases{
      // Arrows: Symbola draws all 112, DejaVu Sans 10, Noto Sans Math 1.
      {0x2192, {0x2190, 0x21FF}, {"symbola", "DejaVu Sans", "Noto Sans Math"}},
      {0x2191, {0x2190, 0x21FF}, {"symbola", "DejaVu Sans"}},
      {0x21FF, {0x2190, 0x21FF}, {"symbola"}},
      // Equal coverage: by name without regard to case.
      {0x41, {0x0, 0x7F}, {"Arial", "DejaVu Sans", "Liberation Sans", "Noto Sans Math", "symbola"}},
      {0xE9, {0x80, 0xFF}, {"Arial", "DejaVu Sans", "Liberation Sans"}},
      {0x1F600, {0x1F600, 0x1F64F}, {"symbola"}},
      {0x1F650, {0x1F650, 0x1F67F}, {}},
      {0x10FFFF, {0x10FFFF, 0x10FFFF}, {}},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(c.FacesWith(k.cp, k.near), k.faces) << std::hex << static_cast<unsigned>(k.cp);
    for (const std::string& face : k.faces) EXPECT_TRUE(c.Draws(face, k.cp)) << face;
  }
  EXPECT_FALSE(c.Draws("Arial", 0x2192));
  EXPECT_FALSE(c.Draws("Missing", 0x41));
  EXPECT_TRUE(FontCoverage().FacesWith(0x41).empty());
}

}  // namespace
