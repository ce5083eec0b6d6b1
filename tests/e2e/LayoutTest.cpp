// screens: 640x480 641x480 1023x768 1024x768
// The running program seen from another process: every control of the main window at
// its place for the screen width, the window centred and shown normally.
#include <gtest/gtest.h>

#include <map>

#include "tests/e2e/E2eSupport.h"
#include "tests/support/ExpectedLayout.h"

using namespace testing_support;

namespace {

std::map<std::string, e2e::ControlQuery> Queries() {
  return {
      {"magnifier", {"Static", "1", 0, 0, false}},
      {"grid", {"TStringAlignGrid", nullptr}},
      {"fontBox", {"ComboBox", nullptr}},
      {"ownFontNamesCheck", {"Button", "Fontname like Font"}},
      {"fontFilterGroup", {"Button", "Fontoptions"}},
      {"styleGroup", {"Button", "Fontstyle"}},
      {"colorGroup", {"Button", "Textcolor"}},
      // The list of blocks: the drop-down list that the program does not draw itself.
      {"viewBox", {"ComboBox", nullptr, CBS_OWNERDRAWFIXED, 0}},
      {"previewLabel", {"Static", "", SS_TYPEMASK, SS_CENTER}},
      {"nameLabel", {"Static", "SPACE"}},
      {"keyCaption", {"Static", "Key:"}},
      {"codeLabel", {"Static", "#32"}},
      {"keyLabel", {"Static", "Space"}},
      {"entityLabel", {"Static", "", SS_TYPEMASK, SS_RIGHT}},
      {"compositionGroup", {"Button", "Text"}},
      {"selectButton", {"Button", "&Select"}},
      {"optionsButton", {"Button", "&Options"}},
      {"exitButton", {"Button", "E&xit"}},
      {"composition", {"RichEdit20A", nullptr}},
      {"htmlEdit", {"Edit", nullptr, ES_READONLY, ES_READONLY}},
      {"copyRtfButton", {"Button", "Copy as &RTF"}},
      {"copyHtmlButton", {"Button", "Copy as &HTML"}},
  };
}

TEST(RunningProgram, ShowsEveryControlAtItsPlaceForTheScreenWidth) {
  ChildProcess program;
  ASSERT_TRUE(program.Start(TessarinExe()));
  HWND main = program.WaitForVisibleWindow(e2e::kMainClass);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(WindowText(main), "Tessarin");
  EXPECT_FALSE(IsIconic(main));
  EXPECT_FALSE(IsZoomed(main));

  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const auto expected = ExpectedLayoutFor(screenWidth);
  HWND panel = e2e::FindControl(main, {"TPanel", nullptr});
  HWND text = e2e::FindControl(main, {"Button", "Text"});
  ASSERT_NE(panel, nullptr);
  ASSERT_NE(text, nullptr);
  const auto queries = Queries();
  for (const auto& e : expected.controls) {
    HWND hwnd = e2e::FindControl(main, queries.at(e.name));
    ASSERT_NE(hwnd, nullptr) << e.name;
    const std::string parent = e.parent;
    EXPECT_EQ(GetParent(hwnd), parent == "form" ? main : parent == "panel" ? panel : text) << e.name;
    ExpectPlaced(e, RectInParent(hwnd));
  }
  ExpectWindowSize(expected, main);
  RECT w;
  GetWindowRect(main, &w);
  EXPECT_EQ(w.left, std::max(0L, (screenWidth - (w.right - w.left)) / 2));
  EXPECT_EQ(w.top, std::max(0L, (GetSystemMetrics(SM_CYSCREEN) - (w.bottom - w.top)) / 2));

  // No taskbar button: every other top-level window of the program is hidden.
  for (HWND top : TopLevelWindows(program.Id())) {
    if (top != main) {
      EXPECT_FALSE(IsWindowVisible(top)) << ClassName(top) << " " << WindowText(top);
    }
  }
}

}  // namespace
