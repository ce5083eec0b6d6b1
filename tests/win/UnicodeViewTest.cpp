// screens: 1024x768+unicode 800x600@120+unicode 1200x900@144+unicode 1120x840@168+unicode
// The grid's Unicode view in process, with Symbola and GNU Unifont in the prefix: the page
// as it was, keys and wheel through the whole view, every block of the list, finds beyond
// the page, a character above U+FFFF drawn as one glyph, the screen reader's cells, a
// scroll drawn as a full repaint draws, the 16 columns and the bar inside the window at
// every scaling.
// Expected names and blocks come from Debian's Unicode files, what a font draws from the
// platform's own GetFontUnicodeRanges.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "fontbox/FontCharMap.h"
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

// The screen the design's pixel sizes were given for: the large layout at 100 %.
bool LargeLayoutAt100() { return GetSystemMetrics(SM_CXSCREEN) == 1024 && ui::SystemDpi() == 96; }

class UnicodeView : public testing_support::MainWindowTest {
 protected:
  void UseFont(const char* name) {
    // Unifont has CFF outlines: it enumerates as a device font, listed under "ANSI only".
    if (std::string(name) == "Unifont") {
      form->fontFilterGroup.SetItemIndex(1);
      Settle();
    }
    form->fontBox.SetFontName(name);
    ASSERT_EQ(form->fontBox.FontName(), name) << "the prefix lacks the font";
    Settle();
  }
  bool HasScrollBar() const { return (GetWindowLongA(form->grid.Handle(), GWL_STYLE) & WS_VSCROLL) != 0; }
  bool Shows(char32_t cp) {
    return WaitUntil([&] { return form->codeLabel.Text() == CodeOf(cp); });
  }
  // The row under the preview: "Key:", the code, the key and the HTML text side by side,
  // none over another, each as wide as its text.
  void ExpectDescriptionRowReadable(const std::string& what) {
    std::vector<RECT> placed;
    for (ui::Label* label : {&form->keyCaption, &form->codeLabel, &form->keyLabel, &form->entityLabel}) {
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
};

TEST_F(UnicodeView, ThePageStaysAsItWasWithoutScrollBarOrBlocksUntilAsked) {
  CharGrid& grid = form->grid;
  EXPECT_FALSE(form->InUnicodeView());
  EXPECT_FALSE(HasScrollBar());
  // The large layout's cells, 42 pixels with their one-pixel lines.
  if (LargeLayoutAt100()) {
    const RECT first = grid.CellRect(0, 0), last = grid.CellRect(15, 13);
    EXPECT_EQ(first.right - first.left, 42);
    EXPECT_EQ(last.right, 15 * 43 + 42);
    EXPECT_EQ(last.bottom, 13 * 43 + 42);
  }
  // Nothing of the Unicode tables at start-up: the list holds the page and the recently
  // used characters alone.
  ASSERT_EQ(form->viewBox.Count(), 2);
  EXPECT_EQ(form->viewBox.Item(0), "Windows-1252");
  EXPECT_EQ(form->viewBox.Item(1), "Recently used");
  EXPECT_EQ(form->viewBox.ItemIndex(), 0);

  // The name shows in the page too, and the code point is the byte read as Windows-1252.
  for (int code = 32; code < 256; ++code) {
    grid.SelectCellAt((code - 32) % 16, (code - 32) / 16);
    const char byte = static_cast<char>(code);
    wchar_t wide = 0;
    MultiByteToWideChar(1252, 0, &byte, 1, &wide, 1);
    ASSERT_EQ(form->SelectedCodePoint(), static_cast<char32_t>(wide)) << code;
    if (code == 65 || code == 128 || code == 255) {
      EXPECT_EQ(form->nameLabel.Text(), NameInUnicodeData(wide)) << code;
    }
  }
}

TEST_F(UnicodeView, KeysAndWheelMoveThroughTheWholeView) {
  const std::vector<char32_t> rows = RowsByPlatform(form->grid.GetFont().Handle());
  ASSERT_GT(rows.size(), 30u);
  const RECT pageCell = form->grid.CellRect(0, 0);
  Choose(2);  // the first block
  ASSERT_TRUE(form->InUnicodeView());
  CharGrid& grid = form->grid;
  EXPECT_TRUE(HasScrollBar());
  EXPECT_EQ(grid.TotalRows(), static_cast<int>(rows.size()));
  // One pixel narrower, the bar beside the 16 columns.
  const RECT cell = grid.CellRect(15, grid.TopRow());
  EXPECT_LE(cell.right - cell.left, pageCell.right - pageCell.left - 1);
  if (LargeLayoutAt100()) {
    EXPECT_EQ(cell.right - cell.left, 41);
  }
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
  EXPECT_EQ(form->viewBox.Item(form->viewBox.ItemIndex()), topBlock);
  Keys({VK_DOWN});
  EXPECT_TRUE(InputHandled());
  EXPECT_EQ(form->codeLabel.Text(), CodeOf(rows.back() + 15));  // the end holds

  // The wheel scrolls the view by the system's lines and leaves the selection.
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  Keys({VK_HOME}, {VK_CONTROL});
  ASSERT_TRUE(Shows(rows.front()));
  SendMessageA(grid.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_EQ(grid.TopRow(), static_cast<int>(lines));
  SendMessageA(grid.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(grid.TopRow(), 0);
  EXPECT_EQ(form->codeLabel.Text(), CodeOf(rows.front()));
  // The scroll bar moves the view as well.
  SendMessageA(grid.Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(grid.TopRow(), 14);
  SendMessageA(grid.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(grid.TopRow(), static_cast<int>(rows.size()) - 14);
}

TEST_F(UnicodeView, EveryBlockOfTheListIsReachedByChoosingIt) {
  const std::vector<char32_t> rows = RowsByPlatform(form->grid.GetFont().Handle());
  std::vector<FileBlock> covered;
  for (const FileBlock& b : BlocksInFile()) {
    const auto it = std::lower_bound(rows.begin(), rows.end(), b.first);
    if (it != rows.end() && *it <= b.last) covered.push_back(b);
  }
  ASSERT_GT(covered.size(), 10u);
  const RECT pageCell = form->grid.CellRect(0, 0);
  form->viewBox.SetFocus();
  Settle();
  BlockComboBox& box = form->viewBox;
  ASSERT_EQ(box.Count(), static_cast<int>(covered.size()) + 2);
  for (size_t i = 0; i < covered.size(); ++i) {
    const FileBlock& block = covered[i];
    ASSERT_EQ(box.Item(static_cast<int>(i) + 2), block.name);
    Choose(static_cast<int>(i) + 2);
    ASSERT_TRUE(form->InUnicodeView()) << block.name;
    const char32_t selected = form->SelectedCodePoint();
    EXPECT_TRUE(selected >= block.first && selected <= block.last) << block.name;
    // On top, unless the view ends first; in sight either way.
    const CharGrid& grid = form->grid;
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
  EXPECT_EQ(form->grid.CellRect(0, 0).right, pageCell.right);
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
    EXPECT_EQ(form->entityLabel.Text(), c.html) << c.query;
    EXPECT_EQ(form->nameLabel.Text(), NameInUnicodeData(c.cp)) << c.query;
    EXPECT_EQ(form->keyLabel.Text(), "") << c.query;
    ExpectDescriptionRowReadable(c.query);
    const int row = form->grid.Row();
    EXPECT_TRUE(row >= form->grid.TopRow() && row < form->grid.TopRow() + 14);
  }
  // A character of the page is found in the page, with its descriptions there.
  Find("e acute");
  ASSERT_TRUE(WaitUntil([&] { return form->codeLabel.Text() == "#0201"; }));
  EXPECT_FALSE(form->InUnicodeView());
  EXPECT_EQ(form->entityLabel.Text(), "&Eacute;");
  EXPECT_EQ(form->nameLabel.Text(), NameInUnicodeData(0xC9));
  ExpectDescriptionRowReadable("e acute");
  // In the Unicode view a character of the page has its key as well ...
  Choose(2);  // the first block
  form->grid.SelectCodePoint(0x40);
  EXPECT_EQ(form->keyLabel.Text(), "STRG+ALT+Q");
  EXPECT_EQ(form->codeLabel.Text(), "U+0040");
  // ... and reads in HTML as in the page, as its copies and drags carry it.
  EXPECT_EQ(form->entityLabel.Text(), "@");
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
  CharGrid& grid = form->grid;
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
  form->viewBox.SetFocus();
  Settle();
  bool emoticons = false;
  for (int i = 0; i < form->viewBox.Count(); ++i) emoticons |= form->viewBox.Item(i) == "Emoticons";
  EXPECT_TRUE(emoticons);
  CharGrid& grid = form->grid;
  grid.SetFocus();
  Keys({VK_HOME}, {VK_CONTROL});
  ASSERT_EQ(grid.TopRow(), 0);
  ASSERT_GT(grid.TotalRows(), 30 * 14 + 14);
  const int reads = FontCharMapReads();
  // Thirty Page Downs as fast as they are typed, each handled before the next: the view has
  // moved thirty pages, and the selection with it.
  std::vector<INPUT> pages(60);
  for (size_t i = 0; i < pages.size(); ++i) {
    pages[i].type = INPUT_KEYBOARD;
    pages[i].ki.wVk = VK_NEXT;
    pages[i].ki.dwFlags = i % 2 ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(static_cast<UINT>(pages.size()), pages.data(), sizeof(INPUT));
  ASSERT_TRUE(InputHandled());
  EXPECT_EQ(grid.TopRow(), 30 * 14);
  EXPECT_EQ(form->codeLabel.Text(), CodeOf(grid.CodePointAt(0, 30 * 14)));
  Keys({VK_HOME}, {VK_CONTROL});
  EXPECT_EQ(grid.TopRow(), 0);
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
    CharGrid& grid = form->grid;
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
    for (int row = grid.TopRow(); row < grid.TopRow() + CharGrid::RowCount; ++row)
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
  ui::Label& name = form->nameLabel;
  ui::ToolTip& tip = form->nameTip;
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
  form->grid.SelectCellAt(('A' - 32) % 16, ('A' - 32) / 16);
  EXPECT_EQ(name.Text(), "LATIN CAPITAL LETTER A");
  EXPECT_EQ(tip.Text(), "");
  form->grid.SelectCellAt((0xC2 - 32) % 16, (0xC2 - 32) / 16);
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
    // The glyphs' side bearings, which the ink leaves out of the extent, grow with the scaling.
    const int bearings = MulDiv(4, GetDeviceCaps(dc, LOGPIXELSX), 96);
    SelectObject(dc, old);
    ReleaseDC(label.Handle(), dc);
    // Right-aligned: the ink ends at the label's right edge and is as wide as the text.
    return right >= width - bearings && right - left + 1 >= size.cx - bearings;
  };
  const std::string query = "rightwards arrow";
  for (size_t typed = 1; typed <= query.size(); ++typed) {
    Find(query.substr(0, typed));
    for (ui::Label* label : {&form->codeLabel, &form->keyLabel, &form->entityLabel})
      EXPECT_TRUE(WaitUntil([&] { return showsItsText(*label); }))
          << "\"" << query.substr(0, typed) << "\": " << label->Text();
  }
  EXPECT_TRUE(Shows(0x2192));
}

// The grid's client area as the window shows it.
std::vector<DWORD> GridPixels(const CharGrid& grid) {
  RECT client;
  GetClientRect(grid.Handle(), &client);
  HDC shown = GetDC(grid.Handle());
  std::vector<DWORD> pixels = Pixels(shown, client.right, client.bottom);
  ReleaseDC(grid.Handle(), shown);
  return pixels;
}

TEST_F(UnicodeView, EveryScrollLeavesTheGridAsAFullRepaintDrawsIt) {
  // Unifont's tall glyphs reach the tops of their cells, and the grid's lines run through
  // every row: a band left unpainted shows in both.
  UseFont("Unifont");
  Choose(2);  // the first block
  ASSERT_TRUE(form->InUnicodeView());
  CharGrid& grid = form->grid;
  grid.SetFocus();
  Keys({VK_HOME}, {VK_CONTROL});
  RECT client;
  GetClientRect(grid.Handle(), &client);
  const int width = client.right;
  const HWND window = grid.Handle();
  auto wheel = [&](int notches) {
    SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, notches * WHEEL_DELTA), 0);
  };
  auto bar = [&](WORD request) { SendMessageA(window, WM_VSCROLL, request, 0); };
  const struct {
    const char* what;
    std::function<void()> act;
  } scrolls[] = {
      {"a wheel notch down", [&] { wheel(-1); }},
      {"another notch down", [&] { wheel(-1); }},
      {"a wheel notch up", [&] { wheel(1); }},
      {"the bar's line down", [&] { bar(SB_LINEDOWN); }},
      {"the bar's line up", [&] { bar(SB_LINEUP); }},
      {"Down across the bottom edge",
       [&] {
         grid.SelectCellAt(3, grid.TopRow() + CharGrid::RowCount - 1);
         UpdateWindow(window);
         Keys({VK_DOWN});
       }},
      {"Up across the top edge",
       [&] {
         grid.SelectCellAt(5, grid.TopRow());
         UpdateWindow(window);
         Keys({VK_UP});
       }},
      {"a page down", [&] { Keys({VK_NEXT}); }},
      {"two notches down at once", [&] { wheel(-2); }},
  };
  for (const auto& scroll : scrolls) {
    const int top = grid.TopRow();
    scroll.act();
    ASSERT_TRUE(Settle());
    ASSERT_NE(grid.TopRow(), top) << scroll.what;
    UpdateWindow(window);
    const std::vector<DWORD> scrolled = GridPixels(grid);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const std::vector<DWORD> repainted = GridPixels(grid);
    ASSERT_EQ(scrolled.size(), repainted.size());
    int differ = 0, firstX = -1, firstY = -1;
    for (size_t i = 0; i < scrolled.size(); ++i)
      if (scrolled[i] != repainted[i] && differ++ == 0)
        firstX = static_cast<int>(i) % width, firstY = static_cast<int>(i) / width;
    EXPECT_EQ(differ, 0) << scroll.what << ": first at " << firstX << "," << firstY;
  }
}

// The vertical and horizontal grid lines that a grid's window shows: the columns (rows) of
// the client area that hold the line colour through most of its height (width).
struct ShownLines {
  std::vector<int> vertical, horizontal;
};

ShownLines LinesShown(const CharGrid& grid) {
  RECT client;
  GetClientRect(grid.Handle(), &client);
  const std::vector<DWORD> pixels = GridPixels(grid);
  const DWORD line = 0xC0C0C0;
  auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y * client.right + x)]; };
  ShownLines lines;
  for (int x = 0; x < client.right; ++x) {
    bool all = true;
    for (int y = 0; y < client.bottom * 3 / 4 && all; ++y) all = at(x, y) == line;
    if (all) lines.vertical.push_back(x);
  }
  for (int y = 0; y < client.bottom; ++y) {
    bool all = true;
    for (int x = 0; x < client.right * 3 / 4 && all; ++x) all = at(x, y) == line;
    if (all) lines.horizontal.push_back(y);
  }
  return lines;
}

TEST_F(UnicodeView, SixteenColumnsAndTheScrollBarFitInEveryLayoutTheScreenHolds) {
  CharGrid& grid = form->grid;
  RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  int checked = 0;
  // The layout the program chose for this screen first, then every other that the screen
  // holds whole (the design layout is the one the window is made with).
  const ScreenLayout chosen =
      LayoutForScreenWidth(ui::Unscale(GetSystemMetrics(SM_CXSCREEN), ui::SystemDpi()));
  std::vector<ScreenLayout> layouts{chosen};
  for (ScreenLayout other : {ScreenLayout::Small, ScreenLayout::Large})
    if (other != chosen) layouts.push_back(other);
  for (ScreenLayout layout : layouts) {
    SCOPED_TRACE(static_cast<int>(layout));
    if (layout != chosen) form->ApplyLayout(layout);
    RECT window;
    GetWindowRect(form->Handle(), &window);
    RECT inside;
    IntersectRect(&inside, &window, &screen);
    if (!EqualRect(&inside, &window)) continue;
    ++checked;
    for (bool unicode : {false, true}) {
      SCOPED_TRACE(unicode ? "Unicode view" : "page");
      Choose(unicode ? 2 : 0);  // the first block, or the page
      ASSERT_EQ(form->InUnicodeView(), unicode);
      RedrawWindow(grid.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
      const ShownLines lines = LinesShown(grid);
      // A line right of each of the 16 cells and below each of the 14, inside the client
      // area, the cells between them all of one width.
      ASSERT_EQ(lines.vertical.size(), 16u);
      ASSERT_EQ(lines.horizontal.size(), 14u);
      const int pitch = lines.vertical[1] - lines.vertical[0];
      EXPECT_GT(pitch, 10);
      for (size_t i = 1; i < lines.vertical.size(); ++i)
        EXPECT_EQ(lines.vertical[i] - lines.vertical[i - 1], pitch) << i;
      EXPECT_EQ(lines.vertical[0] + 1, pitch);  // the first cell starts at the left edge
      // The grid, its bar included, within the window's client area and left of the panel.
      RECT gridRect, panelRect, formClient;
      GetWindowRect(grid.Handle(), &gridRect);
      GetWindowRect(form->panel.Handle(), &panelRect);
      GetClientRect(form->Handle(), &formClient);
      MapWindowPoints(form->Handle(), nullptr, reinterpret_cast<POINT*>(&formClient), 2);
      EXPECT_LE(gridRect.right, panelRect.left);
      EXPECT_LE(gridRect.bottom, formClient.bottom);
      EXPECT_GE(gridRect.left, formClient.left);
      SCROLLBARINFO bar{};
      bar.cbSize = sizeof bar;
      const bool hasBar = GetScrollBarInfo(grid.Handle(), OBJID_VSCROLL, &bar) &&
                          !(bar.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN));
      EXPECT_EQ(hasBar, unicode);
      if (hasBar) {
        RECT cellsOnScreen{0, 0, lines.vertical.back() + 1, lines.horizontal.back() + 1};
        MapWindowPoints(grid.Handle(), nullptr, reinterpret_cast<POINT*>(&cellsOnScreen), 2);
        EXPECT_LE(cellsOnScreen.right, bar.rcScrollBar.left);
        EXPECT_LE(bar.rcScrollBar.right, gridRect.right);
        EXPECT_GT(bar.rcScrollBar.right - bar.rcScrollBar.left, 0);
      }
    }
  }
  EXPECT_GE(checked, 1);
}

TEST_F(UnicodeView, TheListShowsNoBlockForATopRowOutsideEveryBlock) {
  // Unifont draws a row that no block holds: its row in the view, from the platform's list of
  // the font's characters and the Unicode files.
  UseFont("Unifont");
  const std::vector<char32_t> rows = RowsByPlatform(form->grid.GetFont().Handle());
  const std::vector<FileBlock> blocks = BlocksInFile();
  auto blockOf = [&](char32_t row) {
    for (const FileBlock& b : blocks)
      if (row >= b.first && row <= b.last) return b.name;
    return std::string();
  };
  size_t outside = 1;
  while (outside < rows.size() && !blockOf(rows[outside]).empty()) ++outside;
  ASSERT_LT(outside, rows.size() - 15) << "the font draws no row outside every block";
  Choose(2);  // the first block
  CharGrid& grid = form->grid;
  BlockComboBox& box = form->viewBox;
  grid.SetTopRow(static_cast<int>(outside) - 1);
  Settle();
  EXPECT_EQ(box.Item(box.ItemIndex()), blockOf(rows[outside - 1]));
  // A line down puts the row outside every block on top, the next one a block again.
  SendMessageA(grid.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  ASSERT_EQ(grid.CodePointAt(0, grid.TopRow()), rows[outside]);
  EXPECT_EQ(box.ItemIndex(), -1) << box.Item(box.ItemIndex());
  SendMessageA(grid.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(box.Item(box.ItemIndex()), blockOf(rows[outside + 1]));
}

// A copy of a font file that names itself the bold face of another family: its family,
// style and full names rewritten in place (each no longer than the name it replaces), its
// weight and style bits set to bold. Wine then takes it as that family's bold face.
bool WriteAsBoldFaceOf(const std::string& source, const std::string& target, const std::wstring& family) {
  std::ifstream in(source, std::ios::binary);
  std::vector<unsigned char> font((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (font.size() < 12) return false;
  auto u16 = [&](size_t at) { return static_cast<unsigned>(font[at] << 8 | font[at + 1]); };
  auto u32 = [&](size_t at) { return u16(at) << 16 | u16(at + 2); };
  auto put16 = [&](size_t at, unsigned v) {
    font[at] = static_cast<unsigned char>(v >> 8);
    font[at + 1] = static_cast<unsigned char>(v);
  };
  std::map<std::string, size_t> tables;
  for (unsigned i = 0; i < u16(4); ++i) {
    const size_t record = 12 + 16 * i;
    tables[std::string(font.begin() + static_cast<long>(record),
                       font.begin() + static_cast<long>(record) + 4)] = u32(record + 8);
  }
  if (!tables.count("name") || !tables.count("OS/2") || !tables.count("head")) return false;
  const size_t name = tables["name"], strings = name + u16(name + 4);
  const std::map<unsigned, std::wstring> names{
      {1, family}, {2, L"Bold"}, {4, family + L" Bold"}, {16, family}, {17, L"Bold"}};
  for (unsigned i = 0; i < u16(name + 2); ++i) {
    const size_t record = name + 6 + 12 * i;
    const auto it = names.find(u16(record + 6));
    if (it == names.end() || u16(record) != 3) continue;
    if (it->second.size() * 2 > u16(record + 8)) return false;
    const size_t at = strings + u16(record + 10);
    for (size_t c = 0; c < it->second.size(); ++c) put16(at + 2 * c, it->second[c]);
    put16(record + 8, static_cast<unsigned>(it->second.size() * 2));
  }
  const size_t os2 = tables["OS/2"], head = tables["head"];
  put16(os2 + 4, 700);                               // usWeightClass
  put16(os2 + 62, (u16(os2 + 62) | 0x20) & ~0x40u);  // fsSelection: bold, not regular
  put16(head + 44, u16(head + 44) | 1);              // macStyle: bold
  std::ofstream out(target, std::ios::binary);
  out.write(reinterpret_cast<const char*>(font.data()), static_cast<std::streamsize>(font.size()));
  return out.good();
}

TEST_F(UnicodeView, TheListOfBlocksFollowsTheFaceNotTheName) {
  // Unifont's bold face here is Unifont Upper renamed: it draws the planes above the
  // first, where the regular face draws the first alone.
  char windows[MAX_PATH], temp[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  GetTempPathA(MAX_PATH, temp);
  const std::string bold = std::string(temp) + "unifont_bold_face.otf";
  ASSERT_TRUE(WriteAsBoldFaceOf(std::string(windows) + "\\Fonts\\unifont_upper.otf", bold, L"Unifont"));
  ASSERT_GT(AddFontResourceExA(bold.c_str(), FR_PRIVATE, nullptr), 0);
  UseFont("Unifont");
  Choose(2);  // the first block
  BlockComboBox& box = form->viewBox;
  const std::vector<FileBlock> blocks = BlocksInFile();
  auto firstOf = [&](const std::string& item) {
    for (const FileBlock& b : blocks)
      if (b.name == item) return b.first;
    return char32_t{0xFFFFFFFF};
  };
  auto blocksAbovePlane0 = [&] {
    int above = 0, below = 0;
    for (int i = 1; i < box.Count(); ++i) (firstOf(box.Item(i)) >= 0x10000 ? above : below)++;
    return std::pair{above, below};
  };
  box.SetFocus();
  Settle();
  const auto [regularAbove, regularBelow] = blocksAbovePlane0();
  EXPECT_LE(regularAbove, 2);
  EXPECT_GT(regularBelow, 50);

  form->boldCheck.SetChecked(true);
  Settle();
  ASSERT_TRUE(form->InUnicodeView());
  box.SetFocus();
  Settle();
  const auto [boldAbove, boldBelow] = blocksAbovePlane0();
  EXPECT_GT(boldAbove, 20);
  EXPECT_LE(boldBelow, 1);  // the space, in Basic Latin
  // The list shows the block of the top row of the bold face's view.
  const CharGrid& grid = form->grid;
  const char32_t top = grid.CodePointAt(0, grid.TopRow());
  ASSERT_GE(box.ItemIndex(), 1);
  const FileBlock* shown = nullptr;
  for (const FileBlock& b : blocks)
    if (b.name == box.Item(box.ItemIndex())) shown = &b;
  ASSERT_TRUE(shown);
  EXPECT_TRUE(top >= shown->first && top <= shown->last) << std::hex << static_cast<unsigned>(top);

  form->boldCheck.SetChecked(false);
  Settle();
  RemoveFontResourceExA(bold.c_str(), FR_PRIVATE, nullptr);
  DeleteFileA(bold.c_str());
}
