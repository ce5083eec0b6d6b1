// The global hot key through real key presses, from another process: it brings Tessarin
// over another program and hides it again, it is released at exit, and a key another
// program holds is reported on the options dialog's "Hotkey" page, where a new key takes
// effect at once.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/e2e/E2eInput.h"
#include "tests/support/PrefixFiles.h"

using namespace testing_support;

namespace {

constexpr UINT kMods = MOD_CONTROL | MOD_ALT | MOD_SHIFT;

// Ctrl+Alt+Shift and a key, pressed as a user does.
void PressHotKey(WORD vk) { e2e::SendChord(vk, {VK_CONTROL, VK_MENU, VK_SHIFT}); }

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
  // A click on the window brings it to the front, as a user does it.
  bool InFront(HWND window) {
    e2e::ClickCentre(window);
    return PumpUntil([&] { return GetForegroundWindow() == window && Idle(window); });
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
    PressHotKey('T');
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == main && e2e::FocusOf(main) == grid; }))
        << "visible " << IsWindowVisible(main) << " front " << ClassName(GetForegroundWindow()) << " focus "
        << ClassName(e2e::FocusOf(main));

    // A late focus event of X may still move the front back to the other program: that
    // Tessarin is in front must hold once both programs have handled their queues.
    ASSERT_TRUE(BringToFront(main, {other}));
    PressHotKey('T');  // Tessarin in front: to the notification area
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(main); }));

    // Back at work in the other program, the key brings the hidden window.
    ASSERT_TRUE(InFront(other));
    PressHotKey('T');
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
  PressHotKey('U');
  ASSERT_TRUE(PumpUntil([&] { return SendMessageA(control, HKM_GETHOTKEY, 0, 0) == 0x755; }));
  e2e::ClickCentre(FindChildByText(dialog, "&OK", "Button"));
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(dialog); }));
  const std::string saved = ReadBytes(ini.Path()).value_or("");
  EXPECT_NE(saved.find("Hotkey=1877\r\n"), std::string::npos) << saved;

  ASSERT_TRUE(InFront(holder));
  PressHotKey('U');
  EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == main; }));
  // Held now, the new key is reported as no longer taken.
  EXPECT_FALSE(IsWindowVisible(e2e::FindControl(page, {"Static", "Taken by another program", 0, 0, false})));
}

}  // namespace
