// Finding characters of all of Unicode: codes, the character itself, names, aliases, keywords in
// English and German, entity names, and the order of what is found.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <tuple>
#include <cctype>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/logic/UnicodeFiles.h"
#include "core/unicode/UnicodeSearch.h"

namespace {

using tessarin::unicode::UnicodeSearch;

bool All(char32_t) { return true; }

std::vector<char32_t> Find(std::string_view query) { return UnicodeSearch::Instance().Find(query, All); }

TEST(UnicodeSearch, FindsTheBestMatchFirst) {
  const struct {
    const char* query;
    char32_t first;
  } cases[] = {
      {"rightwards arrow", 0x2192},
      {"RIGHTWARDS ARROW", 0x2192},
      {"grinn fac", 0x1F600},         // prefixes
      {"Pfeil nach rechts", 0x2192},  // German CLDR keywords
      {"pfeil NACH rechts", 0x2192},
      {"grinning face", 0x1F600},
      {"grinsendes Gesicht", 0x1F600},
      {"\xC3\xBC"
       "berstrich",
       0x203E},  // überstrich: the German keyword of the overline
      {"\xC3\x9C"
       "BERSTRICH",
       0x203E},          // ÜBERSTRICH
      {"rarr", 0x2192},  // the HTML entity name
      {"&rarr;", 0x2192},
      {"umlaut", 0x00A8},     // an informal alias of the diaeresis
      {"line feed", 0x000A},  // the name alias of a control character
      {"latin small letter a", 0x0061},
      {"euro", 0x20AC},  // the page's euro sign before U+20A0 EURO-CURRENCY SIGN
      {"hangul syllable gag", 0xAC01},
      {"cjk unified ideograph 4e00", 0x4E00},
      {"ideograph 20000", 0x20000},
      {"cjk compatibility ideograph f900", 0xF900},
      {"tangut ideograph 17000", 0x17000},
  };
  for (const auto& c : cases) {
    std::vector<char32_t> found = Find(c.query);
    ASSERT_FALSE(found.empty()) << c.query;
    EXPECT_EQ(found[0], c.first) << c.query << std::hex << ": U+" << static_cast<unsigned>(found[0]);
  }
}

TEST(UnicodeSearch, ACodeOrTheCharacterFindsThatOneAlone) {
  const struct {
    const char* query;
    std::vector<char32_t> found;
  } cases[] = {
      {"U+2192", {0x2192}},
      {"u+2192", {0x2192}},
      {"  U+2192  ", {0x2192}},
      {"U+1F600", {0x1F600}},
      {"&#8594;", {0x2192}},
      {"&#8594", {0x2192}},
      {"&#x2192;", {0x2192}},
      {"&#X1F600;", {0x1F600}},
      {"\xE2\x86\x92", {0x2192}},       // →
      {"\xF0\x9F\x98\x80", {0x1F600}},  // 😀
      {"\xC3\xA9", {0xE9}},             // é
      {"U+110000", {}},
      {"U+D800", {}},
      {"&#99999999;", {}},
      {"U+", {}},
      {"U+xyz", {}},
      {"&#", {}},
      {"&#;", {}},
      {"@", {U'@'}},  // one character of punctuation is itself
      {",", {U','}},
      {"-", {U'-'}},
      {"--", {}},  // two or more name nothing
      {"..", {}},
      {"- -", {}},
      {"", {}},
      {"   ", {}},
      {"&", {U'&'}},
      {"&&", {}},
      {"\xFF", {}},  // no UTF-8
  };
  for (const auto& c : cases) EXPECT_EQ(Find(c.query), c.found) << c.query;
}

TEST(UnicodeSearch, ALetterFindsItselfFirstThenTheWordsItBegins) {
  std::vector<char32_t> found = Find("q");
  ASSERT_GT(found.size(), 2u);
  EXPECT_EQ(found[0], U'q');
  EXPECT_EQ(found[1], U'Q');  // LATIN CAPITAL LETTER Q: "q" is a whole word of the name
}

TEST(UnicodeSearch, FindsOnlyWhatIsDrawnAndEachOnce) {
  auto even = [](char32_t cp) { return cp % 2 == 0; };
  for (const char* query : {"arrow", "a", "U+2193", "face", "ideograph", "hangul"}) {
    std::vector<char32_t> found = UnicodeSearch::Instance().Find(query, even);
    EXPECT_TRUE(std::all_of(found.begin(), found.end(), even)) << query;
    std::set<char32_t> unique(found.begin(), found.end());
    EXPECT_EQ(unique.size(), found.size()) << query;
  }
  EXPECT_TRUE(UnicodeSearch::Instance().Find("rightwards arrow", [](char32_t) { return false; }).empty());
}

// The names from UnicodeData.txt, so that the order of what is found is checked against the file.
std::map<char32_t, std::string> FileNames() {
  std::map<char32_t, std::string> names;
  for (const std::string& line : unicode_files::DataLines("UnicodeData.txt")) {
    std::vector<std::string> f = unicode_files::Fields(line);
    if (f[1][0] != '<') names[unicode_files::Hex(f[0])] = f[1];
  }
  return names;
}

std::set<std::string> Words(std::string name) {
  for (char& c : name) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c == '-') c = ' ';
  }
  std::set<std::string> words;
  std::istringstream in(name);
  for (std::string w; in >> w;) words.insert(w);
  return words;
}

TEST(UnicodeSearch, WholeWordsOfTheNameComeFirstThenOtherWordsThenPrefixesEachInCodeOrder) {
  std::map<char32_t, std::set<std::string>> nameWords;
  for (const auto& [cp, name] : FileNames()) nameWords[cp] = Words(name);
  const struct {
    const char* query;
    std::vector<std::string> words;
  } cases[] = {{"arrow", {"arrow"}}, {"black star", {"black", "star"}}, {"heart", {"heart"}}};
  for (const auto& c : cases) {
    std::vector<char32_t> found = Find(c.query);
    ASSERT_FALSE(found.empty());
    auto hasAll = [&](char32_t cp) {
      auto it = nameWords.find(cp);
      return it != nameWords.end() && std::all_of(c.words.begin(), c.words.end(), [&](const std::string& w) {
               return it->second.count(w) > 0;
             });
    };
    // The characters whose name in the file holds every query word come first, and all of them.
    std::size_t byName = 0;
    while (byName < found.size() && hasAll(found[byName])) ++byName;
    for (std::size_t i = byName; i < found.size(); ++i) EXPECT_FALSE(hasAll(found[i])) << c.query << " " << i;
    std::size_t expected = 0;
    for (const auto& entry : nameWords) expected += hasAll(entry.first) ? 1 : 0;
    EXPECT_EQ(byName, expected) << c.query;
    // Past a name that is the query itself, in code-point order (the page has none of these).
    std::size_t from = 0;
    while (from < byName && nameWords.at(found[from]).size() == c.words.size()) ++from;
    EXPECT_TRUE(std::is_sorted(found.begin() + static_cast<std::ptrdiff_t>(from),
                               found.begin() + static_cast<std::ptrdiff_t>(byName)))
        << c.query;
    EXPECT_GT(found.size(), byName) << c.query << ": keywords and prefixes find more than the names";
  }
}

TEST(UnicodeSearch, ThePagesCharactersComeFirstInTheirGroup) {
  // "sign": the page's signs (¢ £ ¤ ¥ § ...) ahead of every other sign, in the page's order.
  std::vector<char32_t> found = Find("sign");
  ASSERT_GT(found.size(), 20u);
  EXPECT_EQ(found[0], U'#');  // NUMBER SIGN, byte 35
  const std::vector<char32_t> pageSigns{U'#', U'$',   U'%', U'+', U'<', U'=',
                                        U'>', 0x20AC, 0xA2, 0xA3, 0xA4, 0xA5};
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(found[i], pageSigns[i]) << i;
  EXPECT_EQ(found[7], 0x20AC);  // byte 128
  auto euroCurrency = std::find(found.begin(), found.end(), char32_t{0x20A0});
  auto cent = std::find(found.begin(), found.end(), char32_t{0xA2});
  EXPECT_LT(cent, euroCurrency);
}

TEST(UnicodeSearch, ABareHexadecimalCodeFindsItsCharacter) {
  const struct {
    const char* query;
    char32_t first;
  } cases[] = {
      {"2192", 0x2192},   {"00e9", 0xE9},     {"00E9", 0xE9},     {"1f600", 0x1F600},
      {"1F600", 0x1F600}, {"20000", 0x20000}, {" 2192 ", 0x2192}, {"10ffff", 0x10FFFF},
  };
  for (const auto& c : cases) {
    std::vector<char32_t> found = Find(c.query);
    ASSERT_FALSE(found.empty()) << c.query;
    EXPECT_EQ(found[0], c.first) << c.query;
  }
  // Too short, too long, beyond Unicode or a surrogate: no code.
  for (const char* query : {"219", "1234567", "110000", "d800"}) {
    std::vector<char32_t> found = Find(query);
    EXPECT_TRUE(found.empty() || found[0] != std::strtoul(query, nullptr, 16)) << query;
  }
  // Letters alone are a word first: "face" finds faces before U+FACE; "fffd" finds U+FFFD.
  std::vector<char32_t> face = Find("face");
  ASSERT_GT(face.size(), 1u);
  EXPECT_NE(face[0], char32_t{0xFACE});
  std::vector<char32_t> fffd = Find("fffd");
  EXPECT_NE(std::find(fffd.begin(), fffd.end(), char32_t{0xFFFD}), fffd.end());
  // A code the font does not draw is not found by Find.
  const std::vector<char32_t> undrawn =
      UnicodeSearch::Instance().Find("2192", [](char32_t cp) { return cp != 0x2192; });
  EXPECT_EQ(std::find(undrawn.begin(), undrawn.end(), char32_t{0x2192}), undrawn.end());
}

TEST(UnicodeSearch, PiAndMuFindTheGreekLettersFirst) {
  // Whole words of a name before prefixes: ¶ (PILCROW) and × (MULTIPLICATION) only begin with them.
  for (const auto& [query, capital, small] : {std::tuple{"pi", char32_t{0x3A0}, char32_t{0x3C0}},
                                              std::tuple{"mu", char32_t{0x39C}, char32_t{0x3BC}}}) {
    std::vector<char32_t> found = Find(query);
    ASSERT_FALSE(found.empty()) << query;
    EXPECT_TRUE(found[0] == capital || found[0] == small) << query << std::hex << " U+" << unsigned(found[0]);
  }
}

TEST(UnicodeSearch, FindAllRanksWhatTheFontDrawsFirstWithinEachClass) {
  // A font that draws every arrow but the first four.
  auto drawn = [](char32_t cp) { return cp < 0x2190 || cp > 0x2193; };
  std::map<char32_t, std::set<std::string>> nameWords;
  for (const auto& [cp, name] : FileNames()) nameWords[cp] = Words(name);
  for (const char* query : {"arrow", "leftwards", "c", "ideograph", "U+2190", "2191"}) {
    SCOPED_TRACE(query);
    const std::vector<char32_t> all = UnicodeSearch::Instance().FindAll(query, drawn);
    const std::vector<char32_t> everything = Find(query);
    // Every named match, drawn or not, each once: what an all-drawing font finds.
    EXPECT_EQ(std::set<char32_t>(all.begin(), all.end()),
              std::set<char32_t>(everything.begin(), everything.end()));
    EXPECT_EQ(all.size(), everything.size());
    // The drawn ones in the order Find gives them.
    std::vector<char32_t> drawnOnes;
    std::copy_if(all.begin(), all.end(), std::back_inserter(drawnOnes), drawn);
    EXPECT_EQ(drawnOnes, UnicodeSearch::Instance().Find(query, drawn));
  }
  // "arrow": the names holding the word come first, drawn or not; among them the four undrawn
  // arrows come after every drawn one (no name is "ARROW" alone).
  const std::vector<char32_t> all = UnicodeSearch::Instance().FindAll("arrow", drawn);
  std::size_t byName = 0;
  while (byName < all.size() && nameWords.count(all[byName]) && nameWords.at(all[byName]).count("arrow"))
    ++byName;
  ASSERT_GT(byName, 8u);
  for (char32_t cp = 0x2190; cp <= 0x2193; ++cp) {
    const auto at = static_cast<std::size_t>(std::find(all.begin(), all.end(), cp) - all.begin());
    EXPECT_LT(at, byName) << std::hex << unsigned(cp);
    EXPECT_GE(at, byName - 4) << std::hex << unsigned(cp);
  }
  // The one name that is the query comes first even when it is not drawn.
  EXPECT_EQ(UnicodeSearch::Instance().FindAll("rightwards arrow", drawn)[0], char32_t{0x2192});
  // A code typed as such finds a named character the font lacks, and no unassigned one.
  EXPECT_EQ(UnicodeSearch::Instance().FindAll("U+2190", drawn), std::vector<char32_t>{0x2190});
  EXPECT_TRUE(UnicodeSearch::Instance().FindAll("U+0378", [](char32_t) { return false; }).empty());
}

TEST(UnicodeSearch, ARecentlyUsedCharacterRanksFirstAmongEqualMatchesOnly) {
  const struct {
    const char* query;
    std::vector<char32_t> recent;  // most recent first
    std::vector<char32_t> first;   // the start of the answer
  } cases[] = {
      // Ahead of the page's own signs, which lead the group otherwise.
      {"sign", {0x20A0}, {0x20A0, U'#', U'$'}},
      // The most recent first; a character the query does not find stays away.
      {"sign", {0xA3, U'Z', 0x20A0}, {0xA3, 0x20A0, U'#'}},
      // Never ahead of a better match: the name that is the query itself stays first.
      {"black star", {0x2736}, {0x2605, 0x2736}},
      {"arrow", {0x2193, 0x2190}, {0x2193, 0x2190}},
  };
  for (const auto& c : cases) {
    const std::vector<char32_t> plain = Find(c.query);
    const std::vector<char32_t> ranked = UnicodeSearch::Instance().Find(c.query, All, c.recent);
    ASSERT_GE(ranked.size(), c.first.size()) << c.query;
    EXPECT_TRUE(std::equal(c.first.begin(), c.first.end(), ranked.begin())) << c.query;
    // The same characters, each once, only in another order.
    std::vector<char32_t> a = plain, b = ranked;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_TRUE(a == b) << c.query;
  }
}

}  // namespace
