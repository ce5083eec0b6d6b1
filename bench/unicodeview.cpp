// The Unicode view of GNU Unifont: a Page Down against a bare window that draws the same
// page as well as the program does, and the objects left after scrolling from the first row
// to the last and back.
//
//   bench_unicodeview.exe [PATH\Tessarin.exe] [ROUNDS]     (ROUNDS defaults to 61)
//
// Runs in an environment whose prefix holds Unifont (scripts/bench.sh gives it one). The
// main window is created and shown in this process, its grid set to Unifont (an OpenType
// font with CFF outlines, which the font box lists only outside "All Fonts") and switched to
// the Unicode view. A Page Down is WM_KEYDOWN VK_NEXT to the focused grid and every repaint
// it causes in the main window (the grid, its scroll bar, the labels of the selection),
// drawing flushed. The bare window has the grid's size, font and themed vertical scroll bar;
// for each page it moves its bar with SetScrollInfo (which redraws the bar) and paints, on
// WM_PAINT straight into the window, the page's 14 rows with one ExtTextOutW each (the
// row's ground and its glyphs by index, a step array placing them in their cells) and the
// grid's lines. Both draw glyphs that nothing in the process has drawn before (the glyph
// caches would otherwise favour the one that comes second). Rounds alternate between the
// two; the headline is the median of the rounds' ratios.
//
// Then the grid scrolls from the first row to the last by Page Down and back by Page Up,
// twice, and the objects are counted: the GDI objects that the program made through its
// own calls (counted at the program's imports of gdi32, since Wine's GetGuiResources answers
// 0) still alive after one pass and after two, the windows of the thread, the GDI fonts the
// toolkit holds, and the 'cmap' reads.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <vector>

#include "bench/BenchForm.h"
#include "bench/Timing.h"
#include "fontbox/FontCharMap.h"
#include "main/Main.h"
#include "ui/Application.h"
#include "core/unicode/CharMap.h"

using namespace tessarin;

namespace {

constexpr int kDefaultRounds = 61;
constexpr double kGoal = 1.3;
constexpr int kRows = CharGrid::RowCount, kColumns = CharGrid::ColCount;

// What the bare window draws: the glyph indices of one page (0 where the font draws
// nothing), the cell size, the font.
struct BarePage {
  std::vector<WORD> glyphs;
  int cellWidth = 0, cellHeight = 0;
  HFONT font = nullptr;
} barePage;

LRESULT CALLBACK BareProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_PAINT) return DefWindowProcW(hwnd, msg, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  HGDIOBJ old = SelectObject(dc, barePage.font);
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  const int pitchX = barePage.cellWidth + 1, pitchY = barePage.cellHeight + 1;
  for (int r = 0; r < kRows; ++r) {
    WORD glyphs[kColumns];
    INT steps[kColumns] = {};
    int count = 0, firstX = 0, lastX = 0;
    for (int c = 0; c < kColumns; ++c) {
      const size_t i = static_cast<size_t>(r * kColumns + c);
      if (i >= barePage.glyphs.size() || !barePage.glyphs[i]) continue;
      const int x = c * pitchX + 2;
      if (count == 0)
        firstX = x;
      else
        steps[count - 1] = x - lastX;
      glyphs[count++] = barePage.glyphs[i];
      lastX = x;
    }
    const RECT row{0, r * pitchY, kColumns * pitchX, r * pitchY + barePage.cellHeight};
    ExtTextOutW(dc, firstX, row.top + 2, ETO_OPAQUE | ETO_CLIPPED | ETO_GLYPH_INDEX, &row,
                reinterpret_cast<const wchar_t*>(glyphs), static_cast<UINT>(count), steps);
  }
  // The lines between the cells, and the strips past them.
  HBRUSH line = CreateSolidBrush(RGB(192, 192, 192));
  for (int c = 0; c < kColumns; ++c) {
    const RECT r{c * pitchX + barePage.cellWidth, 0, (c + 1) * pitchX, kRows * pitchY};
    FillRect(dc, &r, line);
  }
  for (int i = 0; i < kRows; ++i) {
    const RECT r{0, i * pitchY + barePage.cellHeight, kColumns * pitchX, (i + 1) * pitchY};
    FillRect(dc, &r, line);
  }
  DeleteObject(line);
  const RECT right{kColumns * pitchX, 0, client.right, client.bottom},
      below{0, kRows * pitchY, kColumns * pitchX, client.bottom};
  FillRect(dc, &right, GetSysColorBrush(COLOR_WINDOW));
  FillRect(dc, &below, GetSysColorBrush(COLOR_WINDOW));
  SelectObject(dc, old);
  EndPaint(hwnd, &ps);
  return 0;
}

// The glyph indices of the code points the grid draws in the 14 rows from `top`, as the
// platform gives them (the view of Unifont holds the Basic Multilingual Plane only).
std::vector<WORD> PageOf(const CharGrid& grid, int top) {
  std::vector<wchar_t> units;
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kColumns; ++c) {
      const char32_t cp = top + r < grid.TotalRows() ? grid.CodePointAt(c, top + r) : 0;
      units.push_back(cp <= 0xFFFF && grid.CharMap()->Has(cp) ? static_cast<wchar_t>(cp) : L'\0');
    }
  std::vector<WORD> glyphs(units.size());
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, barePage.font);
  GetGlyphIndicesW(dc, units.data(), static_cast<int>(units.size()), glyphs.data(),
                   GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc, old);
  DeleteDC(dc);
  for (size_t i = 0; i < glyphs.size(); ++i)
    if (!units[i] || glyphs[i] == 0xFFFF) glyphs[i] = 0;
  return glyphs;
}

// The GDI objects the program makes through its own calls: its imports of gdi32 in this
// executable are pointed at counting stand-ins, which note each object made and forget it
// when it is deleted. Objects the platform's libraries make for themselves are not seen.
std::set<HGDIOBJ> liveObjects;
int objectsMade = 0;

void Made(HGDIOBJ object) {
  if (!object) return;
  liveObjects.insert(object);
  ++objectsMade;
}

#define TESSARIN_COUNTED(name, params, args)                \
  decltype(&::name) original##name = nullptr;               \
  auto WINAPI Counted##name params->decltype(::name args) { \
    auto object = original##name args;                      \
    Made(object);                                           \
    return object;                                          \
  }
TESSARIN_COUNTED(CreateSolidBrush, (COLORREF color), (color))
TESSARIN_COUNTED(CreateBrushIndirect, (const LOGBRUSH* brush), (brush))
TESSARIN_COUNTED(CreatePatternBrush, (HBITMAP bitmap), (bitmap))
TESSARIN_COUNTED(CreatePen, (int style, int width, COLORREF color), (style, width, color))
TESSARIN_COUNTED(CreateFontIndirectA, (const LOGFONTA* font), (font))
TESSARIN_COUNTED(CreateFontIndirectW, (const LOGFONTW* font), (font))
TESSARIN_COUNTED(CreateCompatibleDC, (HDC dc), (dc))
TESSARIN_COUNTED(CreateCompatibleBitmap, (HDC dc, int width, int height), (dc, width, height))
TESSARIN_COUNTED(CreateBitmap, (int width, int height, UINT planes, UINT bits, const void* data),
                 (width, height, planes, bits, data))
TESSARIN_COUNTED(CreateDIBSection,
                 (HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset),
                 (dc, info, usage, bits, section, offset))
TESSARIN_COUNTED(CreateRectRgn, (int left, int top, int right, int bottom), (left, top, right, bottom))
TESSARIN_COUNTED(CreateRectRgnIndirect, (const RECT* rect), (rect))
#undef TESSARIN_COUNTED

decltype(&::DeleteObject) originalDeleteObject = nullptr;
BOOL WINAPI CountedDeleteObject(HGDIOBJ object) {
  const BOOL deleted = originalDeleteObject(object);
  if (deleted) liveObjects.erase(object);
  return deleted;
}
decltype(&::DeleteDC) originalDeleteDC = nullptr;
BOOL WINAPI CountedDeleteDC(HDC dc) {
  const BOOL deleted = originalDeleteDC(dc);
  if (deleted) liveObjects.erase(dc);
  return deleted;
}

// Points this executable's imports of gdi32 at the stand-ins; the number of imports redirected.
int CountGdiObjects() {
  struct Hook {
    const char* name;
    void* countedBy;
    void** original;
  };
#define TESSARIN_HOOK(name) \
  Hook { #name, reinterpret_cast < void*>(&Counted##name), reinterpret_cast < void**>(&original##name) }
  const Hook hooks[] = {TESSARIN_HOOK(CreateSolidBrush),    TESSARIN_HOOK(CreateBrushIndirect),
                        TESSARIN_HOOK(CreatePatternBrush),  TESSARIN_HOOK(CreatePen),
                        TESSARIN_HOOK(CreateFontIndirectA), TESSARIN_HOOK(CreateFontIndirectW),
                        TESSARIN_HOOK(CreateCompatibleDC),  TESSARIN_HOOK(CreateCompatibleBitmap),
                        TESSARIN_HOOK(CreateBitmap),        TESSARIN_HOOK(CreateDIBSection),
                        TESSARIN_HOOK(CreateRectRgn),       TESSARIN_HOOK(CreateRectRgnIndirect),
                        TESSARIN_HOOK(DeleteObject),        TESSARIN_HOOK(DeleteDC)};
#undef TESSARIN_HOOK
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  int redirected = 0;
  for (auto* dll = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); dll->Name;
       ++dll) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + dll->Name), "gdi32.dll") != 0) continue;
    const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const char* name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name;
      for (const Hook& hook : hooks) {
        if (lstrcmpA(name, hook.name) != 0) continue;
        DWORD protection = 0;
        VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection);
        *hook.original = reinterpret_cast<void*>(slots->u1.Function);
        slots->u1.Function = reinterpret_cast<ULONG_PTR>(hook.countedBy);
        VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
        ++redirected;
      }
    }
  }
  return redirected;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

BOOL CALLBACK CountWindowAndChildren(HWND hwnd, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(hwnd, &CountWindow, count);
  return TRUE;
}

// The windows of this thread, children included.
int ThreadWindows() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), &CountWindowAndChildren, reinterpret_cast<LPARAM>(&count));
  return count;
}

struct Counts {
  size_t gdi;
  int windows, fonts, reads;
};

Counts Count() { return {liveObjects.size(), ThreadWindows(), ui::Font::LiveHandles(), FontCharMapReads()}; }

}  // namespace

int main(int argc, char** argv) {
  int rounds = kDefaultRounds;
  if (argc > 3) {
    std::fprintf(stderr, "usage: bench_unicodeview [PATH\\Tessarin.exe] [ROUNDS]\n");
    return 2;
  }
  if (argc == 3) rounds = std::max(1, std::atoi(argv[2]));
  std::setvbuf(stdout, nullptr, _IONBF, 0);

  int errors = 0;
  auto form = bench::ShownMainForm(errors);
  CharGrid& grid = form->grid;
  grid.GetFont().SetName("Unifont");
  grid.SetUnicodeView(true);
  grid.SetFocus();
  bench::Pump();
  std::printf("Unicode view of %s: %d rows, %zu characters\n", grid.GetFont().Name().c_str(),
              grid.TotalRows(), grid.CharMap()->Count());
  if (grid.CharMap()->Count() < 50000) {
    std::printf("Unifont is not installed in this prefix: the figures would not be Unifont's\n");
    return 1;
  }

  WNDCLASSW wc{};
  wc.lpfnWndProc = BareProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"TessarinBenchBareGlyphs";
  RegisterClassW(&wc);
  RECT gridWindow;
  GetWindowRect(grid.Handle(), &gridWindow);
  const RECT cell = grid.CellRect(0, grid.TopRow());
  barePage.cellWidth = cell.right - cell.left;
  barePage.cellHeight = cell.bottom - cell.top;
  barePage.font = grid.GetFont().Handle();
  // Over the grid, as large as it with its bar, shown only while it is measured: each draws
  // with nothing in front of it.
  HWND bare = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"bare", WS_POPUP | WS_VSCROLL,
                              gridWindow.left, gridWindow.top, gridWindow.right - gridWindow.left,
                              gridWindow.bottom - gridWindow.top, nullptr, nullptr, wc.hInstance, nullptr);
  auto bareScrollTo = [&](int top) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMax = grid.TotalRows() - 1;
    si.nPage = kRows;
    si.nPos = top;
    SetScrollInfo(bare, SB_VERT, &si, TRUE);
  };
  bench::Pump();

  // Each round takes three pages of its own, from `base` on: the program's Page Down goes
  // from the first to the second, the bare window draws the third. Both draw glyphs that
  // nothing in the process has drawn before, as a user paging through the font sees them.
  int base = 0;
  // Everything the key changed is drawn: the grid, its bar and the labels that describe the
  // new selection.
  auto paintAll = [&] { RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); };
  auto pageDown = [&] {
    ShowWindow(bare, SW_HIDE);
    grid.SelectCodePoint(grid.CodePointAt(0, base));
    paintAll();
    bench::Pump();
    return bench::Seconds([&] {
      SendMessageA(grid.Handle(), WM_KEYDOWN, VK_NEXT, 0);
      paintAll();
    });
  };
  // The bare window's page down: its bar moves a page and redraws itself, the page is drawn.
  auto barePageDown = [&] {
    barePage.glyphs.clear();
    const int top = base + 2 * kRows;
    bareScrollTo(top - kRows);
    ShowWindow(bare, SW_SHOWNOACTIVATE);
    UpdateWindow(bare);
    bench::Pump();
    std::vector<WORD> page = PageOf(grid, top);
    return bench::Seconds([&] {
      barePage.glyphs = std::move(page);
      bareScrollTo(top);
      InvalidateRect(bare, nullptr, FALSE);
      UpdateWindow(bare);
    });
  };
  auto nextRound = [&] {
    base += 3 * CharGrid::RowCount;
    if (base + 3 * CharGrid::RowCount > grid.TotalRows()) base = 0;
  };
  // One round not counted: both draw once.
  pageDown();
  barePageDown();
  nextRound();
  std::vector<double> ratios, program, floor;
  for (int i = 0; i < rounds; ++i) {
    double t = 0, b = 0;
    if (i % 2) {
      b = barePageDown();
      t = pageDown();
    } else {
      t = pageDown();
      b = barePageDown();
    }
    nextRound();
    bench::Pump();
    program.push_back(t * 1000);
    floor.push_back(b * 1000);
    ratios.push_back(t / b);
  }
  const double ratio = bench::Median(ratios);
  std::printf(
      "Page Down: %.2f ms, a bare window drawing the same page a row a call, its bar moved %.2f ms: %.2fx "
      "(goal <= %.1fx) %s\n",
      bench::Median(program), bench::Median(floor), ratio, kGoal, ratio <= kGoal ? "ok" : "OVER");

  // Where the time goes: the grid's repaint alone (glyphs drawn before), the key without
  // any repaint, of which the selection update and the list's following of the top row,
  // and the platform's redraw of the scroll bar for a new position.
  {
    std::vector<double> paint, key, selecting, following, bar;
    auto select = grid.OnSelectCell;
    grid.OnSelectCell = [&](int c, int r, bool& ok) {
      selecting.push_back(1000 * bench::Seconds([&] { select(c, r, ok); }));
    };
    auto follow = grid.OnTopRowChange;
    grid.OnTopRowChange = [&] { following.push_back(1000 * bench::Seconds([&] { follow(); })); };
    for (int i = 0; i < 15; ++i) {
      paint.push_back(1000 * bench::Seconds([&] {
                        InvalidateRect(grid.Handle(), nullptr, FALSE);
                        UpdateWindow(grid.Handle());
                      }));
      key.push_back(1000 * bench::Seconds([&] { SendMessageA(grid.Handle(), WM_KEYDOWN, VK_NEXT, 0); }));
      paintAll();
      bench::Pump();
      const int top = grid.TopRow();
      bar.push_back(1000 * bench::Seconds([&] { SetScrollPos(grid.Handle(), SB_VERT, top + 1, TRUE); }));
      SetScrollPos(grid.Handle(), SB_VERT, top, TRUE);
      bench::Pump();
    }
    std::printf(
        "  the grid's repaint alone %.2f ms, the key without its repaint %.2f ms (selection update %.2f ms, "
        "the list following %.2f ms), the scroll bar's redraw %.2f ms\n",
        bench::Median(paint), bench::Median(key), bench::Median(selecting), bench::Median(following),
        bench::Median(bar));
    grid.OnSelectCell = select;
    grid.OnTopRowChange = follow;
  }

  ShowWindow(bare, SW_HIDE);
  // From the first row to the last and back, a page at a time, twice: what the program made
  // for the first pass and still holds may be kept for good (a cache), but the second pass
  // must add nothing to it.
  grid.SelectCodePoint(grid.CodePointAt(0, 0));  // the first cell current, its row on top
  UpdateWindow(grid.Handle());
  bench::Pump();
  const int redirected = CountGdiObjects();
  int pages = 0;
  auto pass = [&] {
    while (grid.TopRow() < grid.TotalRows() - kRows) {
      SendMessageA(grid.Handle(), WM_KEYDOWN, VK_NEXT, 0);
      UpdateWindow(grid.Handle());
      ++pages;
    }
    while (grid.TopRow() > 0) {
      SendMessageA(grid.Handle(), WM_KEYDOWN, VK_PRIOR, 0);
      UpdateWindow(grid.Handle());
      ++pages;
    }
    bench::Pump();
  };
  const Counts before = Count();
  pass();
  const Counts once = Count();
  const int madeOnce = objectsMade;
  pass();
  const Counts twice = Count();
  std::printf(
      "first row to last and back, twice (%d pages; %d imports of gdi32 counted): GDI objects made %d and "
      "%d, "
      "still held 0 -> %zu -> %zu; windows %d -> %d -> %d; fonts held %d -> %d -> %d; 'cmap' reads %d -> %d "
      "-> "
      "%d %s\n",
      pages, redirected, madeOnce, objectsMade - madeOnce, once.gdi, twice.gdi, before.windows, once.windows,
      twice.windows, before.fonts, once.fonts, twice.fonts, before.reads, once.reads, twice.reads,
      redirected > 0 && madeOnce > 0 && once.gdi == twice.gdi && before.windows == twice.windows &&
              before.fonts == twice.fonts && before.reads == twice.reads
          ? "ok"
          : "CHANGED");
  DestroyWindow(bare);
  return errors ? 1 : 0;
}
