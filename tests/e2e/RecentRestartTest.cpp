// screens: 1024x768
// Tessarin.exe started, used and ended, then started again: the characters used in one run
// are the "Recently used" view of the next, most recent first, read from outside (the
// labels, the list of views, the screen reader's cells, the settings file); a hostile value
// in the file gives what is valid in it, without a message box.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>

#include "tests/e2e/E2eInput.h"
#include "tests/support/PrefixFiles.h"

using namespace testing_support;

namespace {

HWND LabelShowing(HWND main, const std::string& text) {
  return e2e::FindControl(main, {"Static", text.c_str()});
}

std::wstring ComboText(HWND box) {
  wchar_t text[128] = {};
  SendMessageW(box, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text));
  return text;
}

BOOL CALLBACK MatchViewList(HWND hwnd, LPARAM lParam) {
  if (_stricmp(ClassName(hwnd).c_str(), "ComboBox") != 0 || ComboText(hwnd) != L"Windows-1252") return TRUE;
  *reinterpret_cast<HWND*>(lParam) = hwnd;
  return FALSE;
}

// The list of views: the combo box that starts on "Windows-1252" (the font box shows a name).
HWND ViewList(HWND main) {
  HWND found = nullptr;
  EnumChildWindows(main, &MatchViewList, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The value the settings file holds now, as another program reads it.
std::string RecentValue() {
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, "Tessarin.ini");  // no cached copy
  char value[8192] = {};
  GetPrivateProfileStringA("Recent", "Characters", "", value, sizeof value, "Tessarin.ini");
  return value;
}

void ExitThroughTheButton(ChildProcess& program, HWND main) {
  HWND exitButton = e2e::FindControl(main, {"Button", "E&xit"});
  ASSERT_NE(exitButton, nullptr);
  e2e::ClickCentre(exitButton);
  DWORD code = 1;
  ASSERT_TRUE(program.WaitExit(code));
  EXPECT_EQ(code, 0u);
}

std::wstring CellName(IAccessible* grid, long child) {
  VARIANT id;
  VariantInit(&id);
  id.vt = VT_I4;
  id.lVal = child;
  BSTR name = nullptr;
  if (grid->get_accName(id, &name) != S_OK) return L"(none)";
  std::wstring text(name ? name : L"");
  SysFreeString(name);
  return text;
}

TEST(RecentRestart, TheCharactersUsedInOneRunAreTheRecentlyUsedViewOfTheNext) {
  SavedFile ini{WindowsDirFile("Tessarin.ini")};
  RemovePath(ini.Path());
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));

  // First run: two characters found by name and appended with Enter, then Exit.
  {
    ChildProcess program;
    ASSERT_TRUE(program.Start(TessarinExe()));
    HWND main = program.WaitForVisibleWindow(e2e::kMainClass);
    ASSERT_NE(main, nullptr);
    HWND grid = e2e::FindControl(main, {"TStringAlignGrid", nullptr});
    ASSERT_NE(grid, nullptr);
    ASSERT_TRUE(BringToFront(main));
    e2e::ClickCentre(grid);
    e2e::PressKey('F', false, true);
    e2e::TypeText("rightwards arrow");
    ASSERT_TRUE(PumpUntil([&] { return LabelShowing(main, "U+2192") != nullptr; }));
    e2e::PressKey(VK_RETURN);
    e2e::PressKey('F', false, true);
    e2e::TypeText("e acute");
    ASSERT_TRUE(PumpUntil([&] { return LabelShowing(main, "#0201") != nullptr; }));
    e2e::PressKey(VK_RETURN);
    ExitThroughTheButton(program, main);
  }
  ASSERT_EQ(RecentValue(), "C9,2192");

  // A hostile value around them: words, halves of a pair, a code beyond Unicode, bytes of no
  // text, a character that the file adds, 5,000 characters in all.
  std::string hostile = "C9,2192,zz,D83D,DE00,110000,\xFF\xFE,2193";
  while (hostile.size() < 5000) hostile += ",zz";
  WritePrivateProfileStringA("Recent", "Characters", hostile.c_str(), "Tessarin.ini");
  ASSERT_EQ(RecentValue(), hostile);

  // Second run: "Recently used", right after the page in the list.
  {
    ChildProcess program;
    ASSERT_TRUE(program.Start(TessarinExe()));
    HWND main = program.WaitForVisibleWindow(e2e::kMainClass);
    ASSERT_NE(main, nullptr);
    HWND grid = e2e::FindControl(main, {"TStringAlignGrid", nullptr});
    HWND views = ViewList(main);
    ASSERT_NE(grid, nullptr);
    ASSERT_NE(views, nullptr);
    ASSERT_TRUE(BringToFront(main));
    e2e::ClickCentre(views);
    e2e::PressKey(VK_HOME);
    e2e::PressKey(VK_DOWN);
    e2e::PressKey(VK_RETURN);
    // The most recent one selected and described.
    ASSERT_TRUE(PumpUntil([&] { return LabelShowing(main, "U+00C9") != nullptr; }));
    EXPECT_EQ(ComboText(views), L"Recently used");
    EXPECT_NE(LabelShowing(main, "LATIN CAPITAL LETTER E WITH ACUTE"), nullptr);
    EXPECT_EQ(e2e::FindMessageBox(program.Id()).box, nullptr);

    IAccessible* table = nullptr;
    ASSERT_EQ(
        AccessibleObjectFromWindow(grid, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&table)),
        S_OK);
    EXPECT_EQ(CellName(table, 1), L"\u00C9 LATIN CAPITAL LETTER E WITH ACUTE");
    EXPECT_EQ(CellName(table, 2), L"\u2192 RIGHTWARDS ARROW");
    EXPECT_EQ(CellName(table, 3), L"\u2193 DOWNWARDS ARROW");

    // The arrow clicked and selected: in front of the list, which is written at exit.
    VARIANT arrow;
    VariantInit(&arrow);
    arrow.vt = VT_I4;
    arrow.lVal = 2;
    long l = 0, t = 0, w = 0, h = 0;
    ASSERT_EQ(table->accLocation(&l, &t, &w, &h, arrow), S_OK);
    table->Release();
    ClickAt(l + w / 2, t + h / 2);
    ASSERT_TRUE(PumpUntil([&] { return LabelShowing(main, "U+2192") != nullptr; }));
    HWND select = e2e::FindControl(main, {"Button", "&Select"});
    ASSERT_NE(select, nullptr);
    e2e::ClickCentre(select);
    ASSERT_TRUE(PumpUntil([&] {
      IAccessible* cells = nullptr;
      if (AccessibleObjectFromWindow(grid, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&cells)) !=
          S_OK)
        return false;
      const bool moved = CellName(cells, 1) == L"\u2192 RIGHTWARDS ARROW";
      cells->Release();
      return moved;
    }));
    EXPECT_EQ(e2e::FindMessageBox(program.Id()).box, nullptr);
    ExitThroughTheButton(program, main);
  }
  EXPECT_EQ(RecentValue(), "2192,C9,2193");
  CoUninitialize();
}

}  // namespace
