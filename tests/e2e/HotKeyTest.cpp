// runs alone
// The global hot key through real key presses, from another process: it brings Tessarin
// over another program and hides it again, after every way of hiding and for as long as the
// program runs, keys from the keyboard itself included (after every way of hiding, and after
// the exit they reach the program below); it brings a modal dialog to the front over the main
// window; it is released at exit; and a key another program holds is reported on the options dialog's
// "Hotkey" page, where a new key takes effect at once.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/e2e/E2eInput.h"
#include "tests/e2e/E2eX.h"
#include "tests/support/PrefixFiles.h"

using namespace testing_support;

namespace {

constexpr UINT kMods = MOD_CONTROL | MOD_ALT | MOD_SHIFT;
constexpr const char* TInfoDialogClass = "TInfo_dlg";

// Ctrl+Alt+Shift and a key (a lower-case letter) from the X server, as from the keyboard, at a
// hand's pace after what came before (see HotKeyRun::Hide). Injected modifiers would not do:
// when X's keyboard focus moves, Wine brings its key state in line with the X server's, which
// knows nothing of them, and a late focus event releases them before the letter comes.
bool PressHotKey(char letter) {
  PaceInput();
  return e2e::FromX(std::string("key ctrl+alt+shift+") + letter);
}

std::string HolderExe() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path = self;
  return path.substr(0, path.find_last_of("\\/") + 1) + "hotkey_holder.exe";
}

class HotKey : public ::testing::Test {
 protected:
  void SetUp() override { RemovePath(ini.Path()); }
  // The other program, started and put in front.
  HWND StartOther(const char* mode, const char* caption) {
    if (!other.Start(HolderExe(), -1, mode)) return nullptr;
    HWND window = other.WaitForVisibleWindow("HotKeyHolder");
    if (!window || !PumpUntil([&] { return WindowText(window) == caption; })) return nullptr;
    return window;
  }
  // A click on the window brings it to the front, as a user does it; the front must still
  // hold after both programs have handled what the change set off (under Wine a late focus
  // event of X may undo it, and the click is then repeated by the platform's own call).
  bool InFront(HWND window) {
    e2e::ClickCentre(window);
    return BringToFront(window, {FindWindowA(e2e::kMainClass, nullptr)});
  }
  // A message round trip to the window's thread: what it had queued is handled.
  static bool Idle(HWND window) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored) != 0;
  }

  SavedFile ini{WindowsDirFile("Tessarin.ini")};
  ChildProcess other;
};

TEST_F(HotKey, ShowsTessarinOverAnotherProgramHidesItInFrontAndIsReleasedAtExit) {
  {
    ChildProcess program;
    ASSERT_TRUE(program.Start(TessarinExe()));
    HWND main = program.WaitForVisibleWindow(e2e::kMainClass);
    ASSERT_NE(main, nullptr);
    HWND grid = e2e::FindControl(main, {"TStringAlignGrid", nullptr});
    // Started, shown and active, so that nothing of its start-up takes the front later.
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == main && Idle(main); }));
    // Tessarin holds the default key: nobody else gets it.
    EXPECT_FALSE(RegisterHotKey(nullptr, 1, kMods, 'T'));

    HWND other = StartOther("front", "free");
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(InFront(other));
    ASSERT_TRUE(PressHotKey('t'));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == main && e2e::FocusOf(main) == grid; }))
        << "visible " << IsWindowVisible(main) << " front " << ClassName(GetForegroundWindow()) << " focus "
        << ClassName(e2e::FocusOf(main));

    // A late focus event of X may still move the front back to the other program: that
    // Tessarin is in front must hold once both programs have handled their queues.
    ASSERT_TRUE(BringToFront(main, {other}));
    ASSERT_TRUE(PressHotKey('t'));  // Tessarin in front: to the notification area
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(main); }));

    // Back at work in the other program, the key brings the hidden window.
    ASSERT_TRUE(InFront(other));
    ASSERT_TRUE(PressHotKey('t'));
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(main) && GetForegroundWindow() == main; }));
  }
  // The program has ended: the key is free again.
  EXPECT_TRUE(RegisterHotKey(nullptr, 1, kMods, 'T'));
  UnregisterHotKey(nullptr, 1);
}

TEST_F(HotKey, AKeyHeldElsewhereIsReportedWithoutAMessageAndANewKeyWorksAtOnce) {
  HWND holder = StartOther("hold", "held");
  ASSERT_NE(holder, nullptr);
  ChildProcess program;
  ASSERT_TRUE(program.Start(TessarinExe()));
  HWND main = program.WaitForVisibleWindow(e2e::kMainClass);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == main && Idle(main); }));  // started and idle
  EXPECT_EQ(e2e::FindMessageBox(program.Id()).box, nullptr);

  e2e::ClickCentre(FindChildByText(main, "&Options", "Button"));
  HWND dialog = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    dialog = FindProcessWindow(program.Id(), "TInfo_dlg");
    return dialog && IsWindowVisible(dialog) && GetForegroundWindow() == dialog;
  }));
  HWND page = e2e::FindControl(dialog, {"TTabSheet", "Hotkey", 0, 0, false});
  ASSERT_NE(page, nullptr);
  HWND control = e2e::FindControl(page, {"msctls_hotkey32", nullptr, 0, 0, false});
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(SendMessageA(control, HKM_GETHOTKEY, 0, 0), 0x754);  // Ctrl+Alt+Shift+T
  EXPECT_NE(e2e::FindControl(page, {"Static", "Taken by another program"}), nullptr);

  // The fourth page (Tab onto the tabs, then the right arrow), the control, a new key, "&OK".
  e2e::PressKey(VK_TAB);
  for (int i = 0; i < 3; ++i) e2e::PressKey(VK_RIGHT);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(page) != FALSE; }));
  e2e::ClickCentre(control);
  ASSERT_TRUE(PressHotKey('u'));
  ASSERT_TRUE(PumpUntil([&] { return SendMessageA(control, HKM_GETHOTKEY, 0, 0) == 0x755; }));
  e2e::ClickCentre(FindChildByText(dialog, "&OK", "Button"));
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(dialog); }));
  const std::string saved = ReadBytes(ini.Path()).value_or("");
  EXPECT_NE(saved.find("Hotkey=1877\r\n"), std::string::npos) << saved;

  ASSERT_TRUE(InFront(holder));
  ASSERT_TRUE(PressHotKey('u'));
  EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == main; }));
  // Held now, the new key is reported as no longer taken: the report itself is hidden (the
  // page and the dialog are hidden anyway).
  HWND taken = e2e::FindControl(page, {"Static", "Taken by another program", 0, 0, false});
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(GetWindowLongA(taken, GWL_STYLE) & WS_VISIBLE, 0);
}

// Tessarin started and in front, and another program to come back from.
class HotKeyRun : public HotKey {
 protected:
  void SetUp() override {
    HotKey::SetUp();
    ASSERT_TRUE(program.Start(TessarinExe()));
    main = program.WaitForVisibleWindow(e2e::kMainClass);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == main && Idle(main); }));
    holder = StartOther("front", "free");
    ASSERT_NE(holder, nullptr);
  }
  // The key shows Tessarin in front, which holds once both programs have handled their
  // queues (a late focus event of X may move the front back first).
  bool ShowsInFront() {
    return PumpUntil([&] { return IsWindowVisible(main) && GetForegroundWindow() == main; }) &&
           BringToFront(main, {holder});
  }
  bool Hidden() {
    return PumpUntil([&] { return !IsWindowVisible(main); });
  }

  struct WayOfHiding {
    const char* way;
    std::function<void()> hide;
  };
  // Hides Tessarin at a hand's pace after the focus last moved. Under Wine without a window
  // manager the program handed the foreground asks X for the focus stamped with its own clock,
  // which may lag the server's by some milliseconds just after the program has started, and X
  // refuses a request stamped before the last focus change: the keys would then reach nothing.
  static void Hide(const WayOfHiding& w) {
    PaceInput();
    w.hide();
  }
  // Every way of hiding Tessarin while it is in front, the hot key pressed as given.
  std::vector<WayOfHiding> WaysOfHiding(std::function<void()> pressHotKey) {
    return {
        {"the caption button",
         [this] {
           // An injected click: the X pointer stays where it was put.
           const POINT p = e2e::CaptionButtonCentre(main);
           ClickAt(p.x, p.y);
         }},
        // What the taskbar sends for "minimise": to the application's window, which carries
        // the taskbar button.
        {"minimising the application",
         [this] { PostMessageA(GetWindow(main, GW_OWNER), WM_SYSCOMMAND, SC_MINIMIZE, 0); }},
        // The same to the main window (its dialog frame has no minimise box).
        {"minimising the main window", [this] { PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0); }},
        {"the hot key", std::move(pressHotKey)},
    };
  }

  ChildProcess program;
  HWND main = nullptr, holder = nullptr;
};

TEST_F(HotKeyRun, TheSameKeyShowsAndHidesAfterEveryWayOfHiding) {
  const auto ways = WaysOfHiding([] { ASSERT_TRUE(PressHotKey('t')); });
  for (const auto& w : ways) {
    SCOPED_TRACE(w.way);
    ASSERT_TRUE(BringToFront(main, {holder}));
    Hide(w);
    ASSERT_TRUE(Hidden());
    // Back at work in the other program, the key alternates: show, hide, show, hide, show.
    ASSERT_TRUE(BringToFront(holder, {main}));
    for (int press = 1; press <= 5; ++press) {
      SCOPED_TRACE(press);
      ASSERT_TRUE(PressHotKey('t'));
      if (press % 2) {
        ASSERT_TRUE(ShowsInFront()) << "visible " << IsWindowVisible(main) << ", in front "
                                    << ClassName(GetForegroundWindow());
        EXPECT_FALSE(IsIconic(main));
        EXPECT_FALSE(IsWindowVisible(GetWindow(main, GW_OWNER)));  // no taskbar button
      } else {
        ASSERT_TRUE(Hidden());
        // The other program is in front again, and both programs have handled the change.
        ASSERT_TRUE(BringToFront(holder, {main}));
      }
    }
  }
}

using e2e::BareDesktopPoint;
using e2e::FromX;

// Every way of hiding Tessarin while it is in front, with the pointer left over bare desktop:
// the program below must hold X's keyboard focus afterwards, or the keys from the keyboard,
// the hot key among them, reach nothing.
TEST_F(HotKeyRun, KeysFromTheKeyboardKeepReachingItAfterEveryWayOfHidingWithThePointerOverBareDesktop) {
  const auto ways = WaysOfHiding([] { ASSERT_TRUE(PressHotKey('t')); });
  const POINT bare = BareDesktopPoint();
  ASSERT_GE(bare.x, 0);
  for (const auto& w : ways) {
    SCOPED_TRACE(w.way);
    // Tessarin in front, the other program right below it.
    ASSERT_TRUE(BringToFront(holder, {main}));
    ASSERT_TRUE(BringToFront(main, {holder}));
    SetCursorPos(bare.x, bare.y);
    Hide(w);
    ASSERT_TRUE(Hidden());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == holder && Idle(holder) && Idle(main); }))
        << "in front " << ClassName(GetForegroundWindow());
    // The key from the keyboard alternates: show, hide, show, hide, show.
    for (int press = 1; press <= 5; ++press) {
      SCOPED_TRACE(press);
      ASSERT_TRUE(PressHotKey('t'));
      if (press % 2) {
        ASSERT_TRUE(PumpUntil([&] {
          return IsWindowVisible(main) && GetForegroundWindow() == main && Idle(main);
        })) << "visible "
            << IsWindowVisible(main) << ", in front " << ClassName(GetForegroundWindow());
      } else {
        ASSERT_TRUE(Hidden());
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == holder && Idle(holder) && Idle(main); }));
      }
    }
  }
}

// Ended while in front, Tessarin leaves the keyboard to the program below, the pointer over
// bare desktop: a key from the keyboard reaches that program (it counts its keys). Wine moves
// X's focus there by itself when the process ends; this holds it.
TEST_F(HotKeyRun, KeysFromTheKeyboardReachTheProgramBelowAfterTheExit) {
  const POINT bare = BareDesktopPoint();
  ASSERT_GE(bare.x, 0);
  ASSERT_TRUE(BringToFront(holder, {main}));
  ASSERT_TRUE(BringToFront(main, {holder}));
  SetCursorPos(bare.x, bare.y);
  const LONG_PTR before = GetWindowLongPtrA(holder, GWLP_USERDATA);
  HWND exit = FindChildByText(main, "E&xit", "Button");
  ASSERT_NE(exit, nullptr);
  SendMessageA(exit, BM_CLICK, 0, 0);
  DWORD code = 1;
  ASSERT_TRUE(program.WaitExit(code));
  ASSERT_TRUE(FromX("key a"));
  EXPECT_TRUE(PumpUntil([&] { return GetWindowLongPtrA(holder, GWLP_USERDATA) > before; }))
      << "in front " << ClassName(GetForegroundWindow());
}

TEST_F(HotKeyRun, BringsAModalDialogToTheFrontOverTheMainWindow) {
  const struct {
    const char* dialog;
    std::function<void()> open;
  } dialogs[] = {
      {TInfoDialogClass, [&] { e2e::ClickCentre(FindChildByText(main, "&Options", "Button")); }},
      {"Tdialog216",
       [&] {
         SendMessageA(e2e::FindControl(main, {"Button", "216 Colors"}), BM_CLICK, 0, 0);
         e2e::ClickCentre(e2e::FindControl(main, {"TBI_GradientButton", nullptr}));
       }},
  };
  for (const auto& d : dialogs) {
    SCOPED_TRACE(d.dialog);
    ASSERT_TRUE(BringToFront(main, {holder}));
    d.open();
    HWND dialog = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
      dialog = FindProcessWindow(program.Id(), d.dialog);
      return dialog && IsWindowVisible(dialog) && GetForegroundWindow() == dialog;
    }));
    ASSERT_FALSE(IsWindowEnabled(main));  // held by the modal dialog
    ASSERT_TRUE(BringToFront(holder, {dialog}));
    ASSERT_TRUE(PressHotKey('t'));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog; }))
        << "in front: " << ClassName(GetForegroundWindow());
    EXPECT_TRUE(IsWindowVisible(main));
    // Pressed again with the dialog in front, the key leaves the main window where it is: seen
    // once the dialog has closed on a message posted after the key's. The system has posted
    // that once it reports T as pressed since the last look.
    GetAsyncKeyState('T');
    ASSERT_TRUE(PressHotKey('t'));
    ASSERT_TRUE(PumpUntil([] { return (GetAsyncKeyState('T') & 1) != 0; }));
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(dialog) && IsWindowEnabled(main); }));
    EXPECT_TRUE(IsWindowVisible(main));
  }
}

}  // namespace
