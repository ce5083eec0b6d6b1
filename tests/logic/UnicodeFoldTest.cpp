// The search's case folding at run time against the folding the table generator gives its words.
#include <gtest/gtest.h>

#include <map>

#include "core/unicode/NameData.h"

namespace {

// The code points the generator's fold changes; scripts/test.sh checks the committed file is what
// the generator writes today.
#include "core/unicode/FoldTable.inc"

using tessarin::unicode::detail::FoldCodePoint;

std::map<char32_t, char32_t> GeneratorFold() {
  std::map<char32_t, char32_t> pairs;
  for (const FoldPair& p : kFoldPairs) pairs.emplace(p.from, p.to);
  return pairs;
}

TEST(UnicodeFold, RunTimeFoldsEveryCodePointAsTheGeneratorDoes) {
  // A stored word folded one way and a query folded another would never meet, so the two folds
  // must agree on every code point, not only on letters.
  const std::map<char32_t, char32_t> pairs = GeneratorFold();
  int differences = 0;
  for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
    const auto it = pairs.find(cp);
    const char32_t expected = it == pairs.end() ? cp : it->second;
    if (FoldCodePoint(cp) != expected && ++differences <= 10) {
      ADD_FAILURE() << std::hex << "U+" << static_cast<unsigned>(cp) << " folds to U+"
                    << static_cast<unsigned>(FoldCodePoint(cp)) << ", the generator makes U+"
                    << static_cast<unsigned>(expected);
    }
  }
  EXPECT_EQ(differences, 0);
}

TEST(UnicodeFold, CapitalsBecomeTheirUnicodeSmallLetters) {
  // Simple lowercase mappings of UnicodeData.txt, one from each script and rule the fold covers.
  const std::map<char32_t, char32_t> pairs = GeneratorFold();
  const std::pair<char32_t, char32_t> expected[] = {
      {U'A', U'a'},     {U'Z', U'z'},     {0x00C4, 0x00E4},  // Ä
      {0x00DE, 0x00FE}, {0x0100, 0x0101}, {0x013F, 0x0140},  // Ŀ
      {0x017D, 0x017E}, {0x0391, 0x03B1}, {0x03A9, 0x03C9},  // Ω
      {0x0401, 0x0451}, {0x0410, 0x0430}, {0x042F, 0x044F},  // Я
      {0x1E9E, 0x00DF},                                      // capital sharp s
  };
  for (const auto& [capital, small] : expected) {
    const auto it = pairs.find(capital);
    ASSERT_NE(it, pairs.end()) << std::hex << static_cast<unsigned>(capital);
    EXPECT_EQ(it->second, small) << std::hex << static_cast<unsigned>(capital);
  }
  // Small letters, the multiplication sign and the unassigned U+03A2 stay as they are.
  for (char32_t same : {U'a', char32_t{0x00D7}, char32_t{0x00DF}, char32_t{0x03A2}, char32_t{0x0430}})
    EXPECT_EQ(pairs.count(same), 0u) << std::hex << static_cast<unsigned>(same);
}

}  // namespace
