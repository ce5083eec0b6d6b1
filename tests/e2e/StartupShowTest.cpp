// The show command the program is started with, and what a start leaves behind: the
// window first, then its icon and the options dialog holding the settings file's values.
#include <gtest/gtest.h>

#include "tests/e2e/E2eSupport.h"
#include "tests/e2e/E2eTray.h"
#include "tests/support/PrefixFiles.h"

using namespace testing_support;

namespace {

TEST(StartupShowCommand, MinimisedStartShowsNoWindowUntilTheProgramIsAskedToShow) {
  const size_t iconsBefore = e2e::NotificationIcons().size();
  ChildProcess program;
  ASSERT_TRUE(program.Start(TessarinExe(), SW_SHOWMINNOACTIVE));
  HWND main = nullptr;
  ASSERT_TRUE(
      PumpUntil([&] { return (main = FindProcessWindow(program.Id(), e2e::kMainClass)) != nullptr; }));
  // Only the icon: nothing painted waits for it.
  ASSERT_TRUE(PumpUntil([&] { return e2e::NotificationIcons().size() == iconsBefore + 1; }));
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

// The item of a radio group (found by its caption) that is checked; empty when none is.
std::string CheckedItem(HWND dialog, const char* group) {
  HWND box = FindChildByText(dialog, group);
  for (HWND item = box ? GetWindow(box, GW_CHILD) : nullptr; item; item = GetWindow(item, GW_HWNDNEXT))
    if (SendMessageA(item, BM_GETCHECK, 0, 0) == BST_CHECKED) return WindowText(item);
  return {};
}

TEST(StartupShowCommand, NormalStartPaintsTheWindowThenAddsTheIconAndTheOptionsShowTheSettings) {
  // Values other than the dialog's own first choices.
  SavedFile ini{WindowsDirFile("Tessarin.ini")};
  ASSERT_TRUE(WriteBytes(ini.Path(), "[Main]\r\nRMouseKey=3\r\nMMouseKey=0\r\nDragDrop=1\r\n"));
  const size_t iconsBefore = e2e::NotificationIcons().size();
  ChildProcess program;
  ASSERT_TRUE(program.Start(TessarinExe()));
  HWND main = program.WaitForVisibleWindow(e2e::kMainClass);
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return e2e::NotificationIcons().size() == iconsBefore + 1; }));
  HWND options = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (options = FindProcessWindow(program.Id(), "TInfo_dlg")) != nullptr; }));
  // A message round trip: the program is back in its loop, the dialog made in full.
  DWORD_PTR reply = 0;
  ASSERT_TRUE(SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &reply));
  EXPECT_NE(FindProcessWindow(program.Id(), "Tdialog216"), nullptr);

  // Never opened, the options dialog shows what the main window's first show read.
  EXPECT_FALSE(IsWindowVisible(options));
  EXPECT_EQ(CheckedItem(options, "Function for right MouseButton"), "Direct copy to clipboard as HTML");
  EXPECT_EQ(CheckedItem(options, "Function for middle MouseButton"), "Without function");
  EXPECT_EQ(CheckedItem(options, "Drag and Drop"), "Take only text");
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
