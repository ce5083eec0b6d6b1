// The notification-area icon seen from another process: there for the whole run, a left
// click brings the hidden window back where it was, the right button opens the menu at the
// pointer, the middle one does nothing, and the icon comes back when the shell restarts.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include "tests/e2e/E2eSupport.h"

using namespace testing_support;

namespace {

std::vector<HWND> TrayIcons() { return e2e::NotificationIcons(); }

POINT CentreOfIcon() {
  const std::vector<HWND> icons = TrayIcons();
  return icons.empty() ? POINT{-1, -1} : e2e::CentreOf(icons.front());
}

// The caption button of the main window (dialog frame, index 0), on the screen.
POINT CaptionButton(HWND main) {
  RECT w;
  GetWindowRect(main, &w);
  const int b = GetSystemMetrics(SM_CXSIZE), e = GetSystemMetrics(SM_CYSIZE);
  const int left = (w.right - w.left) - GetSystemMetrics(SM_CXFIXEDFRAME) - 2 * b + 2;
  const int top = GetSystemMetrics(SM_CYFIXEDFRAME) + 2;
  return {w.left + left + (b - 2) / 2, w.top + top + (e - 4) / 2};
}

bool Visible(HWND w) { return IsWindowVisible(w) != FALSE; }

// Nothing happens within a while (for what must not happen).
bool StaysSo(const std::function<bool()>& condition) {
  return !PumpUntil([&] { return !condition(); }, std::chrono::milliseconds(400));
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
    const POINT p = CaptionButton(main);
    ClickAt(p.x, p.y);
    ASSERT_TRUE(PumpUntil([&] { return !Visible(main); }));
  }
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

  POINT icon = CentreOfIcon();
  ClickAt(icon.x, icon.y, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
  EXPECT_TRUE(StaysSo([&] { return !Visible(main); })) << "a middle click showed the window";

  ClickAt(icon.x - 3, icon.y);
  ASSERT_TRUE(PumpUntil([&] { return Visible(main) && GetForegroundWindow() == main; }));
  RECT shown;
  GetWindowRect(main, &shown);
  EXPECT_TRUE(EqualRect(&placed, &shown));
  // Only the icon: the application window, which would carry a taskbar button, stays hidden.
  HWND app = GetWindow(main, GW_OWNER);
  ASSERT_NE(app, nullptr);
  EXPECT_FALSE(Visible(app));

  // A click while the window shows keeps it where it is.
  ClickAt(icon.x + 3, icon.y);
  EXPECT_TRUE(StaysSo([&] { return Visible(main); }));
  GetWindowRect(main, &shown);
  EXPECT_TRUE(EqualRect(&placed, &shown));

  // A double click shows it too.
  HideWithTheCaptionButton();
  ClickAt(icon.x, icon.y);
  ClickAt(icon.x, icon.y);
  EXPECT_TRUE(PumpUntil([&] { return Visible(main); }));

  // The right button opens the menu with its corner at the pointer; a click elsewhere
  // closes it again.
  HideWithTheCaptionButton();
  icon = CentreOfIcon();
  // The program reads the pointer when the message comes: let the pointer arrive first.
  // Injected moves leave Wine's X pointer where it was, and a process that has seen no
  // input for a while asks X: SetCursorPos moves the X pointer too, as a real mouse does.
  SetCursorPos(icon.x + 2, icon.y + 1);
  ASSERT_TRUE(PumpUntil([&] {
    POINT at;
    return GetCursorPos(&at) && at.x == icon.x + 2 && at.y == icon.y + 1;
  }));
  ClickAt(icon.x + 2, icon.y + 1, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  HWND menu = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (menu = FindProcessWindow(program.Id(), "#32768")) && Visible(menu); }));
  RECT m;
  GetWindowRect(menu, &m);
  EXPECT_EQ(m.left, icon.x + 2);
  EXPECT_EQ(m.top, icon.y + 1);
  ClickAt(GetSystemMetrics(SM_CXSCREEN) - 20, GetSystemMetrics(SM_CYSCREEN) - 20);
  EXPECT_TRUE(PumpUntil([&] { return !Visible(menu); }));
  EXPECT_FALSE(Visible(main));

  // The program ends with its main window, and takes its icon along.
  PostMessageA(main, WM_CLOSE, 0, 0);
  DWORD code = 1;
  ASSERT_TRUE(program.WaitExit(code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(PumpUntil([&] { return TrayIcons().size() == iconsBefore; }));
}

TEST_F(TrayIcon, AMinimisedStartLeavesOnlyTheIcon) {
  Start(SW_SHOWMINNOACTIVE);
  for (HWND top : TopLevelWindows(program.Id()))
    EXPECT_TRUE(StaysSo([&] { return !Visible(top); })) << ClassName(top) << " " << WindowText(top);
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
