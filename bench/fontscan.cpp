// The scan of every installed font's character map against a bare read of the same tables.
//
//   bench_fontscan.exe PATH\Tessarin.exe [ROUNDS]      (ROUNDS defaults to 5)
//
// Meant for a prefix with a large font set. The main window is shown in the Unicode view;
// while a scan runs on its worker thread, the window thread handles a stream of messages
// that each repaint the preview (a glyph drawn from a font, as a user's selection does),
// and the longest gap between two of them is what a user would feel. Each round, in
// alternating order:
//   bare  on a thread of its own, EnumFontFamiliesExW with DEFAULT_CHARSET, then for each
//         family once CreateFontIndirectW, SelectObject and GetFontData of its 'cmap': the
//         least any such scan costs;
//   scan  FontCoverageScan from Start until its index is complete.
// Figures: the median scan time divided by the median bare time; the longest gap on the
// window thread during the scans, and during the same stream of messages with no scan; a
// lookup of the fonts that draw U+2192 in the index; the index's size.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <utility>
#include <thread>
#include <vector>

#include "bench/BenchForm.h"
#include "bench/Timing.h"
#include "fontbox/FontCoverageScan.h"

using namespace tessarin;

namespace {

constexpr int kDefaultRounds = 5;

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

int CALLBACK Collect(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
  reinterpret_cast<std::vector<LOGFONTW>*>(data)->push_back(*font);
  return 1;
}

struct BareResult {
  size_t families = 0, tables = 0, bytes = 0;
  std::vector<std::pair<std::string, std::vector<unsigned char>>> kept;  // when asked for
};

// The least a scan does: every family once, its table read.
BareResult BareScan(bool keep = false) {
  BareResult result;
  HDC dc = CreateCompatibleDC(nullptr);
  LOGFONTW all{};
  all.lfCharSet = DEFAULT_CHARSET;
  std::vector<LOGFONTW> reports;
  EnumFontFamiliesExW(dc, &all, &Collect, reinterpret_cast<LPARAM>(&reports), 0);
  std::sort(reports.begin(), reports.end(),
            [](const LOGFONTW& a, const LOGFONTW& b) { return _wcsicmp(a.lfFaceName, b.lfFaceName) < 0; });
  reports.erase(std::unique(reports.begin(), reports.end(),
                            [](const LOGFONTW& a, const LOGFONTW& b) {
                              return _wcsicmp(a.lfFaceName, b.lfFaceName) == 0;
                            }),
                reports.end());
  const DWORD cmap = 'c' | 'm' << 8 | 'a' << 16 | 'p' << 24;
  std::vector<unsigned char> bytes;
  for (LOGFONTW font : reports) {
    if (font.lfFaceName[0] == L'@') continue;
    ++result.families;
    font.lfHeight = -16;
    font.lfWidth = 0;
    HFONT handle = CreateFontIndirectW(&font);
    HGDIOBJ old = SelectObject(dc, handle);
    const DWORD size = GetFontData(dc, cmap, 0, nullptr, 0);
    if (size != GDI_ERROR && size > 0) {
      bytes.resize(size);
      if (GetFontData(dc, cmap, 0, bytes.data(), size) == size) {
        ++result.tables;
        result.bytes += size;
        if (keep) {
          char name[LF_FACESIZE * 2] = {};
          WideCharToMultiByte(CP_ACP, 0, font.lfFaceName, -1, name, sizeof name, nullptr, nullptr);
          result.kept.emplace_back(name, bytes);
        }
      }
    }
    SelectObject(dc, old);
    DeleteObject(handle);
  }
  DeleteDC(dc);
  return result;
}

// Handles a stream of messages on the window thread, each repainting the preview, until
// `done` holds; the longest gap between two handled messages, in milliseconds.
double LongestGap(MainForm& form, const std::function<bool()>& done) {
  double longest = 0, last = NowMs();
  while (!done()) {
    InvalidateRect(form.previewLabel.Handle(), nullptr, TRUE);
    PostMessageA(form.Handle(), WM_NULL, 0, 0);
    bench::Pump();
    const double now = NowMs();
    longest = std::max(longest, now - last);
    last = now;
  }
  return longest;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : kDefaultRounds;
  int errors = 0;
  auto form = bench::ShownMainForm(errors);
  // The Unicode view with a character selected: the preview draws a glyph on each repaint.
  form->findField.OnFoundBeyond(0x2192);
  bench::Pump();

  // The process's first look at all the fonts costs more than any later one: once, apart.
  double firstMs = 0;
  const BareResult facts = [&] {
    const double from = NowMs();
    BareResult r = BareScan(true);
    firstMs = NowMs() - from;
    return r;
  }();
  // The scan's own work on the tables, apart from the platform's: reading the ranges and
  // building the index.
  std::vector<double> own;
  for (int i = 0; i < 3; ++i)
    own.push_back(1000.0 * bench::Seconds([&] {
                    unicode::FontCoverage coverage;
                    for (const auto& [name, bytes] : facts.kept)
                      coverage.Add(name, unicode::CharMap::Parse(bytes.data(), bytes.size()).Ranges());
                  }));

  std::vector<double> bare, scan, gapsScan, gapsIdle;
  std::shared_ptr<const unicode::FontCoverage> index;
  const UINT message = RegisterWindowMessageA("TessarinBenchScanDone");
  for (int round = 0; round < 2 * rounds; ++round) {
    if ((round % 2 == 0) == (round / 2 % 2 == 0)) {
      std::atomic<bool> finished{false};
      const double from = NowMs();
      double to = 0;
      std::thread thread([&] {
        BareScan();
        to = NowMs();
        finished = true;
      });
      LongestGap(*form, [&] { return finished.load(); });
      thread.join();
      bare.push_back(to - from);
    } else {
      FontCoverageScan scanner;
      const double from = NowMs();
      scanner.Start(form->Handle(), message);
      double to = 0;
      gapsScan.push_back(LongestGap(*form, [&] {
        if (!scanner.Completed()) return false;
        if (to == 0) to = NowMs();
        return true;
      }));
      scan.push_back(to - from);
      index = scanner.Index();
    }
    // The same stream of messages for as long, with nothing else running.
    const double idleUntil = NowMs() + (bare.empty() ? 200 : bare.back());
    gapsIdle.push_back(LongestGap(*form, [&] { return NowMs() >= idleUntil; }));
  }
  if (!index) {
    std::printf("no index was made\n");
    return 1;
  }

  std::vector<double> lookups;
  size_t arrowFaces = 0;
  for (int i = 0; i < 200; ++i)
    lookups.push_back(1000.0 * bench::Seconds([&] {
                        arrowFaces = index->FacesWith(0x2192, {0x2190, 0x21FF}).size();
                      }));

  const double bareMs = bench::Median(bare), scanMs = bench::Median(scan);
  std::printf(
      "fonts: %zu families enumerated, %zu with a 'cmap' table (%.2f MB of tables); %zu faces in the "
      "index, %zu different coverages; %zu draw U+2192\n",
      facts.families, facts.tables, static_cast<double>(facts.bytes) / 1e6, index->FaceCount(),
      index->SetCount(), arrowFaces);
  std::printf("first bare read in the process: %.0f ms (%.2fx the later median)\n", firstMs,
              firstMs / bareMs);
  std::printf("scan: median %.0f ms over %d rounds, bare read %.0f ms: %.2fx the bare read (goal <= 1.2x)\n",
              scanMs, rounds, bareMs, scanMs / bareMs);
  std::printf(
      "window thread: longest gap between messages %.1f ms while the scans ran (worst of %d), %.1f ms with "
      "no scan (goal <= 16 ms)\n",
      *std::max_element(gapsScan.begin(), gapsScan.end()), rounds,
      *std::max_element(gapsIdle.begin(), gapsIdle.end()));
  std::printf(
      "of which the index's own work (ranges read from the tables, index built): %.0f ms, %.2fx the bare "
      "read\n",
      bench::Median(own), bench::Median(own) / bareMs);
  std::printf("lookup of the faces drawing U+2192: median %.3f ms (goal <= 1 ms)\n", bench::Median(lookups));
  std::printf("index: %.2f MB (goal <= 4 MB), %.2fx the tables read\n",
              static_cast<double>(index->Bytes()) / 1e6,
              static_cast<double>(index->Bytes()) / static_cast<double>(facts.bytes));
  return errors ? 1 : 0;
}
