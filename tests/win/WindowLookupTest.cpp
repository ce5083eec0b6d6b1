// From a window to its object: windows the toolkit did not create are never taken for
// controls, whatever they keep in their user data, and the form variables follow their forms.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "options/OptionsDialog.h"
#include "main/Main.h"
#include "tests/support/MainWindowFixture.h"
#include "ui/SystemLibraries.h"
#include "websafe/Websafe.h"

namespace {

using testing_support::MainWindowTest;

class WindowLookup : public MainWindowTest {
 protected:
  void TearDown() override {
    for (HWND hwnd : foreign_)
      if (IsWindow(hwnd)) DestroyWindow(hwnd);
    MainWindowTest::TearDown();
  }

  // A window made straight through the platform, as a common dialog or another library
  // makes its own, with the given value in its user data.
  HWND Foreign(const char* className, HWND parent, LONG_PTR userData, int id = 4242) {
    HWND hwnd = CreateWindowExA(0, className, "foreign", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                nullptr);
    if (hwnd) {
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, userData);
      foreign_.push_back(hwnd);
    }
    return hwnd;
  }

  std::vector<HWND> foreign_;
};

TEST_F(WindowLookup, AForeignChildIsNoControlAndItsNotificationsReachNone) {
  // The worst case for a look-up through the user data: it names one of our own controls,
  // whose click would copy the composition; or it is a pointer to nothing at all.
  int clicks = 0;
  form->copyRtfButton.OnClick = [&] { ++clicks; };
  form->copyRtfButton.SetColor(RGB(1, 2, 3));
  const LONG_PTR ours = reinterpret_cast<LONG_PTR>(static_cast<ui::Control*>(&form->copyRtfButton));
  const LONG_PTR nowhere = 0x0BADF00C;
  struct Case {
    const char* className;
    HWND parent;
    LONG_PTR userData;
  } const cases[] = {
      {"BUTTON", form->compositionGroup.Handle(), ours},
      {"STATIC", form->compositionGroup.Handle(), ours},
      {"EDIT", form->Handle(), ours},
      {"BUTTON", form->Handle(), nowhere},
      {"STATIC", options->textsPage.Handle(), ours},
      {"EDIT", options->Handle(), nowhere},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.className) +
                 (c.userData == ours ? " naming copyRtfButton" : " naming nothing"));
    HWND hwnd = Foreign(c.className, c.parent, c.userData);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(ui::Control::FromHandle(hwnd), nullptr);

    // The notifications a parent receives from a child of its own.
    SendMessageA(c.parent, WM_COMMAND, MAKEWPARAM(4242, BN_CLICKED), reinterpret_cast<LPARAM>(hwnd));
    SendMessageA(c.parent, WM_COMMAND, MAKEWPARAM(4242, 0), 0);  // as the dialog manager sends it
    HDC dc = CreateCompatibleDC(nullptr);
    SetBkColor(dc, RGB(200, 100, 50));
    SendMessageA(c.parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd));
    SendMessageA(c.parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd));
    const COLORREF background = GetBkColor(dc);
    DeleteDC(dc);
    NMHDR header{hwnd, 4242, NM_CLICK};
    SendMessageA(c.parent, WM_NOTIFY, 4242, reinterpret_cast<LPARAM>(&header));

    EXPECT_EQ(clicks, 0);
    EXPECT_NE(background, RGB(1, 2, 3)) << "copyRtfButton coloured a window that is not its own";
  }
  // The form still routes its own controls' notifications.
  SendMessageA(form->compositionGroup.Handle(), WM_COMMAND, MAKEWPARAM(form->copyRtfButton.Id(), BN_CLICKED),
               reinterpret_cast<LPARAM>(form->copyRtfButton.Handle()));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(ui::Control::FromHandle(form->copyRtfButton.Handle()), &form->copyRtfButton);
  EXPECT_TRUE(errors.empty());
}

TEST_F(WindowLookup, AWindowOfOurClassMadeOutsideTheToolkitStaysAPlainWindow) {
  // Its creation data names the main form, which must keep its own window.
  HWND mainWindow = form->Handle();
  HWND stray = CreateWindowExA(0, tessarin::MainForm::kWindowClass, "stray", WS_POPUP, 0, 0, 50, 50, nullptr,
                               nullptr, GetModuleHandleA(nullptr), form.get());
  ASSERT_NE(stray, nullptr);
  EXPECT_EQ(ui::Control::FromHandle(stray), nullptr);
  SendMessageA(stray, WM_SIZE, 0, MAKELPARAM(50, 50));
  DestroyWindow(stray);
  EXPECT_EQ(form->Handle(), mainWindow);
  EXPECT_EQ(ui::Control::FromHandle(mainWindow), form.get());
  EXPECT_TRUE(IsWindowVisible(mainWindow));
}

TEST_F(WindowLookup, ControlsWhoseParentTookTheirWindowsAlongLetGoOfThem) {
  HWND edit = options->TextEdit(3).Handle();
  HWND page = options->textsPage.Handle();
  ASSERT_EQ(ui::Control::FromHandle(edit), &options->TextEdit(3));
  DestroyWindow(options->Handle());
  EXPECT_EQ(ui::Control::FromHandle(edit), nullptr);
  EXPECT_EQ(ui::Control::FromHandle(page), nullptr);
  // A handle the platform may hand out again is no longer the control's.
  EXPECT_EQ(options->TextEdit(3).Handle(), nullptr);
  EXPECT_EQ(options->infoText.Handle(), nullptr);
  options.reset();
  EXPECT_TRUE(IsWindow(form->Handle()));
}

TEST_F(WindowLookup, TheFormVariablesAreClearedWithTheirFormsAndCheckedBeforeUse) {
  ASSERT_EQ(tessarin::optionsDialog, options.get());
  ASSERT_EQ(tessarin::paletteDialog, palette.get());
  options.reset();
  palette.reset();
  EXPECT_EQ(tessarin::optionsDialog, nullptr);
  EXPECT_EQ(tessarin::paletteDialog, nullptr);
  // "&Options" and the colour choice with "216 Colors" find no dialog and do nothing.
  Click(form->optionsButton);
  form->webSafeCheck.SetChecked(true);
  form->colorButton.OnClick();
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  EXPECT_EQ(GetForegroundWindow(), form->Handle());
  EXPECT_TRUE(errors.empty());
}

// Another hook put on a standard control after ours (as the up-down control hooks its
// buddy) sees the messages first and hands them on to the control; destroying the control
// under it takes nothing with it.
std::vector<UINT>* hookedMessages = nullptr;
LRESULT CALLBACK RecordingHook(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (hookedMessages) hookedMessages->push_back(msg);
  return ui::CommonControls().DefSubclassProc(hwnd, msg, wParam, lParam);
}

TEST_F(WindowLookup, AStandardControlUnderAnotherHookStillHandlesItsMessagesAndLetsGo) {
  std::vector<UINT> seen;
  hookedMessages = &seen;
  auto box = std::make_unique<ui::GroupBox>(&form->panel, "Group", ui::Bounds{4, 4, 80, 40});
  box->OnClick = [] {};
  HWND hwnd = box->Handle();
  ASSERT_TRUE(ui::CommonControls().SetWindowSubclass(hwnd, &RecordingHook, 1, 0));
  // The platform's group box lets the mouse through; ours, with a click handler, takes it.
  EXPECT_EQ(SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(10, 10)), HTCLIENT);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), static_cast<UINT>(WM_NCHITTEST)), 1);
  box.reset();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(ui::Control::FromHandle(hwnd), nullptr);
  EXPECT_EQ(seen.back(), static_cast<UINT>(WM_NCDESTROY));
  hookedMessages = nullptr;
}

// Filters see a control's messages before it does, the last added first, and each passes
// them on to the ones added before it; one that leaves while a message is on its way
// leaves the rest of the way intact.
struct Recorder : ui::Control::MessageFilter {
  Recorder(std::string name, std::string& log) : name(std::move(name)), log(log) {}
  LRESULT FilterMessage(ui::Control& control, UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg != WM_APP + 7) return control.PassOn(this, msg, wParam, lParam);
    log += name;
    if (leaveFrom) leaveFrom->RemoveMessageFilter(this);
    if (dropFrom) dropFrom->RemoveMessageFilter(drop);
    if (answer) return answer;
    return control.PassOn(this, msg, wParam, lParam) + 1;
  }
  std::string name;
  std::string& log;
  ui::Control* leaveFrom = nullptr;
  ui::Control* dropFrom = nullptr;  // takes `drop` out of that control on the way
  Recorder* drop = nullptr;
  LRESULT answer = 0;
};

// Also when a check fails halfway: no filter outlives the test.
struct LetGo {
  ui::Control& panel;
  std::array<Recorder*, 3> filters;
  ~LetGo() {
    for (Recorder* r : filters) panel.RemoveMessageFilter(r);
  }
};

TEST_F(WindowLookup, MessageFiltersRunLastAddedFirstAndPassOnToTheControl) {
  std::string log;
  Recorder a("a", log), b("b", log), c("c", log);
  ui::Control& panel = form->panel;
  LetGo letGo{panel, {&a, &b, &c}};
  for (Recorder* r : {&a, &b, &c}) panel.AddMessageFilter(r);
  panel.AddMessageFilter(&b);  // once only
  // The panel answers 0 to a message it does not know: each filter adds one on the way back.
  EXPECT_EQ(SendMessageA(panel.Handle(), WM_APP + 7, 0, 0), 3);
  EXPECT_EQ(log, "cba");
  log.clear();
  b.leaveFrom = &panel;
  EXPECT_EQ(SendMessageA(panel.Handle(), WM_APP + 7, 0, 0), 3);
  EXPECT_EQ(log, "cba");
  log.clear();
  c.answer = 42;  // answered by the first: nothing passes on
  EXPECT_EQ(SendMessageA(panel.Handle(), WM_APP + 7, 0, 0), 42);
  EXPECT_EQ(log, "c");
  c.answer = 0;
  log.clear();
  EXPECT_EQ(SendMessageA(panel.Handle(), WM_APP + 7, 0, 0), 2);
  EXPECT_EQ(log, "ca");
  panel.RemoveMessageFilter(&a);
  panel.RemoveMessageFilter(&c);
  EXPECT_EQ(SendMessageA(panel.Handle(), WM_APP + 7, 0, 0), 0);
}

// A filter that takes out another while a message is on its way: the message goes on to
// those still there before it, and none of them, nor the filter itself, sees it twice.
TEST_F(WindowLookup, AFilterThatTakesOutAnotherOnTheWayPassesOnToTheRest) {
  struct Case {
    const char* drops;  // what c takes out: a filter added before it, or after
    bool leaves;        // c leaves too
    const char* log;
    LRESULT result;
  } const cases[] = {
      {"b", false, "ca", 2},  // the one right before it
      {"a", false, "cb", 2},
      {"b", true, "ca", 2},
      {"d", false, "cba", 3},  // one added after it has had the message already
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string("c drops ") + k.drops + (k.leaves ? " and leaves" : ""));
    std::string log;
    Recorder a("a", log), b("b", log), c("c", log), d("d", log);
    ui::Control& panel = form->panel;
    LetGo letGo{panel, {&a, &b, &c}}, letGoD{panel, {&d, &d, &d}};
    for (Recorder* r : {&a, &b, &c, &d}) panel.AddMessageFilter(r);
    c.dropFrom = &panel;
    c.drop = k.drops[0] == 'a' ? &a : k.drops[0] == 'b' ? &b : &d;
    if (k.leaves) c.leaveFrom = &panel;
    const LRESULT result = SendMessageA(panel.Handle(), WM_APP + 7, 0, 0);
    EXPECT_EQ(log.substr(1), k.log);  // d, added last, always goes first
    EXPECT_EQ(result, k.result + 1);
  }
}

}  // namespace
