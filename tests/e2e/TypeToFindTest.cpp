// runs alone
// Type to find, with keys from the X server as a user's keyboard gives them (injected keys skip
// X and reach the window in front whatever has X's focus): on the focused grid, typed letters
// open the find field and find; the grid's keys keep their meaning; after the hot key hides and
// shows Tessarin, a typed name finds at once.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/E2eInput.h"

using namespace testing_support;

namespace {

// The focused control of the main window, when it is an edit (the find field).
HWND FocusedEdit(HWND main) {
  HWND focus = e2e::FocusOf(main);
  return focus && _stricmp(ClassName(focus).c_str(), "Edit") == 0 ? focus : nullptr;
}

// The find field holds the whole text, so its last key has been handled, and with it the
// search: a message from another process is answered only between the messages the program
// handles.
bool FieldReads(HWND main, const std::string& text) {
  return PumpUntil([&] {
    HWND field = FocusedEdit(main);
    return field && e2e::ControlText(field) == text;
  });
}

bool Shows(HWND main, const char* code) {
  return PumpUntil([&] { return e2e::FindControl(main, {"Static", code}) != nullptr; });
}

struct EditSearch {
  std::string text;
  bool found = false;
};

BOOL CALLBACK MatchEdit(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<EditSearch*>(lParam);
  if (_stricmp(ClassName(hwnd).c_str(), "Edit") == 0 &&
      e2e::ControlText(hwnd).find(s->text) != std::string::npos)
    s->found = true;
  return !s->found;
}

// Whether an edit of the main window (the HTML line of the composition) holds the text.
bool AnEditHolds(HWND main, const std::string& text) {
  EditSearch search{text};
  EnumChildWindows(main, &MatchEdit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST(TypeToFind, LettersTypedOnTheGridFindAndTheGridsKeysKeepTheirMeaning) {
  ChildProcess program;
  ASSERT_TRUE(program.Start(TessarinExe()));
  HWND main = program.WaitForVisibleWindow(e2e::kMainClass);
  ASSERT_NE(main, nullptr);
  HWND grid = e2e::FindControl(main, {"TStringAlignGrid", nullptr});
  ASSERT_NE(grid, nullptr);
  ASSERT_TRUE(BringToFront(main));
  const POINT centre = e2e::CentreOf(grid);
  ASSERT_TRUE(e2e::FromX("mousemove " + std::to_string(centre.x) + " " + std::to_string(centre.y) + " click 1"));
  ASSERT_TRUE(PumpUntil([&] { return e2e::FocusOf(main) == grid && e2e::Idle(main); }));
  ASSERT_FALSE(AnEditHolds(main, "&rarr;"));

  // Grid keys move the selection; no field opens. One xdotool run presses both, in order: two
  // runs started back to back may interleave, and the first cell may be selected already.
  ASSERT_TRUE(e2e::FromX("key ctrl+Home Right"));
  ASSERT_TRUE(Shows(main, "#33"));
  ASSERT_TRUE(e2e::Idle(main));
  EXPECT_EQ(FocusedEdit(main), nullptr);
  EXPECT_EQ(e2e::FocusOf(main), grid);

  // Letters open the field and find; Enter appends the find and gives the grid the focus back.
  ASSERT_TRUE(e2e::FromX("type \"rightwards arrow\""));
  ASSERT_TRUE(FieldReads(main, "rightwards arrow"));
  EXPECT_TRUE(Shows(main, "U+2192"));
  ASSERT_TRUE(e2e::FromX("key Return"));
  // The composition's HTML line shows the appended arrow.
  ASSERT_TRUE(PumpUntil([&] { return AnEditHolds(main, "&rarr;"); }));
  ASSERT_TRUE(PumpUntil([&] { return e2e::FocusOf(main) == grid; }));

  // The hot key hides Tessarin and brings it back with the grid focused: a typed name finds.
  ASSERT_TRUE(e2e::FromX("key ctrl+alt+shift+t"));
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(main); }));
  ASSERT_TRUE(e2e::FromX("key ctrl+alt+shift+t"));
  ASSERT_TRUE(
      PumpUntil([&] { return IsWindowVisible(main) && GetForegroundWindow() == main && e2e::Idle(main); }));
  ASSERT_TRUE(e2e::FromX("type euro"));
  ASSERT_TRUE(FieldReads(main, "euro"));
  EXPECT_TRUE(Shows(main, "#0128"));
  ASSERT_TRUE(e2e::FromX("key Escape"));
  ASSERT_TRUE(PumpUntil([&] { return e2e::FocusOf(main) == grid && e2e::Idle(main); }));
}

}  // namespace
