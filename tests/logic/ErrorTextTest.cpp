// The error display's text for messages with and without a final full stop.
#include <gtest/gtest.h>

#include "core/ErrorText.h"
#include "core/Units.h"

namespace {

struct ErrorCase {
  const char* message;
  const char* shown;
};

class ErrorDisplay : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorDisplay, AppendsFullStopOnlyAfterCharactersSortingAfterIt) {
  EXPECT_EQ(ui::ErrorDisplayText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ErrorDisplay,
    ::testing::Values(ErrorCase{"Unable to create .lnk file", "Unable to create .lnk file."},
                      ErrorCase{"Done.", "Done."}, ErrorCase{"Why?", "Why?."}, ErrorCase{"Stop!", "Stop!"},
                      ErrorCase{"(none)", "(none)"}, ErrorCase{"a-", "a-"}, ErrorCase{"1/2", "1/2."},
                      ErrorCase{"", ""},
                      // Windows-1252 letters are bytes above 0x7F and sort after ".".
                      ErrorCase{"Gitterindex au\xDF"
                                "erhalb des zul\xE4ssigen Bereichs",
                                "Gitterindex au\xDF"
                                "erhalb des zul\xE4ssigen Bereichs."},
                      ErrorCase{"Stra\xDF", "Stra\xDF."}),
    [](const ::testing::TestParamInfo<ErrorCase>& info) { return "Case" + std::to_string(info.index); });

TEST(FontUnits, PointsAndPixelsAt96PixelsPerInch) {
  struct {
    int points, height;
  } const cases[] = {{10, -13}, {12, -16}, {22, -29}, {46, -61}, {256, -341}, {336, -448}, {8, -11}};
  for (const auto& c : cases) {
    EXPECT_EQ(ui::PointsToHeight(c.points, 96), c.height) << c.points;
    EXPECT_EQ(ui::HeightToPoints(c.height, 96), c.points) << c.height;
  }
  EXPECT_EQ(ui::HeightToPoints(-21, 96), 16);
  EXPECT_EQ(ui::MulDivRound(5, 1, 2), 3);
  EXPECT_EQ(ui::MulDivRound(-5, 1, 2), -3);
  EXPECT_EQ(ui::MulDivRound(1, 1, 0), -1);
}

}  // namespace
