// screens: 1024x768+unicode
// Tessarin.exe in its own process, finding characters beyond the page as a user does
// (Ctrl+F and typed words), read from outside: the labels' texts, the grid's scroll bar,
// the screen reader's cell, the list of blocks. Names come from Debian's UnicodeData.txt.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <fstream>
#include <string>

#include "tests/e2e/E2eInput.h"

using namespace testing_support;

namespace {

std::string NameInUnicodeData(unsigned cp) {
  std::ifstream in("Z:/usr/share/unicode/UnicodeData.txt");
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%04X;", cp);
  for (std::string line; std::getline(in, line);)
    if (line.rfind(prefix, 0) == 0)
      return line.substr(line.find(';') + 1, line.find(';', line.find(';') + 1) - line.find(';') - 1);
  return {};
}

// A label of the main window showing exactly this text, or nullptr.
HWND LabelShowing(HWND main, const std::string& text) {
  return e2e::FindControl(main, {"Static", text.c_str()});
}

// The text a combo box shows, asked of the box itself as UTF-16.
std::wstring ComboText(HWND box) {
  wchar_t text[128] = {};
  SendMessageW(box, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text));
  return text;
}

struct ComboSearch {
  std::wstring text;
  HWND found = nullptr;
};

BOOL CALLBACK MatchCombo(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<ComboSearch*>(lParam);
  if (_stricmp(ClassName(hwnd).c_str(), "ComboBox") != 0 || ComboText(hwnd) != s->text) return TRUE;
  s->found = hwnd;
  return FALSE;
}

// The drop-down list showing this text at start: the list of blocks (the font box shows
// a font's name).
HWND ComboShowing(HWND main, const std::wstring& text) {
  ComboSearch search{text};
  EnumChildWindows(main, &MatchCombo, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The find field (the focused edit) reads the whole query: its last key has been handled,
// and with it the search, since a message sent from another process is answered only
// between the messages the program handles.
bool WholeQueryHandled(HWND main, const std::string& query) {
  return PumpUntil([&] {
    HWND field = e2e::FocusOf(main);
    return field && _stricmp(ClassName(field).c_str(), "Edit") == 0 && e2e::ControlText(field) == query;
  });
}

bool HasScrollBar(HWND grid) { return (GetWindowLongA(grid, GWL_STYLE) & WS_VSCROLL) != 0; }

TEST(UnicodeFind, WordsFindArrowsBeyondThePageAndThePageStaysAsItWas) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  ChildProcess program;
  ASSERT_TRUE(program.Start(TessarinExe()));
  HWND main = program.WaitForVisibleWindow(e2e::kMainClass);
  ASSERT_NE(main, nullptr);
  HWND grid = e2e::FindControl(main, {"TStringAlignGrid", nullptr});
  ASSERT_NE(grid, nullptr);
  ASSERT_TRUE(BringToFront(main));

  // The page, as it starts: no scroll bar, the list at "Windows-1252", the space described.
  EXPECT_FALSE(HasScrollBar(grid));
  HWND blocks = ComboShowing(main, L"Windows-1252");
  ASSERT_NE(blocks, nullptr);
  EXPECT_NE(LabelShowing(main, "#32"), nullptr);

  e2e::ClickCentre(grid);
  e2e::PressKey('F', false, true);
  e2e::TypeText("rightwards arrow");
  ASSERT_TRUE(WholeQueryHandled(main, "rightwards arrow"));
  EXPECT_NE(LabelShowing(main, "U+2192"), nullptr);
  EXPECT_NE(LabelShowing(main, "&rarr;"), nullptr);
  EXPECT_NE(LabelShowing(main, NameInUnicodeData(0x2192)), nullptr);
  EXPECT_TRUE(HasScrollBar(grid));
  EXPECT_EQ(ComboText(blocks), L"Arrows");

  // The screen reader reads the selected cell of the view with its character and name.
  IAccessible* table = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(grid, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&table)),
            S_OK);
  VARIANT selection;
  VariantInit(&selection);
  ASSERT_EQ(table->get_accSelection(&selection), S_OK);
  ASSERT_EQ(selection.vt, VT_I4);
  BSTR name = nullptr;
  ASSERT_EQ(table->get_accName(selection, &name), S_OK);
  EXPECT_EQ(std::wstring(name), L"\u2192 RIGHTWARDS ARROW");
  SysFreeString(name);
  table->Release();

  // German words find the same arrow first: from the row's first cell (U+2190), the field
  // opened again with its text selected, typed over.
  e2e::PressKey(VK_ESCAPE);
  e2e::PressKey(VK_HOME);
  ASSERT_TRUE(PumpUntil([&] { return LabelShowing(main, "U+2190") != nullptr; }));
  e2e::PressKey('F', false, true);
  e2e::TypeText("pfeil nach rechts");
  ASSERT_TRUE(WholeQueryHandled(main, "pfeil nach rechts"));
  EXPECT_NE(LabelShowing(main, "U+2192"), nullptr);

  // "Windows-1252" in the list: the page again, cell for cell, without the bar.
  e2e::PressKey(VK_ESCAPE);
  e2e::ClickCentre(blocks);
  e2e::PressKey(VK_HOME);
  e2e::PressKey(VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return !HasScrollBar(grid); }));
  IAccessible* page = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(grid, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&page)),
            S_OK);
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = 34;  // code 65
  ASSERT_EQ(page->get_accName(child, &name), S_OK);
  EXPECT_EQ(std::wstring(name), L"A LATIN CAPITAL LETTER A");
  SysFreeString(name);
  long l = 0, t = 0, w = 0, h = 0;
  ASSERT_EQ(page->accLocation(&l, &t, &w, &h, child), S_OK);
  EXPECT_EQ(w, 42);  // the large layout's page cells
  page->Release();
  CoUninitialize();
}

}  // namespace
