// Helpers of the Windows tests: message pumps, window search, input and child processes.
#include "tests/support/TestSupport.h"

#include <cstdlib>

#include "ui/Application.h"
#include "ui/Canvas.h"

namespace testing_support {

bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  return ui::Application::Instance().ProcessMessagesUntil(condition,
                                                          static_cast<std::int32_t>(timeout.count()));
}

void PaceInput(std::chrono::milliseconds pause) {
  PumpUntil([] { return false; }, pause);
}

bool BringToFront(HWND window, std::initializer_list<HWND> others, std::chrono::milliseconds timeout) {
  // A thread that answers a sent message has read the events queued for it before, late
  // focus events of X included.
  auto roundTrip = [](HWND hwnd) {
    DWORD_PTR result = 0;
    return !hwnd || SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result) != 0;
  };
  return PumpUntil(
      [&] {
        if (GetForegroundWindow() != window) {
          SetForegroundWindow(window);
          return false;
        }
        bool answered = roundTrip(window);
        for (HWND other : others) answered = roundTrip(other) && answered;
        PumpUntil([] { return true; }, std::chrono::milliseconds(0));  // this thread's own queue
        return answered && GetForegroundWindow() == window;
      },
      timeout);
}

std::string WindowText(HWND hwnd) {
  char buffer[1024] = {};
  GetWindowTextA(hwnd, buffer, sizeof buffer);
  return buffer;
}

std::string ClassName(HWND hwnd) {
  char buffer[256] = {};
  GetClassNameA(hwnd, buffer, sizeof buffer);
  return buffer;
}

RECT RectInParent(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  if (HWND parent = GetParent(hwnd); parent && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

namespace {
struct ProcessWindows {
  DWORD process;
  std::vector<HWND> windows;
};
BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam) {
  auto* pw = reinterpret_cast<ProcessWindows*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == pw->process) pw->windows.push_back(hwnd);
  return TRUE;
}
struct ChildSearch {
  std::string text;
  const char* className;
  HWND found;
};
BOOL CALLBACK MatchChild(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<ChildSearch*>(lParam);
  if (WindowText(hwnd) == s->text && (!s->className || ClassName(hwnd) == s->className)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
  ProcessWindows pw{processId, {}};
  EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&pw));
  return pw.windows;
}

HWND FindProcessWindow(DWORD processId, const char* className) {
  for (HWND hwnd : TopLevelWindows(processId))
    if (ClassName(hwnd) == className) return hwnd;
  return nullptr;
}

HWND FindChildByText(HWND parent, const std::string& text, const char* className) {
  ChildSearch s{text, className, nullptr};
  EnumChildWindows(parent, &MatchChild, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

void MoveMouseTo(int x, int y) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
}

void ClickAt(int x, int y, DWORD downFlag, DWORD upFlag) {
  // Every event carries the position: a press sent on its own may be handled before
  // the move that precedes it, and then lands where the pointer was.
  INPUT in[3]{};
  const DWORD flags[3] = {0, downFlag, upFlag};
  for (int i = 0; i < 3; ++i) {
    in[i].type = INPUT_MOUSE;
    in[i].mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in[i].mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags[i];
  }
  SendInput(3, in, sizeof in[0]);
}

void MouseAt(int x, int y, DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
  SendInput(1, &in, sizeof in);
}

ChildProcess::~ChildProcess() { Terminate(); }

bool ChildProcess::Start(const std::string& program, int showCommand, const std::string& arguments) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  if (showCommand >= 0) {
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(showCommand);
  }
  std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
  return CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &info_) != FALSE;
}

bool ChildProcess::WaitExit(DWORD& exitCode, DWORD timeoutMs) {
  if (!info_.hProcess) return false;
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(info_.hProcess, &exitCode);
  return true;
}

HWND ChildProcess::WaitForVisibleWindow(const char* className, DWORD timeoutMs) {
  HWND found = nullptr;
  PumpUntil(
      [&] {
        found = FindProcessWindow(Id(), className);
        return found && IsWindowVisible(found);
      },
      std::chrono::milliseconds(timeoutMs));
  if (!found || !IsWindowVisible(found)) return nullptr;
  // Shown is not yet settled: wait until the program waits for input.
  WaitForInputIdle(info_.hProcess, timeoutMs);
  return found;
}

void ChildProcess::Terminate() {
  if (!info_.hProcess) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    // Ask politely first: an OLE clipboard owner that is killed empties the clipboard.
    for (HWND hwnd : TopLevelWindows(info_.dwProcessId)) PostMessageA(hwnd, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info_.hProcess, 5000) == WAIT_TIMEOUT) {
      TerminateProcess(info_.hProcess, 1);
      WaitForSingleObject(info_.hProcess, 5000);
    }
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
  info_ = {};
}

std::string TessarinExe() {
  const char* path = std::getenv("TESSARIN_EXE");
  return path ? path : "Tessarin.exe";
}

std::vector<DWORD> ScreenPixels(const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  ui::WindowDC screen(nullptr);
  ui::MemoryDC copy(screen, w, h);
  BitBlt(copy, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB};
  std::vector<DWORD> pixels(static_cast<size_t>(w * h));
  GetDIBits(copy, copy.BitmapHandle(), 0, static_cast<UINT>(h), pixels.data(), &bi, DIB_RGB_COLORS);
  return pixels;
}

int DifferingPerMille(const std::vector<DWORD>& a, const std::vector<DWORD>& b) {
  if (a.size() != b.size() || a.empty()) return 1000;
  size_t differing = 0;
  for (size_t i = 0; i < a.size(); ++i) differing += std::abs(int(a[i] & 0xFF) - int(b[i] & 0xFF)) > 96;
  return static_cast<int>(differing * 1000 / a.size());
}

}  // namespace testing_support
