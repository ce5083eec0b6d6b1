// The description texts of every character code against the public tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>

#include "core/unicode/CharDescriptions.h"
#include "tests/support/ExpectedEntities.h"

namespace {

using namespace testing_support::entities;
using namespace tessarin;

std::string Char(int code) { return std::string(1, static_cast<char>(code)); }
// Windows' German layout puts AltGr characters only on these keys; X11's has more.
constexpr std::string_view kWindowsAltGrKeys[] = {"2", "3", "7", "8", "9", "0", "\xDF",  // ß
                                                  "Q", "E", "+", "<", "M"};
constexpr int kAltGrShownAsCharacter[] = {'[', '\\', ']'};
constexpr int kKeyedWithoutKeyText[] = {0xA7, 0xB0};  // § (Shift+3), ° (Shift+^)

TEST(CharDescriptions, EntityTextsAreTheHtml4NamesWithTheNamedExceptions) {
  const auto expected = testing_support::ExpectedEntityTexts();
  for (int code = 0; code < 256; ++code) EXPECT_EQ(EntityText(code), expected[code]) << code;
}

TEST(CharDescriptions, KeyTextsFollowTheGermanKeyboardWithTheNamedExceptions) {
  std::string expected[256];
  for (int code = '!'; code <= '~'; ++code) expected[code] = Char(code);
  for (int code : kGermanPlainKeys) expected[code] = Char(code);
  for (auto [code, key] : kGermanAltGr)
    if (std::ranges::count(kWindowsAltGrKeys, std::string_view(key)))
      expected[code] = "STRG+ALT+" + std::string(key);
  for (int code : kAltGrShownAsCharacter) expected[code] = Char(code);
  for (int code : kKeyedWithoutKeyText) expected[code] = "";
  expected[' '] = "Space";
  expected[0x80] = "\x80 (EURO)";  // € (EURO), rather than STRG+ALT+E
  for (int code = 0; code < 256; ++code) EXPECT_EQ(KeyText(code), expected[code]) << code;
}

struct Described {
  int code;
  const char *codeText, *keyText, *entityText;
};
void PrintTo(const Described& c, std::ostream* os) { *os << "code " << c.code; }
class CharDescription : public ::testing::TestWithParam<Described> {};

TEST_P(CharDescription, GivesItsCodeKeyAndOwnEntityText) {
  const Described& c = GetParam();
  EXPECT_EQ(CodeText(c.code), c.codeText);
  EXPECT_EQ(KeyText(c.code), c.keyText);
  EXPECT_EQ(EntityText(c.code), c.entityText);
  int sharing = 0;
  for (int code = 0; code < 256; ++code) sharing += EntityText(code) == c.entityText;
  EXPECT_EQ(sharing, 1) << "the entity text of " << c.code << " is not its own";
}

INSTANTIATE_TEST_SUITE_P(EdgeCases, CharDescription,
                         ::testing::ValuesIn(std::initializer_list<Described>{
                             {9, "#9", "", "\t"},
                             {32, "#32", "Space", " "},
                             {38, "#38", "&", "&amp;"},
                             {39, "#39", "'", "'"},
                             {61, "#61", "=", "="},
                             {64, "#64", "STRG+ALT+Q", "@"},
                             {126, "#126", "STRG+ALT++", "~"},
                             {127, "#127", "", "&#127;"},
                             {128, "#0128", "\x80 (EURO)", "&euro;"},  // € (EURO)
                             {145, "#0145", "", "&lsquo;"},
                             {160, "#0160", "", "&nbsp;"},
                             {163, "#0163", "", "&pound;"},
                             {168, "#0168", "", "&die;"},
                             {223, "#0223", "\xDF", "&szlig;"},  // ß
                             {255, "#0255", "", "&yuml;"}}),
                         [](const auto& info) { return "Code" + std::to_string(info.param.code); });

}  // namespace
