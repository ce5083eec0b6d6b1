// Finding characters by name, code, entity or the character itself, with the ranking.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/unicode/CharSearch.h"
#include "core/unicode/UnicodeText.h"

namespace {

TEST(CharSearch, MatchesAndRanksAQuery) {
  const struct {
    const char* query;
    std::vector<int> expected;  // the whole result, best first
  } cases[] = {
      {"a grave", {192, 224, 96}},  // À à `: two whole words before one
      {"A GRAVE", {192, 224, 96}},
      {"auml", {196, 228}},  // Ä ä, by their entity names, in grid order
      {"#0128", {128}},
      {"0128", {128}},
      {"128", {128}},
      {" 128 ", {128}},
      {"#65", {65}},
      {"\xE9", {233}},    // é, typed
      {"&auml;", {228}},  // an entity typed whole: exactly, with its case
      {"&Auml;", {196}},
      {"&AUML;", {}},
      {"&#127;", {127}},
      {"per mille", {137}},
      {"per-mille", {137}},
      {"no-break", {160}},
      {"y diaeresis", {159, 255}},  // Ÿ ÿ
      {"sharp s", {223}},
      {"euro", {128}},
      {"300", {}},
      {"#7", {}},
      {"xyzzy", {}},
      {"", {}},
      {"   ", {}},
      // One character is itself, punctuation included; two or more blanks, hyphens and other
      // punctuation alone name nothing; a symbol is itself.
      {"-", {45}},
      {"--", {}},
      {"- -", {}},
      {"\t-\t", {45}},
      {",", {44}},
      {"@", {64}},
      {"...", {}},
      {"..", {}},
      {".,", {}},
      {"&", {38}},
      {"\x96", {150}},    // en dash
      {"\xA0", {160}},    // no-break space
      {"\xBF \xAB", {}},  // ¿ «
      {"$", {36}},
      {"+", {43}},
      {"\x80", {128}},  // €
      {"a - grave", {192, 224, 96}},
  };
  for (const auto& c : cases) {
    std::vector<int> got;
    for (unsigned char code : tessarin::FindChars(c.query)) got.push_back(code);
    EXPECT_EQ(got, c.expected) << '"' << c.query << '"';
  }
}

TEST(CharSearch, TheTypedCharacterComesBeforeNameMatches) {
  const struct {
    const char* query;
    int first, second;
  } cases[] = {
      {"a", 97, 65},  // a, then A (whole word "A" in both names, grid order)
      {"A", 65, 97},
      {"quot", 34, 130},  // the entity name whole, then "QUOTATION" begun: ‚
      {"7", 55, -1},      // the digit; code 7 is not in the grid
  };
  for (const auto& c : cases) {
    const std::vector<unsigned char> got = tessarin::FindChars(c.query);
    ASSERT_FALSE(got.empty()) << c.query;
    EXPECT_EQ(got[0], c.first) << c.query;
    if (c.second >= 0) {
      ASSERT_GE(got.size(), 2u) << c.query;
      EXPECT_EQ(got[1], c.second) << c.query;
    }
  }
}

// The page's own forms stand first when the find field ranks the page and all of Unicode
// together; the page reads the query in Windows-1252, whatever the system's code page.
TEST(CharSearch, ThePagesOwnFormsOfAQueryAndItsWindows1252Text) {
  const struct {
    const char* query;
    std::vector<int> forms;
  } cases[] = {
      {"128", {128}}, {"#0128", {128}}, {"0065", {65}}, {"&auml;", {228}}, {"&Auml;", {196}},
      {"@", {64}},    {"\x80", {128}},  {"a", {97}},    {"a grave", {}},   {"euro", {}},
      {"--", {}},     {"2192", {}},     {"", {}},
  };
  for (const auto& c : cases) {
    std::vector<int> got;
    for (unsigned char code : tessarin::FindPageForms(c.query)) got.push_back(code);
    EXPECT_EQ(got, c.forms) << '"' << c.query << '"';
  }
  EXPECT_TRUE(tessarin::IsEntityForm(" &auml; "));
  EXPECT_FALSE(tessarin::IsEntityForm("auml"));

  EXPECT_EQ(tessarin::PageText(U"\u20AC 5 \u00E9"), std::optional<std::string>("\x80 5 \xE9"));
  EXPECT_EQ(tessarin::PageText(U"abc"), std::optional<std::string>("abc"));
  EXPECT_EQ(tessarin::PageText(U""), std::optional<std::string>(""));
  // A Cyrillic letter, whose byte in code page 1251 (0xE6) is the page's æ, is no text of the page.
  EXPECT_EQ(tessarin::PageText(U"\u0436"), std::nullopt);
  EXPECT_EQ(tessarin::PageText(U"a\u2192"), std::nullopt);
}

TEST(CharSearch, MergedMatchesKeepThePagesFormsFirstAndEachCharacterOnce) {
  using V = std::vector<char32_t>;
  EXPECT_EQ(tessarin::MergeMatches({128}, {0x20AC, 0x20A0}), (V{0x20AC, 0x20A0}));
  EXPECT_EQ(tessarin::MergeMatches({128}, {0x128, 0x20AC}), (V{0x20AC, 0x128}));
  EXPECT_EQ(tessarin::MergeMatches({}, {0x3A0, 0x3C0, 0xB6}), (V{0x3A0, 0x3C0, 0xB6}));
  EXPECT_EQ(tessarin::MergeMatches({97, 65}, {}), (V{U'a', U'A'}));
  EXPECT_TRUE(tessarin::MergeMatches({}, {}).empty());
}

TEST(CharSearch, ARecentlyUsedCharacterRanksFirstAmongEqualMatchesOnly) {
  const struct {
    std::vector<char32_t> recent;  // most recent first
    std::vector<int> expected;
  } cases[] = {
      {{}, {192, 224, 96}},
      {{0xE0}, {224, 192, 96}},        // à before À: both hold two whole words
      {{0xE0, 0xC0}, {224, 192, 96}},  // the most recent first
      {{0xC0, 0xE0}, {192, 224, 96}},
      {{0x60, 0x2192}, {192, 224, 96}},  // ` holds one whole word only: it stays behind
  };
  for (const auto& c : cases) {
    const std::vector<unsigned char> found = tessarin::FindChars("a grave", c.recent);
    EXPECT_EQ(std::vector<int>(found.begin(), found.end()), c.expected) << c.recent.size();
  }
}

}  // namespace
