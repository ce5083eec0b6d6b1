// screens: 1024x768+unicode
// runs alone
// Shift+Enter types the found character into the program the user came from, with keys from
// the keyboard (X) throughout: the hot key over Wine's Notepad, Ctrl+F, a typed name, Shift+Enter;
// Notepad's text is read back from its edit. A character of the Basic Multilingual Plane and
// one above U+FFFF (from Symbola) arrive whole, the clipboard keeps what it held, Tessarin hides
// and its hot key still shows it with the pointer over bare desktop; Shift+Enter on the grid
// types too, and once the program is gone it appends to the composition as Enter does.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>

#include "tests/e2e/E2eInput.h"
#include "tests/e2e/E2eX.h"
#include "tests/support/PrefixFiles.h"

using namespace testing_support;

namespace {

// The clipboard's text as UTF-16, or "(none)".
std::wstring ClipboardWide() {
  std::wstring text = L"(none)";
  if (!OpenClipboard(nullptr)) return L"(not opened)";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool PutOnClipboard(const std::wstring& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::memcpy(GlobalLock(data), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(data);
  const bool put = SetClipboardData(CF_UNICODETEXT, data) != nullptr;
  CloseClipboard();
  return put;
}

// A control's text asked of it as UTF-16, across processes.
std::wstring WideText(HWND hwnd) {
  const auto length = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(
      SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

// xdotool starts as a process of its own, which a loaded machine may take seconds to run.
constexpr std::chrono::seconds kFromX{20};

bool Idle(HWND window) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored) != 0;
}

// The font box, showing the font the program starts with.
BOOL CALLBACK FindFontBox(HWND c, LPARAM lParam) {
  if (_stricmp(ClassName(c).c_str(), "ComboBox") != 0 || WideText(c) != L"Arial") return TRUE;
  *reinterpret_cast<HWND*>(lParam) = c;
  return FALSE;
}

const std::wstring kSentinel = L"clipboard sentinel \u00e4\u2603";

class TypeWhereYouWere : public ::testing::Test {
 protected:
  void SetUp() override {
    RemovePath(ini.Path());
    // Started in the notification area, where it waits for its hot key.
    ASSERT_TRUE(program.Start(TessarinExe(), SW_SHOWMINNOACTIVE));
    ASSERT_TRUE(PumpUntil([&] {
      main = FindProcessWindow(program.Id(), e2e::kMainClass);
      return main && !e2e::NotificationIcons().empty() && Idle(main);
    }));
    grid = e2e::FindControl(main, {"TStringAlignGrid", nullptr});
    ASSERT_NE(grid, nullptr);
    char dir[MAX_PATH] = {};
    GetSystemDirectoryA(dir, MAX_PATH);
    ASSERT_TRUE(notepad.Start(std::string(dir) + "\\notepad.exe"));
    target = notepad.WaitForVisibleWindow("Notepad");
    ASSERT_NE(target, nullptr);
    edit = FindWindowExA(target, nullptr, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    // Where Tessarin's window will not cover it.
    SetWindowPos(target, nullptr, 0, 600, 400, 150, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(BringToFront(target, {main}));
    bare = e2e::BareDesktopPoint();
    ASSERT_GE(bare.x, 0);
    // The pointer stays over bare desktop: were X's keyboard focus lost, no key would arrive.
    SetCursorPos(bare.x, bare.y);
    // Put last: Wine's clipboard manager, started with the desktop, may still empty the
    // clipboard it takes over from X.
    ASSERT_TRUE(
        PumpUntil([&] { return PutOnClipboard(kSentinel) && Idle(main) && ClipboardWide() == kSentinel; }));
  }
  void TearDown() override {
    // Notepad asks whether to save what was typed: it is ended without that question.
    if (IsWindow(edit)) SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
  }

  // The hot key from the keyboard, over the program in front: Tessarin in front, the grid focused.
  void ShowWithHotKey() {
    ASSERT_TRUE(e2e::FromX("key ctrl+alt+shift+t"));
    ASSERT_TRUE(PumpUntil(
        [&] {
          return IsWindowVisible(main) && GetForegroundWindow() == main && e2e::FocusOf(main) == grid &&
                 Idle(main) && Idle(target);
        },
        kFromX))
        << "visible " << IsWindowVisible(main) << ", in front " << ClassName(GetForegroundWindow());
  }
  // Ctrl+F and a query typed from the keyboard, handled whole; the code label shows `code`.
  void Find(const std::string& query, const std::string& code) {
    ASSERT_TRUE(e2e::FromX("key ctrl+f"));
    HWND field = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
          field = e2e::FocusOf(main);
          return field && GetParent(field) == main && ClassName(field) == "Edit";
        },
        kFromX));
    ASSERT_TRUE(e2e::FromX("type \"" + query + "\""));
    ASSERT_TRUE(PumpUntil([&] { return e2e::ControlText(field) == query; }, kFromX))
        << e2e::ControlText(field);
    EXPECT_NE(e2e::FindControl(main, {"Static", code.c_str()}), nullptr) << query;
  }
  // Shift+Enter from the keyboard: Notepad's text becomes `text`, Notepad is in front with its
  // edit focused, Tessarin is hidden and the clipboard is as it was.
  void ShiftEnterTypes(const std::wstring& text) {
    ASSERT_EQ(ClipboardWide(), kSentinel);
    ASSERT_TRUE(e2e::FromX("key shift+Return"));
    EXPECT_TRUE(PumpUntil([&] { return WideText(edit) == text; }, kFromX))
        << "Notepad holds " << WideText(edit).size() << " UTF-16 units";
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(main) && Idle(main) && Idle(target); }));
    EXPECT_EQ(GetForegroundWindow(), target) << ClassName(GetForegroundWindow());
    EXPECT_EQ(e2e::FocusOf(target), edit);
    EXPECT_EQ(ClipboardWide(), kSentinel);
  }
  // Picks a font in the font box with the keyboard, as a user types its first letter until
  // the box shows it.
  void ChooseFont(const std::wstring& name) {
    HWND box = nullptr;
    EnumChildWindows(main, &FindFontBox, reinterpret_cast<LPARAM>(&box));
    ASSERT_NE(box, nullptr);
    e2e::ClickCentre(box);  // opens its list
    e2e::PressKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return e2e::FocusOf(main) == box && Idle(main); }));
    for (int press = 0; press < 40 && WideText(box) != name; ++press) {
      const std::wstring before = WideText(box);
      e2e::PressKey(static_cast<WORD>(VkKeyScanW(static_cast<wchar_t>(towlower(name[0]))) & 0xFF));
      ASSERT_TRUE(PumpUntil([&] { return WideText(box) != before; }));
    }
    ASSERT_EQ(WideText(box), name) << "the prefix lacks the font";
    ASSERT_TRUE(Idle(main));
  }

  SavedFile ini{WindowsDirFile("Tessarin.ini")};
  ChildProcess program, notepad;
  HWND main = nullptr, grid = nullptr, target = nullptr, edit = nullptr;
  POINT bare{};
};

TEST_F(TypeWhereYouWere, ShiftEnterTypesTheFoundCharacterIntoNotepadAndLeavesTheClipboardAlone) {
  // A character of the Basic Multilingual Plane, found by its name.
  ShowWithHotKey();
  Find("rightwards arrow", "U+2192");
  ShiftEnterTypes(L"\u2192");

  // One above U+FFFF, from a font that has it: its two UTF-16 halves arrive as one character.
  ShowWithHotKey();  // the hot key still works, the pointer over bare desktop
  ChooseFont(L"Symbola");
  Find("grinning face", "U+1F600");
  ShiftEnterTypes(L"\u2192\U0001F600");

  // Shift+Enter on the grid types the selected character too.
  ShowWithHotKey();
  ShiftEnterTypes(L"\u2192\U0001F600\U0001F600");

  // With Notepad gone, Shift+Enter appends to the composition, as Enter does, and Tessarin stays.
  ShowWithHotKey();
  notepad.Terminate();
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(target); }));
  ASSERT_TRUE(BringToFront(main));
  ASSERT_TRUE(PumpUntil([&] { return e2e::FocusOf(main) == grid; }));
  ASSERT_TRUE(e2e::FromX("key shift+Return"));
  HWND html = e2e::FindControl(main, {"Edit", nullptr, ES_READONLY, ES_READONLY});
  ASSERT_NE(html, nullptr);
  EXPECT_TRUE(
      PumpUntil([&] { return e2e::ControlText(html).find("&#128512;") != std::string::npos; }, kFromX))
      << e2e::ControlText(html);
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(ClipboardWide(), kSentinel);
}

}  // namespace
