// The Unicode view of GNU Unifont: a Page Down against a bare window drawing the same 224
// glyphs with ExtTextOutW, and the objects left after scrolling from the first row to the
// last and back.
//
//   bench_unicodeview.exe [PATH\Tessarin.exe] [ROUNDS]     (ROUNDS defaults to 61)
//
// Runs in an environment whose prefix holds Unifont (scripts/bench.sh gives it one). The
// main window is created and shown in this process, its grid set to Unifont (an OpenType
// font with CFF outlines, which the font box lists only outside "All Fonts") and switched to
// the Unicode view. A Page Down is WM_KEYDOWN VK_NEXT to the focused grid and every repaint
// it causes in the main window (the grid, its scroll bar, the labels of the selection),
// drawing flushed. The bare window has the grid's client size and font; for each page it
// paints, on WM_PAINT straight into the window, the 224 code points of a page, each with one
// ExtTextOutW at its cell's place. Both draw glyphs that nothing in the process has drawn
// before (the glyph caches would otherwise favour the one that comes second). Rounds
// alternate between the two; the headline is the median of the rounds' ratios.
//
// Then the grid scrolls from the first row to the last by Page Down and back by Page Up,
// and the objects are counted before and after: the process's GDI and USER objects as the
// system counts them (Wine answers 0), and the GDI fonts the program holds (the toolkit's
// own count), and the 'cmap' reads.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/BenchForm.h"
#include "bench/Timing.h"
#include "main/FontCharMap.h"
#include "main/Main.h"
#include "ui/Application.h"
#include "unicode/CharMap.h"

using namespace tessarin;

namespace {

constexpr int kDefaultRounds = 61;
constexpr double kGoal = 1.5;

// What the bare window draws: the code points of one page, the cell size, the font.
struct BarePage {
  std::vector<char32_t> codePoints;
  int cellWidth = 0, cellHeight = 0;
  HFONT font = nullptr;
} barePage;

LRESULT CALLBACK BareProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_PAINT) return DefWindowProcW(hwnd, msg, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  HGDIOBJ old = SelectObject(dc, barePage.font);
  for (size_t i = 0; i < barePage.codePoints.size(); ++i) {
    const wchar_t unit = static_cast<wchar_t>(barePage.codePoints[i]);
    const int x = static_cast<int>(i % 16) * (barePage.cellWidth + 1);
    const int y = static_cast<int>(i / 16) * (barePage.cellHeight + 1);
    ExtTextOutW(dc, x + 2, y + 2, ETO_OPAQUE, nullptr, &unit, 1, nullptr);
  }
  SelectObject(dc, old);
  EndPaint(hwnd, &ps);
  return 0;
}

// The code points the grid draws in the 14 rows from `top`.
std::vector<char32_t> PageOf(const TStringAlignGrid& grid, int top) {
  std::vector<char32_t> page;
  for (int r = 0; r < TStringAlignGrid::RowCount && top + r < grid.TotalRows(); ++r)
    for (int c = 0; c < TStringAlignGrid::ColCount; ++c) {
      const char32_t cp = grid.CodePointAt(c, top + r);
      if (grid.CharMap()->Has(cp) && cp <= 0xFFFF) page.push_back(cp);
    }
  return page;
}

struct Counts {
  DWORD gdi, user;
  int fonts, reads;
};

Counts Count() {
  HANDLE self = GetCurrentProcess();
  return {GetGuiResources(self, GR_GDIOBJECTS), GetGuiResources(self, GR_USEROBJECTS),
          ui::Font::LiveHandles(), FontCharMapReads()};
}

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
  TStringAlignGrid& grid = form->StringAlignGrid1;
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
  RECT client;
  GetClientRect(grid.Handle(), &client);
  const RECT cell = grid.CellRect(0, grid.TopRow());
  barePage.cellWidth = cell.right - cell.left;
  barePage.cellHeight = cell.bottom - cell.top;
  barePage.font = grid.GetFont().Handle();
  // Over the grid, shown only while it is measured: each draws with nothing in front of it.
  POINT at{0, 0};
  ClientToScreen(grid.Handle(), &at);
  HWND bare = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"bare", WS_POPUP, at.x, at.y, client.right,
                              client.bottom, nullptr, nullptr, wc.hInstance, nullptr);
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
  auto barePageDown = [&] {
    barePage.codePoints.clear();
    ShowWindow(bare, SW_SHOWNOACTIVATE);
    UpdateWindow(bare);
    bench::Pump();
    barePage.codePoints = PageOf(grid, base + 2 * TStringAlignGrid::RowCount);
    return bench::Seconds([&] {
      InvalidateRect(bare, nullptr, TRUE);
      UpdateWindow(bare);
    });
  };
  auto nextRound = [&] {
    base += 3 * TStringAlignGrid::RowCount;
    if (base + 3 * TStringAlignGrid::RowCount > grid.TotalRows()) base = 0;
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
  std::printf("Page Down: %.2f ms, bare ExtTextOutW of the same glyphs %.2f ms: %.2fx (goal <= %.1fx) %s\n",
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
  // From the first row to the last and back, a page at a time.
  grid.SelectCodePoint(grid.CodePointAt(0, 0));  // the first cell current, its row on top
  UpdateWindow(grid.Handle());
  bench::Pump();
  const Counts before = Count();
  int pages = 0;
  while (grid.TopRow() < grid.TotalRows() - TStringAlignGrid::RowCount) {
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
  const Counts after = Count();
  std::printf(
      "first row to last and back (%d pages): GDI objects %lu -> %lu, USER objects %lu -> %lu (system "
      "count), "
      "fonts held %d -> %d, 'cmap' reads %d -> %d %s\n",
      pages, before.gdi, after.gdi, before.user, after.user, before.fonts, after.fonts, before.reads,
      after.reads,
      before.gdi == after.gdi && before.user == after.user && before.fonts == after.fonts &&
              before.reads == after.reads
          ? "ok"
          : "CHANGED");
  DestroyWindow(bare);
  return errors ? 1 : 0;
}
