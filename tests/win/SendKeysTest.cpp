// The keystroke sender under Wine: the events it injects, text typed into another
// program, the window search by caption, and calls nested in the wait between tokens.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>

#include "typing/SendKeys.h"
#include "tests/support/TestSupport.h"

namespace {
using tessarin::KeySender;
using testing_support::PumpUntil;
using Event = std::array<unsigned, 4>;  // virtual key, scan value, released (0/1), extra info

std::vector<Event> seen;
LRESULT CALLBACK RecordAndSwallowKey(int code, WPARAM wParam, LPARAM lParam) {
  if (code != HC_ACTION) return CallNextHookEx(nullptr, code, wParam, lParam);
  const auto& k = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
  EXPECT_EQ(k.flags & (LLKHF_INJECTED | LLKHF_EXTENDED), unsigned(LLKHF_INJECTED)) << k.vkCode;
  seen.push_back(
      {unsigned(k.vkCode), unsigned(k.scanCode), (k.flags & LLKHF_UP) ? 1u : 0u, unsigned(k.dwExtraInfo)});
  return 1;  // no window gets them: "{&[F4]}" would close one
}

// Every key injected so far has reached the hook: a marked key injected after them has.
// The marked events are taken out of the record again.
constexpr unsigned kMark = 0x5E4D;
bool AllDelivered() {
  keybd_event(VK_F24, 0, 0, kMark);
  keybd_event(VK_F24, 0, KEYEVENTF_KEYUP, kMark);
  auto marked = [](const Event& e) { return e[3] == kMark; };
  const bool delivered = PumpUntil([&] { return std::ranges::count_if(seen, marked) == 2; });
  std::erase_if(seen, marked);
  return delivered;
}

// The text of a control of another process, which only WM_GETTEXT gives.
std::string ControlText(HWND control) {
  char text[512] = {};
  SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

// How often the test window has lost the activation. Wine raises no EVENT_SYSTEM_FOREGROUND
// that a WinEvent hook could record; its WM_ACTIVATEAPP names no thread.
int deactivations = 0;

std::function<void()> onPosted;  // run by the test window on WM_APP
LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_APP && onPosted) onPosted();
  if (msg == WM_ACTIVATEAPP && !wParam) ++deactivations;
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class SendKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &TestWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SendKeysTestWindow";
    RegisterClassA(&wc);
    window = CreateWindowExA(0, wc.lpszClassName, "Key sender test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                             300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(window);
    seen.clear();
  }
  void TearDown() override {
    if (hook) UnhookWindowsHookEx(hook);
    DestroyWindow(window);
  }
  void StartRecording() {
    hook = SetWindowsHookExA(WH_KEYBOARD_LL, &RecordAndSwallowKey, GetModuleHandleA(nullptr), 0);
    ASSERT_NE(hook, nullptr);
  }
  HWND StartNotepad() {
    char dir[MAX_PATH] = {};
    GetSystemDirectoryA(dir, MAX_PATH);
    if (!notepad.Start(std::string(dir) + "\\notepad.exe")) return nullptr;
    // Notepad activates itself once it is up; let it finish before the test moves the focus.
    const HWND found = notepad.WaitForVisibleWindow("Notepad");
    PumpUntil([&] { return GetForegroundWindow() == found; });
    WaitForInputIdle(notepad.Process(), 5000);
    return found;
  }
  HWND window = nullptr;
  HHOOK hook = nullptr;
  testing_support::ChildProcess notepad;
  KeySender sender;
};

// The values are those of the US layout, which the test environment keeps.
TEST_F(SendKeys, InjectsExactlyTheEventsOfTheTokens) {
  const Event shiftDown{16, 0x2A, 0, 0x2A01}, shiftUp{16, 0, 1, 0x2A00};
  auto tap = [](unsigned vk, unsigned scan) {
    return std::vector<Event>{{vk, scan, 0, scan * 256 + 1}, {vk, scan, 1, scan * 256 + 1}};
  };
  auto join = [](std::initializer_list<std::vector<Event>> parts) {
    std::vector<Event> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
  };
  const std::pair<const char*, std::vector<Event>> cases[] = {
      {"{^V}", join({{shiftDown, {17, 0, 0, 1}}, tap('V', 0x2F), {shiftUp, {17, 0, 1, 0}}})},
      {"{&[F4]}", join({{{18, 0, 0, 1}}, tap(115, 0), {{18, 0, 1, 0}}})},
      {"Hello", join({{shiftDown},
                      tap('H', 0x23),
                      {shiftUp},
                      tap('E', 0x12),
                      tap('L', 0x26),
                      tap('L', 0x26),
                      tap('O', 0x18)})},
      {"a!", join({tap('A', 0x1E), {shiftDown}, tap('1', 0x02), {shiftUp}})}};
  StartRecording();
  for (const auto& [keys, events] : cases) {
    seen.clear();
    sender.SetKeys(keys);
    sender.execute();
    ASSERT_TRUE(AllDelivered());
    EXPECT_EQ(seen, events) << keys;
    EXPECT_EQ(sender.Keys(), keys);
  }
}

TEST_F(SendKeys, AHandlerRunningInTheWaitTypesItsOwnKeysBeforeTheOuterCallGoesOn) {
  StartRecording();
  onPosted = [this] {
    onPosted = nullptr;
    sender.SetKeys("xy");
    sender.execute();
  };
  sender.SetKeys("ab");
  PostMessageA(window, WM_APP, 0, 0);
  sender.execute();
  ASSERT_TRUE(AllDelivered());
  std::string typed;
  for (const Event& e : seen) typed += e[2] ? "" : std::string(1, char(e[0]));
  EXPECT_EQ(typed, "AXYB");
  EXPECT_EQ(sender.Keys(), "xy");
}

TEST_F(SendKeys, TitleTextBringsTheMatchingWindowOfAnotherProcessToTheFront) {
  const HWND notepadWindow = StartNotepad();
  ASSERT_NE(notepadWindow, nullptr);
  ASSERT_TRUE(testing_support::BringToFront(window, {notepadWindow}));
  deactivations = 0;
  sender.SetTitleText("no window has this caption");
  sender.execute();  // looks for the window and brings it forward before it returns
  EXPECT_EQ(deactivations, 0);
  EXPECT_EQ(GetForegroundWindow(), window);
  sender.SetTitleText("NOTEPAD");  // "Untitled - Notepad"
  sender.execute();
  // The request has reached the system once this thread has given up the activation and
  // notepad's thread has answered a message sent after it (the system tells it to activate
  // with a sent message, which comes first). Polling the foreground instead could miss the
  // change: under Wine a late focus event of X can move the foreground back afterwards.
  EXPECT_EQ(deactivations, 1);
  DWORD_PTR result = 0;
  ASSERT_TRUE(SendMessageTimeoutA(notepadWindow, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result));
  EXPECT_EQ(GetForegroundWindow(), notepadWindow);
}

TEST_F(SendKeys, TypedKeysArriveAsTextInAnEditFieldOfAnotherProcess) {
  const HWND notepadWindow = StartNotepad();
  ASSERT_NE(notepadWindow, nullptr);
  const HWND edit = FindWindowExA(notepadWindow, nullptr, "Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  SetForegroundWindow(notepadWindow);
  // In front is not yet typing into: the keys go where notepad's own thread has the focus.
  ASSERT_TRUE(PumpUntil([&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetForegroundWindow() == notepadWindow &&
           GetGUIThreadInfo(GetWindowThreadProcessId(notepadWindow, nullptr), &info) &&
           info.hwndFocus == edit;
  }));
  sender.SetKeys("Hello World 42! (a+b)*c? x<y>z_1 & 50%: $|[Return]ab[Back]c");
  sender.execute();
  const std::string expected = "Hello World 42! (a+b)*c? x<y>z_1 & 50%: $|\r\nac";
  EXPECT_TRUE(PumpUntil([&] { return ControlText(edit) == expected; })) << ControlText(edit);
  SendMessageA(edit, EM_SETMODIFY, FALSE, 0);  // so that notepad closes without asking
}

}  // namespace
