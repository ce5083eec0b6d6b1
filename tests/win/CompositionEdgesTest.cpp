// The composition at its edges: pasted rich text, an empty copy, the state a rebuild
// leaves; and the main window's clean-up and the group box's click.
#include <gtest/gtest.h>
#include <richedit.h>

#include <regex>

#include "app/SingleInstance.h"
#include "tests/support/MainWindowFixture.h"
#include "ui/Application.h"

using testing_support::ClipboardText;
using testing_support::PutOnClipboard;

namespace {

class CompositionEdges : public testing_support::MainWindowTest {
 protected:
  void Type(const std::string& text) { form->composition.ReplaceSelection(text); }
  static UINT RtfFormat() { return RegisterClipboardFormatA("Rich Text Format"); }
};

TEST_F(CompositionEdges, PastedRichTextTakesTheCompositionsOneFormat) {
  // What a word processor puts on the clipboard for red Courier New at 24 points.
  const std::string rtf =
      R"({\rtf1\ansi\deff0{\fonttbl{\f0\fmodern Courier New;}}{\colortbl;\red255\green0\blue0;})"
      R"(\f0\fs48\cf1\b pasted\par})";
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  for (auto [format, text] : {std::pair{RtfFormat(), rtf}, std::pair{UINT(CF_TEXT), std::string("pasted")}}) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
    GlobalUnlock(mem);
    SetClipboardData(format, mem);
  }
  CloseClipboard();
  form->composition.SetFocus();
  PressKeys({{VK_CONTROL, false}, {'V', false}, {'V', true}, {VK_CONTROL, true}});
  ASSERT_TRUE(WaitUntil([&] { return form->composition.Text().rfind("pasted", 0) == 0; }));

  CHARFORMAT2A cf{};
  cf.cbSize = sizeof cf;
  SendMessageA(form->composition.Handle(), EM_SETSEL, 0, -1);
  SendMessageA(form->composition.Handle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  EXPECT_STREQ(cf.szFaceName, "Arial");
  EXPECT_EQ(cf.yHeight, 10 * 20);
  EXPECT_EQ(cf.crTextColor & 0xFFFFFF, 0u);
  EXPECT_FALSE(cf.dwEffects & CFE_BOLD);

  SendMessageA(form->composition.Handle(), EM_SETSEL, 0, 0);
  Click(form->copyRtfButton);
  const std::string copied = ClipboardText(RtfFormat());
  EXPECT_NE(copied.find("pasted"), std::string::npos) << copied;
  EXPECT_TRUE(std::regex_search(copied, std::regex(R"(\\fonttbl.*Arial)"))) << copied;
  EXPECT_EQ(copied.find("Courier"), std::string::npos) << copied;
  EXPECT_FALSE(std::regex_search(copied, std::regex(R"(\\fs48\b|\\red255\\green0\\blue0|\\b\b)"))) << copied;
  EXPECT_TRUE(std::regex_search(copied, std::regex(R"(\\fs20\b)"))) << copied;
}

TEST_F(CompositionEdges, CopyingAnEmptyCompositionLeavesTheClipboardAlone) {
  PutOnClipboard("kept");
  Click(form->copyRtfButton);
  EXPECT_EQ(ClipboardText(), "kept");
  Click(form->copyHtmlButton);
  EXPECT_EQ(ClipboardText(), "kept");
}

TEST_F(CompositionEdges, ARebuildLeavesTheSelectionAndLabelsOnTheLastCharacter) {
  // The space's cell is current from the start: the rebuild must still describe it.
  struct Case {
    const char* typed;
    const char* preview;
    const char* code;
    const char* key;
  };
  for (const Case& c : {Case{"A ", " ", "#32", "Space"}, Case{" ", " ", "#32", "Space"},
                        Case{"Q", "Q", "#81", "Q"}, Case{"QQ", "Q", "#81", "Q"}}) {
    SCOPED_TRACE(c.typed);
    form->composition.SetText("");
    form->composition.ReplaceSelection(c.typed);
    EXPECT_EQ(form->previewLabel.Text(), c.preview);
    EXPECT_EQ(form->codeLabel.Text(), c.code);
    EXPECT_EQ(form->keyLabel.Text(), c.key);
    EXPECT_EQ(form->entityLabel.Text(), c.preview);
    EXPECT_EQ(form->htmlEdit.Text(), c.typed);
  }
}

HHOOK destroyHook = nullptr;
HWND watchedWindow = nullptr;
bool tagPresentAtDestroy = true;

LRESULT CALLBACK WatchDestroy(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wParam) == watchedWindow)
    tagPresentAtDestroy = GetPropA(watchedWindow, tessarin::SingleInstance::kInstanceProp) != nullptr;
  return CallNextHookEx(destroyHook, code, wParam, lParam);
}

TEST_F(CompositionEdges, TheInstanceTagIsRemovedBeforeTheMainWindowGoes) {
  watchedWindow = form->Handle();
  ASSERT_NE(GetPropA(watchedWindow, tessarin::SingleInstance::kInstanceProp), nullptr);
  destroyHook = SetWindowsHookExA(WH_CBT, &WatchDestroy, nullptr, GetCurrentThreadId());
  options.reset();
  palette.reset();
  form.reset();
  UnhookWindowsHookEx(destroyHook);
  EXPECT_FALSE(IsWindow(watchedWindow));
  EXPECT_FALSE(tagPresentAtDestroy);
}

// A form with one group box that counts its clicks.
class GroupForm : public ui::Form {
 public:
  GroupForm()
      : ui::Form(FormOptions()),
        group(this, "Group", {40, 40, 120, 60}),
        other(this, "Other", {200, 40, 80, 25}) {
    group.OnClick = [this] { ++clicks; };
  }
  static Options FormOptions() {
    Options o;
    o.windowClass = "GroupTestForm";
    o.caption = "Group test";
    o.clientWidth = 320;
    o.clientHeight = 160;
    return o;
  }
  ui::GroupBox group;
  ui::Button other;
  int clicks = 0;
};

void Mouse(POINT at, DWORD flag) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flag;
  SendInput(1, &in, sizeof in);
}

TEST_F(CompositionEdges, AGroupBoxClickNeedsItsOwnPressAndRelease) {
  GroupForm groupForm;
  groupForm.Show();
  SetForegroundWindow(groupForm.Handle());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == groupForm.Handle(); }));
  RECT g, o;
  GetWindowRect(groupForm.group.Handle(), &g);
  GetWindowRect(groupForm.other.Handle(), &o);
  const POINT inGroup{(g.left + g.right) / 2, (g.top + g.bottom) / 2};
  const POINT outside{o.left + 5, o.bottom + 20};  // the bare client area

  struct Gesture {
    const char* name;
    POINT press, release;
    int clicks;
  };
  for (const Gesture& gesture : {Gesture{"released over the group", outside, inGroup, 0},
                                 Gesture{"pressed on the group, released outside", inGroup, outside, 0},
                                 Gesture{"press and release on the group", inGroup, inGroup, 1}}) {
    SCOPED_TRACE(gesture.name);
    groupForm.clicks = 0;
    Mouse(gesture.press, 0);
    Mouse(gesture.press, MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(InputHandled());  // pressed, before the pointer moves on
    Mouse(gesture.release, 0);
    Mouse(gesture.release, MOUSEEVENTF_LEFTUP);
    // The release has been handled: a click it made has run.
    ASSERT_TRUE(InputHandled());
    EXPECT_EQ(groupForm.clicks, gesture.clicks);
  }
}

}  // namespace
