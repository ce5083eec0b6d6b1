// The character grid and the selection, in process: the order of the selection events,
// the refusals, the four description labels, mouse and keyboard.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "tests/support/MainWindowFixture.h"
#include "ui/Font.h"

using namespace tessarin;

namespace {

struct SelectEvent {
  int col, row;
  bool alreadyCurrent;  // was the cell current when the event ran?
  bool operator==(const SelectEvent&) const = default;
};

class GridSelection : public testing_support::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    CharGrid& grid = form->grid;
    auto update = grid.OnSelectCell;
    grid.OnSelectCell = [this, update, &grid](int c, int r, bool& ok) {
      events.push_back({c, r, grid.Col() == c && grid.Row() == r});
      update(c, r, ok);
    };
  }

  struct Labels {
    std::string preview, code, key, entity;
  };
  Labels Read() {
    return {form->previewLabel.Text(), form->codeLabel.Text(), form->keyLabel.Text(),
            form->entityLabel.Text()};
  }
  void Select(int col, int row) {
    form->grid.SetCol(col);
    form->grid.SetRow(row);
  }
  LPARAM CellCentre(int col, int row) {
    const RECT r = form->grid.CellRect(col, row);
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }

  std::vector<SelectEvent> events;
};

TEST_F(GridSelection, StartsOnTheSpaceWithTheInitialTexts) {
  EXPECT_EQ(form->grid.Col(), 0);
  EXPECT_EQ(form->grid.Row(), 0);
  const Labels l = Read();
  EXPECT_EQ(l.preview, "");
  EXPECT_EQ(l.code, "#32");
  EXPECT_EQ(l.key, "Space");
  EXPECT_EQ(l.entity, "");
  EXPECT_EQ(form->grid.Cells(0, 0), " ");
  EXPECT_EQ(form->grid.Cells(15, 13), "\xFF");
  EXPECT_EQ(form->grid.Cells(1, 2), "A");
}

TEST_F(GridSelection, EachCellDescribesItsCharacter) {
  struct {
    int code;
    const char *preview, *num, *key, *entity;
  } const cases[] = {
      {32, " ", "#32", "Space", " "},
      {38, "&", "#38", "&", "&amp;"},
      {65, "A", "#65", "A", "A"},
      {127, "\x7F", "#127", "", "&#127;"},
      {128, "\x80", "#0128", "\x80 (EURO)", "&euro;"},  // € (EURO)
      {255, "\xFF", "#0255", "", "&yuml;"},             // ÿ
      {34, "\"", "#34", "\"", "&quot;"},
  };
  for (const auto& c : cases) {
    Select(c.code == 32 ? 1 : 0, 0);  // somewhere else first, so that the move runs
    Select((c.code - 32) % 16, (c.code - 32) / 16);
    const Labels l = Read();
    EXPECT_EQ(l.preview, c.preview) << c.code;
    EXPECT_EQ(l.code, c.num) << c.code;
    EXPECT_EQ(l.key, c.key) << c.code;
    EXPECT_EQ(l.entity, c.entity) << c.code;
    EXPECT_EQ(form->SelectedCol, (c.code - 32) % 16);
    EXPECT_EQ(form->SelectedRow, (c.code - 32) / 16);
  }
}

TEST_F(GridSelection, SettingColThenRowRaisesTheEventTwiceBeforeEachCellBecomesCurrent) {
  Select(1, 2);  // "A"
  events.clear();
  Select(3, 4);  // column first: "C" (67), then the final cell "c" (99)
  EXPECT_EQ(events, (std::vector<SelectEvent>{{3, 2, false}, {3, 4, false}}));
  EXPECT_EQ(Read().preview, "c");
  EXPECT_EQ(form->SelectedCol, 3);
  EXPECT_EQ(form->SelectedRow, 4);
  events.clear();
  Select(3, 4);  // unchanged values raise nothing
  EXPECT_TRUE(events.empty());
}

TEST_F(GridSelection, CellsOutsideTheGridAreRefusedAndNothingChanges) {
  Select(1, 2);
  events.clear();
  const Labels before = Read();
  for (auto move : {+[](CharGrid& g) { g.SetCol(16); }, +[](CharGrid& g) { g.SetRow(-1); },
                    +[](CharGrid& g) { g.SetRow(14); }, +[](CharGrid& g) { g.SetCol(-1); }}) {
    try {
      move(form->grid);
      ADD_FAILURE() << "no error raised";
    } catch (const EGridIndexError& e) {
      EXPECT_EQ(e.Message(),
                "Gitterindex au\xDF"
                "erhalb des zul\xE4ssigen Bereichs");
    }
  }
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(form->grid.Col(), 1);
  EXPECT_EQ(form->grid.Row(), 2);
  const Labels after = Read();
  EXPECT_EQ(after.preview, before.preview);
  EXPECT_EQ(after.entity, before.entity);
  EXPECT_EQ(form->SelectedCol, 1);
}

TEST_F(GridSelection, OnlyALeftPressOnACellSelectsIt) {
  // The grid's own handling: the right and middle buttons carry no function here (their
  // functions select the pressed cell first).
  AppSettings.RMouseKey = maNone;
  AppSettings.MMouseKey = maNone;
  HWND grid = form->grid.Handle();
  SendMessageA(grid, WM_RBUTTONDOWN, MK_RBUTTON, CellCentre(5, 5));
  SendMessageA(grid, WM_RBUTTONUP, 0, CellCentre(5, 5));
  SendMessageA(grid, WM_MBUTTONDOWN, MK_MBUTTON, CellCentre(6, 6));
  SendMessageA(grid, WM_MBUTTONUP, 0, CellCentre(6, 6));
  EXPECT_TRUE(events.empty());
  SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, CellCentre(7, 3));
  SendMessageA(grid, WM_LBUTTONUP, 0, CellCentre(7, 3));
  EXPECT_EQ(events, (std::vector<SelectEvent>{{7, 3, false}}));
  EXPECT_EQ(Read().preview, "W");
  // The current cell again, and the strip past the last column: nothing.
  events.clear();
  SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, CellCentre(7, 3));
  SendMessageA(grid, WM_LBUTTONUP, 0, CellCentre(7, 3));
  RECT client;
  GetClientRect(grid, &client);
  SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 1, 5));
  SendMessageA(grid, WM_LBUTTONUP, 0, MAKELPARAM(client.right - 1, 5));
  EXPECT_TRUE(events.empty());
}

TEST_F(GridSelection, AClickOnAGroupsEmptySpaceLeavesTheMouseFreeForTheGrid) {
  HWND group = form->styleGroup.Handle();
  SendMessageA(group, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 70));
  SendMessageA(group, WM_LBUTTONUP, 0, MAKELPARAM(40, 70));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_NE(GetFocus(), group);
  SendMessageA(form->grid.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, CellCentre(5, 3));
  SendMessageA(form->grid.Handle(), WM_LBUTTONUP, 0, CellCentre(5, 3));
  EXPECT_EQ(form->grid.Col(), 5);
  EXPECT_EQ(form->grid.Row(), 3);
}

TEST_F(GridSelection, KeyboardNavigatesLikeAStringGridAndTypingEditsNothing) {
  HWND grid = form->grid.Handle();
  auto key = [&](WPARAM vk) { SendMessageA(grid, WM_KEYDOWN, vk, 0); };
  struct {
    WPARAM vk;
    int col, row;
  } const steps[] = {{VK_RIGHT, 1, 0},  {VK_DOWN, 1, 1},   {VK_END, 15, 1},  {VK_RIGHT, 15, 1},
                     {VK_NEXT, 15, 13}, {VK_DOWN, 15, 13}, {VK_HOME, 0, 13}, {VK_LEFT, 0, 13},
                     {VK_PRIOR, 0, 0},  {VK_UP, 0, 0}};
  for (const auto& s : steps) {
    key(s.vk);
    EXPECT_EQ(form->grid.Col(), s.col) << s.vk;
    EXPECT_EQ(form->grid.Row(), s.row) << s.vk;
  }
  SendMessageA(grid, WM_CHAR, 'x', 0);
  EXPECT_EQ(form->grid.Cells(0, 0), " ");
}

TEST_F(GridSelection, LabelsKeepTheirRightEdgesAsTheirTextsChangeWidth) {
  for (int code : {32, 128, 65, 255}) {
    Select((code - 32) % 16, (code - 32) / 16);
    const RECT num = form->codeLabel.BoundsRect(), key = form->keyLabel.BoundsRect(),
               entity = form->entityLabel.BoundsRect();
    EXPECT_EQ(num.right, 68) << code;
    EXPECT_EQ(key.right, 140) << code;
    EXPECT_EQ(entity.left, 144) << code;
    EXPECT_EQ(entity.right - entity.left, 48) << code;
  }
  // "€ (EURO)" is wider than "Space": the key label grew to the left.
  Select(0, 6);
  EXPECT_GT(form->keyLabel.Width(), 31);
}

TEST_F(GridSelection, SelectAndDoubleClickAppendTheSelectedCharacter) {
  Click(form->selectButton);  // before any selection: the space
  HWND grid = form->grid.Handle();
  const LPARAM at = CellCentre(1, 2);  // "A"
  SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(grid, WM_LBUTTONUP, 0, at);
  SendMessageA(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(grid, WM_LBUTTONUP, 0, at);
  // Enter with the grid focused presses the default button "&Select".
  form->grid.SetFocus();
  MSG msg{grid, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(IsDialogMessageA(form->Handle(), &msg));
  Settle();
  EXPECT_EQ(form->composition.Text(), " AA");
}

}  // namespace

namespace {

using MainWindowResources = testing_support::MainWindowTest;

TEST_F(MainWindowResources, RepeatedSelectionStyleAndLayoutChangesHoldNoMoreFonts) {
  const int fonts = ui::Font::LiveHandles();
  for (int i = 0; i < 40; ++i) {
    form->grid.SetCol(i % 16);
    form->grid.SetRow(i % 14);
    form->boldCheck.SetChecked(i % 2 == 0);
    form->underlineCheck.SetChecked(i % 3 == 0);
    // The layout for the screen is applied at every show; the font box and the size
    // field remake the fonts the layout sizes.
    form->Hide();
    form->Show();
    form->fontBox.SetFontName(i % 2 ? "Arial Cyr" : "Arial");
    form->sizeEdit.SetValue(8 + i % 5);
    Click(form->selectButton);
    UpdateWindow(form->Handle());
  }
  form->boldCheck.SetChecked(false);
  form->underlineCheck.SetChecked(false);
  form->fontBox.SetFontName("Arial");
  form->sizeEdit.SetValue(10);
  EXPECT_LE(ui::Font::LiveHandles(), fonts);
  options.reset();
  palette.reset();
  form.reset();
  EXPECT_EQ(ui::Font::LiveHandles(), 0);
}

}  // namespace

namespace {

// The grid draws each cell's text itself, the way the platform's DrawTextA draws it centred
// on one line: the same pixels for every character of the grid and for texts wider than
// the cell, in fonts of the ANSI and of the symbol character set (whose code page differs
// from the ANSI one).
struct CellTextCase {
  const char* font;
  int height;
};

class CellText : public testing::TestWithParam<CellTextCase> {};

std::vector<std::uint32_t> Pixels(HDC dc, HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<std::uint32_t> pixels(static_cast<size_t>(width * height));
  GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  return pixels;
}

TEST_P(CellText, DrawsThePixelsOfDrawText) {
  constexpr int kCell = 42;  // the large layout's cell, its text rect 2 pixels inside
  std::vector<std::string> texts;
  for (int code = 32; code < 256; ++code) texts.emplace_back(1, static_cast<char>(code));
  texts.insert(texts.end(), {"WWWWW", "&A", "a\tb", "\xC4\xD6\xDC"});
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, kCell, kCell);
  ReleaseDC(nullptr, screen);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HFONT font = CreateFontA(GetParam().height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                           GetParam().font);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0x80));
  const RECT all{0, 0, kCell, kCell};
  const RECT text{2, 2, kCell - 2, kCell - 2};
  auto draw = [&](const std::string& s, bool platform) {
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT r = text;
    if (platform)
      DrawTextA(dc, s.c_str(), static_cast<int>(s.size()), &r,
                DT_CENTER | DT_TOP | DT_NOPREFIX | DT_SINGLELINE);
    else
      DrawCellText(dc, s, r);
    GdiFlush();
    return Pixels(dc, bitmap, kCell, kCell);
  };
  int inked = 0;
  for (const std::string& s : texts) {
    const auto expected = draw(s, true), drawn = draw(s, false);
    int differing = 0;
    for (size_t i = 0; i < expected.size(); ++i) differing += drawn[i] != expected[i];
    EXPECT_EQ(differing, 0) << GetParam().font << ", text starting with code " << (s[0] & 0xFF) << ", length "
                            << s.size();
    for (std::uint32_t p : expected) inked += (p & 0xFFFFFF) != 0xFFFFFF;
  }
  EXPECT_GT(inked, 0);  // the font drew something: the comparison compared glyphs
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(font);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

INSTANTIATE_TEST_SUITE_P(Fonts, CellText,
                         testing::Values(CellTextCase{"Arial", -21}, CellTextCase{"Symbol", -21},
                                         CellTextCase{"Wingdings", -21}, CellTextCase{"MS Sans Serif", -11},
                                         CellTextCase{"Courier New", -40}));

}  // namespace
