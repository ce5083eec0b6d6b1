// screens: 1024x768+unicode
// The grid's Unicode view in process, with Symbola and GNU Unifont in the prefix: the page
// as it was, keys and wheel through the whole view, every block of the list, finds beyond
// the page, a character above U+FFFF drawn as one glyph, the screen reader's cells.
// Expected names and blocks come from Debian's Unicode files, what a font draws from the
// platform's own GetFontUnicodeRanges.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "main/FontCharMap.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/TestSupport.h"

using namespace tessarin;

namespace {

// The Unicode files as this machine has them (Z: is the root of the host under Wine).
std::vector<std::string> Lines(const char* path) {
  std::ifstream in(std::string("Z:") + path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string NameInUnicodeData(char32_t cp) {
  static const std::map<char32_t, std::string> names = [] {
    std::map<char32_t, std::string> m;
    for (const std::string& line : Lines("/usr/share/unicode/UnicodeData.txt")) {
      const size_t semi = line.find(';');
      if (semi == std::string::npos) continue;
      const size_t end = line.find(';', semi + 1);
      m[static_cast<char32_t>(std::stoul(line.substr(0, semi), nullptr, 16))] =
          line.substr(semi + 1, end - semi - 1);
    }
    return m;
  }();
  const auto it = names.find(cp);
  return it == names.end() ? std::string() : it->second;
}

struct FileBlock {
  char32_t first, last;
  std::string name;
};

std::vector<FileBlock> BlocksInFile() {
  std::vector<FileBlock> blocks;
  for (const std::string& line : Lines("/usr/share/unicode/Blocks.txt")) {
    unsigned first = 0, last = 0;
    char name[128] = {};
    if (line.empty() || line[0] == '#') continue;
    if (std::sscanf(line.c_str(), "%x..%x; %127[^\r\n]", &first, &last, name) == 3)
      blocks.push_back({first, last, name});
  }
  return blocks;
}

std::string CodeOf(char32_t cp) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(cp));
  return text;
}

// The rows of 16 that hold a character of a font, as the platform reports its glyphs
// (the Basic Multilingual Plane only, which is all that the design font, Arial, has here).
std::vector<char32_t> RowsByPlatform(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  std::vector<char> buffer(GetFontUnicodeRanges(dc, nullptr));
  auto* set = reinterpret_cast<GLYPHSET*>(buffer.data());
  GetFontUnicodeRanges(dc, set);
  std::vector<char32_t> rows;
  for (DWORD i = 0; i < set->cRanges; ++i) {
    const char32_t first = set->ranges[i].wcLow, last = first + set->ranges[i].cGlyphs - 1;
    for (char32_t row = first & ~0xFu; row <= last; row += 16)
      if (rows.empty() || rows.back() != row) rows.push_back(row);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

class UnicodeView : public testing_support::MainWindowTest {
 protected:
  void UseFont(const char* name) {
    form->FontComboBox1.SetFontName(name);
    ASSERT_EQ(form->FontComboBox1.FontName(), name) << "the prefix lacks the font";
    Settle();
  }
  // A choice in the list of blocks, as the control reports it to its parent.
  void Choose(int index) {
    TBlockComboBox& box = form->BlockComboBox1;
    box.SetFocus();  // the list is filled as it is entered
    SendMessageW(box.Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(box.Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box.Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box.Handle()));
    Settle();
  }
  bool HasScrollBar() const {
    return (GetWindowLongA(form->StringAlignGrid1.Handle(), GWL_STYLE) & WS_VSCROLL) != 0;
  }
  bool Shows(char32_t cp) {
    return WaitUntil([&] { return form->num.Text() == CodeOf(cp); });
  }
  // The row under the preview: "Key:", the code, the key and the HTML text side by side,
  // none over another, each as wide as its text.
  void ExpectDescriptionRowReadable(const std::string& what) {
    std::vector<RECT> placed;
    for (ui::Label* label : {&form->Label3, &form->num, &form->Tast, &form->html_char}) {
      const std::string text = label->Text();
      if (text.empty()) continue;
      const RECT r = label->BoundsRect();
      HDC dc = GetDC(label->Handle());
      HGDIOBJ old = SelectObject(dc, label->GetFont().Handle());
      SIZE size{};
      GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
      SelectObject(dc, old);
      ReleaseDC(label->Handle(), dc);
      EXPECT_GE(r.right - r.left, size.cx) << what << ": " << text;
      for (const RECT& other : placed) {
        RECT both;
        EXPECT_FALSE(IntersectRect(&both, &r, &other)) << what << ": " << text;
      }
      placed.push_back(r);
    }
  }
  void Find(const std::string& query) {
    if (!form->FindField1.IsOpen()) {
      form->StringAlignGrid1.SetFocus();
      Keys({'F'}, {VK_CONTROL});
      ASSERT_TRUE(WaitUntil([&] { return form->FindField1.IsOpen(); }));
    }
    form->FindField1.SetText(query);
    Settle();
  }
};

TEST_F(UnicodeView, ThePageStaysAsItWasWithoutScrollBarOrBlocksUntilAsked) {
  TStringAlignGrid& grid = form->StringAlignGrid1;
  EXPECT_FALSE(form->InUnicodeView());
  EXPECT_FALSE(HasScrollBar());
  // The large layout's cells, 42 pixels with their one-pixel lines.
  const RECT first = grid.CellRect(0, 0), last = grid.CellRect(15, 13);
  EXPECT_EQ(first.right - first.left, 42);
  EXPECT_EQ(last.right, 15 * 43 + 42);
  EXPECT_EQ(last.bottom, 13 * 43 + 42);
  // Nothing of the Unicode tables at start-up: the list holds the page and the recently
  // used characters alone.
  ASSERT_EQ(form->BlockComboBox1.Count(), 2);
  EXPECT_EQ(form->BlockComboBox1.Item(0), "Windows-1252");
  EXPECT_EQ(form->BlockComboBox1.Item(1), "Recently used");
  EXPECT_EQ(form->BlockComboBox1.ItemIndex(), 0);

  // The name shows in the page too, and the code point is the byte read as Windows-1252.
  for (int code = 32; code < 256; ++code) {
    grid.SelectCellAt((code - 32) % 16, (code - 32) / 16);
    const char byte = static_cast<char>(code);
    wchar_t wide = 0;
    MultiByteToWideChar(1252, 0, &byte, 1, &wide, 1);
    ASSERT_EQ(form->SelectedCodePoint(), static_cast<char32_t>(wide)) << code;
    if (code == 65 || code == 128 || code == 255) {
      EXPECT_EQ(form->char_name.Text(), NameInUnicodeData(wide)) << code;
    }
  }
}

TEST_F(UnicodeView, KeysAndWheelMoveThroughTheWholeView) {
  const std::vector<char32_t> rows = RowsByPlatform(form->StringAlignGrid1.GetFont().Handle());
  ASSERT_GT(rows.size(), 30u);
  Choose(2);  // the first block
  ASSERT_TRUE(form->InUnicodeView());
  TStringAlignGrid& grid = form->StringAlignGrid1;
  EXPECT_TRUE(HasScrollBar());
  EXPECT_EQ(grid.TotalRows(), static_cast<int>(rows.size()));
  // One pixel narrower, the bar beside the 16 columns.
  const RECT cell = grid.CellRect(15, grid.TopRow());
  EXPECT_EQ(cell.right - cell.left, 41);
  RECT client;
  GetClientRect(grid.Handle(), &client);
  EXPECT_LE(cell.right + 1, client.right);

  grid.SetFocus();
  Keys({VK_HOME}, {VK_CONTROL});
  ASSERT_TRUE(Shows(rows.front()));
  EXPECT_EQ(grid.TopRow(), 0);
  const struct {
    WORD key;
    size_t row;
    char32_t col;
  } steps[] = {{VK_RIGHT, 0, 1},  {VK_DOWN, 1, 1}, {VK_NEXT, 15, 1}, {VK_NEXT, 29, 1},
               {VK_PRIOR, 15, 1}, {VK_UP, 14, 1},  {VK_END, 14, 15}, {VK_LEFT, 14, 14}};
  for (const auto& step : steps) {
    Keys({step.key});
    ASSERT_TRUE(Shows(rows[step.row] + step.col)) << step.key;
    EXPECT_GE(static_cast<int>(step.row), grid.TopRow());
    EXPECT_LT(static_cast<int>(step.row), grid.TopRow() + 14);
  }
  Keys({VK_END}, {VK_CONTROL});
  ASSERT_TRUE(Shows(rows.back() + 15));
  EXPECT_EQ(grid.TopRow(), static_cast<int>(rows.size()) - 14);
  // The list shows the block of the top row.
  const std::string topBlock = [&] {
    for (const FileBlock& b : BlocksInFile())
      if (rows[rows.size() - 14] >= b.first && rows[rows.size() - 14] <= b.last) return b.name;
    return std::string();
  }();
  EXPECT_EQ(form->BlockComboBox1.Item(form->BlockComboBox1.ItemIndex()), topBlock);
  Keys({VK_DOWN});
  EXPECT_TRUE(InputHandled());
  EXPECT_EQ(form->num.Text(), CodeOf(rows.back() + 15));  // the end holds

  // The wheel scrolls the view by the system's lines and leaves the selection.
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  Keys({VK_HOME}, {VK_CONTROL});
  ASSERT_TRUE(Shows(rows.front()));
  SendMessageA(grid.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_EQ(grid.TopRow(), static_cast<int>(lines));
  SendMessageA(grid.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(grid.TopRow(), 0);
  EXPECT_EQ(form->num.Text(), CodeOf(rows.front()));
  // The scroll bar moves the view as well.
  SendMessageA(grid.Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(grid.TopRow(), 14);
  SendMessageA(grid.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(grid.TopRow(), static_cast<int>(rows.size()) - 14);
}

TEST_F(UnicodeView, EveryBlockOfTheListIsReachedByChoosingIt) {
  const std::vector<char32_t> rows = RowsByPlatform(form->StringAlignGrid1.GetFont().Handle());
  std::vector<FileBlock> covered;
  for (const FileBlock& b : BlocksInFile()) {
    const auto it = std::lower_bound(rows.begin(), rows.end(), b.first);
    if (it != rows.end() && *it <= b.last) covered.push_back(b);
  }
  ASSERT_GT(covered.size(), 10u);
  form->BlockComboBox1.SetFocus();
  Settle();
  TBlockComboBox& box = form->BlockComboBox1;
  ASSERT_EQ(box.Count(), static_cast<int>(covered.size()) + 2);
  for (size_t i = 0; i < covered.size(); ++i) {
    const FileBlock& block = covered[i];
    ASSERT_EQ(box.Item(static_cast<int>(i) + 2), block.name);
    Choose(static_cast<int>(i) + 2);
    ASSERT_TRUE(form->InUnicodeView()) << block.name;
    const char32_t selected = form->SelectedCodePoint();
    EXPECT_TRUE(selected >= block.first && selected <= block.last) << block.name;
    // On top, unless the view ends first; in sight either way.
    const TStringAlignGrid& grid = form->StringAlignGrid1;
    const char32_t top = grid.CodePointAt(0, grid.TopRow());
    EXPECT_TRUE((top >= block.first && top <= block.last) || grid.TopRow() == grid.TotalRows() - 14)
        << block.name;
    EXPECT_TRUE(grid.Row() >= grid.TopRow() && grid.Row() < grid.TopRow() + 14) << block.name;
    EXPECT_EQ(box.ItemIndex(), static_cast<int>(i) + 2) << block.name;
  }
  // "Windows-1252" goes back to the page, as it was.
  Choose(0);
  EXPECT_FALSE(form->InUnicodeView());
  EXPECT_FALSE(HasScrollBar());
  EXPECT_EQ(form->StringAlignGrid1.CellRect(0, 0).right, 42);
}

TEST_F(UnicodeView, FindsBeyondThePageByNameKeywordOrCodeAndStaysInThePageForItsOwn) {
  UseFont("Symbola");
  const struct {
    const char* query;
    char32_t cp;
    const char* html;
  } cases[] = {
      {"rightwards arrow", 0x2192, "&rarr;"},  {"Pfeil nach rechts", 0x2192, "&rarr;"},
      {"grinning face", 0x1F600, "&#128512;"}, {"U+221A", 0x221A, "&radic;"},
      {"&#x2713;", 0x2713, "&#10003;"},        {"U+1F6B2", 0x1F6B2, "&#128690;"},
  };
  for (const auto& c : cases) {
    Find(c.query);
    ASSERT_TRUE(Shows(c.cp)) << c.query;
    EXPECT_TRUE(form->InUnicodeView()) << c.query;
    EXPECT_EQ(form->html_char.Text(), c.html) << c.query;
    EXPECT_EQ(form->char_name.Text(), NameInUnicodeData(c.cp)) << c.query;
    EXPECT_EQ(form->Tast.Text(), "") << c.query;
    ExpectDescriptionRowReadable(c.query);
    const int row = form->StringAlignGrid1.Row();
    EXPECT_TRUE(row >= form->StringAlignGrid1.TopRow() && row < form->StringAlignGrid1.TopRow() + 14);
  }
  // A character of the page is found in the page, with its descriptions there.
  Find("e acute");
  ASSERT_TRUE(WaitUntil([&] { return form->num.Text() == "#0201"; }));
  EXPECT_FALSE(form->InUnicodeView());
  EXPECT_EQ(form->html_char.Text(), "&Eacute;");
  EXPECT_EQ(form->char_name.Text(), NameInUnicodeData(0xC9));
  ExpectDescriptionRowReadable("e acute");
  // In the Unicode view a character of the page has its key as well ...
  Choose(2);  // the first block
  form->StringAlignGrid1.SelectCodePoint(0x40);
  EXPECT_EQ(form->Tast.Text(), "STRG+ALT+Q");
  EXPECT_EQ(form->num.Text(), "U+0040");
  // ... and reads in HTML as in the page, as its copies and drags carry it.
  EXPECT_EQ(form->html_char.Text(), "@");
  ExpectDescriptionRowReadable("@");
}

// The pixels of a grid cell as the grid has drawn them into its window.
std::vector<COLORREF> CellPixels(HWND grid, const RECT& r) {
  HDC shown = GetDC(grid);
  HDC dc = CreateCompatibleDC(shown);
  HBITMAP bitmap = CreateCompatibleBitmap(shown, r.right - r.left, r.bottom - r.top);
  HGDIOBJ old = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, shown, r.left, r.top, SRCCOPY);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < r.bottom - r.top; ++y)
    for (int x = 0; x < r.right - r.left; ++x) pixels.push_back(GetPixel(dc, x, y));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(grid, shown);
  return pixels;
}

TEST_F(UnicodeView, ACharacterAboveFFFFIsDrawnAsItsOneGlyph) {
  UseFont("Symbola");
  Find("grinning face");
  ASSERT_TRUE(Shows(0x1F600));
  Keys({VK_ESCAPE});
  TStringAlignGrid& grid = form->StringAlignGrid1;
  // A cell beside it, not current: ink in the grid font's colour on the window colour.
  ASSERT_LT(grid.Col(), 15);
  grid.SelectCellAt(grid.Col() + 1, grid.Row());
  const char32_t face = form->SelectedCodePoint() - 1;
  ASSERT_EQ(face, 0x1F600u);
  RedrawWindow(grid.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const RECT cell = grid.CellRect(grid.Col() - 1, grid.Row());
  const std::vector<COLORREF> pixels = CellPixels(grid.Handle(), cell);
  const int width = cell.right - cell.left;
  int left = width, right = -1, top = 1 << 20, bottom = -1;
  const COLORREF background = GetSysColor(COLOR_WINDOW);
  for (size_t i = 0; i < pixels.size(); ++i) {
    if (pixels[i] == background) continue;
    const int x = static_cast<int>(i) % width, y = static_cast<int>(i) / width;
    left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
    bottom = std::max(bottom, y);
  }
  ASSERT_GE(right, left) << "nothing drawn";
  // The box that stands for a character the font lacks (U+FFFF is none), and the text
  // extent of the surrogate pair: two such boxes side by side.
  HDC dc = GetDC(grid.Handle());
  HGDIOBJ old = SelectObject(dc, grid.GetFont().Handle());
  GLYPHMETRICS box{};
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  const DWORD got = GetGlyphOutlineW(dc, 0xFFFF, GGO_METRICS, &box, 0, nullptr, &identity);
  SIZE pair{};
  GetTextExtentPoint32W(dc, L"\xD83D\xDE00", 2, &pair);
  SelectObject(dc, old);
  ReleaseDC(grid.Handle(), dc);
  ASSERT_NE(got, GDI_ERROR);
  const int inkWidth = right - left + 1, inkHeight = bottom - top + 1;
  EXPECT_FALSE(std::abs(inkWidth - static_cast<int>(box.gmBlackBoxX)) <= 1 &&
               std::abs(inkHeight - static_cast<int>(box.gmBlackBoxY)) <= 1)
      << "a box: " << inkWidth << " x " << inkHeight;
  EXPECT_LT(inkWidth, pair.cx * 3 / 4) << "two glyphs side by side";
  // A face: wider than half its height, ink inside its outline (eyes, mouth).
  EXPECT_GT(inkWidth * 2, inkHeight);
  int inside = 0;
  for (int y = top + inkHeight / 4; y < bottom - inkHeight / 4; ++y)
    for (int x = left + inkWidth / 4; x < right - inkWidth / 4; ++x)
      inside += pixels[static_cast<size_t>(y * width + x)] != background;
  EXPECT_GT(inside, 0);
}

TEST_F(UnicodeView, TheFontIsReadOnceAndTheScreenReaderSeesTheCellsInSight) {
  // Another font while the view shows: the view and the list follow it, the character
  // stays selected where the new font has it.
  Choose(2);  // the first block
  ASSERT_TRUE(form->InUnicodeView());
  const char32_t first = form->SelectedCodePoint();
  UseFont("Symbola");
  ASSERT_TRUE(form->InUnicodeView());
  EXPECT_EQ(form->SelectedCodePoint(), first);
  form->BlockComboBox1.SetFocus();
  Settle();
  bool emoticons = false;
  for (int i = 0; i < form->BlockComboBox1.Count(); ++i)
    emoticons |= form->BlockComboBox1.Item(i) == "Emoticons";
  EXPECT_TRUE(emoticons);
  TStringAlignGrid& grid = form->StringAlignGrid1;
  grid.SetFocus();
  const int reads = FontCharMapReads();
  for (int i = 0; i < 30; ++i) Keys({VK_NEXT});
  Keys({VK_HOME}, {VK_CONTROL});
  EXPECT_EQ(FontCharMapReads(), reads);

  Find("rightwards arrow");
  ASSERT_TRUE(Shows(0x2192));
  HMODULE oleacc = LoadLibraryA("oleacc.dll");
  ASSERT_TRUE(oleacc);
  using Get = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
  auto get =
      reinterpret_cast<Get>(reinterpret_cast<void*>(GetProcAddress(oleacc, "AccessibleObjectFromWindow")));
  IAccessible* acc = nullptr;
  ASSERT_EQ(
      get(grid.Handle(), static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible, reinterpret_cast<void**>(&acc)),
      S_OK);
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = 1 + grid.Col() + 16 * (grid.Row() - grid.TopRow());
  BSTR name = nullptr, value = nullptr;
  ASSERT_EQ(acc->get_accName(child, &name), S_OK);
  ASSERT_EQ(acc->get_accValue(child, &value), S_OK);
  EXPECT_EQ(std::wstring(name), L"\x2192 RIGHTWARDS ARROW");
  EXPECT_EQ(std::wstring(value), L"U+2192");
  VARIANT selected;
  VariantInit(&selected);
  ASSERT_EQ(acc->get_accSelection(&selected), S_OK);
  EXPECT_EQ(selected.lVal, child.lVal);
  SysFreeString(name);
  SysFreeString(value);
  acc->Release();
}

}  // namespace

// The pixels of a DC's rectangle, top row first, as 0x00RRGGBB.
std::vector<DWORD> Pixels(HDC source, int width, int height) {
  HDC dc = CreateCompatibleDC(source);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
  GdiFlush();
  std::vector<DWORD> pixels(static_cast<const DWORD*>(bits),
                            static_cast<const DWORD*>(bits) + width * height);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixels;
}

// The leftmost and rightmost column of a rectangle of pixels that differs from its top-left one.
std::pair<int, int> InkColumns(const std::vector<DWORD>& pixels, int stride, const RECT& r) {
  const DWORD ground = pixels[static_cast<size_t>(r.top * stride + r.left)];
  int left = r.right, right = r.left - 1;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (pixels[static_cast<size_t>(y * stride + x)] != ground)
        left = std::min(left, x), right = std::max(right, x);
  return {left - r.left, right - r.left};
}

TEST_F(UnicodeView, EachCharacterStandsInItsCellWhereTheFontCentresIt) {
  // Proportional glyphs of many widths, some wider than a cell, and a zero-width mark.
  UseFont("Symbola");
  for (const char* query : {"leftwards arrow", "n-ary summation", "combining grave accent"}) {
    SCOPED_TRACE(query);
    Find(query);
    Keys({VK_ESCAPE});
    TStringAlignGrid& grid = form->StringAlignGrid1;
    ASSERT_TRUE(form->InUnicodeView());
    RedrawWindow(grid.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client;
    GetClientRect(grid.Handle(), &client);
    HDC shown = GetDC(grid.Handle());
    const std::vector<DWORD> drawn = Pixels(shown, client.right, client.bottom);
    ReleaseDC(grid.Handle(), shown);
    // Each character again, alone in a bitmap of the grid's size at its cell's place, centred
    // by the platform on its own advance and clipped to the cell.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, grid.GetFont().Handle());
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    std::vector<RECT> cells;
    for (int row = grid.TopRow(); row < grid.TopRow() + TStringAlignGrid::RowCount; ++row)
      for (int col = 0; col < 16; ++col) {
        const char32_t cp = grid.CodePointAt(col, row);
        if (!grid.CharMap()->Has(cp) || (col == grid.Col() && row == grid.Row())) continue;
        const RECT cell = grid.CellRect(col, row);
        const wchar_t unit = static_cast<wchar_t>(cp);
        ExtTextOutW(dc, (cell.left + cell.right) / 2, cell.top + 2, ETO_CLIPPED, &cell, &unit, 1, nullptr);
        cells.push_back(cell);
      }
    const std::vector<DWORD> alone = Pixels(dc, client.right, client.bottom);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ASSERT_GT(cells.size(), 100u);
    for (const RECT& cell : cells) {
      const auto [left, right] = InkColumns(drawn, client.right, cell);
      const auto [aloneLeft, aloneRight] = InkColumns(alone, client.right, cell);
      EXPECT_NEAR(left, aloneLeft, 1) << "cell at " << cell.left << "," << cell.top;
      EXPECT_NEAR(right, aloneRight, 1) << "cell at " << cell.left << "," << cell.top;
    }
  }
}

TEST_F(UnicodeView, ANameTooLongForItsLineShowsWholeInItsTooltip) {
  ui::Label& name = form->char_name;
  ui::ToolTip& tip = form->CharNameTip;
  auto hoverShows = [&](const std::string& expected) {
    RECT r;
    GetWindowRect(name.Handle(), &r);
    testing_support::MoveMouseTo((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    char text[256] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = GetParent(name.Handle());
    tool.uId = reinterpret_cast<UINT_PTR>(name.Handle());
    tool.lpszText = text;
    const bool shown = WaitUntil([&] { return tip.Handle() && IsWindowVisible(tip.Handle()); });
    if (shown) SendMessageA(tip.Handle(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    testing_support::MoveMouseTo(r.left - 40, r.top - 40);
    EXPECT_TRUE(shown) << expected;
    EXPECT_EQ(std::string(text), expected);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(tip.Handle()); }));
  };
  // On the page: a name that fits has no tip; one that does not ends in "..." and has one.
  form->StringAlignGrid1.SelectCellAt(('A' - 32) % 16, ('A' - 32) / 16);
  EXPECT_EQ(name.Text(), "LATIN CAPITAL LETTER A");
  EXPECT_EQ(tip.Text(), "");
  form->StringAlignGrid1.SelectCellAt((0xC2 - 32) % 16, (0xC2 - 32) / 16);
  EXPECT_EQ(name.Text(), NameInUnicodeData(0xC2));
  EXPECT_NE(GetWindowLongA(name.Handle(), GWL_STYLE) & SS_ENDELLIPSIS, 0);
  hoverShows(NameInUnicodeData(0xC2));
  // In the Unicode view, the longest names of a block.
  UseFont("Symbola");
  Find("U+2571");
  ASSERT_TRUE(Shows(0x2571));
  hoverShows(NameInUnicodeData(0x2571));
  Find("U+2192");
  ASSERT_TRUE(Shows(0x2192));
  EXPECT_EQ(tip.Text(), "");
}

TEST_F(UnicodeView, TheDescriptionRowShowsItsTextsOnTheScreenAsAQueryIsTyped) {
  // Each keystroke selects another character, in the page or beyond it: the labels change
  // their texts, widths and places, and what the screen shows must follow.
  auto showsItsText = [](ui::Label& label) {
    const std::string text = label.Text();
    RECT r;
    GetWindowRect(label.Handle(), &r);
    const std::vector<DWORD> pixels = testing_support::ScreenPixels(r);
    const int width = r.right - r.left;
    int left = width, right = -1;
    for (size_t i = 0; i < pixels.size(); ++i)
      if (std::abs(int(pixels[i] & 0xFF) - int(pixels[0] & 0xFF)) > 96) {
        left = std::min(left, static_cast<int>(i) % width);
        right = std::max(right, static_cast<int>(i) % width);
      }
    if (text.empty()) return right < 0;
    HDC dc = GetDC(label.Handle());
    HGDIOBJ old = SelectObject(dc, label.GetFont().Handle());
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(label.Handle(), dc);
    // Right-aligned: the ink ends at the label's right edge and is as wide as the text.
    return right >= width - 4 && right - left + 1 >= size.cx - 4;
  };
  const std::string query = "rightwards arrow";
  for (size_t typed = 1; typed <= query.size(); ++typed) {
    Find(query.substr(0, typed));
    for (ui::Label* label : {&form->num, &form->Tast, &form->html_char})
      EXPECT_TRUE(WaitUntil([&] { return showsItsText(*label); }))
          << "\"" << query.substr(0, typed) << "\": " << label->Text();
  }
  EXPECT_TRUE(Shows(0x2192));
}
