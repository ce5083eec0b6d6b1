// The settings file's integer reading, byte wrap and value quoting.
#include <gtest/gtest.h>

#include "core/ProfileNumber.h"

namespace {

using tessarin::LowByte;
using tessarin::ProfileInteger;

struct NumberCase {
  const char* stored;
  std::int32_t defaultValue;
  std::int32_t read;
  std::uint8_t byte;
};

class ProfileNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ProfileNumber, ReadsTheIntegerOrTheDefaultAndKeepsItsLowByte) {
  const NumberCase& c = GetParam();
  const std::int32_t read = ProfileInteger(c.stored, c.defaultValue);
  EXPECT_EQ(read, c.read) << '"' << c.stored << '"';
  EXPECT_EQ(LowByte(read), c.byte) << '"' << c.stored << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Values, ProfileNumber,
    ::testing::Values(NumberCase{"3", 1, 3, 3}, NumberCase{"0x3", 1, 3, 3}, NumberCase{"$3", 1, 3, 3},
                      NumberCase{"0X1f", 1, 31, 31}, NumberCase{"0x1F", 1, 31, 31},
                      // "0x" alone is too short to be rewritten, and "x" is no digit.
                      NumberCase{"0x", 1, 1, 1}, NumberCase{"3x", 1, 1, 1}, NumberCase{" 5", 2, 5, 5},
                      NumberCase{"  +5", 2, 5, 5}, NumberCase{"+5", 2, 5, 5}, NumberCase{"5 ", 2, 2, 2},
                      NumberCase{"-1", 2, -1, 255}, NumberCase{"258", 2, 258, 2}, NumberCase{"7", 2, 7, 7},
                      NumberCase{"", 2, 2, 2}, NumberCase{" ", 2, 2, 2}, NumberCase{"$FFFFFFFF", 1, -1, 255},
                      NumberCase{"$80000000", 1, INT32_MIN, 0}, NumberCase{"$100000000", 1, 1, 1},
                      NumberCase{"$00000000FF", 1, 255, 255}, NumberCase{"2147483647", 1, INT32_MAX, 255},
                      NumberCase{"2147483648", 1, 1, 1}, NumberCase{"-2147483648", 1, INT32_MIN, 0},
                      NumberCase{"-2147483649", 1, 1, 1}, NumberCase{"99999999999999999999", 1, 1, 1},
                      NumberCase{"007", 1, 7, 7}, NumberCase{"$", 1, 1, 1}, NumberCase{"-$5", 1, 1, 1},
                      NumberCase{"$-5", 1, 1, 1}, NumberCase{"+-5", 1, 1, 1}, NumberCase{"-", 1, 1, 1},
                      NumberCase{"\t5", 1, 1, 1}, NumberCase{" 0x3", 1, 1, 1}, NumberCase{"0x-3", 1, 1, 1},
                      NumberCase{"1e3", 1, 1, 1}, NumberCase{"$fg", 1, 1, 1}, NumberCase{"x3", 1, 1, 1},
                      NumberCase{"0", 1, 0, 0}, NumberCase{"-0", 1, 0, 0}, NumberCase{"256", 1, 256, 0}),
    [](const ::testing::TestParamInfo<NumberCase>& info) { return "Case" + std::to_string(info.index); });

TEST(ProfileValue, WrapsOnlyTextsTheReadWouldChange) {
  struct {
    const char* text;
    const char* written;
  } const cases[] = {
      {"", ""},
      {"plain text", "plain text"},
      {"a=b [c] ;d", "a=b [c] ;d"},
      {"in \"the\" middle", "in \"the\" middle"},
      {"  indented", "\"  indented\""},
      {"trailing ", "\"trailing \""},
      {"\ttab", "\"\ttab\""},
      {"\"quoted\"", "\"\"quoted\"\""},
      {"'single'", "\"'single'\""},
      {"\"open", "\"\"open\""},
      {"close'", "\"close'\""},
      {"\"", "\"\"\""},
      {" ", "\" \""},
      {"\xA0nbsp", "\"\xA0nbsp\""},  // a no-break space first
  };
  for (const auto& c : cases) EXPECT_EQ(tessarin::ProfileValueFor(c.text), c.written) << c.text;
}

TEST(ProfileValue, WriteErrorNamesTheFile) {
  EXPECT_EQ(tessarin::SettingsWriteError("Tessarin.ini"), "nach Tessarin.ini kann nicht geschrieben werden");
}

}  // namespace
