// The grid as a screen reader reads it from another process (Active Accessibility): the
// table of 224 cells, their texts and places, the selection, focus and their events.
// Run on a Cyrillic system too, whose ANSI code page (1251) is not the texts' 1252:
// locales: ru_RU.UTF-8
#include <gtest/gtest.h>
#include <oleacc.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/E2eInput.h"

using namespace testing_support;

namespace {

VARIANT Child(long id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

std::wstring Take(BSTR text) {
  std::wstring s = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
  SysFreeString(text);
  return s;
}

struct WinEvent {
  DWORD event;
  HWND hwnd;
  LONG object, child;
};
std::vector<WinEvent> events;

void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
  events.push_back({event, hwnd, object, child});
}

bool Seen(DWORD event, HWND hwnd, LONG child) {
  for (const WinEvent& e : events)
    if (e.event == event && e.hwnd == hwnd && e.object == OBJID_CLIENT && e.child == child) return true;
  return false;
}

TEST(GridAccessibility, ATableOfCellsWithTextsPlacesSelectionFocusAndEvents) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  // A run on another system is on that system: its code page is not the texts' own.
  if (const char* locale = std::getenv("TESSARIN_LOCALE"); locale && *locale) {
    EXPECT_NE(GetACP(), 1252u) << locale;
  }
  ChildProcess program;
  ASSERT_TRUE(program.Start(TessarinExe()));
  HWND main = program.WaitForVisibleWindow(e2e::kMainClass);
  ASSERT_NE(main, nullptr);
  HWND grid = e2e::FindControl(main, {"TStringAlignGrid", nullptr});
  ASSERT_NE(grid, nullptr);
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr, &RecordEvent,
                                       program.Id(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);

  IAccessible* table = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(grid, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&table)),
            S_OK);
  long count = 0;
  EXPECT_EQ(table->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 224);
  VARIANT role;
  EXPECT_EQ(table->get_accRole(Child(CHILDID_SELF), &role), S_OK);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_TABLE);

  struct {
    long child;
    const wchar_t *name, *value, *description;
  } const cells[] = {
      {1, L"  SPACE", L"#32", L"Key: Space, HTML:  "},
      {34, L"A LATIN CAPITAL LETTER A", L"#65", L"Key: A, HTML: A"},
      {97, L"\u20AC EURO SIGN", L"#0128", L"Key: \u20AC (EURO), HTML: &euro;"},
      {193, L"\u00E0 LATIN SMALL LETTER A WITH GRAVE", L"#0224", L"HTML: &agrave;"},
      {224, L"\u00FF LATIN SMALL LETTER Y WITH DIAERESIS", L"#0255", L"HTML: &yuml;"},
  };
  for (const auto& c : cells) {
    BSTR text = nullptr;
    EXPECT_EQ(table->get_accName(Child(c.child), &text), S_OK);
    EXPECT_EQ(Take(text), c.name) << c.child;
    EXPECT_EQ(table->get_accValue(Child(c.child), &text), S_OK);
    EXPECT_EQ(Take(text), c.value) << c.child;
    EXPECT_EQ(table->get_accDescription(Child(c.child), &text), S_OK);
    EXPECT_EQ(Take(text), c.description) << c.child;
    EXPECT_EQ(table->get_accRole(Child(c.child), &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_CELL) << c.child;
  }
  BSTR none = nullptr;
  EXPECT_EQ(table->get_accName(Child(225), &none), E_INVALIDARG);
  SysFreeString(none);

  // The cell of "A" (column 1, row 2) on the screen, and a hit test at its centre.
  long left = 0, top = 0, width = 0, height = 0;
  ASSERT_EQ(table->accLocation(&left, &top, &width, &height, Child(34)), S_OK);
  RECT g;
  GetWindowRect(grid, &g);
  const int cellW = 42;  // the large-screen layout of 1024 x 768
  EXPECT_EQ(left, g.left + 1 * (cellW + 1));
  EXPECT_EQ(top, g.top + 2 * (cellW + 1));
  EXPECT_EQ(width, cellW);
  EXPECT_EQ(height, cellW);
  VARIANT hit;
  ASSERT_EQ(table->accHitTest(left + width / 2, top + height / 2, &hit), S_OK);
  EXPECT_EQ(hit.vt, VT_I4);
  EXPECT_EQ(hit.lVal, 34);

  // A click selects and focuses the cell; the arrow key moves both, with their events.
  ClickAt(left + width / 2, top + height / 2);
  VARIANT selection, focus, state;
  ASSERT_TRUE(PumpUntil([&] {
    return table->get_accSelection(&selection) == S_OK && selection.vt == VT_I4 && selection.lVal == 34;
  }));
  ASSERT_TRUE(PumpUntil([&] { return table->get_accFocus(&focus) == S_OK && focus.vt == VT_I4; }));
  EXPECT_EQ(focus.lVal, 34);
  ASSERT_EQ(table->get_accState(Child(34), &state), S_OK);
  EXPECT_EQ(state.lVal & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED),
            STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED);
  ASSERT_EQ(table->get_accState(Child(35), &state), S_OK);
  EXPECT_EQ(state.lVal & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED), 0);

  e2e::PressKey(VK_RIGHT);
  EXPECT_TRUE(PumpUntil(
      [&] { return Seen(EVENT_OBJECT_SELECTION, grid, 35) && Seen(EVENT_OBJECT_FOCUS, grid, 35); }));
  ASSERT_EQ(table->get_accSelection(&selection), S_OK);
  EXPECT_EQ(selection.lVal, 35);

  UnhookWinEvent(hook);
  table->Release();
  CoUninitialize();
}

}  // namespace
