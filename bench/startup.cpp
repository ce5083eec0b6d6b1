// Start-up time of Tessarin.exe to the first complete paint of its main window and to a
// shown, idle main window, against two baselines in the same run: notepad.exe, and bench_bare.exe beside this
// program, which creates Tessarin's windows (same classes, styles, sizes and fonts) with no logic, its main
// window's before its first paint and its dialogs' and icon window's after it, as Tessarin does: the floor
// Tessarin's start-up is held to.
//
//   bench_startup.exe PATH\Tessarin.exe [ROUNDS [PATH\EARLIER.exe]]   (ROUNDS defaults to 21)
//
// With an earlier build of Tessarin.exe it takes its turn in each round as a fourth program,
// and the rounds' ratios of this build to it are the headline of a change's cost.
//
// Each round starts the programs one after the other, the order rotating between
// rounds, and times each from CreateProcess to three points:
//   visible  the process's main top-level window (class "Notepad" / "TessarinMainWindow")
//            has WS_VISIBLE;
//   idle     WaitForInputIdle on the process returns (waited for from a second thread
//            since CreateProcess): the thread waits for input with nothing left to do,
//            its first paint included;
//   reply    a WM_NULL sent with SendMessageTimeout once the window is visible returns:
//            the message loop runs.
//   painted  after the reply (so the show has finished and invalidated the window), the
//            main window and every window inside it have an empty update region: each
//            has handled its WM_PAINT (BeginPaint/EndPaint validates it), so everything
//            the window shows has been drawn once. Read from outside with GetUpdateRect,
//            which asks the window manager and sends the window nothing.
// "ready" is the latest of the three, the point where a person sees the window and can
// use it. The headlines are the medians over the rounds of Tessarin's ready time divided
// by each baseline's. A program is closed with WM_CLOSE and waited for before the next one
// starts, so that no two instances of Tessarin ever run at once.
//
// Then the same start seen from outside, as a person sees it: Tessarin and the bare program
// (and the earlier build), eight rounds each, are read off the screen. From the moment the
// main window is shown this process copies its client area from the screen again and again
// and times the last change of any pixel, once the window has painted and then held still
// for 30 ms. "still" is that last change, from CreateProcess; a window drawn again after its
// first complete paint (a flicker) shows as later changes, which are listed with their place.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/Timing.h"

using bench::Median;

namespace {

constexpr int kDefaultRounds = 21;
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kCloseTimeoutMs = 10000;
// A moment between launches, so that one program's teardown (X windows, server
// objects) does not run into the next one's start.
constexpr DWORD kSettleMs = 100;
constexpr double kPaintGoal = 1.10;    // to the first complete paint, against notepad
constexpr double kFloorGoal = 1.10;    // to the first complete paint, against the bare program
constexpr double kEarlierGoal = 1.03;  // to the first complete paint, against an earlier build
constexpr int kStillRounds = 8;
constexpr double kStillMs = 30;      // no pixel changed for this long: the window holds still
constexpr double kStillGoal = 1.10;  // to a still window, against the bare program

LARGE_INTEGER frequency;

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}

struct Program {
  std::string name;       // as printed
  std::string path;       // as given to CreateProcess
  const char* className;  // of its main window
};

struct Sample {
  double visible = 0;
  double painted = 0;
  double idle = -1;  // negative: WaitForInputIdle gave no answer
  double reply = 0;
  double ready = 0;
};

struct IdleWait {
  HANDLE process;
  LARGE_INTEGER start;
  DWORD result = WAIT_FAILED;
  double at = -1;
};

DWORD WINAPI WaitIdle(void* parameter) {
  auto* wait = static_cast<IdleWait*>(parameter);
  wait->result = WaitForInputIdle(wait->process, kStartTimeoutMs);
  wait->at = Milliseconds(wait->start, Now());
  return 0;
}

// The visible top-level window of the given class that belongs to the process.
HWND VisibleWindowOf(DWORD processId, const char* className) {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, className, nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

bool NothingToPaint(HWND window) { return !GetUpdateRect(window, nullptr, FALSE); }

BOOL CALLBACK ChildNothingToPaint(HWND child, LPARAM lParam) {
  if (NothingToPaint(child)) return TRUE;
  *reinterpret_cast<bool*>(lParam) = false;
  return FALSE;  // one is enough
}

// True when the window and every window inside it have painted what they were asked to.
bool CompletelyPainted(HWND window) {
  if (!NothingToPaint(window)) return false;
  bool all = true;
  EnumChildWindows(window, &ChildNothingToPaint, reinterpret_cast<LPARAM>(&all));
  return all;
}

// Closes the program as a user would and waits until the process has gone. Falls back
// to ending its message loop, and only then to terminating it; false when it did not
// end cleanly.
bool CloseAndWait(const PROCESS_INFORMATION& info, HWND window) {
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, kCloseTimeoutMs) == WAIT_OBJECT_0) return true;
  std::printf("  did not end %lu ms after WM_CLOSE; posting WM_QUIT\n", kCloseTimeoutMs);
  PostThreadMessageA(GetWindowThreadProcessId(window, nullptr), WM_QUIT, 0, 0);
  if (WaitForSingleObject(info.hProcess, kCloseTimeoutMs) == WAIT_OBJECT_0) return false;
  std::printf("  still running; terminating it\n");
  TerminateProcess(info.hProcess, 1);
  if (WaitForSingleObject(info.hProcess, kCloseTimeoutMs) != WAIT_OBJECT_0) {
    std::printf("  the process does not end; giving up\n");
    std::exit(2);
  }
  return false;
}

// Starts the program; its start time is taken just before. False (said) when it does not start.
bool Launch(const Program& program, PROCESS_INFORMATION& info, LARGE_INTEGER& start) {
  std::string commandLine = "\"" + program.path + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  info = {};
  start = Now();
  if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &info))
    return true;
  std::printf("  %s: CreateProcess failed (error %lu)\n", program.name.c_str(), GetLastError());
  return false;
}

// The program's main window once it is visible; nullptr (said) when the program ends or the
// time runs out first. Polling every millisecond: the wait on the process handle is the
// pause, and tells at once when the program ends before it ever shows a window.
HWND WaitVisible(const Program& program, const PROCESS_INFORMATION& info, const LARGE_INTEGER& start) {
  for (;;) {
    if (HWND window = VisibleWindowOf(info.dwProcessId, program.className)) return window;
    if (WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0) {
      DWORD exitCode = 0;
      GetExitCodeProcess(info.hProcess, &exitCode);
      std::printf("  %s ended (exit code %lu) before showing a window of class %s\n", program.name.c_str(),
                  exitCode, program.className);
      return nullptr;
    }
    if (Milliseconds(start, Now()) > kStartTimeoutMs) {
      std::printf("  %s showed no window of class %s within %lu ms\n", program.name.c_str(),
                  program.className, kStartTimeoutMs);
      return nullptr;
    }
  }
}

// Starts the program, times it to its shown and idle main window, closes it.
bool Measure(const Program& program, Sample& sample) {
  PROCESS_INFORMATION info{};
  LARGE_INTEGER start{};
  if (!Launch(program, info, start)) return false;
  IdleWait idleWait{info.hProcess, start};
  HANDLE idleThread = CreateThread(nullptr, 0, &WaitIdle, &idleWait, 0, nullptr);

  HWND window = WaitVisible(program, info, start);
  bool ok = window != nullptr;
  if (ok) {
    sample.visible = Milliseconds(start, Now());
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kStartTimeoutMs, &result)) {
      std::printf("  %s did not answer a sent message (error %lu)\n", program.name.c_str(), GetLastError());
      ok = false;
    }
    sample.reply = Milliseconds(start, Now());
  }
  // About every millisecond (the wait on the process is the pause); a child window is
  // looked at only once the main window itself has painted.
  while (ok && !CompletelyPainted(window)) {
    if (WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0 ||
        Milliseconds(start, Now()) > kStartTimeoutMs) {
      std::printf("  %s never painted its main window\n", program.name.c_str());
      ok = false;
      break;
    }
    WaitForSingleObject(info.hProcess, 1);
  }
  if (ok) sample.painted = Milliseconds(start, Now());
  WaitForSingleObject(idleThread, INFINITE);
  CloseHandle(idleThread);
  if (ok) {
    sample.idle = idleWait.result == 0 ? idleWait.at : -1;
    sample.ready = std::max({sample.visible, sample.idle, sample.reply, sample.painted});
    if (!CloseAndWait(info, window)) ok = false;
  } else if (WaitForSingleObject(info.hProcess, 0) != WAIT_OBJECT_0) {
    TerminateProcess(info.hProcess, 1);
    WaitForSingleObject(info.hProcess, INFINITE);
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return ok;
}

// A copy of a screen rectangle in a 32-bit top-down bitmap.
class ScreenShot {
 public:
  ScreenShot(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~ScreenShot() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  ScreenShot(const ScreenShot&) = delete;
  ScreenShot& operator=(const ScreenShot&) = delete;
  bool Take(HDC screen, int left, int top) {
    const bool ok = BitBlt(dc_, 0, 0, width_, height_, screen, left, top, SRCCOPY);
    GdiFlush();
    return ok;
  }
  // The smallest rectangle holding every pixel that differs from the other shot; empty when none.
  RECT Difference(const ScreenShot& other) const {
    RECT r{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y) {
      const std::uint32_t* a = bits_ + static_cast<size_t>(y) * width_;
      const std::uint32_t* b = other.bits_ + static_cast<size_t>(y) * width_;
      if (std::equal(a, a + width_, b)) continue;
      for (int x = 0; x < width_; ++x)
        if ((a[x] ^ b[x]) & 0xFFFFFF) {
          r.left = std::min<LONG>(r.left, x);
          r.right = std::max<LONG>(r.right, x + 1);
          r.top = std::min<LONG>(r.top, y);
          r.bottom = y + 1;
        }
    }
    return r.right > r.left ? r : RECT{};
  }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  std::uint32_t* bits_ = nullptr;
};

struct Change {
  double at;   // ms from CreateProcess
  RECT where;  // in the client area
};

struct StillSample {
  double visible = 0;
  double painted = 0;         // the first sample at which the window had painted everything once
  double still = 0;           // the last change of a pixel
  std::vector<Change> later;  // changes after the first complete paint
  int shots = 0;
};

// Starts the program and reads its main window's client area off the screen until it has
// painted and then held still for kStillMs.
bool MeasureStill(const Program& program, StillSample& sample) {
  PROCESS_INFORMATION info{};
  LARGE_INTEGER start{};
  if (!Launch(program, info, start)) return false;
  HWND window = WaitVisible(program, info, start);
  bool ok = window != nullptr;
  if (ok) {
    sample.visible = Milliseconds(start, Now());
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    ScreenShot shots[2] = {ScreenShot(client.right, client.bottom), ScreenShot(client.right, client.bottom)};
    int current = 0;
    shots[current].Take(screen, origin.x, origin.y);
    sample.shots = 1;
    double lastChange = Milliseconds(start, Now());
    sample.painted = -1;
    for (;;) {
      WaitForSingleObject(info.hProcess, 1);
      const int next = 1 - current;
      shots[next].Take(screen, origin.x, origin.y);
      const double now = Milliseconds(start, Now());
      ++sample.shots;
      const RECT changed = shots[next].Difference(shots[current]);
      current = next;
      if (!IsRectEmpty(&changed)) {
        lastChange = now;
        if (sample.painted >= 0) sample.later.push_back({now, changed});
      }
      if (sample.painted < 0 && CompletelyPainted(window)) sample.painted = now;
      if (sample.painted >= 0 && now - lastChange >= kStillMs) break;
      if (now > kStartTimeoutMs || WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0) {
        std::printf("  %s never held still\n", program.name.c_str());
        ok = false;
        break;
      }
    }
    ReleaseDC(nullptr, screen);
    sample.still = lastChange;
    if (!CloseAndWait(info, window)) ok = false;
  } else if (WaitForSingleObject(info.hProcess, 0) != WAIT_OBJECT_0) {
    TerminateProcess(info.hProcess, 1);
    WaitForSingleObject(info.hProcess, INFINITE);
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return ok;
}

void PrintStill(int round, const Program& program, const StillSample& sample) {
  std::printf("round %2d  %-12s visible %7.1f  painted %7.1f  still %7.1f ms  (%d shots)", round,
              program.name.c_str(), sample.visible, sample.painted, sample.still, sample.shots);
  for (const Change& c : sample.later)
    std::printf("; at %.1f: %ldx%ld at %ld,%ld", c.at, c.where.right - c.where.left,
                c.where.bottom - c.where.top, c.where.left, c.where.top);
  std::printf("\n");
}

std::vector<double> Field(const std::vector<Sample>& samples, double Sample::*field) {
  std::vector<double> values;
  for (const Sample& sample : samples)
    if (sample.*field >= 0) values.push_back(sample.*field);
  return values;
}

// Under Wine a Unix path (/home/…/Tessarin.exe) is accepted too and turned into the
// DOS path Wine maps it to; on Windows the function does not exist and the path stands.
std::string DosPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  using ToDos = WCHAR*(CDECL*)(const char*);
  auto toDos = reinterpret_cast<ToDos>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
  if (!toDos) return path;
  WCHAR* wide = toDos(path.c_str());
  if (!wide) return path;
  char buffer[MAX_PATH * 2] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, buffer, sizeof buffer, nullptr, nullptr);
  HeapFree(GetProcessHeap(), 0, wide);
  return buffer;
}

std::string NotepadPath() {
  char path[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(path, MAX_PATH);
  if (length > 0 && length < MAX_PATH - 13) {
    std::string candidate = std::string(path) + "\\notepad.exe";
    if (GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) return candidate;
  }
  if (SearchPathA(nullptr, "notepad.exe", nullptr, MAX_PATH, path, nullptr)) return path;
  return "notepad.exe";
}

void PrintSample(int round, const Program& program, const Sample& sample) {
  char idle[32] = "    n/a";
  if (sample.idle >= 0) std::snprintf(idle, sizeof idle, "%7.1f", sample.idle);
  std::printf("round %2d  %-12s visible %7.1f  painted %7.1f  idle %s  reply %7.1f  ready %7.1f ms\n", round,
              program.name.c_str(), sample.visible, sample.painted, idle, sample.reply, sample.ready);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: bench_startup PATH\\Tessarin.exe [ROUNDS [PATH\\EARLIER.exe]]\n");
    return 2;
  }
  int rounds = kDefaultRounds;
  if (argc >= 3) {
    rounds = std::atoi(argv[2]);
    if (rounds < 1 || rounds > 1000) {
      std::fprintf(stderr, "bench_startup: ROUNDS must be 1 to 1000, not \"%s\"\n", argv[2]);
      return 2;
    }
  }
  QueryPerformanceFrequency(&frequency);
  std::setvbuf(stdout, nullptr, _IONBF, 0);

  const Program notepad{"notepad.exe", NotepadPath(), "Notepad"};
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string barePath = self;
  barePath = barePath.substr(0, barePath.find_last_of("\\/") + 1) + "bench_bare.exe";
  const Program bare{"bare program", barePath, "BareMainWindow"};
  const Program tessarin{"Tessarin.exe", DosPath(argv[1]), "TessarinMainWindow"};
  const Program earlier{"earlier build", argc == 4 ? DosPath(argv[3]) : std::string(), "TessarinMainWindow"};
  const int count = argc == 4 ? 4 : 3;
  for (const Program* p : {&tessarin, &bare, count == 4 ? &earlier : &bare}) {
    if (GetFileAttributesA(p->path.c_str()) == INVALID_FILE_ATTRIBUTES) {
      std::fprintf(stderr, "bench_startup: no such file: %s\n", p->path.c_str());
      return 2;
    }
  }
  // A running Tessarin would make the measured one a second instance, which only hands
  // over to the first and ends.
  if (FindWindowA(tessarin.className, nullptr)) {
    std::fprintf(stderr, "bench_startup: Tessarin is already running; close it first\n");
    return 2;
  }
  std::printf("start-up to a shown, idle main window: %s against %s and %s, %d rounds\n",
              tessarin.path.c_str(), notepad.path.c_str(), bare.path.c_str(), rounds);

  // One launch of each first, not counted: it loads the files and libraries they share
  // into the caches, which would otherwise count against whichever goes first.
  const Program* programs[4] = {&notepad, &bare, &tessarin, &earlier};
  Sample warmUp;
  for (int p = 0; p < count; ++p)
    if (!Measure(*programs[p], warmUp)) return 1;
  Sleep(kSettleMs);

  std::vector<Sample> sampleSets[4];
  // Against notepad, against the bare program; against the earlier build.
  std::vector<double> readyRatios[2], visibleRatios[2], paintedRatios[2], floorRatios, earlierPainted,
      earlierReady;
  int failures = 0;
  for (int round = 1; round <= rounds; ++round) {
    Sample samples[4];
    bool ok = true;
    for (int i = 0; i < count; ++i) {
      const int p = (i + round) % count;  // the order rotates
      if (Measure(*programs[p], samples[p])) {
        PrintSample(round, *programs[p], samples[p]);
      } else {
        ok = false;
      }
      Sleep(kSettleMs);
    }
    if (!ok) {
      ++failures;
      continue;
    }
    for (int p = 0; p < count; ++p) sampleSets[p].push_back(samples[p]);
    if (count == 4) {
      earlierPainted.push_back(samples[2].painted / samples[3].painted);
      earlierReady.push_back(samples[2].ready / samples[3].ready);
    }
    for (int b = 0; b < 2; ++b) {
      readyRatios[b].push_back(samples[2].ready / samples[b].ready);
      visibleRatios[b].push_back(samples[2].visible / samples[b].visible);
      paintedRatios[b].push_back(samples[2].painted / samples[b].painted);
    }
    floorRatios.push_back(samples[1].painted / samples[0].painted);
  }
  if (sampleSets[0].empty()) {
    std::printf("no round succeeded\n");
    return 1;
  }

  std::printf("\nmedians over %zu rounds (ms):   visible  painted     idle    reply    ready\n",
              sampleSets[0].size());
  double medians[4][5] = {};
  double Sample::*fields[5] = {&Sample::visible, &Sample::painted, &Sample::idle, &Sample::reply,
                               &Sample::ready};
  for (int p = 0; p < count; ++p) {
    for (int f = 0; f < 5; ++f) medians[p][f] = Median(Field(sampleSets[p], fields[f]));
    std::printf("  %-27s %8.1f %8.1f %8.1f %8.1f %8.1f\n", programs[p]->name.c_str(), medians[p][0],
                medians[p][1], medians[p][2], medians[p][3], medians[p][4]);
  }
  // The headlines are the medians of the rounds' own ratios: the programs of a round ran
  // within a second of each other, so load that comes and goes cancels out of them.
  for (int b = 0; b < 2; ++b) {
    const std::vector<double>& r = readyRatios[b];
    std::printf(
        "startup ratio against %s (median of the rounds): %.2fx painted, %.2fx ready (rounds %.2fx to "
        "%.2fx), "
        "%.2fx visible\n",
        programs[b]->name.c_str(), Median(paintedRatios[b]), Median(r), *std::min_element(r.begin(), r.end()),
        *std::max_element(r.begin(), r.end()), Median(visibleRatios[b]));
  }
  const double paintRatio = Median(paintedRatios[0]), floorRatio = Median(paintedRatios[1]);
  std::printf("goal: first complete paint within %.2fx of notepad: %s\n", kPaintGoal,
              paintRatio <= kPaintGoal ? "met" : "not met");
  std::printf("goal: first complete paint within %.2fx of the bare program: %s\n", kFloorGoal,
              floorRatio <= kFloorGoal ? "met" : "not met");
  // Where the floor itself stands: the same windows with no logic, against notepad.
  std::printf("the bare program's first complete paint against notepad: %.2fx\n", Median(floorRatios));
  std::printf(
      "median start-up to the first complete paint: Tessarin %.1f ms, bare %.1f ms, notepad %.1f ms\n",
      medians[2][1], medians[1][1], medians[0][1]);
  std::printf(
      "median start-up to a shown, idle main window: Tessarin %.1f ms, bare %.1f ms, notepad %.1f ms\n",
      medians[2][4], medians[1][4], medians[0][4]);
  if (count == 4) {
    const double ratio = Median(earlierPainted);
    std::printf(
        "against the earlier build (median of the rounds): %.3fx painted, %.3fx ready; goal: first complete "
        "paint within %.2fx: %s\n",
        ratio, Median(earlierReady), kEarlierGoal, ratio <= kEarlierGoal ? "met" : "not met");
  }
  if (failures) std::printf("%d of %d rounds failed and are left out\n", failures, rounds);

  // Seen from outside: until the client area holds still.
  std::printf(
      "\nseen from outside: the client area read off the screen until it holds still for %.0f ms, %d "
      "rounds\n",
      kStillMs, kStillRounds);
  const Program* stillPrograms[3] = {&bare, &tessarin, &earlier};
  const int stillCount = count == 4 ? 3 : 2;
  std::vector<double> stillRatios, stillEarlierRatios, stillTimes[3], laterChanges;
  int stillFailures = 0;
  for (int round = 1; round <= kStillRounds; ++round) {
    StillSample samples[3];
    bool ok = true;
    for (int i = 0; i < stillCount; ++i) {
      const int p = (i + round) % stillCount;
      if (MeasureStill(*stillPrograms[p], samples[p])) {
        PrintStill(round, *stillPrograms[p], samples[p]);
      } else {
        ok = false;
      }
      Sleep(kSettleMs);
    }
    if (!ok) {
      ++stillFailures;
      continue;
    }
    for (int p = 0; p < stillCount; ++p) stillTimes[p].push_back(samples[p].still);
    stillRatios.push_back(samples[1].still / samples[0].still);
    laterChanges.push_back(static_cast<double>(samples[1].later.size()));
    if (stillCount == 3) stillEarlierRatios.push_back(samples[1].still / samples[2].still);
  }
  if (stillRatios.empty()) {
    std::printf("no round of the still window succeeded\n");
    return 1;
  }
  std::printf("median time to a still window: Tessarin %.1f ms, bare %.1f ms", Median(stillTimes[1]),
              Median(stillTimes[0]));
  if (stillCount == 3) std::printf(", earlier build %.1f ms", Median(stillTimes[2]));
  std::printf("\n");
  const double stillRatio = Median(stillRatios);
  std::printf(
      "still window against the bare program (median of the rounds): %.2fx (rounds %.2fx to %.2fx); "
      "Tessarin's "
      "changes after its first complete paint: median %.0f; goal: within %.2fx: %s\n",
      stillRatio, *std::min_element(stillRatios.begin(), stillRatios.end()),
      *std::max_element(stillRatios.begin(), stillRatios.end()), Median(laterChanges), kStillGoal,
      stillRatio <= kStillGoal ? "met" : "not met");
  if (stillCount == 3)
    std::printf("still window against the earlier build (median of the rounds): %.2fx\n",
                Median(stillEarlierRatios));
  if (stillFailures)
    std::printf("%d of %d still rounds failed and are left out\n", stillFailures, kStillRounds);
  return failures || stillFailures ? 1 : 0;
}
