// screens: 640x480 800x600 1024x768
// Another process clicks cells of the running program and reads the four description
// labels, as a screen reader would read them.
#include <gtest/gtest.h>

#include "tests/e2e/E2eSupport.h"

using namespace testing_support;

namespace {

TEST(RunningProgram, ClickingACellDescribesItsCharacter) {
  ChildProcess program;
  ASSERT_TRUE(program.Start(TessarinExe()));
  HWND main = program.WaitForVisibleWindow(e2e::kMainClass);
  ASSERT_NE(main, nullptr);
  HWND grid = e2e::FindControl(main, {"TStringAlignGrid", nullptr});
  HWND keyCaption = e2e::FindControl(main, {"Static", "Key:"});
  ASSERT_NE(grid, nullptr);
  ASSERT_NE(keyCaption, nullptr);
  // In the panel's order: the preview, "Key:", then the code, key and entity labels.
  HWND preview = GetWindow(keyCaption, GW_HWNDPREV);
  HWND code = GetWindow(keyCaption, GW_HWNDNEXT);
  HWND key = GetWindow(code, GW_HWNDNEXT);
  HWND entity = GetWindow(key, GW_HWNDNEXT);

  const int screen = GetSystemMetrics(SM_CXSCREEN);
  const int cellW = screen <= 640 ? 22 : screen >= 1024 ? 42 : 32;
  const int cellH = screen <= 640 ? 27 : screen >= 1024 ? 42 : 32;
  struct {
    int code;
    const char *preview, *num, *key, *entity;
  } const cases[] = {
      {65, "A", "#65", "A", "A"},
      {38, "&", "#38", "&", "&amp;"},
      {128, "\x80", "#0128", "\x80 (EURO)", "&euro;"},  // € (EURO)
      {64, "@", "#64", "STRG+ALT+Q", "@"},
      {255, "\xFF", "#0255", "", "&yuml;"},  // ÿ
      {32, " ", "#32", "Space", " "},
  };
  for (const auto& c : cases) {
    const int col = (c.code - 32) % 16, row = (c.code - 32) / 16;
    RECT g;
    GetWindowRect(grid, &g);
    const int x = g.left + col * (cellW + 1) + cellW / 2, y = g.top + row * (cellH + 1) + cellH / 2;
    ClickAt(x, y);
    // The program sets the four labels one after the other: wait for the last one.
    EXPECT_TRUE(PumpUntil([&] { return WindowText(code) == c.num && WindowText(entity) == c.entity; }))
        << c.code << ": " << WindowText(code);
    EXPECT_EQ(WindowText(preview), c.preview) << c.code;
    EXPECT_EQ(WindowText(key), c.key) << c.code;
    EXPECT_EQ(WindowText(entity), c.entity) << c.code;
  }
}

}  // namespace
