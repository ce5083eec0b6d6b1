// A paste into the composition box, HTML rebuild included, against the same paste into a
// bare rich edit, in the same process and the same run.
//
//   bench_composition.exe [PATH\Tessarin.exe] [ROUNDS]     (ROUNDS defaults to 7)
//
// The main window is created and shown in this process, as the program does it. The
// bare rich edit ("RichEdit20A") sits alone in a top-level window of its own beside the
// main window, and takes over from the composition box its window styles, its size, its
// text limit, its event mask and its default character format, so that the two differ
// only in what the program does around the control.
//
// A paste is WM_PASTE of CF_TEXT put on the clipboard: characters 32 to 255 in a fixed
// pseudo-random order with a line break (CR LF) after every 2500 characters, 10^4 and
// 10^5 bytes in all. The timed part is the WM_PASTE and then the messages waiting after
// it (repaints included), handled by the same PeekMessage loop for both; the boxes are
// emptied with WM_SETTEXT "" outside it. Each round pastes into both, the order
// alternating between rounds, after one round not counted. The headline per size is the
// median of the rounds' own ratios (Tessarin / bare rich edit). 10^6 follows with as many
// rounds as fit into a minute (at least one; a first round that does not end within the
// minute is reported as such).
//
// The breakdown that follows shows where the program's time goes: the WM_PASTE itself,
// the messages after it, the change handler during the paste, and its parts called one by
// one on a filled box.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchForm.h"
#include "bench/Timing.h"
#include "core/HtmlFont.h"
#include "main/Main.h"
#include "ui/Application.h"

using namespace tessarin;

using bench::Median;

namespace {

constexpr int kDefaultRounds = 7;
constexpr int kPartRepeats = 5;
constexpr size_t kLineLength = 2500;
constexpr double kGoal = 1.2;
constexpr double kBigBudgetMs = 60000;
constexpr const char* kHostClass = "TessarinBenchBareHost";

LARGE_INTEGER frequency;

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The pasted text: n bytes of codes 32 to 255 from a fixed linear congruential sequence,
// with CR LF after every kLineLength characters (never at the very end).
std::string PasteText(size_t n) {
  std::string text;
  text.reserve(n);
  unsigned state = 20240601u;
  size_t inLine = 0;
  while (text.size() < n) {
    if (inLine == kLineLength && n - text.size() > 2) {
      text += "\r\n";
      inLine = 0;
      continue;
    }
    state = state * 1664525u + 1013904223u;
    text += static_cast<char>(32 + (state >> 16) % 224);
    ++inLine;
  }
  return text;
}

bool PutOnClipboard(const std::string& text) {
  for (int attempt = 0; !OpenClipboard(nullptr); ++attempt) {
    if (attempt == 50) return false;
    Sleep(10);
  }
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!memory) {
    CloseClipboard();
    return false;
  }
  memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  const bool ok = SetClipboardData(CF_TEXT, memory) != nullptr;
  CloseClipboard();
  return ok;
}

// The box's length with line breaks counted as CR LF, as on the clipboard.
long LengthWithCrLf(HWND box) {
  GETTEXTLENGTHEX length{GTL_USECRLF | GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
  return static_cast<long>(SendMessageA(box, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
}

void Clear(HWND box) {
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  bench::Pump();
}

struct Paste {
  double total = 0;  // WM_PASTE and the messages after it
  double message = 0;
  double after = 0;
};

Paste TimedPaste(HWND box) {
  Paste paste;
  const LARGE_INTEGER start = Now();
  SendMessageA(box, WM_PASTE, 0, 0);
  const LARGE_INTEGER pasted = Now();
  bench::Pump();
  const LARGE_INTEGER end = Now();
  paste.message = Milliseconds(start, pasted);
  paste.after = Milliseconds(pasted, end);
  paste.total = Milliseconds(start, end);
  return paste;
}

// Time spent in the composition box's change handler, and how often it ran.
struct ChangeMeter {
  double ms = 0;
  int calls = 0;
  void Reset() { ms = 0, calls = 0; }
};

struct Series {
  std::vector<Paste> tessarin, bare;
  std::vector<double> ratios;
  std::vector<double> handlerMs;
  std::vector<int> handlerCalls;
};

class Bench {
 public:
  Bench(MainForm& form, HWND bare, ChangeMeter& meter) : form_(form), bare_(bare), meter_(meter) {}

  // Pastes the text into both boxes `rounds` times (after one round not counted when
  // warmUp is set); stops early when the next round would pass budgetMs (0: no budget).
  // firstRoundDone, when given, is set once the first counted round has ended.
  bool Run(const std::string& text, int rounds, bool warmUp, double budgetMs, Series& series,
           HANDLE firstRoundDone = nullptr) {
    if (!PutOnClipboard(text)) {
      std::printf("could not put the text on the clipboard\n");
      return false;
    }
    const long expected = static_cast<long>(text.size());
    HWND tessarin = form_.composition.Handle();
    if (warmUp) {
      for (HWND box : {tessarin, bare_}) {
        Clear(box);
        TimedPaste(box);
        if (LengthWithCrLf(box) != expected) {
          std::printf("the paste into the %s kept %ld of %ld characters\n",
                      box == tessarin ? "composition box" : "bare rich edit", LengthWithCrLf(box), expected);
          return false;
        }
        Clear(box);
      }
    }
    const LARGE_INTEGER start = Now();
    for (int round = 1; round <= rounds; ++round) {
      const bool tessarinFirst = round % 2 == 1;
      Paste t, b;
      for (int i = 0; i < 2; ++i) {
        const bool isTessarin = (i == 0) == tessarinFirst;
        HWND box = isTessarin ? tessarin : bare_;
        Clear(box);
        meter_.Reset();
        const Paste paste = TimedPaste(box);
        if (LengthWithCrLf(box) != expected) {
          std::printf("the paste into the %s kept %ld of %ld characters\n",
                      isTessarin ? "composition box" : "bare rich edit", LengthWithCrLf(box), expected);
          return false;
        }
        if (isTessarin) {
          t = paste;
          series.handlerMs.push_back(meter_.ms);
          series.handlerCalls.push_back(meter_.calls);
        } else {
          b = paste;
        }
        Clear(box);
      }
      series.tessarin.push_back(t);
      series.bare.push_back(b);
      series.ratios.push_back(t.total / b.total);
      if (firstRoundDone) SetEvent(firstRoundDone);
      const double spent = Milliseconds(start, Now());
      if (budgetMs > 0 && round < rounds && spent * (round + 1) / round > budgetMs) break;
    }
    return true;
  }

 private:
  MainForm& form_;
  HWND bare_;
  ChangeMeter& meter_;
};

double MedianOf(const std::vector<Paste>& pastes, double Paste::*field) {
  std::vector<double> values;
  for (const Paste& paste : pastes) values.push_back(paste.*field);
  return Median(values);
}

void Report(const char* size, const Series& series) {
  const double ratio = Median(series.ratios);
  std::printf("composition paste %s: %.2fx (Tessarin %.1f ms, bare rich edit %.1f ms)\n", size, ratio,
              MedianOf(series.tessarin, &Paste::total), MedianOf(series.bare, &Paste::total));
  std::printf("  %zu round%s, ratios from %.2fx to %.2fx; goal within %.1fx: %s\n", series.ratios.size(),
              series.ratios.size() == 1 ? "" : "s",
              *std::min_element(series.ratios.begin(), series.ratios.end()),
              *std::max_element(series.ratios.begin(), series.ratios.end()), kGoal,
              ratio <= kGoal ? "met" : "not met");
}

void ReportSplit(const char* size, const Series& series) {
  std::vector<double> calls(series.handlerCalls.begin(), series.handlerCalls.end());
  std::printf("  %s, medians (ms):            Tessarin   bare rich edit\n", size);
  std::printf("    WM_PASTE returns              %9.1f   %9.1f\n", MedianOf(series.tessarin, &Paste::message),
              MedianOf(series.bare, &Paste::message));
  std::printf("      of it the change handler    %9.1f   (%.0f call%s per paste)\n", Median(series.handlerMs),
              Median(calls), Median(calls) == 1 ? "" : "s");
  std::printf("    messages after it (repaints)  %9.1f   %9.1f\n", MedianOf(series.tessarin, &Paste::after),
              MedianOf(series.bare, &Paste::after));
}

// The median time of `action`, run kPartRepeats times, each after `reset` (not timed);
// the messages it leaves are handled outside the timing.
double TimePart(
    const std::function<void()>& action, const std::function<void()>& reset = [] {}) {
  std::vector<double> times;
  for (int i = 0; i < kPartRepeats; ++i) {
    reset();
    bench::Pump();
    const LARGE_INTEGER start = Now();
    action();
    times.push_back(Milliseconds(start, Now()));
    bench::Pump();
  }
  return Median(times);
}

// The change handler's parts, called one by one on a box that holds the text.
void ReportParts(const char* size, MainForm& form, HWND bare, const std::string& text) {
  HWND box = form.composition.Handle();
  PutOnClipboard(text);
  Clear(box);
  SendMessageA(box, WM_PASTE, 0, 0);
  bench::Pump();
  Clear(bare);
  SendMessageA(bare, WM_PASTE, 0, 0);
  bench::Pump();

  std::string got;
  int last = -1;
  const std::string composition = form.composition.Text();
  const std::string html = CompositionHtml(composition, last);
  // The neighbouring column and back, so that each move really changes the selection.
  const int lastCol = (last - 32) % 16, lastRow = (last - 32) / 16;
  const int otherCol = (lastCol + 1) % 16;
  HWND label = form.htmlLabel.Handle();
  HWND output = form.htmlEdit.Handle();

  const double getText = TimePart([&] { got = form.composition.Text(); });
  const double bareText = TimePart([&] {
    GETTEXTLENGTHEX lengthEx{GTL_USECRLF | GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
    const auto length = SendMessageA(bare, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthEx), 0);
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    GETTEXTEX get{static_cast<DWORD>(buffer.size()), GT_USECRLF, CP_ACP, nullptr, nullptr};
    SendMessageA(bare, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(buffer.data()));
  });
  const double build = TimePart([&] { got = CompositionHtml(composition, last); });
  const double labelSet =
      TimePart([&] { form.htmlLabel.SetText(html); }, [&] { form.htmlLabel.SetText(""); });
  const double labelRaw =
      TimePart([&] { SetWindowTextA(label, html.c_str()); }, [&] { SetWindowTextA(label, ""); });
  const double labelMeasure = TimePart([&] {
    // As the label measures its text for its automatic size.
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, form.htmlLabel.GetFont().Handle());
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, html.c_str(), static_cast<int>(html.size()), &r,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
  });
  const double select = TimePart(
      [&] {
        form.grid.SetCol(lastCol);
        form.grid.SetRow(lastRow);
      },
      [&] {
        form.grid.SetCol(otherCol);
        form.grid.SetRow(lastRow);
      });
  form.htmlLabel.SetText(html);
  // The output line rewritten from the HTML text, as a click that clears "Copy with
  // HTML-Fontstyles" does it (the box is ticked again outside the timing).
  const double update = TimePart([&] { SendMessageA(form.htmlStylesCheck.Handle(), BM_CLICK, 0, 0); },
                                 [&] {
                                   form.htmlStylesCheck.SetChecked(true);
                                   SetWindowTextA(output, "");
                                 });
  form.htmlStylesCheck.SetChecked(false);
  const double outputRaw =
      TimePart([&] { SetWindowTextA(output, html.c_str()); }, [&] { SetWindowTextA(output, ""); });
  // The repaint a new text in the output line costs once the queue is handled.
  std::vector<double> paints;
  for (int i = 0; i < kPartRepeats; ++i) {
    SetWindowTextA(output, "");
    bench::Pump();
    SetWindowTextA(output, html.c_str());
    const LARGE_INTEGER start = Now();
    bench::Pump();
    paints.push_back(Milliseconds(start, Now()));
  }
  const double outputPaint = Median(paints);
  // The change notification the composition box sends its parent, alone.
  const WPARAM changed = MAKEWPARAM(GetDlgCtrlID(box), EN_CHANGE);
  const double whole =
      TimePart([&] { SendMessageA(GetParent(box), WM_COMMAND, changed, reinterpret_cast<LPARAM>(box)); },
               [&] {
                 form.htmlLabel.SetText("");
                 SetWindowTextA(output, "");
               });

  std::printf(
      "  %s, the handler's parts on a filled box (%zu characters, %zu of HTML text), medians of %d (ms):\n",
      size, composition.size(), html.size(), kPartRepeats);
  std::printf("    CompositionChange, whole                              %9.2f\n", whole);
  std::printf("    composition.Text (EM_GETTEXTLENGTHEX + EM_GETTEXTEX)  %9.2f   (bare rich edit: %.2f)\n",
              getText, bareText);
  std::printf("    CompositionHtml                                     %9.2f\n", build);
  std::printf("    htmlLabel.SetText                                  %9.2f\n", labelSet);
  std::printf("      SetWindowText alone                               %9.2f\n", labelRaw);
  std::printf("      DrawText DT_CALCRECT measure alone                %9.2f\n", labelMeasure);
  std::printf("    selection move (grid SetCol/SetRow, labels)         %9.2f\n", select);
  std::printf("    UpdateHtmlEdit                                      %9.2f\n", update);
  std::printf("      htmlEdit SetWindowText alone                     %9.2f\n", outputRaw);
  std::printf("    htmlEdit repaint after a new text                  %9.2f\n", outputPaint);
  Clear(box);
  Clear(bare);
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// A place for the bare rich edit's window that does not overlap the main window, so that
// both controls are drawn in full.
POINT FreePlace(const RECT& form, int width, int height) {
  const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  if (form.right + width <= screenW) return {form.right, 0};
  if (form.bottom + height <= screenH) return {0, form.bottom};
  if (form.left - width >= 0) return {form.left - width, 0};
  if (form.top - height >= 0) return {0, form.top - height};
  return {screenW - width, screenH - height};  // overlaps; said so below
}

// The bare rich edit, in a window of its own: the composition box's styles, size, text
// limit, event mask and default character format.
HWND CreateBare(MainForm& form) {
  HWND model = form.composition.Handle();
  WNDCLASSA wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kHostClass;
  RegisterClassA(&wc);

  RECT box;
  GetWindowRect(model, &box);
  const int width = box.right - box.left, height = box.bottom - box.top;
  RECT outer{0, 0, width + 8, height + 8};
  const DWORD hostStyle = WS_POPUP | WS_BORDER;
  AdjustWindowRectEx(&outer, hostStyle, FALSE, 0);
  const int hostW = outer.right - outer.left, hostH = outer.bottom - outer.top;
  RECT formRect;
  GetWindowRect(form.Handle(), &formRect);
  const POINT at = FreePlace(formRect, hostW, hostH);
  HWND host = CreateWindowExA(WS_EX_TOOLWINDOW, kHostClass, "bare rich edit", hostStyle, at.x, at.y, hostW,
                              hostH, nullptr, nullptr, wc.hInstance, nullptr);
  // Both scroll bars, as the composition box is created with: the rich edit takes their
  // bits off its style while the text fits, and without WS_HSCROLL it would wrap lines.
  const DWORD style =
      static_cast<DWORD>(GetWindowLongA(model, GWL_STYLE)) | WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL;
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(model, GWL_EXSTYLE));
  HWND bare = CreateWindowExA(exStyle, "RichEdit20A", "", style, 4, 4, width, height, host, nullptr,
                              wc.hInstance, nullptr);
  if (!bare) return nullptr;
  const auto limit = SendMessageA(model, EM_GETLIMITTEXT, 0, 0);
  SendMessageA(bare, EM_EXLIMITTEXT, 0, limit);
  SendMessageA(bare, EM_SETEVENTMASK, 0, SendMessageA(model, EM_GETEVENTMASK, 0, 0));
  CHARFORMAT2A format{};
  format.cbSize = sizeof format;
  SendMessageA(model, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageA(bare, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageA(bare, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  ShowWindow(host, SW_SHOWNOACTIVATE);
  UpdateWindow(host);

  CHARFORMAT2A got{};
  got.cbSize = sizeof got;
  SendMessageA(bare, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&got));
  RECT hostRect;
  GetWindowRect(host, &hostRect);
  RECT overlap;
  std::printf(
      "both boxes: RichEdit20A %dx%d, style 0x%08lX, ex style 0x%08lX, text limit %ld, "
      "font \"%s\" %ld pt, colour 0x%06lX, effects 0x%lX\n",
      width, height, style, exStyle, static_cast<long>(limit), got.szFaceName, got.yHeight / 20,
      got.crTextColor, got.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT));
  std::printf("main window at (%ld,%ld)-(%ld,%ld), bare rich edit's window at (%ld,%ld)-(%ld,%ld)%s%s\n",
              formRect.left, formRect.top, formRect.right, formRect.bottom, hostRect.left, hostRect.top,
              hostRect.right, hostRect.bottom, IsWindowVisible(bare) ? "" : ", not visible",
              IntersectRect(&overlap, &hostRect, &formRect) ? ", overlapping" : "");
  return bare;
}

struct Watchdog {
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  DWORD timeoutMs = 0;
  const char* message = "";
};

DWORD WINAPI Watch(void* parameter) {
  auto* watchdog = static_cast<Watchdog*>(parameter);
  if (WaitForSingleObject(watchdog->done, watchdog->timeoutMs) == WAIT_TIMEOUT) {
    std::printf("%s\n", watchdog->message);
    ExitProcess(0);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // The first argument (the path of Tessarin.exe, as every benchmark gets it) is not needed:
  // the main window is built in this process.
  int rounds = kDefaultRounds;
  if (argc > 3) {
    std::fprintf(stderr, "usage: bench_composition [PATH\\Tessarin.exe] [ROUNDS]\n");
    return 2;
  }
  if (argc == 3) {
    rounds = std::atoi(argv[2]);
    if (rounds < 1 || rounds > 1000) {
      std::fprintf(stderr, "bench_composition: ROUNDS must be 1 to 1000, not \"%s\"\n", argv[2]);
      return 2;
    }
  }
  QueryPerformanceFrequency(&frequency);
  std::setvbuf(stdout, nullptr, _IONBF, 0);

  int errors = 0;
  auto form = bench::ShownMainForm(errors);
  ChangeMeter meter;
  {
    auto handler = form->composition.OnChange;
    form->composition.OnChange = [handler, &meter] {
      const LARGE_INTEGER start = Now();
      handler();
      meter.ms += Milliseconds(start, Now());
      ++meter.calls;
    };
  }
  HWND bare = CreateBare(*form);
  if (!bare) {
    std::printf("could not create the bare rich edit (error %lu)\n", GetLastError());
    return 1;
  }
  bench::Pump();
  std::printf(
      "composition paste: the main window's composition box against a bare rich edit, %d rounds, "
      "order alternating\n",
      rounds);

  Bench bench(*form, bare, meter);
  const std::string small = PasteText(10000), large = PasteText(100000);
  Series smallSeries, largeSeries;
  if (!bench.Run(small, rounds, true, 0, smallSeries)) return 1;
  Report("10^4", smallSeries);
  if (!bench.Run(large, rounds, true, 0, largeSeries)) return 1;
  Report("10^5", largeSeries);

  std::printf("\nwhere the time goes\n");
  ReportSplit("10^4", smallSeries);
  ReportSplit("10^5", largeSeries);
  ReportParts("10^4", *form, bare, small);
  ReportParts("10^5", *form, bare, large);

  // 10^6, as many rounds as fit into a minute.
  std::printf("\n");
  Watchdog watchdog;
  watchdog.timeoutMs = static_cast<DWORD>(kBigBudgetMs);
  watchdog.message = "composition paste 10^6: not measured (the first round did not end within a minute)";
  HANDLE watcher = CreateThread(nullptr, 0, &Watch, &watchdog, 0, nullptr);
  Series bigSeries;
  const std::string big = PasteText(1000000);
  const bool bigOk = bench.Run(big, rounds, false, kBigBudgetMs, bigSeries, watchdog.done);
  SetEvent(watchdog.done);
  WaitForSingleObject(watcher, INFINITE);
  CloseHandle(watcher);
  if (!bigOk) return 1;
  Report("10^6", bigSeries);
  ReportSplit("10^6", bigSeries);

  if (errors) std::printf("%d error%s shown by the program during the run\n", errors, errors == 1 ? "" : "s");
  form.reset();
  return errors ? 1 : 0;
}
