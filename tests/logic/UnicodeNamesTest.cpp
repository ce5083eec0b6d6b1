// The names of all of Unicode and its blocks, against UnicodeData.txt, NameAliases.txt, Jamo.txt
// and Blocks.txt as the unicode-data package has them.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "tests/logic/UnicodeFiles.h"
#include "core/unicode/Blocks.h"
#include "core/unicode/UnicodeNames.h"

namespace {

using tessarin::unicode::AllBlocks;
using tessarin::unicode::BlockOf;
using tessarin::unicode::CharName;
using unicode_files::DataLines;
using unicode_files::Fields;
using unicode_files::Hex;

std::string HexName(const char* prefix, char32_t cp) {
  char text[64];
  std::snprintf(text, sizeof text, "%s%04X", prefix, static_cast<unsigned>(cp));
  return text;
}

// The name of every code point as the files give it: UnicodeData.txt's, the first alias of a
// control character, the names the standard gives the ideograph ranges and, from the short names
// of Jamo.txt, the Hangul syllables. Code points the files leave out have no name.
std::map<char32_t, std::string> ExpectedNames() {
  std::map<char32_t, std::string> firstAlias;
  for (const std::string& line : DataLines("NameAliases.txt")) {
    std::vector<std::string> f = Fields(line);
    firstAlias.emplace(Hex(f[0]), f[1]);
  }
  std::vector<std::string> jamoL, jamoV, jamoT{""};
  for (const std::string& line : DataLines("Jamo.txt")) {
    std::vector<std::string> f = Fields(line);
    char32_t cp = Hex(f[0]);
    std::string shortName = f.size() > 1 ? f[1] : "";
    if (cp >= 0x1100 && cp <= 0x1112) jamoL.push_back(shortName);
    if (cp >= 0x1161 && cp <= 0x1175) jamoV.push_back(shortName);
    if (cp >= 0x11A8 && cp <= 0x11C2) jamoT.push_back(shortName);
  }
  std::map<char32_t, std::string> names;
  char32_t rangeFirst = 0;
  for (const std::string& line : DataLines("UnicodeData.txt")) {
    std::vector<std::string> f = Fields(line);
    char32_t cp = Hex(f[0]);
    const std::string& name = f[1];
    if (name.find(", First>") != std::string::npos) {
      rangeFirst = cp;
      continue;
    }
    if (name.find(", Last>") != std::string::npos) {
      for (char32_t c = rangeFirst; c <= cp; ++c) {
        if (name.rfind("<CJK Ideograph", 0) == 0) {
          names[c] = HexName("CJK UNIFIED IDEOGRAPH-", c);
        } else if (name.rfind("<Tangut Ideograph", 0) == 0) {
          names[c] = HexName("TANGUT IDEOGRAPH-", c);
        } else if (name.rfind("<Hangul Syllable", 0) == 0) {
          unsigned s = c - 0xAC00;
          names[c] = "HANGUL SYLLABLE " + jamoL.at(s / 588) + jamoV.at(s % 588 / 28) + jamoT.at(s % 28);
        } else {
          names[c] = "";  // surrogates and private use
        }
      }
      continue;
    }
    names[cp] = name == "<control>" ? firstAlias.at(cp) : name;
  }
  return names;
}

TEST(UnicodeNames, EveryCodePointHasTheNameOfTheUnicodeFiles) {
  const std::map<char32_t, std::string> expected = ExpectedNames();
  ASSERT_GT(expected.size(), 140000u);
  int wrong = 0;
  for (char32_t cp = 0; cp <= 0x10FFFF && wrong < 20; ++cp) {
    auto it = expected.find(cp);
    std::string want = it == expected.end() ? "" : it->second;
    std::string got = CharName(cp);
    if (got != want) {
      ++wrong;
      ADD_FAILURE() << std::hex << "U+" << static_cast<unsigned>(cp) << ": \"" << got << "\", not \"" << want << "\"";
    }
  }
}

TEST(UnicodeNames, BeyondTheLastCodePointThereIsNoName) {
  for (char32_t cp : {char32_t{0x110000}, char32_t{0x7FFFFFFF}, char32_t{0xFFFFFFFF}}) EXPECT_EQ(CharName(cp), "");
}

TEST(UnicodeBlocks, AreTheBlocksOfBlocksTxt) {
  std::vector<std::string> lines = DataLines("Blocks.txt");
  auto blocks = AllBlocks();
  ASSERT_EQ(blocks.size(), lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::vector<std::string> f = Fields(lines[i]);
    std::size_t dots = f[0].find("..");
    char32_t first = Hex(f[0].substr(0, dots)), last = Hex(f[0].substr(dots + 2));
    EXPECT_EQ(blocks[i].first, first) << f[1];
    EXPECT_EQ(blocks[i].last, last) << f[1];
    EXPECT_STREQ(blocks[i].name, f[1].c_str());
    for (char32_t cp : {first, static_cast<char32_t>((first + last) / 2), last}) {
      ASSERT_NE(BlockOf(cp), nullptr);
      EXPECT_STREQ(BlockOf(cp)->name, f[1].c_str());
    }
  }
}

TEST(UnicodeBlocks, CodePointsBetweenBlocksHaveNone) {
  auto blocks = AllBlocks();
  for (std::size_t i = 0; i + 1 < blocks.size(); ++i) {
    if (blocks[i].last + 1 < blocks[i + 1].first) {
      EXPECT_EQ(BlockOf(blocks[i].last + 1), nullptr);
    }
  }
  EXPECT_EQ(BlockOf(0x110000), nullptr);
  EXPECT_STREQ(BlockOf(0x2192)->name, "Arrows");
  EXPECT_STREQ(BlockOf(0x1F600)->name, "Emoticons");
}

}  // namespace
