// The character names against names written out from the Unicode charts.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/unicode/CharNames.h"

namespace {

using tessarin::CharName;

TEST(CharNames, NameTheWindows1252MeaningOfEachCode) {
  const struct {
    int code;
    const char* name;
  } samples[] = {
      {32, "SPACE"},
      {38, "AMPERSAND"},
      {65, "LATIN CAPITAL LETTER A"},
      {96, "GRAVE ACCENT"},
      {126, "TILDE"},
      {127, "DELETE"},
      {128, "EURO SIGN"},
      {130, "SINGLE LOW-9 QUOTATION MARK"},
      {137, "PER MILLE SIGN"},
      {142, "LATIN CAPITAL LETTER Z WITH CARON"},
      {150, "EN DASH"},
      {159, "LATIN CAPITAL LETTER Y WITH DIAERESIS"},
      {160, "NO-BREAK SPACE"},
      {173, "SOFT HYPHEN"},
      {192, "LATIN CAPITAL LETTER A WITH GRAVE"},
      {223, "LATIN SMALL LETTER SHARP S"},
      {224, "LATIN SMALL LETTER A WITH GRAVE"},
      {255, "LATIN SMALL LETTER Y WITH DIAERESIS"},
      {129, ""},
      {141, ""},
      {143, ""},
      {144, ""},
      {157, ""},
      {31, ""},
  };
  for (const auto& s : samples) EXPECT_EQ(CharName(static_cast<unsigned char>(s.code)), s.name) << s.code;
}

TEST(CharNames, EveryOtherCodeHasItsOwnName) {
  std::set<std::string> seen;
  int unnamed = 0;
  for (int code = 32; code < 256; ++code) {
    const std::string name(CharName(static_cast<unsigned char>(code)));
    if (name.empty()) {
      ++unnamed;
      continue;
    }
    EXPECT_EQ(name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -"), std::string::npos) << code;
    EXPECT_TRUE(seen.insert(name).second) << code << " " << name;
  }
  EXPECT_EQ(unnamed, 5);
}

}  // namespace
