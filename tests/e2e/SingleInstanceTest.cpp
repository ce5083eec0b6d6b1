// A second start of the program brings the first one forward and ends at once.
#include <gtest/gtest.h>

#include "tests/e2e/E2eSupport.h"

using namespace testing_support;

namespace {

// Starts a second instance and checks that it ends with exit code 0 within seconds,
// never showing a window of its own.
void StartSecondInstance() {
  ChildProcess second;
  ASSERT_TRUE(second.Start(TessarinExe()));
  bool showedWindow = false;
  DWORD exitCode = 1;
  const bool ended = PumpUntil(
      [&] {
        for (HWND top : TopLevelWindows(second.Id()))
          if (IsWindowVisible(top)) showedWindow = true;
        return WaitForSingleObject(second.Process(), 0) == WAIT_OBJECT_0;
      },
      std::chrono::seconds(10));
  ASSERT_TRUE(ended) << "the second instance did not end";
  ASSERT_TRUE(second.WaitExit(exitCode, 1000));
  EXPECT_EQ(exitCode, 0u);
  EXPECT_FALSE(showedWindow);
}

class SingleInstance : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(first.Start(TessarinExe()));
    main = first.WaitForVisibleWindow(e2e::kMainClass);
    ASSERT_NE(main, nullptr);
    // A window of this test, titled like the program, that must never be touched, and
    // that holds the foreground before each second start.
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "DecoyWindow";
    RegisterClassA(&wc);
    decoy = CreateWindowExA(0, "DecoyWindow", "Tessarin", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                            nullptr, nullptr, wc.hInstance, nullptr);
  }
  void TearDown() override {
    DestroyWindow(decoy);
    first.Terminate();
  }
  void TakeForeground() {
    SetForegroundWindow(decoy);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == decoy; }));
  }
  void ExpectFirstInFront() {
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == main && IsWindowVisible(main); }))
        << "foreground is " << WindowText(GetForegroundWindow());
    EXPECT_FALSE(IsIconic(main));
    EXPECT_EQ(WindowText(decoy), "Tessarin");
    EXPECT_EQ(WindowText(main), "Tessarin");
    for (HWND top : TopLevelWindows(first.Id())) {
      if (top != main) {
        EXPECT_FALSE(IsWindowVisible(top)) << ClassName(top);
      }
    }
  }

  ChildProcess first;
  HWND main = nullptr;
  HWND decoy = nullptr;
};

TEST_F(SingleInstance, SecondStartBringsTheVisibleFirstInstanceToTheFront) {
  TakeForeground();
  StartSecondInstance();
  ExpectFirstInFront();
}

TEST_F(SingleInstance, SecondStartShowsTheFirstInstanceAfterItWasMinimised) {
  // A minimise command hides the main window and leaves no taskbar button.
  PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(main); }));
  TakeForeground();
  StartSecondInstance();
  ExpectFirstInFront();
}

TEST_F(SingleInstance, SecondStartRestoresAnIconicMainWindow) {
  ShowWindow(main, SW_MINIMIZE);
  ASSERT_TRUE(PumpUntil([&] { return IsIconic(main) != FALSE; }));
  TakeForeground();
  StartSecondInstance();
  ExpectFirstInFront();
}

TEST_F(SingleInstance, SecondStartShowsAHiddenFirstInstance) {
  ShowWindow(main, SW_HIDE);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(main); }));
  TakeForeground();
  StartSecondInstance();
  ExpectFirstInFront();
}

TEST(ProgramEnd, ExitButtonEndsTheProgramWithExitCodeZero) {
  ChildProcess program;
  ASSERT_TRUE(program.Start(TessarinExe()));
  HWND main = program.WaitForVisibleWindow(e2e::kMainClass);
  ASSERT_NE(main, nullptr);
  HWND exitButton = e2e::FindControl(main, {"Button", "E&xit"});
  ASSERT_NE(exitButton, nullptr);
  const POINT p = e2e::CentreOf(exitButton);
  ClickAt(p.x, p.y);
  DWORD code = 1;
  ASSERT_TRUE(program.WaitExit(code));
  EXPECT_EQ(code, 0u);
}

TEST(ProgramEnd, CaptionCloseButtonEndsTheProgramWithExitCodeZero) {
  ChildProcess program;
  ASSERT_TRUE(program.Start(TessarinExe()));
  HWND main = program.WaitForVisibleWindow(e2e::kMainClass);
  ASSERT_NE(main, nullptr);
  RECT w;
  GetWindowRect(main, &w);
  // The close button is the last cell of the caption, inside the frame.
  const int x = w.right - GetSystemMetrics(SM_CXFIXEDFRAME) - GetSystemMetrics(SM_CXSIZE) / 2 - 1;
  const int y = w.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  ClickAt(x, y);
  DWORD code = 1;
  ASSERT_TRUE(program.WaitExit(code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
