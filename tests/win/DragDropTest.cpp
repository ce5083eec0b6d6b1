// Dragging the selected character into a drop target of another process, through real mouse input.
// The same program is the drop target when started with --drop-target; a thread of the test plays
// the user's gesture.
#include <gtest/gtest.h>
#include <ole2.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "app/Settings.h"
#include "ui/DropSource.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/TestSupport.h"
#include "ui/Application.h"

using namespace tessarin;

namespace {

constexpr RECT kTargetRect{700, 712, 1000, 762};  // below the main window, on a 1024 × 768 screen

// --- The drop target's side (another process) -----------------------------------------

class RecordingTarget : public IDropTarget {
 public:
  explicit RecordingTarget(bool refuse) : refuse_(refuse) {}
  std::atomic<bool> entered{false}, dropped{false};
  std::string text;

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
      *object = this;
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    entered = true;
    return Answer(effect);
  }
  STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) override { return Answer(effect); }
  STDMETHODIMP DragLeave() override { return S_OK; }
  STDMETHODIMP Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FORMATETC format{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (data->GetData(&format, &medium) == S_OK) {
      text = static_cast<const char*>(GlobalLock(medium.hGlobal));
      GlobalUnlock(medium.hGlobal);
      ReleaseStgMedium(&medium);
    }
    dropped = true;
    return Answer(effect);
  }

 private:
  HRESULT Answer(DWORD* effect) {
    *effect = refuse_ ? DROPEFFECT_NONE : (*effect & DROPEFFECT_COPY);
    return S_OK;
  }
  bool refuse_;
};

INPUT Mouse(int x, int y, DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
  return in;
}

void Send(INPUT in) { SendInput(1, &in, sizeof in); }

LRESULT CALLBACK TargetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // The test ends the target once the gesture has been handled on its side.
  if (msg == WM_CLOSE) {
    SetPropA(hwnd, "closeAsked", reinterpret_cast<HANDLE>(1));
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// The drop target: it says "ready" in its caption once it takes drops, records what it
// is given until the test closes it, then writes what it saw.
int RunDropTarget(const char* resultFile, bool refuse) {
  OleInitialize(nullptr);
  WNDCLASSA wc{};
  wc.lpfnWndProc = &TargetProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = "TestDropTarget";
  RegisterClassA(&wc);
  HWND hwnd =
      CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE, "TestDropTarget", "drop here", WS_POPUP | WS_BORDER,
                      kTargetRect.left, kTargetRect.top, kTargetRect.right - kTargetRect.left,
                      kTargetRect.bottom - kTargetRect.top, nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  RecordingTarget target(refuse);
  RegisterDragDrop(hwnd, &target);
  SetWindowTextA(hwnd, "ready");
  // The drop arrives through this thread's messages.
  testing_support::PumpUntil([&] { return GetPropA(hwnd, "closeAsked") != nullptr; },
                             std::chrono::minutes(2));
  RevokeDragDrop(hwnd);
  RemovePropA(hwnd, "closeAsked");
  DestroyWindow(hwnd);
  OleUninitialize();
  std::ofstream out(resultFile, std::ios::binary);
  out << "entered=" << target.entered << "\ndropped=" << target.dropped << "\ntext=" << target.text << "\n";
  return 0;
}

// --- The user's gesture, on a thread of this process ---------------------------------------

// Marks of the fixture's kind that this thread has taken from its queue: once it has
// taken one, it has handled all input sent before it, inside a drag loop or not.
std::atomic<int> marksHandled{0};

LRESULT CALLBACK WatchForMark(int code, WPARAM vk, LPARAM lParam) {
  if (code == HC_ACTION && vk == testing_support::kInputMarkKey && (lParam & 0x80000000) != 0) ++marksHandled;
  return CallNextHookEx(nullptr, code, vk, lParam);
}

// The user's gesture from another thread, while the test's thread handles its messages
// (and runs the drag loop): press on the cell, move in steps, release. After each input
// it waits until the program has handled it, so that what the drag loop did, or that no
// loop runs, is known at that point.
struct Gesture {
  std::atomic<bool> tracker{false};  // a drag loop ran after a move
  std::atomic<bool> handled{true};   // every input was handled in time
  std::atomic<bool> done{false};

  void Play(const std::string& gesture, int x, int y) {
    const bool middle = gesture == "middle";
    const DWORD down = middle ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_LEFTDOWN;
    const DWORD up = middle ? MOUSEEVENTF_MIDDLEUP : MOUSEEVENTF_LEFTUP;
    Input(Mouse(x, y, 0));
    Input(Mouse(x, y, down));
    if (gesture == "nudge1" || gesture == "nudge2") {
      const int d = gesture == "nudge1" ? 1 : 2;
      Input(Mouse(x + d, y + (d == 1 ? 1 : 0), 0));
      if (tracker) PressEscape();
      Input(Mouse(x + d, y, up));
    } else {
      const int tx = (kTargetRect.left + kTargetRect.right) / 2,
                ty = (kTargetRect.top + kTargetRect.bottom) / 2;
      // Paced as a hand moves, so that the drag loop's timer sees the pointer on its way.
      for (int i = 1; i <= 20; ++i, Sleep(30)) Input(Mouse(x + (tx - x) * i / 20, y + (ty - y) * i / 20, 0));
      Sleep(200);
      if (gesture == "escape") PressEscape();
      Input(Mouse(tx, ty, up));
    }
    // Released and handled: any drag loop has ended, and its drop has been delivered.
    if (FindWindowA("WineDragDropTracker32", nullptr)) handled = false;
    done = true;
  }

 private:
  void Input(INPUT in) {
    SendInput(1, &in, sizeof in);
    Handled();
    if (FindWindowA("WineDragDropTracker32", nullptr)) tracker = true;
  }
  void PressEscape() {
    for (bool keyUp : {false, true}) {
      INPUT in{};
      in.type = INPUT_KEYBOARD;
      in.ki.wVk = VK_ESCAPE;
      in.ki.dwFlags = keyUp ? KEYEVENTF_KEYUP : 0;
      SendInput(1, &in, sizeof in);
    }
    Handled();
  }
  void Handled() {
    const int before = marksHandled;
    testing_support::SendInputMark();
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (marksHandled == before && std::chrono::steady_clock::now() < end) Sleep(1);
    if (marksHandled == before) handled = false;
  }
};

// --- The program's side (this process) ---------------------------------------------------

struct DragOutcome {
  bool entered = false, dropped = false, tracker = false;
  std::string text;
};

class DragDrop : public testing_support::MainWindowTest {
 protected:
  static void SetUpTestSuite() { ole_ = new OleSession; }
  static void TearDownTestSuite() {
    delete ole_;
    ole_ = nullptr;
  }
  void TearDown() override {
    AppSettings.DragDrop = dmOff;
    MainWindowTest::TearDown();
  }

  // Drags from the centre of a cell with a gesture, the target in another process.
  DragOutcome Drag(const std::string& gesture, int code, bool refuse = false) {
    const int col = (code - 32) % 16, row = (code - 32) / 16;
    const RECT cell = form->grid.CellRect(col, row);
    POINT pt{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    ClientToScreen(form->grid.Handle(), &pt);
    char self[MAX_PATH], temp[MAX_PATH], file[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    GetTempPathA(MAX_PATH, temp);
    GetTempFileNameA(temp, "drg", 0, file);
    char args[512];
    std::snprintf(args, sizeof args, "--drop-target \"%s\" %d", file, refuse ? 1 : 0);
    testing_support::ChildProcess target;
    EXPECT_TRUE(target.Start(self, -1, args));
    HWND targetWindow = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (targetWindow = FindWindowA("TestDropTarget", "ready")) != nullptr; },
                          std::chrono::milliseconds(30000)));

    DragOutcome o;
    {
      marksHandled = 0;
      HHOOK hook = SetWindowsHookExA(WH_KEYBOARD, &WatchForMark, nullptr, GetCurrentThreadId());
      Gesture user;
      std::thread player([&] { user.Play(gesture, pt.x, pt.y); });
      // The drag loop runs in here, on this thread, as the program runs it.
      EXPECT_TRUE(WaitUntil([&] { return user.done.load(); }, std::chrono::milliseconds(120000)));
      player.join();
      UnhookWindowsHookEx(hook);
      EXPECT_TRUE(user.handled) << "input not handled in time, or a drag loop still running";
      o.tracker = user.tracker;
    }

    // Whatever reached the target has: it may write what it saw.
    PostMessageA(targetWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return WaitForSingleObject(target.Process(), 0) == WAIT_OBJECT_0; },
                          std::chrono::milliseconds(30000)));
    std::ifstream in(file, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    in.close();
    DeleteFileA(file);
    DWORD exitCode = 1;
    GetExitCodeProcess(target.Process(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
    std::string line;
    while (std::getline(all, line)) {
      if (line.rfind("entered=", 0) == 0) o.entered = line[8] == '1';
      if (line.rfind("dropped=", 0) == 0) o.dropped = line[8] == '1';
      if (line.rfind("text=", 0) == 0) o.text = line.substr(5);
    }
    return o;
  }

  static OleSession* ole_;
};

OleSession* DragDrop::ole_ = nullptr;

TEST_F(DragDrop, TakeOnlyTextDropsTheCharacterUnderThePointer) {
  AppSettings.DragDrop = dmText;
  const DragOutcome o = Drag("drag", '&');
  EXPECT_TRUE(o.tracker);
  EXPECT_TRUE(o.dropped);
  EXPECT_EQ(o.text, "&");
  EXPECT_EQ(form->previewLabel.Caption(), "&");  // the press selected the cell first
  EXPECT_TRUE(form->DragReady);                  // the drag leaves the flag armed
  EXPECT_EQ(form->dragSource->RefCount(), 1);
}

TEST_F(DragDrop, TakeTextAndHtmlDropsTheEntityThenTheFontTags) {
  AppSettings.DragDrop = dmTextHtml;
  DragOutcome o = Drag("drag", '<');
  EXPECT_TRUE(o.dropped);
  EXPECT_EQ(o.text, "&lt;");
  Click(form->htmlStylesCheck);
  Click(form->boldCheck);
  ASSERT_TRUE(form->htmlStylesCheck.Checked() && form->boldCheck.Checked());
  o = Drag("drag", '<');
  EXPECT_TRUE(o.dropped);
  EXPECT_EQ(o.text, "<FONT color=#000000 face=Arial><B>&lt;</B></FONT>");
  EXPECT_EQ(form->dragSource->RefCount(), 1);
}

// Wine takes the modifier keys of a pointer event from the X server, which never sees
// injected keys: moves with Shift or Ctrl held, or with a second button, come as the
// platform's messages themselves, after a real press.
TEST_F(DragDrop, ModifiersOrASecondButtonStartNothing) {
  AppSettings.DragDrop = dmText;
  const RECT cell = form->grid.CellRect(6, 0);  // "&"
  POINT pt{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
  POINT screen = pt;
  ClientToScreen(form->grid.Handle(), &screen);
  Send(Mouse(screen.x, screen.y, MOUSEEVENTF_LEFTDOWN));
  ASSERT_TRUE(WaitUntil([&] { return form->DragReady && form->previewLabel.Caption() == "&"; }));
  for (WPARAM extra : {WPARAM{MK_SHIFT}, WPARAM{MK_CONTROL}, WPARAM{MK_RBUTTON}, WPARAM{MK_MBUTTON}}) {
    PostMessageA(form->grid.Handle(), WM_MOUSEMOVE, MK_LBUTTON | extra, MAKELPARAM(pt.x + 6, pt.y + 6));
    Settle();
    EXPECT_EQ(form->dragSource->Text, "") << "a drag started with " << extra;
    EXPECT_EQ(FindWindowA("WineDragDropTracker32", nullptr), nullptr);
  }
  Send(Mouse(screen.x, screen.y, MOUSEEVENTF_LEFTUP));
  Settle();
}

struct NoDropCase {
  const char* name;
  const char* gesture;
  std::uint8_t mode;
  bool refuse;
  bool tracker;  // a drag ran
  bool entered;  // the target saw it
};

class DragWithoutDrop : public DragDrop, public ::testing::WithParamInterface<NoDropCase> {};

TEST_P(DragWithoutDrop, DropsNothing) {
  const NoDropCase& c = GetParam();
  AppSettings.DragDrop = c.mode;
  const DragOutcome o = Drag(c.gesture, '&', c.refuse);
  EXPECT_EQ(o.tracker, c.tracker);
  EXPECT_EQ(o.entered, c.entered);
  EXPECT_FALSE(o.dropped);
  EXPECT_EQ(o.text, "");
  EXPECT_EQ(form->dragSource->RefCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Gestures, DragWithoutDrop,
    ::testing::Values(NoDropCase{"OnePixelStartsNothing", "nudge1", dmText, false, false, false},
                      NoDropCase{"TwoPixelsStartADragThatEscapeCancels", "nudge2", dmText, false, true,
                                 false},
                      NoDropCase{"MiddleButtonStartsNothing", "middle", dmText, false, false, false},
                      NoDropCase{"DraggingOffStartsNothing", "drag", dmOff, false, false, false},
                      NoDropCase{"EscapeOverTheTargetCancels", "escape", dmText, false, true, true},
                      NoDropCase{"ARefusingTargetEndsCancelled", "drag", dmText, true, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--drop-target") == 0)
    return RunDropTarget(argv[2], std::atoi(argv[3]) != 0);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
