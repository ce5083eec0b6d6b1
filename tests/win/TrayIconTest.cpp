// The notification-area icon in process: the record the shell receives, the menu at the
// click, the show path with the options dialog open, the minimise event, and errors raised
// by the icon's handlers.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

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

// The menu windows of this thread that are showing.
BOOL CALLBACK CollectMenu(HWND hwnd, LPARAM found) {
  if (testing_support::ClassName(hwnd) == "#32768" && IsWindowVisible(hwnd))
    reinterpret_cast<std::vector<RECT>*>(found)->push_back(testing_support::RectInParent(hwnd));
  return TRUE;
}
// Runs inside the menu's own loop: notes where the menu shows, then closes it.
std::vector<RECT> menusSeen;
void CALLBACK NoteAndCloseMenu(HWND, UINT, UINT_PTR, DWORD) {
  const size_t before = menusSeen.size();
  EnumThreadWindows(GetCurrentThreadId(), &CollectMenu, reinterpret_cast<LPARAM>(&menusSeen));
  if (menusSeen.size() > before) EndMenu();
}

// Runs inside the menu's own loop: once the menu shows, another window comes to the front.
// A window of this thread is activated before SetForegroundWindow returns, so the next tick
// that still finds the menu proves it stayed open, and closes it. A window of another thread
// must close it; it is closed by force only if it is still open long after.
HWND frontWindow = nullptr;
bool broughtForward = false, forcedClosed = false, openAfterwards = false;
std::chrono::steady_clock::time_point broughtAt;
void CALLBACK BringAnotherWindowForward(HWND, UINT, UINT_PTR, DWORD) {
  std::vector<RECT> showing;
  EnumThreadWindows(GetCurrentThreadId(), &CollectMenu, reinterpret_cast<LPARAM>(&showing));
  if (showing.empty()) return;
  if (!broughtForward) {
    broughtForward = true;
    broughtAt = std::chrono::steady_clock::now();
    SetForegroundWindow(frontWindow);
  } else if (GetWindowThreadProcessId(frontWindow, nullptr) == GetCurrentThreadId()) {
    openAfterwards = GetForegroundWindow() == frontWindow;
    EndMenu();
  } else if (std::chrono::steady_clock::now() - broughtAt > std::chrono::seconds(5)) {
    forcedClosed = true;
    EndMenu();
  }
}

// A visible window of a thread of its own, as another program's window would be.
class WindowOfAnotherThread {
 public:
  WindowOfAnotherThread() {
    thread_ = std::thread([this] {
      HWND w = CreateWindowExA(0, "STATIC", "other", WS_POPUP, 300, 300, 80, 40, nullptr, nullptr, nullptr,
                               nullptr);
      {
        std::lock_guard lock(mutex_);
        window_ = w;
        threadId_ = GetCurrentThreadId();
        ShowWindow(w, SW_SHOWNOACTIVATE);  // in front only when the menu's timer brings it
        created_ = true;
      }
      ready_.notify_one();
      MSG msg;
      while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
      DestroyWindow(w);
    });
    std::unique_lock lock(mutex_);
    ready_.wait(lock, [this] { return created_; });
  }
  ~WindowOfAnotherThread() {
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);  // its queue exists: it made a window
    thread_.join();
  }
  HWND Handle() const { return window_; }

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  bool created_ = false;
  HWND window_ = nullptr;
  DWORD threadId_ = 0;
  std::thread thread_;
};

// The icon's callbacks, kept back instead of handled.
struct HeldMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<HeldMessage> held;
WNDPROC heldFrom = nullptr;
LRESULT CALLBACK HoldCallbacks(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == tray::TrayCallbackMessage) {
    held.push_back({msg, wParam, lParam});
    return 0;
  }
  return CallWindowProcA(heldFrom, hwnd, msg, wParam, lParam);
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
  TrayIcon& icon = form->trayIcon;
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

TEST_F(TrayIconInProcess, TheMenuOpensWhereTheClickWasNotWhereThePointerIsLater) {
  TrayIcon& icon = form->trayIcon;
  EXPECT_TRUE(icon.ClickPositions()) << "the shell reports no positions";
  const POINT centre = TrayIconCentre();
  ASSERT_GE(centre.x, 0) << "no icon";
  // As on a busy machine: the shell's callbacks wait until the pointer has moved on.
  held.clear();
  heldFrom = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(icon.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HoldCallbacks)));
  const POINT click{centre.x + 2, centre.y + 1};
  testing_support::ClickAt(click.x, click.y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  const bool released = WaitUntil([] {
    for (const HeldMessage& m : held)
      if (LOWORD(m.lParam) == WM_RBUTTONUP) return true;
    return false;
  });
  SetWindowLongPtrA(icon.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(heldFrom));
  ASSERT_TRUE(released) << "the shell reported no release";
  const POINT away{GetSystemMetrics(SM_CXSCREEN) - 100, GetSystemMetrics(SM_CYSCREEN) - 100};
  SetCursorPos(away.x, away.y);
  ASSERT_TRUE(WaitUntil([&] {
    POINT now;
    return GetCursorPos(&now) && now.x == away.x && now.y == away.y;
  }));
  // Now the callbacks come; the menu opens inside the last of them.
  menusSeen.clear();
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, &NoteAndCloseMenu);
  for (const HeldMessage& m : held) SendMessageA(icon.Handle(), m.message, m.wParam, m.lParam);
  KillTimer(nullptr, timer);
  ASSERT_EQ(menusSeen.size(), 1u);
  EXPECT_EQ(menusSeen[0].left, click.x);
  EXPECT_EQ(menusSeen[0].top, click.y);
}

TEST_F(TrayIconInProcess, TheKeyboardReachesTheIconAsTheMouseDoes) {
  TrayIcon& icon = form->trayIcon;
  ASSERT_TRUE(icon.ClickPositions()) << "the shell reports no positions";
  auto report = [&](unsigned event, POINT at) {
    SendMessageA(icon.Handle(), tray::TrayCallbackMessage, MAKEWPARAM(at.x, at.y), MAKELPARAM(event, 1));
  };
  // Enter on the icon shows the window, as a left click does.
  form->Hide();
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(Main()); }));
  report(NIN_KEYSELECT, {20, 20});
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(Main()) != FALSE; }));
  // The menu key opens the menu at the icon; a right click's own request after its release
  // opens no second one, also when it arrives while the menu's loop runs (the shell's
  // reports are posted).
  const struct {
    std::vector<unsigned> events;
    POINT at;
  } cases[] = {{{WM_CONTEXTMENU}, {30, 12}}, {{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU}, {40, 14}}};
  for (const auto& c : cases) {
    menusSeen.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, &NoteAndCloseMenu);
    for (unsigned e : c.events)
      PostMessageA(icon.Handle(), tray::TrayCallbackMessage, MAKEWPARAM(c.at.x, c.at.y), MAKELPARAM(e, 1));
    ASSERT_TRUE(Settle());
    KillTimer(nullptr, timer);
    ASSERT_EQ(menusSeen.size(), 1u) << c.events.size() << " events";
    EXPECT_EQ(menusSeen[0].left, c.at.x);
    EXPECT_EQ(menusSeen[0].top, c.at.y);
  }
}

TEST_F(TrayIconInProcess, TheMenuClosesWhenAnotherThreadsWindowComesToTheFrontOnly) {
  // Left open, the menu would keep the mouse from a window it no longer sees the clicks of.
  // A window of the program's own thread (the main window shown by the icon's left click)
  // leaves the mouse with the menu, which stays open.
  WindowOfAnotherThread other;
  ASSERT_NE(other.Handle(), nullptr);
  options->Show();
  for (HWND front : {other.Handle(), options->Handle()}) {
    const bool sameThread = front == options->Handle();
    SCOPED_TRACE(sameThread ? "a window of this thread" : "a window of another thread");
    frontWindow = front;
    broughtForward = forcedClosed = openAfterwards = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, &BringAnotherWindowForward);
    form->trayMenu.Popup(100, 100);  // returns when the menu has closed
    KillTimer(nullptr, timer);
    EXPECT_TRUE(broughtForward) << "the menu never showed";
    EXPECT_FALSE(forcedClosed) << "the menu stayed open behind another thread's window";
    EXPECT_EQ(openAfterwards, sameThread) << (sameThread ? "closed by the program's own window" : "");
    EXPECT_EQ(form->trayMenu.Handle(), nullptr);
  }
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
  EXPECT_TRUE(form->trayIcon.Added());
  LeftClickTheIcon();
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(Main()) && GetForegroundWindow() == Main(); }));
  EXPECT_FALSE(IsIconic(Main()));
}

TEST_F(TrayIconInProcess, AnErrorOfAnIconHandlerIsShownAndTheIconGoesOn) {
  expectErrors = true;
  form->trayIcon.OnMouseDown = [](ui::MouseButton, ui::ShiftState, int, int) {
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
