// The right and middle mouse buttons over the grid, through real mouse input: the functions
// the settings give them, the drag state every press leaves, and the magnifier on the screen.
#include <gtest/gtest.h>

#include "app/Settings.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/TestSupport.h"
#include "ui/Canvas.h"

using namespace tessarin;
using testing_support::ClipboardText;
using testing_support::DifferingPerMille;
using testing_support::PutOnClipboard;
using testing_support::ScreenPixels;

namespace {

void Mouse(POINT p, DWORD flags) { testing_support::MouseAt(p.x, p.y, flags); }

// How the magnifier should look with a text: black on white, centred, "&" as itself.
std::vector<DWORD> ReferencePixels(const ui::Label& label, const std::string& text) {
  RECT client;
  GetClientRect(label.Handle(), &client);
  ui::WindowDC screen(nullptr);
  ui::MemoryDC dc(screen, client.right, client.bottom);
  ui::Brush white(CreateSolidBrush(RGB(255, 255, 255)));
  FillRect(dc, &client, white);
  ui::SelectObjectScope font(dc, label.GetFont().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &client, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB};
  std::vector<DWORD> pixels(static_cast<size_t>(client.right * client.bottom));
  GetDIBits(dc, dc.BitmapHandle(), 0, static_cast<UINT>(client.bottom), pixels.data(), &bi, DIB_RGB_COLORS);
  return pixels;
}

class MouseActions : public testing_support::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    saved = AppSettings;
  }
  void TearDown() override {
    AppSettings = saved;
    MainWindowTest::TearDown();
  }
  CharGrid& Grid() { return form->grid; }
  // A point of the grid's client area on the screen.
  POINT OnScreen(POINT client) {
    ClientToScreen(Grid().Handle(), &client);
    return client;
  }
  POINT CellCentre(int code) {
    const RECT r = Grid().CellRect((code - 32) % 16, (code - 32) / 16);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void Select(int code) {
    Grid().SetCol((code - 32) % 16);
    Grid().SetRow((code - 32) / 16);
  }
  int SelectedCode() { return Grid().Col() + 16 * Grid().Row() + 32; }
  // Presses at a grid point and waits until the grid has taken the press.
  void PressAt(POINT client, DWORD down) {
    form->DragPoint = {-1, -1};
    Mouse(OnScreen(client), down);
    ASSERT_TRUE(WaitUntil([&] { return form->DragPoint.x == client.x && form->DragPoint.y == client.y; }));
  }

  ProgramSettings saved;
};

constexpr DWORD kRight = MOUSEEVENTF_RIGHTDOWN, kRightUp = MOUSEEVENTF_RIGHTUP;
constexpr DWORD kMiddle = MOUSEEVENTF_MIDDLEDOWN, kMiddleUp = MOUSEEVENTF_MIDDLEUP;
constexpr DWORD kLeft = MOUSEEVENTF_LEFTDOWN, kLeftUp = MOUSEEVENTF_LEFTUP;

TEST_F(MouseActions, EachButtonDoesWhatTheSettingsGiveIt) {
  struct Case {
    const char* what;
    DWORD down, up;
    std::uint8_t right, middle, drag;
    int code;
    const char* clipboard;  // nullptr: the clipboard keeps what it held
    bool dragBefore, dragAfter;
  } const cases[] = {
      {"middle copies the ampersand", kMiddle, kMiddleUp, 0, maCopyRtf, dmOff, '&', "&", true, true},
      {"right copies the quote's entity", kRight, kRightUp, maCopyHtml, 0, dmOff, '"', "&quot;", true, true},
      {"right copies A's entity, the letter", kRight, kRightUp, maCopyHtml, 0, dmOff, 'A', "A", false, false},
      {"middle copies a-umlaut's entity", kMiddle, kMiddleUp, 0, maCopyHtml, dmOff, 228, "&auml;", true,
       true},
      {"right copies e-acute itself", kRight, kRightUp, maCopyRtf, 0, dmOff, 233, "\xE9", true, true},  // é
      {"right without function arms the drag", kRight, kRightUp, maNone, maCopyRtf, dmText, 'A', nullptr,
       false, true},
      {"an unknown function is none", kRight, kRightUp, 7, maCopyRtf, dmTextHtml, 'B', nullptr, false, true},
      {"no function with dragging off disarms", kRight, kRightUp, maNone, 0, dmOff, 'C', nullptr, true,
       false},
      {"middle without function", kMiddle, kMiddleUp, maCopyRtf, maNone, dmOff, 'D', nullptr, true, false},
      {"the left button never has a function", kLeft, kLeftUp, maCopyRtf, maCopyRtf, dmText, 'E', nullptr,
       false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AppSettings.RMouseKey = c.right;
    AppSettings.MMouseKey = c.middle;
    AppSettings.DragDrop = c.drag;
    Select('0');
    form->DragReady = c.dragBefore;
    PutOnClipboard("sentinel");
    const POINT p = CellCentre(c.code);
    PressAt(p, c.down);
    Mouse(OnScreen(p), c.up);
    if (c.clipboard) {
      EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == c.clipboard; })) << ClipboardText();
    }
    Settle();
    EXPECT_EQ(ClipboardText(), c.clipboard ? c.clipboard : "sentinel");
    EXPECT_EQ(form->DragReady, c.dragAfter);
    // A function selects the pressed cell first; without one the selection stays (the
    // left button selects as the grid always does).
    const bool selects = c.clipboard || c.down == kLeft;
    EXPECT_EQ(SelectedCode(), selects ? c.code : '0');
    if (c.clipboard) {
      EXPECT_EQ(form->previewLabel.Text(), std::string(1, static_cast<char>(c.code)));
      EXPECT_EQ(form->clipboardEdit.Text(), c.clipboard);  // the staging text stays until the next copy
    }
  }
}

TEST_F(MouseActions, APressWhereNoCellLiesDoesNothing) {
  // The strip right of the last column that the large layout leaves.
  RECT client;
  GetClientRect(Grid().Handle(), &client);
  int col = 0, row = 0;
  const POINT strip{client.right - 2, 5};
  ASSERT_FALSE(Grid().CellAt(strip.x, strip.y, col, row)) << "the layout leaves no strip";
  AppSettings.RMouseKey = maCopyRtf;
  AppSettings.DragDrop = dmText;
  Select('0');
  form->DragReady = false;
  PutOnClipboard("sentinel");
  PressAt(strip, kRight);
  Mouse(OnScreen(strip), kRightUp);
  Settle();
  EXPECT_EQ(ClipboardText(), "sentinel");
  EXPECT_EQ(SelectedCode(), '0');
  EXPECT_FALSE(form->DragReady);
  EXPECT_TRUE(Grid().Visible());
}

TEST_F(MouseActions, BeforeAnySelectionTheCurrentCellIsStillCopied) {
  // At start the space is current but the preview is still empty: the copy takes the cell.
  AppSettings.MMouseKey = maCopyRtf;
  PutOnClipboard("sentinel");
  const POINT p = CellCentre(' ');
  PressAt(p, kMiddle);
  Mouse(OnScreen(p), kMiddleUp);
  EXPECT_TRUE(WaitUntil([] { return ClipboardText() == " "; })) << ClipboardText();
}

TEST_F(MouseActions, TheMagnifierShowsThePressedCharacterWhileTheButtonIsHeld) {
  AppSettings.RMouseKey = maMagnify;
  ui::Label& mega = form->magnifier;
  RECT megaOnScreen;
  GetWindowRect(mega.Handle(), &megaOnScreen);
  for (const std::string glyph : {"Q", "&"}) {
    SCOPED_TRACE(glyph);
    Select('0');
    const POINT p = CellCentre(glyph[0]);
    PressAt(p, kRight);
    ASSERT_TRUE(WaitUntil([&] { return !Grid().Visible(); }));
    EXPECT_EQ(mega.Text(), glyph);
    EXPECT_EQ(SelectedCode(), glyph[0]);
    EXPECT_EQ(form->codeLabel.Text(), "#" + std::to_string(glyph[0]));
    // What the screen shows is the glyph itself, "&" included, not some other picture.
    std::vector<DWORD> shown;
    EXPECT_TRUE(WaitUntil([&] {
      shown = ScreenPixels(megaOnScreen);
      return DifferingPerMille(shown, ReferencePixels(mega, glyph)) < 10;
    })) << DifferingPerMille(shown, ReferencePixels(mega, glyph));
    EXPECT_GT(DifferingPerMille(shown, ReferencePixels(mega, glyph == "Q" ? "O" : "8")), 10);
    // Releasing the button over the magnifier brings the grid back, the cell still selected.
    Mouse(OnScreen(p), kRightUp);
    EXPECT_TRUE(WaitUntil([&] { return Grid().Visible(); }));
    EXPECT_EQ(SelectedCode(), glyph[0]);
  }
}

TEST_F(MouseActions, MovingOverTheBareWindowEndsAMagnificationReleasedElsewhere) {
  AppSettings.RMouseKey = maMagnify;
  const POINT p = CellCentre('W');
  PressAt(p, kRight);
  ASSERT_TRUE(WaitUntil([&] { return !Grid().Visible(); }));
  // Released over the panel: the magnifier does not see it and stays.
  POINT panel{form->panel.Width() / 2, form->panel.Height() - 3};
  ClientToScreen(form->panel.Handle(), &panel);
  Mouse(panel, 0);
  Mouse(panel, kRightUp);
  ASSERT_TRUE(InputHandled());
  EXPECT_FALSE(Grid().Visible());
  // The strip of bare client area above the grid.
  POINT bare{Grid().Left() + 50, Grid().Top() / 2};
  ClientToScreen(form->Handle(), &bare);
  Mouse(bare, 0);
  EXPECT_TRUE(WaitUntil([&] { return Grid().Visible(); }));
  EXPECT_EQ(SelectedCode(), 'W');
}

TEST_F(MouseActions, TheMagnifierFollowsTheLayoutTheFontAndTheStyleBoxes) {
  ui::Font& font = form->magnifier.GetFont();
  EXPECT_EQ(font.Size(), 336);  // the large layout of a 1024-pixel screen
  // The chosen font's name, but never its character set.
  form->fontBox.SetFontName("Symbol");
  EXPECT_EQ(font.Name(), "Symbol");
  EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
  Click(form->boldCheck);
  Click(form->strikeCheck);
  EXPECT_EQ(font.Style(), (ui::FontStyles{.bold = true, .strikeOut = true}));
  Click(form->boldCheck);
  Click(form->italicCheck);
  Click(form->underlineCheck);
  EXPECT_EQ(font.Style(), (ui::FontStyles{.italic = true, .underline = true, .strikeOut = true}));
}

}  // namespace
