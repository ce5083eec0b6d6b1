// The cost of a standard control whose messages the program sees first, against the same
// control left alone, in one run: once as the toolkit does it (its procedure in front of
// the class's) and once through the platform's subclass chain (SetWindowSubclass).
//
//   bench_messages.exe [PATH\Tessarin.exe] [ROUNDS]     (ROUNDS defaults to 9)
//
// Three group boxes of one form, each holding three radio buttons: the toolkit's GroupBox,
// a plain one, and a plain one in the platform's chain. Each round sends every box 2000
// messages, and repaints every box with its radio buttons 20 times (a themed radio button
// paints its parent's background through the box, so the box's messages are part of its
// painting), the order of the boxes rotating between rounds, after one round not counted.
// The headlines are the medians of the rounds' own ratios against the plain box.
//
// Then the rich edit: the toolkit's RichEdit (its procedure in front of the class's) and a
// plain rich edit, each sent 2000 messages a round, in turns, as above.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "bench/Timing.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"
#include "ui/SystemLibraries.h"

using bench::Median;
using bench::Seconds;

namespace {

constexpr int kDefaultRounds = 9;
constexpr int kMessages = 2000;
constexpr int kPaints = 20;

LRESULT CALLBACK ChainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  return ui::CommonControls().DefSubclassProc(hwnd, msg, wParam, lParam);
}

void AddRadios(HWND box) {
  for (int i = 0; i < 3; ++i) {
    HWND radio = CreateWindowExA(0, "BUTTON", "Radio", WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON, 8, 16 + i * 18,
                                 100, 16, box, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(radio, WM_SETFONT, SendMessageA(box, WM_GETFONT, 0, 0), FALSE);
  }
}

class BenchForm : public ui::Form {
 public:
  BenchForm()
      : ui::Form({.windowClass = "TessarinMessageBench",
                  .caption = "Messages",
                  .clientWidth = 420,
                  .clientHeight = 128}),
        toolkit(this, "Toolkit", {8, 8, 130, 90}),
        toolkitRich(this, {8, 100, 130, 20}) {
    for (int i = 0; i < 2; ++i) {
      HWND box = CreateWindowExA(WS_EX_CONTROLPARENT, "BUTTON", "Plain",
                                 WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | BS_GROUPBOX, Scale(146 + i * 138),
                                 Scale(8), Scale(130), Scale(90), Handle(), nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
      SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), FALSE);
      (i == 0 ? plain : chained) = box;
    }
    ui::CommonControls().SetWindowSubclass(chained, &ChainProc, 1, 0);
    for (HWND box : {toolkit.Handle(), plain, chained}) AddRadios(box);
    // Made as the toolkit makes its own (the class is registered by then).
    plainRich = CreateWindowExA(WS_EX_CLIENTEDGE, "RichEdit20A", "",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL,
                                Scale(146), Scale(100), Scale(130), Scale(20), Handle(), nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  }
  ui::GroupBox toolkit;
  ui::RichEdit toolkitRich;
  HWND plain = nullptr, chained = nullptr, plainRich = nullptr;
};

// The medians of each window's time per message, and of its ratio against the last one,
// over the rounds (the first not counted), the order of the windows rotating.
struct MessageFigures {
  std::vector<double> microseconds, ratios;
};
MessageFigures TimeMessages(const std::vector<HWND>& windows, int rounds) {
  const size_t n = windows.size();
  std::vector<std::vector<double>> times(n), ratios(n);
  for (int round = 0; round <= rounds; ++round) {
    std::vector<double> seconds(n);
    for (size_t k = 0; k < n; ++k) {
      const size_t i = (k + static_cast<size_t>(round)) % n;
      seconds[i] = Seconds([&] {
        for (int m = 0; m < kMessages; ++m) SendMessageA(windows[i], WM_GETDLGCODE, 0, 0);
      });
    }
    if (round == 0) continue;  // warming up
    for (size_t i = 0; i < n; ++i) {
      times[i].push_back(seconds[i] * 1e6 / kMessages);
      ratios[i].push_back(seconds[i] / seconds[n - 1]);
    }
  }
  MessageFigures figures;
  for (size_t i = 0; i < n; ++i) {
    figures.microseconds.push_back(Median(times[i]));
    figures.ratios.push_back(Median(ratios[i]));
  }
  return figures;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : kDefaultRounds;
  ui::Application& app = ui::Application::Instance();
  app.Initialize();
  BenchForm form;
  form.Show();
  app.ProcessMessagesUntil([] { return !(HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT); }, 5000);

  struct Subject {
    const char* name;
    HWND box;
    std::vector<double> messageRatios, paintRatios;
    double messageUs = 0, paintMs = 0;
  };
  std::vector<Subject> subjects{{"toolkit", form.toolkit.Handle(), {}, {}},
                                {"plain", form.plain, {}, {}},
                                {"platform chain", form.chained, {}, {}}};
  std::vector<std::vector<double>> messageTimes(3), paintTimes(3);
  for (int round = 0; round <= rounds; ++round) {
    double message[3], paint[3];
    for (int k = 0; k < 3; ++k) {
      const int i = (k + round) % 3;
      HWND box = subjects[static_cast<size_t>(i)].box;
      message[i] = Seconds([&] {
        for (int n = 0; n < kMessages; ++n) SendMessageA(box, WM_GETDLGCODE, 0, 0);
      });
      paint[i] = Seconds([&] {
        for (int n = 0; n < kPaints; ++n)
          RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      });
    }
    if (round == 0) continue;  // warming up
    for (size_t i = 0; i < 3; ++i) {
      subjects[i].messageRatios.push_back(message[i] / message[1]);
      subjects[i].paintRatios.push_back(paint[i] / paint[1]);
      messageTimes[i].push_back(message[i] * 1e6 / kMessages);
      paintTimes[i].push_back(paint[i] * 1e3 / kPaints);
    }
  }
  std::printf("medians over %d rounds       per message     per repaint (box and 3 radios)\n", rounds);
  for (size_t i = 0; i < 3; ++i)
    std::printf("  %-16s %10.2f us %5.1fx  %10.2f ms %5.2fx\n", subjects[i].name, Median(messageTimes[i]),
                Median(subjects[i].messageRatios), Median(paintTimes[i]), Median(subjects[i].paintRatios));
  std::printf(
      "a message through the toolkit's control: %.1fx the plain control's; through the platform's "
      "chain: %.1fx\n",
      Median(subjects[0].messageRatios), Median(subjects[2].messageRatios));
  std::printf("repainting the group: toolkit %.2fx the plain group; platform's chain %.2fx\n",
              Median(subjects[0].paintRatios), Median(subjects[2].paintRatios));
  const MessageFigures rich = TimeMessages({form.toolkitRich.Handle(), form.plainRich}, rounds);
  std::printf("  %-16s %10.2f us %5.1fx\n  %-16s %10.2f us %5.1fx\n", "toolkit rich edit",
              rich.microseconds[0], rich.ratios[0], "plain rich edit", rich.microseconds[1], rich.ratios[1]);
  std::printf("a message through the toolkit's rich edit: %.2fx the plain rich edit's\n", rich.ratios[0]);
  return 0;
}
