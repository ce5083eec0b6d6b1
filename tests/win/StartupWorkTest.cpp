// The start-up work that waits for the main window's first paint: it runs exactly once,
// whatever comes first (the paint, a press of a key or a button, a hide, another start of
// the program, the end of the session), never for a mere mouse move; and the grid's own
// start of COM for a screen reader that asks early is ended with the grid.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <memory>
#include <string>

#include "app/SingleInstance.h"
#include "main/Main.h"
#include "tests/support/TestSupport.h"
#include "ui/Application.h"
#include "ui/ComScope.h"
#include "ui/ShellLibraries.h"

using namespace tessarin;
using testing_support::PumpUntil;

namespace {

class StartupWork : public ::testing::Test {
 protected:
  void SetUp() override {
    app.Initialize();
    app.OnException = [](const std::string& message) { ADD_FAILURE() << "error shown: " << message; };
  }
  void TearDown() override {
    form.reset();
    app.OnException = nullptr;
  }
  // A main window of a program that has not been drawn yet, shown in front, its start-up
  // work counted.
  void ShowNewMainWindow() {
    form.reset();
    // A case that minimised the program leaves the application window minimised.
    if (IsIconic(app.Handle())) {
      ShowWindow(app.Handle(), SW_SHOWNOACTIVATE);
      ShowWindow(app.Handle(), SW_HIDE);
    }
    form = std::make_unique<MainForm>();
    ASSERT_FALSE(app.StartupFinished());
    runs = 0;
    app.AfterFirstPaint([this] { ++runs; });
    form->Show();
    SetForegroundWindow(form->Handle());
  }
  // Handles what has been posted, and nothing else: a paint comes only when no posted
  // message is left.
  void HandlePosted() {
    while (HIWORD(GetQueueStatus(QS_POSTMESSAGE)) & QS_POSTMESSAGE) app.HandleMessage();
  }
  // The window is drawn, and whatever that set off has been handled.
  void FinishDrawing() {
    ASSERT_TRUE(PumpUntil([&] { return app.StartupFinished(); }));
    PumpUntil([] { return HIWORD(GetQueueStatus(QS_ALLINPUT & ~QS_TIMER)) == 0; });
  }

  ui::Application& app = ui::Application::Instance();
  std::unique_ptr<MainForm> form;
  int runs = 0;
};

TEST_F(StartupWork, AnyPressRunsItBeforeThePaintAMouseMoveDoesNot) {
  const struct {
    const char* what;
    UINT message;
    WPARAM wParam;
    bool runs;
  } cases[] = {
      {"a mouse move", WM_MOUSEMOVE, 0, false},
      {"a move over the frame", WM_NCMOUSEMOVE, HTCAPTION, false},
      {"a mouse button", WM_LBUTTONUP, 0, true},
      {"a button on the frame", WM_NCRBUTTONUP, HTCAPTION, true},
      {"the wheel", WM_MOUSEWHEEL, 0, true},
      {"a key", WM_KEYUP, VK_F24, true},
      {"another program's hot key", WM_HOTKEY, GlobalHotKey::kId + 1, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ShowNewMainWindow();
    PostMessageA(form->Handle(), c.message, c.wParam, MAKELPARAM(5, 5));
    HandlePosted();
    EXPECT_EQ(app.StartupFinished(), c.runs);
    EXPECT_EQ(runs, c.runs ? 1 : 0);
    FinishDrawing();
    EXPECT_EQ(runs, 1);
  }
}

TEST_F(StartupWork, RunsOnceWhenTheWindowIsHiddenOrAskedForwardBeforeItsPaint) {
  const struct {
    const char* what;
    UINT message;
    WPARAM wParam;
    bool hidden;
  } cases[] = {
      {"the hot key, Tessarin in front", WM_HOTKEY, GlobalHotKey::kId, true},
      {"minimising", WM_SYSCOMMAND, SC_MINIMIZE, true},
      {"another start of the program", ActivateInstanceMessage(), 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ShowNewMainWindow();
    ASSERT_EQ(GetForegroundWindow(), form->Handle());
    PostMessageA(form->Handle(), c.message, c.wParam, 0);
    HandlePosted();
    EXPECT_EQ(IsWindowVisible(form->Handle()) == FALSE, c.hidden);
    EXPECT_TRUE(app.StartupFinished());
    EXPECT_EQ(runs, 1);
    // Drawn, hidden and shown again later: it has run once.
    FinishDrawing();
    form->Hide();
    SendMessageA(form->Handle(), ActivateInstanceMessage(), 0, 0);
    FinishDrawing();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(runs, 1);
  }
}

TEST_F(StartupWork, RunsWhenTheSessionEndsBeforeThePaint) {
  ShowNewMainWindow();
  // Asked whether it may end, the program does nothing yet; told that it ends, it has run.
  SendMessageA(app.Handle(), WM_ENDSESSION, FALSE, 0);
  EXPECT_EQ(runs, 0);
  SendMessageA(app.Handle(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(runs, 1);
  FinishDrawing();
  EXPECT_EQ(runs, 1);
}

TEST_F(StartupWork, TheGridsStartOfComForAnEarlyScreenReaderEndsWithTheGrid) {
  auto comIsStarted = [] {
    const HRESULT hr = ui::late::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(hr)) ui::late::CoUninitialize();
    return hr != S_OK;
  };
  ASSERT_FALSE(comIsStarted()) << "COM was started on this thread before the test";
  HMODULE oleacc = LoadLibraryA("oleacc.dll");
  ASSERT_NE(oleacc, nullptr);
  const auto objectFromLresult = reinterpret_cast<decltype(&::ObjectFromLresult)>(
      reinterpret_cast<void*>(GetProcAddress(oleacc, "ObjectFromLresult")));
  ASSERT_NE(objectFromLresult, nullptr);

  ShowNewMainWindow();
  // A screen reader asks for the grid before the start-up work has started OLE and COM, and
  // again afterwards.
  for (bool started : {false, true}) {
    SCOPED_TRACE(started ? "after the start-up work" : "before the start-up work");
    ASSERT_EQ(app.StartupFinished(), started);
    const LRESULT answer = SendMessageA(form->grid.Handle(), WM_GETOBJECT, 0, OBJID_CLIENT);
    ASSERT_GT(answer, 0);
    IAccessible* grid = nullptr;
    ASSERT_EQ(objectFromLresult(answer, IID_IAccessible, 0, reinterpret_cast<void**>(&grid)), S_OK);
    grid->Release();
    if (!started) app.FinishStartup();
  }
  {
    // The program's own start and end of COM around its run, after the grid's.
    ui::ComScope program;
    FinishDrawing();
    form.reset();
  }
  EXPECT_FALSE(comIsStarted()) << "a start of COM was never ended";
  FreeLibrary(oleacc);
}

}  // namespace
