// The notification-area icon in process: the record the shell receives, the show path with
// the options dialog open, the minimise event, and errors raised by the icon's handlers.
#include <gtest/gtest.h>

#include "tests/support/MainWindowFixture.h"
#include "tests/support/TestSupport.h"

using namespace tessarin;

namespace {

POINT TrayIconCentre() {
  HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
  HWND icon = tray ? FindWindowExA(tray, nullptr, "__winex11_tray_icon", nullptr) : nullptr;
  RECT r{-1, -1, -1, -1};
  if (icon) GetWindowRect(icon, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class TrayIconInProcess : public testing_support::MainWindowTest {
 protected:
  HWND Main() { return form->Handle(); }
  void LeftClickTheIcon() {
    const POINT p = TrayIconCentre();
    ASSERT_GE(p.x, 0) << "no icon";
    // Beside the last click, so that two clicks never make a double click.
    static int clicks = 0;
    testing_support::ClickAt(p.x + ((clicks++ % 2) ? 4 : -4), p.y);
  }
};

TEST_F(TrayIconInProcess, TheShellReceivesTheFirstFormOfTheRecord) {
  TRxTrayIcon& icon = form->RxTrayIcon1;
  EXPECT_TRUE(icon.Added());
  const NOTIFYICONDATAA& r = icon.Record();
  EXPECT_EQ(r.cbSize, 88u);
  EXPECT_EQ(r.hWnd, icon.Handle());
  EXPECT_EQ(r.uID, 0u);
  EXPECT_EQ(r.uFlags, 7u);
  EXPECT_EQ(r.uCallbackMessage, 0xB054u);
  EXPECT_EQ(r.hIcon, icon.Icon());
  EXPECT_NE(r.hIcon, nullptr);
  EXPECT_STREQ(r.szTip, "");  // the program's icon has no tooltip
  // The tip is the short part of the hint, cut to what the record holds.
  struct {
    std::string hint, tip;
  } const hints[] = {
      {"Tessarin|Character map", "Tessarin"}, {std::string(100, 'x'), std::string(63, 'x')}, {"|long", ""}};
  for (const auto& h : hints) {
    icon.SetHint(h.hint);
    EXPECT_EQ(std::string(icon.Record().szTip), h.tip);
  }
  // Without an icon the record leaves the notification area; a new icon comes back.
  icon.SetIcon(nullptr);
  EXPECT_FALSE(icon.Added());
  icon.SetIcon(
      static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, 16, 16, 0)));
  EXPECT_TRUE(icon.Added());
  EXPECT_EQ(icon.Record().hIcon, icon.Icon());
}

TEST_F(TrayIconInProcess, ALeftClickShowsTheMainWindowWithTheOptionsDialogInFront) {
  options->Show();
  form->Hide();
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(Main()); }));
  LeftClickTheIcon();
  // The options dialog lies above the main window. (Which of the two has the focus is a race
  // with the notification area's own activation under Wine.)
  auto optionsAbove = [&] {
    for (HWND w = GetWindow(options->Handle(), GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
      if (w == Main()) return true;
    return false;
  };
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(Main()) && optionsAbove(); }));
  EXPECT_TRUE(IsWindowVisible(options->Handle()));
  EXPECT_FALSE(IsWindowVisible(GetWindow(Main(), GW_OWNER)));
}

TEST_F(TrayIconInProcess, MinimisingLeavesOnlyTheIcon) {
  SendMessageA(Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(Main()); }));
  EXPECT_FALSE(IsWindowVisible(GetWindow(Main(), GW_OWNER)));  // no taskbar button
  EXPECT_FALSE(IsIconic(Main()));
  EXPECT_TRUE(form->RxTrayIcon1.Added());
  LeftClickTheIcon();
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(Main()) && GetForegroundWindow() == Main(); }));
  EXPECT_FALSE(IsIconic(Main()));
}

TEST_F(TrayIconInProcess, AnErrorOfAnIconHandlerIsShownAndTheIconGoesOn) {
  expectErrors = true;
  form->RxTrayIcon1.OnMouseDown = [](ui::MouseButton, ui::ShiftState, int, int) {
    throw ui::Exception("The icon handler failed");
  };
  form->Hide();
  LeftClickTheIcon();
  ASSERT_TRUE(WaitUntil([&] { return !errors.empty(); }));
  EXPECT_EQ(errors, std::vector<std::string>{"The icon handler failed."});
  // The release that follows still clicks.
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(Main()) != FALSE; }));
}

}  // namespace
