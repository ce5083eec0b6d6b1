// Inserting into another application: the direct insert from the grid and the fast-insert
// texts from the icon's menu, typed into Notepad. The test's keyboard hook records every
// injected event and plays the window switcher, which Wine's injected Shift+Alt+Tab is not.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/TestSupport.h"
#include "ui/Font.h"

using namespace tessarin;
using testing_support::ClipboardText;

namespace {

using Event = std::array<unsigned, 4>;  // virtual key, released (0/1), scan value, extra information
std::vector<Event> seen;
HWND switchTarget = nullptr;
bool altDown = false, shiftDown = false;

unsigned Generic(unsigned vk) {
  switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU: return VK_MENU;
    default: return vk;
  }
}

LRESULT CALLBACK RecordAndSwitch(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto& k = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const unsigned vk = Generic(k.vkCode);
    const bool up = (k.flags & LLKHF_UP) != 0;
    seen.push_back({vk, up ? 1u : 0u, unsigned(k.scanCode), unsigned(k.dwExtraInfo)});
    if (vk == VK_MENU) altDown = !up;
    if (vk == VK_SHIFT) shiftDown = !up;
    // The switcher: Shift+Alt+Tab brings the application used before to the front.
    if (vk == VK_TAB && !up && altDown && shiftDown && switchTarget) {
      // The system's switcher has finished when the next key is typed: wait (boundedly)
      // until the target's thread has taken the activation and its focus, and still holds
      // them after it has answered a message. Under Wine a late focus event of X can move
      // the foreground back to the window that had it: the switch is then asked again.
      const DWORD thread = GetWindowThreadProcessId(switchTarget, nullptr);
      const DWORD start = GetTickCount();
      auto inFront = [thread] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetForegroundWindow() == switchTarget && GetGUIThreadInfo(thread, &info) && info.hwndFocus;
      };
      // A low-level hook must answer within the system's hook time-out: the wait stays below it.
      while (GetTickCount() - start < 1500) {
        if (!inFront()) {
          SetForegroundWindow(switchTarget);
          MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, 0);
          continue;
        }
        DWORD_PTR result = 0;
        if (SendMessageTimeoutA(switchTarget, WM_NULL, 0, 0, SMTO_NORMAL, 500, &result) && inFront()) break;
      }
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Runs inside the menu's own loop: a thread timer reaches it there.
std::function<bool(HMENU)> whileMenuOpen;
ui::PopupMenu* openingMenu = nullptr;
int ticksSinceDone = -1;  // -1: the action has not run yet
void CALLBACK MenuTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (!openingMenu || !openingMenu->Handle() || !whileMenuOpen) return;
  if (ticksSinceDone < 0) {
    if (whileMenuOpen(openingMenu->Handle())) ticksSinceDone = 0;
  } else if (++ticksSinceDone > 100) {
    EndMenu();  // the action missed: a menu left open would hang the test
  }
}

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(hwnd, &CountWindow, count);
  return TRUE;
}
// The windows this thread has made, children included.
int WindowsOfThisThread() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

std::string ControlText(HWND control) {
  char text[512] = {};
  SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

// The switch, then Shift+Ctrl+V with the sender's values, as the US layout gives them.
std::vector<Event> ExpectedInsertEvents() {
  const unsigned shiftScan = MapVirtualKeyA(VK_SHIFT, 0), vScan = MapVirtualKeyA('V', 0);
  const unsigned ctrlScan = MapVirtualKeyA(VK_CONTROL, 2);
  return {{VK_SHIFT, 0, 0, 0},
          {VK_MENU, 0, 0, 0},
          {VK_TAB, 0, 0, 0},
          {VK_TAB, 1, 0, 0},
          {VK_MENU, 1, 0, 0},
          {VK_SHIFT, 1, 0, 0},
          {VK_SHIFT, 0, shiftScan, shiftScan * 256 + 1},
          {VK_CONTROL, 0, ctrlScan, ctrlScan * 256 + 1},
          {'V', 0, vScan, vScan * 256 + 1},
          {'V', 1, vScan, vScan * 256 + 1},
          {VK_SHIFT, 1, 0, shiftScan * 256},
          {VK_CONTROL, 1, 0, ctrlScan * 256}};
}

POINT TrayIconCentre() {
  HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
  HWND icon = tray ? FindWindowExA(tray, nullptr, "__winex11_tray_icon", nullptr) : nullptr;
  if (!icon) return {-1, -1};
  RECT r;
  GetWindowRect(icon, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class Insert : public testing_support::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    saved = AppSettings;
    char dir[MAX_PATH] = {};
    GetSystemDirectoryA(dir, MAX_PATH);
    ASSERT_TRUE(notepad.Start(std::string(dir) + "\\notepad.exe"));
    target = notepad.WaitForVisibleWindow("Notepad");
    ASSERT_NE(target, nullptr);
    edit = FindWindowExA(target, nullptr, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    WaitUntil([&] { return GetForegroundWindow() == target; });
    SetWindowPos(target, nullptr, 0, 600, 400, 150, SWP_NOZORDER | SWP_NOACTIVATE);
    switchTarget = target;
    hook = SetWindowsHookExA(WH_KEYBOARD_LL, &RecordAndSwitch, GetModuleHandleA(nullptr), 0);
    ASSERT_NE(hook, nullptr);
    openingMenu = &form->trayMenu;
    ticksSinceDone = -1;
  }
  void TearDown() override {
    if (hook) UnhookWindowsHookEx(hook);
    switchTarget = nullptr;
    whileMenuOpen = nullptr;
    openingMenu = nullptr;
    AppSettings = saved;
    notepad.Terminate();
    MainWindowTest::TearDown();
  }
  // The user is back in Tessarin, Notepad's text empty, nothing recorded yet.
  void BackInTessarin() {
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    ASSERT_TRUE(testing_support::BringToFront(form->Handle(), {target}));
    seen.clear();
  }
  // Opens the icon's menu with a real right click; the action runs while it is open and
  // answers true when done. Returns when the menu has closed and its item has run.
  void WithIconMenu(std::function<bool(HMENU)> action) {
    bool done = false;
    ticksSinceDone = -1;
    whileMenuOpen = [&, action](HMENU menu) { return done = action(menu); };
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &MenuTimer);
    const POINT icon = TrayIconCentre();
    ASSERT_GE(icon.x, 0) << "no icon in the notification area";
    // Two clicks on one spot within the double-click time make a double click, which
    // opens no menu: each opening clicks a few pixels beside the last one.
    static int opening = 0;
    const int beside = (opening++ % 2) ? 5 : -3;
    testing_support::ClickAt(icon.x + beside, icon.y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    EXPECT_TRUE(WaitUntil([&] { return done && !form->trayMenu.Handle(); }));
    KillTimer(nullptr, timer);
  }
  // What the open menu shows: one entry per item, "-" for a separator; the default in [].
  static std::vector<std::string> MenuEntries(HMENU menu) {
    std::vector<std::string> entries;
    const UINT def = GetMenuDefaultItem(menu, TRUE, 0);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      char text[256] = {};
      GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      std::string entry =
          (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) ? "-" : text;
      entries.push_back(static_cast<UINT>(i) == def ? "[" + entry + "]" : entry);
    }
    return entries;
  }
  static void ChooseAt(HMENU menu, int position, HWND owner) {
    RECT r{}, first{}, shown{};
    GetMenuItemRect(owner, menu, static_cast<UINT>(position), &r);
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    // Wine answers in the menu window's client coordinates where Windows gives screen ones.
    HWND window = FindWindowA("#32768", nullptr);
    GetWindowRect(window, &shown);
    GetMenuItemRect(owner, menu, 0, &first);
    if (first.top < shown.top) ClientToScreen(window, &centre);
    testing_support::ClickAt(centre.x, centre.y);
  }

  ProgramSettings saved;
  testing_support::ChildProcess notepad;
  HWND target = nullptr, edit = nullptr;
  HHOOK hook = nullptr;
};

TEST_F(Insert, AGridCellGoesStraightIntoTheOtherApplication) {
  AppSettings.RMouseKey = maInsert;
  for (int code : {int('A'), int('{'), int('+'), int('^'), 233 /* é */}) {
    SCOPED_TRACE(code);
    BackInTessarin();
    const RECT cell = form->grid.CellRect((code - 32) % 16, (code - 32) / 16);
    POINT p{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    ClientToScreen(form->grid.Handle(), &p);
    testing_support::ClickAt(p.x, p.y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    const std::string expected(1, static_cast<char>(code));
    EXPECT_TRUE(WaitUntil([&] { return ControlText(edit) == expected; })) << ControlText(edit);
    EXPECT_EQ(seen, ExpectedInsertEvents());
    EXPECT_EQ(ClipboardText(), expected);
    EXPECT_EQ(form->previewLabel.Text(), expected);  // the pressed cell was selected first
  }
}

TEST_F(Insert, TheChosenTextIsInsertedAsStoredWhateverItHolds) {
  const std::array<std::string, 11> texts = {"",      "first", "R&D",  "third",        "-", "five", "6",
                                             "seven", "8",     "nine", "{^V}+[x]^a{!}"};
  AppSettings.Texts = texts;
  BackInTessarin();
  std::vector<std::string> entries;
  WithIconMenu([&](HMENU menu) {
    entries = MenuEntries(menu);
    ChooseAt(menu, 11, form->trayMenu.Window());
    return true;
  });
  // The captions are the texts unchanged, so "&" and "-" follow the menu's conventions.
  EXPECT_EQ(entries, (std::vector<std::string>{"[Show Tessarin]", "-", "first", "R&D", "third", "-", "five",
                                               "6", "seven", "8", "nine", "{^V}+[x]^a{!}"}));
  EXPECT_TRUE(WaitUntil([&] { return ControlText(edit) == texts[10]; })) << ControlText(edit);
  EXPECT_EQ(seen, ExpectedInsertEvents());

  // "R&D" is typed as stored, ampersand included.
  BackInTessarin();
  WithIconMenu([&](HMENU menu) {
    ChooseAt(menu, 3, form->trayMenu.Window());
    return true;
  });
  EXPECT_TRUE(WaitUntil([&] { return ControlText(edit) == "R&D"; })) << ControlText(edit);
}

TEST_F(Insert, OnlyTheTextsThatAreSetAreOffered) {
  AppSettings.Texts = {};
  AppSettings.Texts[9] = "This is a sample text";
  BackInTessarin();
  std::vector<std::string> entries;
  WithIconMenu([&](HMENU menu) {
    entries = MenuEntries(menu);
    ChooseAt(menu, 2, form->trayMenu.Window());
    return true;
  });
  EXPECT_EQ(entries, (std::vector<std::string>{"[Show Tessarin]", "-", "This is a sample text"}));
  EXPECT_TRUE(WaitUntil([&] { return ControlText(edit) == "This is a sample text"; })) << ControlText(edit);

  // All empty: the menu offers only the way back. A click elsewhere closes it.
  AppSettings.Texts = {};
  BackInTessarin();
  WithIconMenu([&](HMENU menu) {
    entries = MenuEntries(menu);
    testing_support::ClickAt(GetSystemMetrics(SM_CXSCREEN) - 5, GetSystemMetrics(SM_CYSCREEN) - 5);
    return true;
  });
  EXPECT_EQ(entries, (std::vector<std::string>{"[Show Tessarin]", "-"}));
  EXPECT_TRUE(seen.empty());
}

TEST_F(Insert, TheFirstItemShowsTheWindowAndInsertsNothing) {
  AppSettings.Texts[1] = "one";
  BackInTessarin();
  form->Hide();
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(form->Handle()); }));
  WithIconMenu([&](HMENU menu) {
    ChooseAt(menu, 0, form->trayMenu.Window());
    return true;
  });
  EXPECT_TRUE(
      WaitUntil([&] { return IsWindowVisible(form->Handle()) && GetForegroundWindow() == form->Handle(); }));
  EXPECT_FALSE(IsWindowVisible(options->Handle()));
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(ControlText(edit), "");
}

// Repeated magnifying, menu opening and inserting leave no font, menu or window behind.
TEST_F(Insert, RepeatedUseLeaksNothing) {
  UnhookWindowsHookEx(hook);
  hook = nullptr;
  AppSettings.RMouseKey = maMagnify;
  AppSettings.MMouseKey = maInsert;
  AppSettings.Texts[1] = "one";
  HWND grid = form->grid.Handle();
  HWND tray = form->trayIcon.Handle();
  const RECT cell = form->grid.CellRect(3, 3);
  const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
  whileMenuOpen = [](HMENU) {
    EndMenu();
    return false;  // the timer stays for the next round
  };
  const UINT_PTR timer = SetTimer(nullptr, 0, 1, &MenuTimer);
  auto windows = [] { return WindowsOfThisThread(); };
  auto round = [&] {
    SendMessageA(grid, WM_RBUTTONDOWN, MK_RBUTTON, at);
    SendMessageA(form->magnifier.Handle(), WM_RBUTTONUP, 0, at);
    SendMessageA(tray, tray::TrayCallbackMessage, 0, WM_RBUTTONDOWN);
    SendMessageA(tray, tray::TrayCallbackMessage, 0, WM_RBUTTONUP);
    SendMessageA(tray, tray::TrayCallbackMessage, 0, WM_CONTEXTMENU);  // the shell asks for the menu
    SendMessageA(grid, WM_MBUTTONDOWN, MK_MBUTTON, at);
    SendMessageA(grid, WM_MBUTTONUP, 0, at);
  };
  round();  // the first round makes what is kept for good (fonts, cached brushes)
  Settle();
  const int fonts = ui::Font::LiveHandles(), menus = ui::PopupMenu::LiveMenus(), wins = windows();
  for (int i = 0; i < 1000; ++i) round();
  Settle();
  KillTimer(nullptr, timer);
  EXPECT_EQ(ui::Font::LiveHandles(), fonts);
  EXPECT_EQ(ui::PopupMenu::LiveMenus(), menus);
  EXPECT_EQ(menus, 0);
  EXPECT_EQ(windows(), wins);
  EXPECT_TRUE(form->grid.Visible());
  EXPECT_EQ(ClipboardText(), "S");  // the cell (3, 3) was inserted last
}

}  // namespace
