// The caption button: where it sits at any system metrics, the press tracking of a push
// button through real mouse input, the swallowed press of a disabled button, its repaint
// when the caption is redrawn, the re-hook of a recreated window and its tooltip.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

#include "app/CaptionButton.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/TestSupport.h"
#include "ui/Application.h"
#include "ui/Canvas.h"

namespace tessarin {
void PrintTo(const WidgetRect& r, std::ostream* os) {
  *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
}  // namespace tessarin

using namespace tessarin;
using testing_support::MouseAt;

namespace {

LRESULT CALLBACK PlainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// The caption buttons as the platform draws them on a window of the style and the width of
// another: what such a window shows in the right half of its caption and the same window
// without the buttons does not, in window coordinates.
RECT DrawnCaptionButtons(HWND like, DWORD style) {
  static const ATOM kClass = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "CaptionButtonsProbe";
    return RegisterClassA(&wc);
  }();
  RECT likeRect;
  GetWindowRect(like, &likeRect);
  const int width = likeRect.right - likeRect.left, height = 3 * GetSystemMetrics(SM_CYCAPTION);
  const DWORD exStyle =
      static_cast<DWORD>(GetWindowLongA(like, GWL_EXSTYLE)) | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  HWND windows[2];
  for (int i = 0; i < 2; ++i) {
    const DWORD s =
        (style & ~WS_VISIBLE) & (i == 0 ? ~0u : ~DWORD{WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX});
    windows[i] = CreateWindowExA(exStyle, MAKEINTATOM(kClass), "", s, 0,
                                 GetSystemMetrics(SM_CYSCREEN) - (i + 1) * height, width, height, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(windows[i], SW_SHOWNOACTIVATE);
    RedrawWindow(windows[i], nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  }
  RECT found{width, height, 0, 0};
  POINT client{0, 0};
  ClientToScreen(windows[0], &client);
  RECT frame;
  GetWindowRect(windows[0], &frame);
  HDC with = GetWindowDC(windows[0]), without = GetWindowDC(windows[1]);
  for (int y = 0; y < client.y - frame.top; ++y)
    for (int x = width / 2; x < width; ++x) {
      if (GetPixel(with, x, y) == GetPixel(without, x, y)) continue;
      found = {std::min<LONG>(found.left, x), std::min<LONG>(found.top, y),
               std::max<LONG>(found.right, x + 1), std::max<LONG>(found.bottom, y + 1)};
    }
  for (int i = 0; i < 2; ++i) {
    ReleaseDC(windows[i], i == 0 ? with : without);
    DestroyWindow(windows[i]);
  }
  return found;
}

// Where a caption button of the window belongs: as high and as wide as the close button
// drawn by the platform, its right edge on the left edge of the cell of the leftmost of the
// caption's own buttons (the caption's buttons stand in cells of SM_CXSIZE from the frame's
// inner edge, each drawn within its cell); each further one a button and 2 pixels further
// left.
WidgetRect Expected(HWND hwnd, int index) {
  const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
  const RECT close = DrawnCaptionButtons(hwnd, style & ~DWORD{WS_MINIMIZEBOX | WS_MAXIMIZEBOX});
  const RECT all = DrawnCaptionButtons(hwnd, style);
  RECT window;
  GetWindowRect(hwnd, &window);
  POINT client{0, 0};
  ClientToScreen(hwnd, &client);
  const int cellsEnd = window.right - window.left - (client.x - window.left),
            cell = GetSystemMetrics(SM_CXSIZE);
  const int cells = (cellsEnd - all.left + cell - 1) / cell;
  const int width = close.right - close.left, right = cellsEnd - cells * cell - index * (width + 2);
  return {right - width, close.top, right, close.bottom};
}

WidgetRect Actual(const CaptionButton& w) {
  const RECT& r = w.ButtonRect();
  return {r.left, r.top, r.right, r.bottom};
}

// A point of the button on the screen, (dx, dy) from its centre.
POINT OnScreen(HWND hwnd, const CaptionButton& widget, int dx = 0, int dy = 0) {
  RECT w;
  GetWindowRect(hwnd, &w);
  const RECT& r = widget.ButtonRect();
  return {w.left + (r.left + r.right) / 2 + dx, w.top + (r.top + r.bottom) / 2 + dy};
}

COLORREF ScreenPixel(int x, int y) {
  ui::WindowDC screen(nullptr);
  return GetPixel(screen, x, y);
}

// The button as the screen shows it: button face inside its frame, and the glyph.
bool ButtonOnScreen(HWND hwnd, const CaptionButton& widget, COLORREF glyphColor) {
  RECT w;
  GetWindowRect(hwnd, &w);
  RECT r = widget.ButtonRect();
  OffsetRect(&r, w.left, w.top);
  bool glyph = false;
  for (int x = r.left + 2; x < r.right - 2; ++x)
    for (int y = r.top + 2; y < r.bottom - 2; ++y) glyph |= ScreenPixel(x, y) == glyphColor;
  return ScreenPixel(r.left + 3, r.top + 3) == GetSysColor(COLOR_BTNFACE) && glyph;
}

class CaptionButtonTest : public testing_support::MainWindowTest {
 protected:
  HWND Main() { return form->Handle(); }
  CaptionButton& Widget() { return form->captionButton; }
  void ShowAgain() {
    form->Show();
    SetForegroundWindow(Main());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == Main(); }));
  }
};

TEST_F(CaptionButtonTest, MeetsTheCloseButtonWhateverTheMetrics) {
  EXPECT_EQ(Actual(Widget()), Expected(Main(), 0));
  NONCLIENTMETRICSA saved{};
  saved.cbSize = sizeof saved;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof saved, &saved, 0));
  for (int size : {26, 14}) {
    NONCLIENTMETRICSA m = saved;
    m.iCaptionWidth = m.iCaptionHeight = size;
    SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof m, &m, SPIF_SENDCHANGE);
    ASSERT_TRUE(WaitUntil([&] { return GetSystemMetrics(SM_CXSIZE) == size; })) << size;
    // Windows tells every top-level window; Wine 8 tells none, so the test does.
    SendMessageA(Main(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS,
                 reinterpret_cast<LPARAM>("WindowMetrics"));
    EXPECT_TRUE(WaitUntil([&] { return Actual(Widget()) == Expected(Main(), 0); }))
        << size << ": " << Widget().ButtonRect().left << " " << Widget().ButtonRect().right;
    RECT w;
    GetWindowRect(Main(), &w);
    EXPECT_EQ(Widget().ButtonRect().right, w.right - w.left - GetSystemMetrics(SM_CXFIXEDFRAME) - size);
  }
  SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof saved, &saved, SPIF_SENDCHANGE);
  SendMessageA(Main(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, reinterpret_cast<LPARAM>("WindowMetrics"));
  EXPECT_TRUE(WaitUntil([&] { return Actual(Widget()) == Expected(Main(), 0); }));
}

TEST_F(CaptionButtonTest, HidesTheWindowOnlyWhenPressAndReleaseAreOnIt) {
  struct Gesture {
    const char* what;
    std::vector<POINT> path;  // relative to the button's centre: press, moves…, release
    bool hides;
  } const gestures[] = {
      {"a click", {{0, 0}, {0, 0}}, true},
      {"press, leave, release", {{0, 0}, {-60, 2}, {-60, 2}}, false},
      {"press, leave, return, release", {{0, 0}, {-60, 2}, {1, 1}, {1, 1}}, true},
      {"press, leave downwards, release", {{0, 0}, {0, 40}, {0, 40}}, false},
  };
  for (const Gesture& g : gestures) {
    SCOPED_TRACE(g.what);
    ShowAgain();
    RECT before;
    GetWindowRect(Main(), &before);
    POINT p = OnScreen(Main(), Widget(), g.path[0].x, g.path[0].y);
    MouseAt(p.x, p.y, MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(WaitUntil([&] { return Widget().Tracking() && Widget().Pressed(); }));
    for (size_t i = 1; i + 1 < g.path.size(); ++i) {
      p = OnScreen(Main(), Widget(), g.path[i].x, g.path[i].y);
      MouseAt(p.x, p.y, 0);
      const bool inside = std::abs(g.path[i].x) < 3 && std::abs(g.path[i].y) < 3;
      // Drawn pushed only while the pointer is on it; still tracking either way.
      EXPECT_TRUE(WaitUntil([&] { return Widget().Pressed() == inside; })) << i;
      EXPECT_TRUE(Widget().Tracking());
    }
    p = OnScreen(Main(), Widget(), g.path.back().x, g.path.back().y);
    MouseAt(p.x, p.y, MOUSEEVENTF_LEFTUP);
    // The press ends only with its release: once it has, the click has run or never will.
    ASSERT_TRUE(WaitUntil([&] { return !Widget().Tracking(); }));
    EXPECT_EQ(!IsWindowVisible(Main()), g.hides);
    EXPECT_FALSE(Widget().Pressed());
    EXPECT_EQ(GetCapture(), nullptr);
    // The press on the caption never started a move of the window.
    RECT after;
    GetWindowRect(Main(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
  }
}

TEST_F(CaptionButtonTest, APressWhoseCaptureIsTakenAwayIsAbandoned) {
  const POINT p = OnScreen(Main(), Widget());
  MouseAt(p.x, p.y, MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(WaitUntil([&] { return Widget().Tracking(); }));
  // Another window takes the mouse (a dialog, a drag): the button must not keep tracking,
  // or the form would never see a mouse move again.
  SetCapture(form->panel.Handle());
  EXPECT_TRUE(WaitUntil([&] { return !Widget().Tracking() && !Widget().Pressed(); }));
  ReleaseCapture();
  MouseAt(p.x, p.y, MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(InputHandled());
  EXPECT_TRUE(IsWindowVisible(Main()));
}

TEST_F(CaptionButtonTest, ADisabledButtonSwallowsThePress) {
  Widget().SetEnabled(false);
  RECT before;
  GetWindowRect(Main(), &before);
  const POINT p = OnScreen(Main(), Widget());
  MouseAt(p.x, p.y, MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(InputHandled());
  EXPECT_FALSE(Widget().Tracking());
  for (int step = 1; step <= 4; ++step) MouseAt(p.x - 20 * step, p.y + 10 * step, 0);
  MouseAt(p.x - 80, p.y + 40, MOUSEEVENTF_LEFTUP);
  MouseAt(p.x, p.y, 0);
  MouseAt(p.x, p.y, MOUSEEVENTF_LEFTDOWN);  // and a click on it does nothing either
  MouseAt(p.x, p.y, MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(InputHandled());
  EXPECT_TRUE(IsWindowVisible(Main()));
  RECT after;
  GetWindowRect(Main(), &after);
  EXPECT_TRUE(EqualRect(&before, &after)) << after.left << "," << after.top;
  EXPECT_TRUE(WaitUntil([&] { return ButtonOnScreen(Main(), Widget(), GetSysColor(COLOR_GRAYTEXT)); }));
}

TEST_F(CaptionButtonTest, IsDrawnAgainWheneverTheCaptionIs) {
  const COLORREF glyph = GetSysColor(COLOR_WINDOWTEXT);
  ASSERT_TRUE(WaitUntil([&] { return ButtonOnScreen(Main(), Widget(), glyph); }));
  // Just left of the button lies the caption itself: it shows whether it was redrawn.
  RECT w;
  GetWindowRect(Main(), &w);
  const POINT caption{w.left + Widget().ButtonRect().left - 6, w.top + Widget().ButtonRect().bottom - 2};
  const COLORREF active = ScreenPixel(caption.x, caption.y);
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_CAPTION | WS_VISIBLE, 5, 5, 120, 60,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(other);
  EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(caption.x, caption.y) != active; }));
  EXPECT_TRUE(WaitUntil([&] { return ButtonOnScreen(Main(), Widget(), glyph); }));
  DestroyWindow(other);
  SetForegroundWindow(Main());
  EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(caption.x, caption.y) == active; }));
  EXPECT_TRUE(WaitUntil([&] { return ButtonOnScreen(Main(), Widget(), glyph); }));
}

TEST_F(CaptionButtonTest, NeedsAFormForOwner) {
  try {
    CaptionButton widget(&form->panel);
    ADD_FAILURE() << "a widget was made on a panel";
  } catch (const ui::Exception& e) {
    EXPECT_EQ(e.Message(), "A Widget must be owned by a form");
  }
}

// A form of a single border with minimise and maximise buttons, whose window can be made
// again, as the forms library does when a window property changes.
class RecreatableForm : public ui::Form {
 public:
  RecreatableForm()
      : ui::Form({.windowClass = "WidgetTestForm",
                  .caption = "Widget test",
                  .clientWidth = 320,
                  .clientHeight = 120,
                  .border = ui::BorderStyle::Single,
                  .minimizeBox = true}) {}
  void Recreate() {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(handle_, GWL_STYLE)) & ~WS_VISIBLE;
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(handle_, GWL_EXSTYLE));
    RECT r;
    GetWindowRect(handle_, &r);
    DestroyWindow(handle_);
    CreateHandle({.className = "WidgetTestForm",
                  .text = "Widget test",
                  .style = style,
                  .exStyle = exStyle,
                  .bounds = {r.left, r.top, r.right - r.left, r.bottom - r.top},
                  .owner = ui::Application::Instance().Handle()});
  }
};

// The button's own messages stay out of the range the form shares with the dialog
// manager: the form still receives each of those, whatever its parameters.
TEST_F(CaptionButtonTest, LeavesTheDialogManagersMessagesToTheForm) {
  struct Recording : RecreatableForm {
    std::vector<UINT> seen;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
      if (msg >= WM_USER && msg < WM_APP) seen.push_back(msg);
      return RecreatableForm::WndProc(msg, wParam, lParam);
    }
  } test;
  CaptionButton first(&test), second(&test);
  for (LPARAM lParam : {0, 1}) {
    test.seen.clear();
    SendMessageA(test.Handle(), DM_SETDEFID, IDOK, lParam);
    SendMessageA(test.Handle(), DM_REPOSITION, 0, lParam);
    EXPECT_EQ(test.seen, (std::vector<UINT>{DM_SETDEFID, DM_REPOSITION})) << lParam;
  }
}

TEST_F(CaptionButtonTest, TwoWidgetsStandSideBySideAndFollowARecreatedWindow) {
  RecreatableForm test;
  CaptionButton first(&test), second(&test);
  first.SetGlyph('u');
  int firstClicks = 0, secondClicks = 0;
  first.OnClick = [&] { ++firstClicks; };
  second.OnClick = [&] { ++secondClicks; };
  test.Show();
  SetForegroundWindow(test.Handle());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == test.Handle(); }));
  EXPECT_EQ(Actual(first), Expected(test.Handle(), 0));
  EXPECT_EQ(Actual(second), Expected(test.Handle(), 1));
  EXPECT_EQ(first.ButtonRect().left - second.ButtonRect().left, 2 + GetSystemMetrics(SM_CXSIZE) - 2);

  const HWND old = test.Handle();
  test.Recreate();
  ASSERT_NE(test.Handle(), old);
  test.Show();
  SetForegroundWindow(test.Handle());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == test.Handle(); }));
  // Hooked again and drawn on the new window before the user can click it.
  ASSERT_TRUE(WaitUntil([&] { return ButtonOnScreen(test.Handle(), first, GetSysColor(COLOR_WINDOWTEXT)); }));
  Settle();
  for (CaptionButton* w : {&second, &first}) {
    const POINT p = OnScreen(test.Handle(), *w);
    testing_support::ClickAt(p.x, p.y);
    EXPECT_TRUE(WaitUntil([&] { return firstClicks + secondClicks == (w == &second ? 1 : 2); }));
  }
  EXPECT_EQ(firstClicks, 1);
  EXPECT_EQ(secondClicks, 1);
}

TEST_F(CaptionButtonTest, ShowsItsHintWhenTheFormAsksForHints) {
  RecreatableForm test;
  CaptionButton widget(&test);
  widget.SetShowHint(true);
  widget.SetHint("Hide to the notification area");
  test.Show();
  SetForegroundWindow(test.Handle());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == test.Handle(); }));
  const POINT p = OnScreen(test.Handle(), widget);
  MouseAt(p.x - 1, p.y, 0);
  MouseAt(p.x, p.y, 0);
  ASSERT_TRUE(WaitUntil([&] { return widget.HintWindow().Shown(); }));
  HWND hint = widget.HintWindow().Handle();
  EXPECT_TRUE(IsWindowVisible(hint));
  RECT r;
  GetWindowRect(hint, &r);
  EXPECT_EQ(r.left, p.x);
  EXPECT_GT(r.top, p.y);  // below the pointer
  // Leaving the button takes it away.
  MouseAt(p.x - 80, p.y, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(hint); }));
  EXPECT_FALSE(widget.HintWindow().Active());
  // The main window asks for none: once the moves over its button have been handled, no
  // hint is waiting to show (it would be from the first move on).
  const POINT mainButton = OnScreen(form->Handle(), form->captionButton);
  SetForegroundWindow(form->Handle());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == form->Handle(); }));
  MouseAt(mainButton.x - 1, mainButton.y, 0);
  MouseAt(mainButton.x, mainButton.y, 0);
  ASSERT_TRUE(InputHandled());
  EXPECT_FALSE(form->captionButton.HintWindow().Active());
}

}  // namespace
