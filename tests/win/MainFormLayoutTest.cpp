// screens: 640x480 641x480 1023x768 1024x768
// The main window built in this process: every control at its place for the screen
// width, the fonts of the form description, and the rectangles kept over many hides and
// shows without re-centring.
#include <gtest/gtest.h>

#include <map>

#include "app/SingleInstance.h"
#include "tests/support/ExpectedLayout.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/TestSupport.h"
#include "ui/Canvas.h"

using namespace tessarin;
using testing_support::ExpectedLayoutFor;

namespace {

// The fixture's show is the main window's first.
class MainFormLayout : public testing_support::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    controls = testing_support::MainControlsByName(*form);
  }

  void ExpectLayout() {
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    const auto expected = ExpectedLayoutFor(screen);
    for (const auto& e : expected.controls) {
      ui::Control* c = controls.at(e.name);
      testing_support::ExpectPlaced(e, c->BoundsRect());
      EXPECT_EQ(GetParent(c->Handle()), ParentOf(e.parent)) << e.name;
    }
    testing_support::ExpectWindowSize(expected, form->Handle());
    RECT client;
    GetClientRect(form->Handle(), &client);
    // The panel stands at the right edge, as high as the client area.
    const RECT panel = form->panel.BoundsRect();
    EXPECT_EQ(panel.right, client.right);
    EXPECT_EQ(panel.right - panel.left, 202);
    EXPECT_EQ(panel.top, 0);
    EXPECT_EQ(panel.bottom, client.bottom);
  }

  HWND ParentOf(const std::string& name) {
    if (name == "form") return form->Handle();
    if (name == "panel") return form->panel.Handle();
    return form->compositionGroup.Handle();
  }

  std::map<std::string, ui::Control*> controls;
};

TEST_F(MainFormLayout, FirstShowPlacesEveryControlForTheScreenWidthAndCentresTheWindow) {
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }));
  ExpectLayout();
  RECT w;
  GetWindowRect(form->Handle(), &w);
  EXPECT_EQ(w.left, std::max(0L, (GetSystemMetrics(SM_CXSCREEN) - (w.right - w.left)) / 2));
  EXPECT_EQ(w.top, std::max(0L, (GetSystemMetrics(SM_CYSCREEN) - (w.bottom - w.top)) / 2));
  // No taskbar button: the owner (the application window) stays hidden.
  EXPECT_FALSE(IsWindowVisible(GetWindow(form->Handle(), GW_OWNER)));
  EXPECT_EQ(GetFocus(), form->grid.Handle());
}

TEST_F(MainFormLayout, HidingAndShowingManyTimesKeepsEveryRectangleAndThePosition) {
  // The user moved the window: later shows keep it where it is.
  SetWindowPos(form->Handle(), nullptr, 7, 9, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  for (int i = 0; i < 12; ++i) {
    form->Hide();
    Settle();
    ASSERT_FALSE(IsWindowVisible(form->Handle()));
    // Another start of the program asks this one to come forward.
    SendMessageA(form->Handle(), ActivateInstanceMessage(), 0, 0);
    Settle();
    ASSERT_TRUE(IsWindowVisible(form->Handle()));
  }
  ExpectLayout();
  RECT w;
  GetWindowRect(form->Handle(), &w);
  EXPECT_EQ(w.left, 7);
  EXPECT_EQ(w.top, 9);
}

TEST_F(MainFormLayout, FontsFollowTheFormDescriptionAndTheLayout) {
  auto logFont = [](ui::Control& c) {
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(c.Handle(), WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf;
  };
  const int screen = GetSystemMetrics(SM_CXSCREEN);
  const int gridHeight = screen <= 640 ? -16 : screen >= 1024 ? -29 : -21;  // 12 pt, 22 pt at 96 dpi
  EXPECT_EQ(form->grid.GetFont().Height(), gridHeight);
  EXPECT_EQ(form->grid.GetFont().Name(), "Arial");
  EXPECT_EQ(form->previewLabel.GetFont().Height(), screen <= 640 ? -27 : -80);  // 20 pt, 60 pt at 96 dpi
  EXPECT_EQ(form->magnifier.GetFont().Height(), screen <= 640 ? -341 : screen >= 1024 ? -448 : -341);
  EXPECT_EQ(logFont(form->boldCheck).lfWeight, FW_BOLD);
  EXPECT_TRUE(logFont(form->italicCheck).lfItalic);
  EXPECT_TRUE(logFont(form->strikeCheck).lfStrikeOut);
  EXPECT_TRUE(logFont(form->underlineCheck).lfUnderline);
  EXPECT_EQ(logFont(form->selectButton).lfHeight, -11);
  EXPECT_STREQ(logFont(form->selectButton).lfFaceName, "MS Sans Serif");
  EXPECT_EQ(form->sizeEdit.Value(), 10);
}

}  // namespace

namespace {

// Dark pixels of a control's caption area, as the control paints itself into a bitmap.
int Ink(HWND hwnd, int skipLeft) {
  RECT r;
  GetClientRect(hwnd, &r);
  const ui::WindowDC screen(nullptr);
  const ui::MemoryDC dc(screen, r.right, r.bottom);
  PrintWindow(hwnd, dc, PW_CLIENTONLY);
  int n = 0;
  for (int y = 0; y < r.bottom; ++y)
    for (int x = skipLeft; x < r.right; ++x)
      if (GetPixel(dc, x, y) == RGB(0, 0, 0)) ++n;
  return n;
}

using FontStyleBoxes = testing_support::MainWindowTest;

TEST_F(FontStyleBoxes, EachTextCaptionIsDrawnInTheStyleItSwitches) {
  // A plain "TEXT" in the group's font, for comparison.
  ui::CheckBox plain(&form->styleGroup, "TEXT", {8, 14, 57, 15});
  const int regular = Ink(plain.Handle(), 16);
  ASSERT_GT(regular, 0);
  EXPECT_GT(Ink(form->boldCheck.Handle(), 16), regular);       // heavier strokes
  EXPECT_GT(Ink(form->strikeCheck.Handle(), 16), regular);     // a line through
  EXPECT_GT(Ink(form->underlineCheck.Handle(), 16), regular);  // a line under
  EXPECT_GT(Ink(form->italicCheck.Handle(), 16), 0);
}

}  // namespace

namespace {

using SizeField = testing_support::MainWindowTest;

TEST_F(SizeField, TheFieldAndItsArrowsFillTheRectangleAndMoveTogether) {
  ui::SpinEdit& spin = form->sizeEdit;
  auto span = [&] {
    const RECT field = spin.BoundsRect(), arrows = testing_support::RectInParent(spin.UpDownHandle());
    EXPECT_EQ(field.right, arrows.left);
    EXPECT_EQ(field.top, arrows.top);
    return RECT{field.left, field.top, arrows.right, arrows.bottom};
  };
  EXPECT_EQ(span().left, 148);
  EXPECT_EQ(span().right, 148 + 41);
  EXPECT_EQ(span().bottom - span().top, 22);
  spin.SetTop(70);
  EXPECT_EQ(span().top, 70);
  EXPECT_EQ(span().right, 148 + 41);
  spin.SetVisible(false);
  EXPECT_FALSE(GetWindowLongA(spin.UpDownHandle(), GWL_STYLE) & WS_VISIBLE);
}

}  // namespace

namespace {

// The pixels a window shows in a rectangle of its client area: what the program drew, read
// from the window's own surface rather than from the screen, which may show it later.
std::vector<COLORREF> Shown(HWND window, const RECT& r) {
  const ui::WindowDC shown(window);
  const ui::MemoryDC dc(shown, r.right - r.left, r.bottom - r.top);
  BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, shown, r.left, r.top, SRCCOPY);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < r.bottom - r.top; ++y)
    for (int x = 0; x < r.right - r.left; ++x) pixels.push_back(GetPixel(dc, x, y));
  return pixels;
}

using SizedLabels = testing_support::MainWindowTest;

TEST_F(SizedLabels, ALabelThatGrowsOrShrinksShowsItsNewTextAndNothingOfTheOld) {
  ui::Label& code = form->codeLabel;  // right-aligned: its left edge moves
  HWND panel = form->panel.Handle();
  const struct {
    const char *before, *after;
  } changes[] = {{"#32", "#0137"}, {"#0137", "#33"}, {"#0255", "#0128"}};
  for (const auto& c : changes) {
    code.SetText(c.before);
    RedrawWindow(panel, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT area;
    GetWindowRect(code.Handle(), &area);
    code.SetText(c.after);
    RedrawWindow(panel, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT now;
    GetWindowRect(code.Handle(), &now);
    UnionRect(&area, &area, &now);
    MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&area), 2);
    const std::vector<COLORREF> shown = Shown(panel, area);
    // The same row drawn afresh from nothing.
    RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(shown, Shown(panel, area)) << c.before << " -> " << c.after;
  }
}

}  // namespace

namespace {

using Overlaps = testing_support::MainWindowTest;

// Every visible child of a window inside its client area and apart from its visible
// siblings (the magnifier lies behind the grid by design).
void ExpectApartAndInside(HWND parent) {
  RECT client;
  GetClientRect(parent, &client);
  std::vector<std::pair<HWND, RECT>> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    const RECT r = testing_support::RectInParent(child);
    RECT inside;
    IntersectRect(&inside, &r, &client);
    EXPECT_TRUE(EqualRect(&inside, &r)) << testing_support::ClassName(child) << " "
                                        << testing_support::WindowText(child) << " cut by its parent";
    for (const auto& [other, o] : children) {
      // The form's description lets the radio group's frame reach one pixel into the
      // check box above it ("Fontname like Font" 28 + 17, "Fontoptions" from 44).
      if (testing_support::WindowText(child) == "Fontoptions" &&
          testing_support::WindowText(other) == "Fontname like Font" && o.bottom - r.top == 1)
        continue;
      RECT both;
      EXPECT_FALSE(IntersectRect(&both, &r, &o))
          << testing_support::WindowText(child) << " over " << testing_support::WindowText(other);
    }
    children.push_back({child, r});
  }
}

TEST_F(Overlaps, NothingIsCutOrOverlapsInThePageOrTheUnicodeView) {
  form->magnifier.SetVisible(false);
  for (bool unicode : {false, true}) {
    if (unicode) {
      // The first block of the list, chosen as the list reports it.
      BlockComboBox& box = form->viewBox;
      box.SetFocus();
      SendMessageW(box.Handle(), CB_SETCURSEL, 2, 0);
      SendMessageW(GetParent(box.Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box.Handle()), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(box.Handle()));
      Settle();
      ASSERT_TRUE(form->InUnicodeView());
    }
    SCOPED_TRACE(unicode ? "Unicode view" : "page");
    for (HWND parent : {form->Handle(), form->panel.Handle(), form->compositionGroup.Handle()})
      ExpectApartAndInside(parent);
    // Sixteen columns of cells with their lines fit beside the scroll bar, fourteen rows under it.
    CharGrid& grid = form->grid;
    RECT client;
    GetClientRect(grid.Handle(), &client);
    const RECT last = grid.CellRect(15, grid.TopRow() + 13);
    EXPECT_LE(last.right + 1, client.right);
    EXPECT_LE(last.bottom + 1, client.bottom);
  }
}

}  // namespace
