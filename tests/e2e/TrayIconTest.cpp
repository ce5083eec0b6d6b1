// The notification-area icon seen from another process: there for the whole run, a left
// click brings the hidden window back where it was, the right button opens the menu where it
// was pressed, the middle one does nothing, and the icon comes back when the shell restarts.
// What must not happen is checked once the program has shown that it handled the click: the
// menu that a later right click opens comes after it in the program's queue.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include "tests/e2e/E2eInput.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/e2e/E2eTray.h"

using namespace testing_support;
using e2e::CentreOfIcon;
using e2e::TrayIcons;

namespace {

bool Visible(HWND w) { return IsWindowVisible(w) != FALSE; }

// The popup menu windows of a process that are showing.
int MenusShowing(DWORD process) {
  int count = 0;
  for (HWND top : TopLevelWindows(process)) count += ClassName(top) == "#32768" && Visible(top);
  return count;
}

// A message round trip to a window's thread: it has handled what was sent to it before.
bool RoundTrip(HWND window) {
  DWORD_PTR ignored = 0;
  return window && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored) != 0;
}

class TrayIcon : public ::testing::Test {
 protected:
  void SetUp() override { iconsBefore = TrayIcons().size(); }
  // Starts the program and waits for its icon.
  void Start(int show = -1) {
    ASSERT_TRUE(program.Start(TessarinExe(), show));
    ASSERT_TRUE(
        PumpUntil([&] { return (main = FindProcessWindow(program.Id(), e2e::kMainClass)) != nullptr; }));
    ASSERT_TRUE(PumpUntil([&] { return TrayIcons().size() == iconsBefore + 1; }));
    WaitForInputIdle(program.Process(), 5000);
  }
  void HideWithTheCaptionButton() {
    const POINT p = e2e::CaptionButtonCentre(main);
    ClickAt(p.x, p.y);
    ASSERT_TRUE(PumpUntil([&] { return !Visible(main); }));
  }
  HWND OpenMenuAt(POINT p) { return e2e::OpenIconMenuAt(main, p); }
  bool MenuClosed(HWND menu) { return e2e::IconMenuClosed(main, menu); }
  size_t iconsBefore = 0;
  ChildProcess program;
  HWND main = nullptr;
};

TEST_F(TrayIcon, ShowsTheHiddenWindowWhereItWasAndStaysForTheWholeRun) {
  Start();
  ASSERT_TRUE(PumpUntil([&] { return Visible(main); }));
  RECT placed;
  GetWindowRect(main, &placed);
  HideWithTheCaptionButton();
  EXPECT_EQ(TrayIcons().size(), iconsBefore + 1);

  // A middle click does nothing. The right click after it opens the menu where the button
  // went down (the pointer, as Wine has it, may still be at the caption button), and the
  // program has handled the middle click by then.
  POINT icon = CentreOfIcon();
  ClickAt(icon.x, icon.y, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
  const POINT pressed{icon.x + 2, icon.y + 1};
  HWND menu = OpenMenuAt(pressed);
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(Visible(main)) << "a middle click showed the window";
  RECT m;
  GetWindowRect(menu, &m);
  EXPECT_EQ(m.left, pressed.x);
  EXPECT_EQ(m.top, pressed.y);
  // A click elsewhere closes it, and shows nothing.
  ClickAt(GetSystemMetrics(SM_CXSCREEN) - 20, GetSystemMetrics(SM_CYSCREEN) - 20);
  EXPECT_TRUE(MenuClosed(menu));
  EXPECT_FALSE(Visible(main));

  ClickAt(icon.x - 3, icon.y);
  ASSERT_TRUE(PumpUntil([&] { return Visible(main) && GetForegroundWindow() == main; }));
  RECT shown;
  GetWindowRect(main, &shown);
  EXPECT_TRUE(EqualRect(&placed, &shown));
  // Only the icon: the application window, which would carry a taskbar button, stays hidden.
  HWND app = GetWindow(main, GW_OWNER);
  ASSERT_NE(app, nullptr);
  EXPECT_FALSE(Visible(app));

  // A click while the window shows keeps it where it is (checked once the menu of the right
  // click after it is open).
  ClickAt(icon.x + 3, icon.y);
  menu = OpenMenuAt({icon.x - 2, icon.y + 1});
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(Visible(main));
  GetWindowRect(main, &shown);
  EXPECT_TRUE(EqualRect(&placed, &shown));
  ClickAt(GetSystemMetrics(SM_CXSCREEN) - 20, GetSystemMetrics(SM_CYSCREEN) - 20);
  EXPECT_TRUE(MenuClosed(menu));

  // A double click shows it too.
  HideWithTheCaptionButton();
  ClickAt(icon.x, icon.y);
  ClickAt(icon.x, icon.y);
  EXPECT_TRUE(PumpUntil([&] { return Visible(main); }));

  // The program ends with its main window, and takes its icon along.
  PostMessageA(main, WM_CLOSE, 0, 0);
  DWORD code = 1;
  ASSERT_TRUE(program.WaitExit(code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(PumpUntil([&] { return TrayIcons().size() == iconsBefore; }));
}

TEST_F(TrayIcon, ARightClickOpensOneMenuThatOneEscapeCloses) {
  Start();
  ASSERT_TRUE(PumpUntil([&] { return Visible(main); }));
  const std::vector<HWND> icons = TrayIcons();
  ASSERT_FALSE(icons.empty());
  const POINT icon = CentreOfIcon();
  for (int click = 0; click < 2; ++click) {
    SCOPED_TRACE(click);
    HWND menu = OpenMenuAt({icon.x + (click ? -2 : 2), icon.y});
    ASSERT_NE(menu, nullptr);
    // The shell reports the release and then asks for the menu, both from its handling of
    // the click: once its thread has handled a message after that, both reports wait in the
    // program's queue, and once the program's icon window has handled one after them, both
    // have been handled (inside the menu's loop).
    ASSERT_TRUE(RoundTrip(icons.front()));
    ASSERT_TRUE(RoundTrip(FindProcessWindow(program.Id(), "TRxTrayIconWindow")));
    EXPECT_EQ(MenusShowing(program.Id()), 1);
    e2e::PressKey(VK_ESCAPE);
    EXPECT_TRUE(MenuClosed(menu));
    EXPECT_EQ(MenusShowing(program.Id()), 0);
  }
}

TEST_F(TrayIcon, AMinimisedStartLeavesOnlyTheIcon) {
  Start(SW_SHOWMINNOACTIVE);
  // Once the program has handled what its start-up had posted, only the icon is there.
  ASSERT_TRUE(e2e::PostedWorkHandled(main));
  for (HWND top : TopLevelWindows(program.Id()))
    EXPECT_FALSE(Visible(top)) << ClassName(top) << " " << WindowText(top);
  const POINT icon = CentreOfIcon();
  ClickAt(icon.x, icon.y);
  ASSERT_TRUE(PumpUntil([&] { return Visible(main); }));
  EXPECT_FALSE(IsIconic(main));
  EXPECT_FALSE(Visible(GetWindow(main, GW_OWNER)));
}

TEST_F(TrayIcon, ComesBackWhenTheShellRestarts) {
  Start();
  HWND owner = FindProcessWindow(program.Id(), "TRxTrayIconWindow");
  ASSERT_NE(owner, nullptr);
  // The shell loses every icon when it restarts …
  NOTIFYICONDATAA record{};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = owner;
  record.uID = 0;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &record));
  ASSERT_TRUE(PumpUntil([&] { return TrayIcons().size() == iconsBefore; }));
  // … and then tells every window that it is back (Wine never does; the test does).
  PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return TrayIcons().size() == iconsBefore + 1; }));
  // The new icon works.
  ASSERT_TRUE(PumpUntil([&] { return Visible(main); }));
  HideWithTheCaptionButton();
  const POINT icon = CentreOfIcon();
  ClickAt(icon.x, icon.y);
  EXPECT_TRUE(PumpUntil([&] { return Visible(main); }));
}

}  // namespace
