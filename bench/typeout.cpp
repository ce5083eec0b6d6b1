// Shift+Enter to the character in another program: the time from the key to the character in
// Wine's Notepad, for Tessarin (the grid's selected character typed where the user was) against
// a bare program that makes the same foreground change and the same SendInput, in the same run.
//
//   bench_typeout.exe PATH\Tessarin.exe [ROUNDS]   (ROUNDS defaults to 31)
//   bench_typeout.exe --bare                       the bare program (started by the first form)
//
// Both programs run beside Notepad. Each round brings Notepad to the front, calls one program
// forward with its hot key (Tessarin's Ctrl+Alt+Shift+T, the bare program's Ctrl+Alt+Shift+B),
// waits until it is in front and idle, then sends Shift+Enter and times until Notepad's edit holds
// the character (its text length, read with WM_GETTEXTLENGTH in a tight loop). The two programs
// take turns round by round. The headline is the median of Tessarin's times over the bare
// program's. Keys are injected here: this measures time, not the X focus.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench/Timing.h"

namespace {

constexpr int kDefaultRounds = 31;
constexpr double kGoal = 1.2;
constexpr const char* kBareClass = "TypeOutBare";
constexpr wchar_t kCharacter = 0x2192;  // RIGHTWARDS ARROW, selected in Tessarin's grid

// --- The bare program --------------------------------------------------------------------

HWND bareOrigin = nullptr;

void RoundTrip(HWND w) { SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, nullptr); }

LRESULT CALLBACK BareProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_HOTKEY:
      bareOrigin = GetForegroundWindow();
      ShowWindow(hwnd, SW_SHOW);
      SetForegroundWindow(hwnd);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN && GetKeyState(VK_SHIFT) < 0 && bareOrigin) {
        // The fresh message and the foreground while the window still shows, the wait for the
        // focus, one SendInput, the hide.
        const DWORD thread = GetWindowThreadProcessId(bareOrigin, nullptr);
        PostMessageA(bareOrigin, WM_NULL, 0, 0);
        RoundTrip(bareOrigin);
        RoundTrip(bareOrigin);
        SetForegroundWindow(bareOrigin);
        RoundTrip(bareOrigin);
        GUITHREADINFO info{sizeof info};
        for (int i = 0; i < 1000 && !(GetGUIThreadInfo(thread, &info) && info.hwndFocus); ++i)
          RoundTrip(bareOrigin);
        INPUT in[2] = {};
        for (int i = 0; i < 2; ++i) {
          in[i].type = INPUT_KEYBOARD;
          in[i].ki.wScan = kCharacter;
          in[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, in, sizeof(INPUT));
        ShowWindow(hwnd, SW_HIDE);
        return 0;
      }
      break;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int RunBare() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = BareProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kBareClass;
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, kBareClass, "bare", WS_OVERLAPPEDWINDOW, 300, 200, 400, 300, nullptr,
                              nullptr, wc.hInstance, nullptr);
  RegisterHotKey(hwnd, 1, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'B');
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

// --- The driver ----------------------------------------------------------------------------

LARGE_INTEGER frequency;
// The programs the driver started.
std::vector<HANDLE> children;

double MillisecondsSince(const LARGE_INTEGER& from) {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Waits for a condition, handling this thread's messages, for at most timeoutMs.
template <class Condition>
bool WaitFor(Condition done, DWORD timeoutMs = 5000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
  }
  return true;
}

void Key(WORD k, bool up) {
  INPUT i{};
  i.type = INPUT_KEYBOARD;
  i.ki.wVk = k;
  i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &i, sizeof i);
}

// The modifiers go down first, until the system holds them down (when X's keyboard focus moves,
// Wine brings its key state in line with the X server's, which knows nothing of injected keys,
// and may release them); `before` runs just before the key itself.
void Keys(std::initializer_list<WORD> held, WORD vk, const std::function<void()>& before = nullptr) {
  auto allDown = [&] {
    for (WORD k : held)
      if (!(GetAsyncKeyState(k) & 0x8000)) return false;
    return true;
  };
  for (int attempt = 0; attempt < 10 && !allDown(); ++attempt)
    for (WORD k : held) Key(k, false);
  if (before) before();
  Key(vk, false);
  Key(vk, true);
  for (auto m = std::rbegin(held); m != std::rend(held); ++m) Key(*m, true);
}

bool Idle(HWND w) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored) != 0;
}

// Brings the window to the front until it stays there after round trips to both programs.
bool Front(HWND window, HWND other) {
  return WaitFor([&] {
    if (GetForegroundWindow() != window) SetForegroundWindow(window);
    return Idle(window) && Idle(other) && GetForegroundWindow() == window;
  });
}

HANDLE Start(const std::string& commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return nullptr;
  CloseHandle(process.hThread);
  children.push_back(process.hProcess);
  return process.hProcess;
}

struct Subject {
  const char* name;
  WORD hotKey;
  HWND window = nullptr;
  std::vector<double> times;
};

// What the screen shows when a round goes wrong.
int Failed(const char* what, const char* name) {
  char front[64] = {};
  GetClassNameA(GetForegroundWindow(), front, sizeof front);
  std::printf("%s %s (in front: %s)\n", name, what, front);
  return 1;
}

int Run(int argc, char** argv);

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--bare") == 0) return RunBare();
  const int result = Run(argc, argv);
  // The programs started hold the output pipe: none may outlive a failed run.
  for (HANDLE p : children) {
    if (WaitForSingleObject(p, result ? 0 : 10000) != WAIT_OBJECT_0) TerminateProcess(p, 1);
    CloseHandle(p);
  }
  return result;
}

namespace {

int Run(int argc, char** argv) {
  if (argc < 2) {
    std::printf("usage: bench_typeout PATH\\Tessarin.exe [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 2 ? std::atoi(argv[2]) : kDefaultRounds;
  QueryPerformanceFrequency(&frequency);
  char self[MAX_PATH] = {}, system[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  GetSystemDirectoryA(system, MAX_PATH);

  // Tessarin with U+2192 selected in its grid (Ctrl+F, the name, Esc), hidden.
  HANDLE tessarin = Start(std::string("\"") + argv[1] + "\"");
  HANDLE bare = Start(std::string("\"") + self + "\" --bare");
  HANDLE notepadProcess = Start(std::string("\"") + system + "\\notepad.exe\"");
  Subject subjects[] = {{"Tessarin", 'T'}, {"bare", 'B'}};
  HWND notepad = nullptr, edit = nullptr;
  if (!tessarin || !bare || !notepadProcess ||
      !WaitFor(
          [&] {
            subjects[0].window = FindWindowA("TessarinMainWindow", nullptr);
            subjects[1].window = FindWindowA(kBareClass, nullptr);
            notepad = FindWindowA("Notepad", nullptr);
            return subjects[0].window && IsWindowVisible(subjects[0].window) && subjects[1].window && notepad;
          },
          30000)) {
    std::printf("the programs did not start\n");
    return 1;
  }
  edit = FindWindowExA(notepad, nullptr, "Edit", nullptr);
  HWND main = subjects[0].window;
  if (!Front(main, notepad)) return Failed("did not come to the front", "Tessarin");
  Keys({VK_CONTROL}, 'F');
  for (const char* c = "rightwards arrow"; *c; ++c) {
    const SHORT scan = VkKeyScanA(*c);
    Keys({}, static_cast<WORD>(scan & 0xFF));
  }
  Keys({}, VK_ESCAPE);
  if (!Idle(main)) return 1;

  for (int round = 0; round < rounds; ++round) {
    for (int turn = 0; turn < 2; ++turn) {
      Subject& s = subjects[(round + turn) % 2];
      SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
      if (!Front(notepad, s.window)) return Failed("did not come to the front", "Notepad");
      Keys({VK_CONTROL, VK_MENU, VK_SHIFT}, s.hotKey);
      if (!WaitFor([&] { return GetForegroundWindow() == s.window && Idle(s.window) && Idle(notepad); }))
        return Failed("did not come forward", s.name);
      LARGE_INTEGER start;
      Keys({VK_SHIFT}, VK_RETURN, [&] { QueryPerformanceCounter(&start); });
      while (SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0) == 0) {
        if (MillisecondsSince(start) > 5000) return Failed("typed nothing", s.name);
      }
      s.times.push_back(MillisecondsSince(start));
      wchar_t text[8] = {};
      SendMessageW(edit, WM_GETTEXT, 8, reinterpret_cast<LPARAM>(text));
      if (text[0] != kCharacter || text[1] != 0) return std::printf("%s typed something else\n", s.name), 1;
      if (!WaitFor([&] { return !IsWindowVisible(s.window) && Idle(s.window); }))
        return Failed("did not hide", s.name);
    }
  }
  const double t = bench::Median(subjects[0].times), b = bench::Median(subjects[1].times);
  std::printf("Shift+Enter to the character in Notepad's edit, median of %d rounds:\n", rounds);
  std::printf("  Tessarin %.2f ms, bare program %.2f ms\n", t, b);
  std::printf("  ratio %.2fx (goal at most %.1fx)\n", t / b, kGoal);

  SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
  for (HWND w : {notepad, subjects[1].window, main}) PostMessageA(w, WM_CLOSE, 0, 0);
  return 0;
}

}  // namespace
