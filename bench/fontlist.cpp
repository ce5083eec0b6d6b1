// The font box's list fill against the bare font enumeration, in the same run.
//
//   bench_fontlist.exe PATH\Tessarin.exe [ROUNDS]      (ROUNDS defaults to 15)
//
// The program's manifest is taken from Tessarin.exe, so that the box is the same combo
// box (common controls 6) as in the program.
// Meant for a prefix with many fonts installed. Each round times, in alternating order:
//   enumerate  GetDC of the screen, EnumFontFamiliesA with a null family and a callback
//              that only counts, ReleaseDC: the least any font list costs;
//   fill       RebuildList of a font box on a form of its own, as the main window has
//              it (screen then default printer), with every font listed (no filter) and
//              with the start-up filter (TrueType only).
// Once, first: the start-up fill (the window made for the first name, which alone is
// listed before the program's first paint) and the rest of it after the first paint,
// which pays for the process's first look at all the fonts.
// Times are per font: per enumeration callback (the enumeration reports a family once
// per character set). The headline is the median fill time per font divided by the
// median enumeration time per font.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/Timing.h"
#include "fontbox/FontComboBox.h"
#include "ui/Application.h"
#include "ui/Form.h"

using namespace tessarin;

using bench::Median;

namespace {

constexpr int kDefaultRounds = 15;

LARGE_INTEGER frequency;

double NowMs() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

int CALLBACK CountFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM data) {
  ++*reinterpret_cast<int*>(data);
  return 1;
}

// One bare enumeration of the screen's fonts; returns the number of callbacks.
int Enumerate() {
  int count = 0;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesA(dc, nullptr, &CountFamily, reinterpret_cast<LPARAM>(&count));
  ReleaseDC(nullptr, dc);
  return count;
}

ui::Form::Options BoxFormOptions() {
  ui::Form::Options o;
  o.windowClass = "FontListBenchForm";
  o.caption = "Font list";
  o.clientWidth = 300;
  o.clientHeight = 100;
  return o;
}

struct BoxForm : ui::Form {
  explicit BoxForm(std::uint16_t options, FontDevice device = FontDevice::fdBoth)
      : ui::Form(BoxFormOptions()), box(this, {4, 4, 193, 0}, device, options) {}
  FontComboBox box;
};

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : kDefaultRounds;
  QueryPerformanceFrequency(&frequency);
  if (argc > 1) {
    ACTCTXA context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = argv[1];
    context.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE handle = CreateActCtxA(&context);
    ULONG_PTR cookie = 0;
    if (handle == INVALID_HANDLE_VALUE || !ActivateActCtx(handle, &cookie))
      std::printf("(no manifest from %s: the classic combo box is measured)\n", argv[1]);
  }
  ui::Application& app = ui::Application::Instance();
  app.Initialize();

  // As at the program's start: before the window has been drawn the box lists the first
  // name's family alone; the whole list follows the first paint.
  double t = NowMs();
  BoxForm start(foTrueTypeOnly);
  start.box.SetFontName("Arial");
  const double startFill = NowMs() - t;
  const int startItems = start.box.Count();
  t = NowMs();
  app.FinishStartup();
  const double afterPaintFill = NowMs() - t;

  BoxForm all(0);
  BoxForm trueType(foTrueTypeOnly);
  BoxForm screen(0, FontDevice::fdScreen);
  // The first fill comes with the window, when the first name is set.
  t = NowMs();
  all.box.SetFontName("Arial");
  const double firstFill = NowMs() - t;
  trueType.box.SetFontName("Arial");
  screen.box.SetFontName("Arial");

  const int callbacks = Enumerate();
  std::vector<double> enumerate, fillAll, fillTrueType, fillScreen;
  for (int round = 0; round < rounds; ++round) {
    auto timeEnumeration = [&] {
      const double start = NowMs();
      Enumerate();
      enumerate.push_back(NowMs() - start);
    };
    if (round % 2) timeEnumeration();
    t = NowMs();
    all.box.RebuildList();
    fillAll.push_back(NowMs() - t);
    t = NowMs();
    trueType.box.RebuildList();
    fillTrueType.push_back(NowMs() - t);
    t = NowMs();
    screen.box.RebuildList();
    fillScreen.push_back(NowMs() - t);
    if (!(round % 2)) timeEnumeration();
    ui::Application::Instance().ProcessMessages();
  }

  const double perFont = 1000.0 / callbacks;  // ms per run → µs per callback
  const double enumMs = Median(enumerate), allMs = Median(fillAll), trueTypeMs = Median(fillTrueType),
               screenMs = Median(fillScreen);
  std::printf("fonts: %d enumeration callbacks; %d items listed (all), %d (TrueType only); %d rounds\n",
              callbacks, all.box.Count(), trueType.box.Count(), rounds);
  std::printf("enumerate            %8.2f ms  %7.2f us/font\n", enumMs, enumMs * perFont);
  std::printf("fill, all fonts      %8.2f ms  %7.2f us/font  ratio %.2f\n", allMs, allMs * perFont,
              allMs / enumMs);
  std::printf("fill, TrueType only  %8.2f ms  %7.2f us/font  ratio %.2f\n", trueTypeMs, trueTypeMs * perFont,
              trueTypeMs / enumMs);
  std::printf("fill, screen only     %8.2f ms  %7.2f us/font  ratio %.2f  (no printer asked)\n", screenMs,
              screenMs * perFont, screenMs / enumMs);
  std::printf(
      "at start-up: window and first name %8.2f ms (%d item), the whole list after the first paint %8.2f "
      "ms\n",
      startFill, startItems, afterPaintFill);
  std::printf("first fill (window made)  %8.2f ms\n", firstFill);
  std::printf("headline: fill/enumerate per font = %.2f\n", allMs / enumMs);
  return all.box.Count() > 0 ? 0 : 1;
}
