// The show command the program is started with.
#include <gtest/gtest.h>

#include "tests/e2e/E2eSupport.h"
#include "tests/e2e/E2eTray.h"

using namespace testing_support;

namespace {

TEST(StartupShowCommand, MinimisedStartShowsNoWindowUntilTheProgramIsAskedToShow) {
  ChildProcess program;
  ASSERT_TRUE(program.Start(TessarinExe(), SW_SHOWMINNOACTIVE));
  HWND main = nullptr;
  ASSERT_TRUE(
      PumpUntil([&] { return (main = FindProcessWindow(program.Id(), e2e::kMainClass)) != nullptr; }));
  ASSERT_TRUE(PumpUntil([] { return !e2e::TrayIcons().empty(); }));
  WaitForInputIdle(program.Process(), 5000);
  // Once the program has handled what its start-up had posted, nothing shows.
  ASSERT_TRUE(e2e::PostedWorkHandled(main));
  for (HWND top : TopLevelWindows(program.Id()))
    EXPECT_FALSE(IsWindowVisible(top)) << ClassName(top) << " " << WindowText(top);

  // Asked to come forward (here by a second start), it shows its normal window.
  ChildProcess second;
  ASSERT_TRUE(second.Start(TessarinExe()));
  DWORD code = 1;
  ASSERT_TRUE(second.WaitExit(code));
  EXPECT_EQ(code, 0u);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(main) != FALSE; }));
  EXPECT_FALSE(IsIconic(main));
  RECT client;
  GetClientRect(main, &client);
  EXPECT_GT(client.right, 500);
}

TEST(StartupShowCommand, MaximisedStartShowsTheNormalSize) {
  ChildProcess program;
  ASSERT_TRUE(program.Start(TessarinExe(), SW_SHOWMAXIMIZED));
  HWND main = program.WaitForVisibleWindow(e2e::kMainClass);
  ASSERT_NE(main, nullptr);
  // Nor does it grow once the program has handled what its start-up had posted.
  ASSERT_TRUE(e2e::PostedWorkHandled(main));
  EXPECT_FALSE(IsZoomed(main));
  RECT w;
  GetWindowRect(main, &w);
  EXPECT_EQ(w.right - w.left, 914);  // the large layout of a 1024-pixel screen
  EXPECT_EQ(w.bottom - w.top, 648);
}

}  // namespace
