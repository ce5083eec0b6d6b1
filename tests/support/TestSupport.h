// Helpers of the Windows tests: message pumps, window search, input and child processes.
#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// Pumps this thread's messages until the condition holds or the time runs out; true
// when the condition held. Never a bare sleep: the condition is checked after every
// batch of messages.
bool PumpUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));
// Lets a moment pass between two inputs, as a hand does (two clicks on one spot at once make
// a double click), handling this thread's messages meanwhile. It paces input only: it never
// stands for a wait on the program, which is a wait for a condition.
void PaceInput(std::chrono::milliseconds pause = std::chrono::milliseconds(80));
// Brings a top-level window to the front as a test's own setup step, and answers true once it
// is still in front after a message round trip to its thread, to this one and to the thread
// of each window in `others`. Under Wine without a window manager a focus event of X that
// arrives late (from an earlier change) can move the foreground away again after
// SetForegroundWindow has succeeded: the request is repeated until it holds.
bool BringToFront(HWND window, std::initializer_list<HWND> others = {},
                  std::chrono::milliseconds timeout = std::chrono::milliseconds(10000));

std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);
// A rectangle in the coordinates of a window's parent (client) or the screen.
RECT RectInParent(HWND hwnd);

// The top-level windows of a process, in Z order.
std::vector<HWND> TopLevelWindows(DWORD processId);
// The first top-level window of a process with the given class, or nullptr.
HWND FindProcessWindow(DWORD processId, const char* className);
// The first descendant of a window whose text equals the given one (and, when given,
// whose class matches), or nullptr.
HWND FindChildByText(HWND parent, const std::string& text, const char* className = nullptr);

// Input, as a user gives it: absolute pointer moves and clicks at screen positions.
void MoveMouseTo(int x, int y);
void ClickAt(int x, int y, DWORD downFlag = MOUSEEVENTF_LEFTDOWN, DWORD upFlag = MOUSEEVENTF_LEFTUP);
// One pointer event (a move, and a press or release when flags say so) at a screen position.
void MouseAt(int x, int y, DWORD flags);

// The pixels of a screen rectangle, top row first, as 0x00RRGGBB values.
std::vector<DWORD> ScreenPixels(const RECT& r);
// The share of pixels (in thousandths) whose blue parts differ clearly between two pictures
// of the same size; 1000 for pictures of different sizes.
int DifferingPerMille(const std::vector<DWORD>& a, const std::vector<DWORD>& b);

// Another process running a program, ended cleanly (WM_CLOSE, then wait) or killed.
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts the program with the given show command in its STARTUPINFO (-1: none).
  bool Start(const std::string& program, int showCommand = -1, const std::string& arguments = "");
  DWORD Id() const { return info_.dwProcessId; }
  HANDLE Process() const { return info_.hProcess; }
  // Waits for the process to end; true with its exit code when it did.
  bool WaitExit(DWORD& exitCode, DWORD timeoutMs = 10000);
  // Waits until a top-level window of the given class of the process is visible.
  HWND WaitForVisibleWindow(const char* className, DWORD timeoutMs = 10000);
  void Terminate();

 private:
  PROCESS_INFORMATION info_{};
};

// The path of Tessarin.exe, as the test environment gives it.
std::string TessarinExe();

}  // namespace testing_support
