// The recently used characters: the order of the list and its settings value, hostile
// values included.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/RecentChars.h"

namespace {

using tessarin::FormatRecentChars;
using tessarin::ParseRecentChars;
using tessarin::RecentChars;
using Chars = std::vector<char32_t>;

Chars Held(const RecentChars& list) { return Chars(list.Chars().begin(), list.Chars().end()); }

TEST(RecentChars, TheLastUsedComeFirstOnceEachAndTheOldestFallsOff) {
  RecentChars list;
  EXPECT_TRUE(list.Use(0x2192));
  EXPECT_TRUE(list.Use(0x1F600));
  EXPECT_TRUE(list.Use(U'A'));
  EXPECT_EQ(Held(list), (Chars{U'A', 0x1F600, 0x2192}));
  // Used again: to the front, not twice.
  EXPECT_TRUE(list.Use(0x2192));
  EXPECT_EQ(Held(list), (Chars{0x2192, U'A', 0x1F600}));
  EXPECT_FALSE(list.Use(0x2192));  // already in front
  // Nothing a character cannot be.
  for (char32_t bad : {char32_t{0}, char32_t{0x0A}, char32_t{0xD83D}, char32_t{0xDFFF}, char32_t{0x110000}})
    EXPECT_FALSE(list.Use(bad)) << std::hex << static_cast<unsigned>(bad);
  EXPECT_EQ(list.Chars().size(), 3u);

  // 40 characters: the last 32 remain, newest first.
  RecentChars full;
  for (char32_t cp = 0x400; cp < 0x428; ++cp) full.Use(cp);
  ASSERT_EQ(full.Chars().size(), 32u);
  EXPECT_EQ(full.Chars().front(), 0x427u);
  EXPECT_EQ(full.Chars().back(), 0x408u);
  // Reusing one in the middle keeps 32 and drops nothing.
  full.Use(0x410);
  EXPECT_EQ(full.Chars().size(), 32u);
  EXPECT_EQ(full.Chars().front(), 0x410u);
  EXPECT_EQ(full.Chars().back(), 0x408u);

  // What a file gives goes behind what was used before it was read, without repeats.
  RecentChars merged;
  merged.Use(0x2192);
  merged.AddOlder(Chars{0x41, 0x2192, 0xD800, 0x42});
  EXPECT_EQ(Held(merged), (Chars{0x2192, 0x41, 0x42}));
}

TEST(RecentChars, TheValueIsUpperCaseHexInOrderAndReadsBack) {
  const Chars chars{0x1F600, 0x2192, 0x20, 0x10FFFF, 0xE9};
  const std::string value = FormatRecentChars(chars);
  EXPECT_EQ(value, "1F600,2192,20,10FFFF,E9");
  EXPECT_EQ(ParseRecentChars(value), chars);
  EXPECT_EQ(FormatRecentChars(Chars{}), "");
  EXPECT_EQ(ParseRecentChars(""), Chars{});
}

struct HostileCase {
  const char* what;
  std::string value;
  Chars read;
};

void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.what; }

class HostileValue : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileValue, IsReadEntryByEntryAndKeepsOnlyCharacters) {
  const HostileCase& c = GetParam();
  EXPECT_EQ(ParseRecentChars(c.value), c.read) << c.what;
}

// A code page's bytes, UTF-8 of a letter and a NUL inside an entry.
constexpr char kNotText[] =
    "41,\xFF\xFE,\xC3\xA9,4\x00"
    "2,43";

std::string ManyEntries(int count) {
  std::string value;
  for (int i = 0; i < count; ++i) value += (i ? "," : "") + std::to_string(100 + i);  // read as hex
  return value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, HostileValue,
    ::testing::Values(
        HostileCase{"not a list", "hello world", {}},
        HostileCase{"words between", "41,zz,42,0x43,U+44,45", {0x41, 0x42, 0x45}},
        HostileCase{"blanks and case", " 1f600 ,\t2192\t, e9", {0x1F600, 0x2192, 0xE9}},
        HostileCase{"surrogates, halves of a pair", "D83D,DE00,D7FF,E000", {0xD7FF, 0xE000}},
        HostileCase{"beyond U+10FFFF", "110000,FFFFFFFF,100000000000,10FFFF", {0x10FFFF}},
        HostileCase{"controls and nothing", "0,A,1F,20,,", {0x20}},
        HostileCase{"signs", "-41,+42,43", {0x43}},
        HostileCase{"repeats keep the first place", "42,41,42,41,43", {0x42, 0x41, 0x43}},
        HostileCase{"leading zeros", "00000041,000000041", {0x41}},
        HostileCase{"bytes that are not text", std::string(kNotText, sizeof kNotText - 1), {0x41, 0x43}},
        HostileCase{"only separators", ",,,,", {}}));

TEST(RecentChars, AHugeValueGivesItsFirst32CharactersAndACutEntryIsDropped) {
  // 5,000 characters of entries: the first 32 count.
  std::string huge = ManyEntries(2000).substr(0, 5000);
  const Chars read = ParseRecentChars(huge);
  ASSERT_EQ(read.size(), 32u);
  EXPECT_EQ(read.front(), 0x100u);
  EXPECT_EQ(read.back(), 0x131u);
  // A value the read cut: "41,42,1F6" may have been "41,42,1F600".
  EXPECT_EQ(ParseRecentChars("41,42,1F6", true), (Chars{0x41, 0x42}));
  EXPECT_EQ(ParseRecentChars("1F6", true), Chars{});
  // Invalid entries do not count towards the 32.
  std::string mixed;
  for (int i = 0; i < 40; ++i) mixed += "zz," + std::to_string(100 + i) + ",";
  EXPECT_EQ(ParseRecentChars(mixed).size(), 32u);
}

TEST(RecentChars, ACopiedTextAddsItsCharactersBeyondAsciiLastOccurrenceLast) {
  const struct {
    const char16_t* text;
    Chars added;  // oldest first
  } cases[] = {
      {u"Hello, world!\r\n", {}},
      {u"a\u2192b\u00E9\u2192", {0xE9, 0x2192}},  // → again at the end: newest
      {u"x\U0001F600y\u00A0", {0x1F600, 0xA0}},   // a pair read whole
      {u"\xD83D"
       u"a\xDE00\u20AC",
       {0x20AC}},                       // halves alone are no characters
      {u"\u0085\u009F\u00A9", {0xA9}},  // C1 controls
  };
  for (const auto& c : cases) EXPECT_EQ(tessarin::RecentCharsOfText(c.text), c.added);
  // A long text: its last 32 characters of interest.
  std::u16string text;
  for (char16_t c = 0x400; c < 0x500; ++c) text += c;
  const Chars added = tessarin::RecentCharsOfText(text);
  ASSERT_EQ(added.size(), 32u);
  EXPECT_EQ(added.front(), 0x4E0u);
  EXPECT_EQ(added.back(), 0x4FFu);
}

}  // namespace
