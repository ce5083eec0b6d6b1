// Painting the text-colour button and the palette sample against a FillRect of the same area, in one run.
//
//   bench_gradient.exe [PATH\Tessarin.exe] [ROUNDS]     (ROUNDS defaults to 9)
//
// The main window and the palette dialog are created and shown in this process, as the
// program does it. Each round paints every subject 200 times onto its own window's DC
// (the whole composition: the face, the caption, the bevel, then the one copy to the
// screen) and fills the same rectangle of the same DC 200 times with a solid brush, the
// order alternating between rounds, after one round not counted. The headline is the
// median of the rounds' own ratios (paint / FillRect).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "bench/Timing.h"
#include "main/Main.h"
#include "ui/Application.h"
#include "ui/Canvas.h"
#include "websafe/Websafe.h"

using namespace tessarin;

using bench::Median;
using bench::Seconds;

namespace {

constexpr int kDefaultRounds = 9;
constexpr int kRepeats = 200;

struct Figures {
  double ratio, paintMs, fillMs;
};

Figures Measure(BaseButton& button, int rounds) {
  ui::WindowDC dc(button.Handle());
  RECT area;
  GetClientRect(button.Handle(), &area);
  ui::Brush brush(CreateSolidBrush(RGB(0x12, 0x34, 0x56)));
  auto paint = [&] {
    for (int i = 0; i < kRepeats; ++i) button.PaintTo(dc, area);
  };
  auto fill = [&] {
    for (int i = 0; i < kRepeats; ++i) FillRect(dc, &area, brush);
  };
  std::vector<double> ratios, paints, fills;
  for (int round = 0; round <= rounds; ++round) {
    double p, f;
    if (round % 2) {
      p = Seconds(paint);
      f = Seconds(fill);
    } else {
      f = Seconds(fill);
      p = Seconds(paint);
    }
    if (round == 0) continue;  // warming up
    ratios.push_back(p / f);
    paints.push_back(p * 1000 / kRepeats);
    fills.push_back(f * 1000 / kRepeats);
  }
  return {Median(ratios), Median(paints), Median(fills)};
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : kDefaultRounds;
  ui::Application& app = ui::Application::Instance();
  app.Initialize();
  MainForm form;
  PaletteDialog palette;
  form.Show();
  palette.Show();
  app.ProcessMessages();

  struct Subject {
    const char* name;
    BaseButton& button;
  };
  std::printf("painting against a plain FillRect of the same area (%d rounds of %d paints)\n", rounds,
              kRepeats);
  for (const Subject& s : {Subject{"colorButton, 104 x 19, horizontal, with its caption", form.colorButton},
                           Subject{"palette sample, 73 x 61, vertical", palette.sampleGround}}) {
    const Figures f = Measure(s.button, rounds);
    std::printf("  %-52s %6.1fx  (%.3f ms against %.4f ms)\n", s.name, f.ratio, f.paintMs, f.fillMs);
  }
  palette.Hide();
  return 0;
}
