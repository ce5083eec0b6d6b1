// The application's error display: a message box with the error icon, the caption
// "Tessarin" and the message, and the exception boundary of the window procedures.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/TestSupport.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"

namespace {

struct SeenBox {
  std::string caption, text;
  bool errorIcon = false;
};
SeenBox seen;
bool boxSeen = false;

// Runs inside the message box's own modal loop: reads the box like a screen reader
// would, then presses OK.
void CALLBACK ReadAndCloseBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = nullptr;
  for (HWND top : testing_support::TopLevelWindows(GetCurrentProcessId()))
    if (testing_support::ClassName(top) == "#32770" && IsWindowVisible(top)) box = top;
  if (!box) return;
  KillTimer(nullptr, id);
  seen.caption = testing_support::WindowText(box);
  seen.text = testing_support::WindowText(GetDlgItem(box, 0xFFFF));
  // The icon is a static control showing the system's hand (error) icon.
  const auto hand = reinterpret_cast<LRESULT>(LoadIconA(nullptr, IDI_HAND));
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        SendMessageA(child, STM_GETICON, 0, 0) == hand)
      seen.errorIcon = true;
  }
  boxSeen = true;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

SeenBox ShowAndRead(const std::function<void()>& raise) {
  seen = {};
  boxSeen = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, &ReadAndCloseBox);
  raise();
  testing_support::PumpUntil([] { return boxSeen; });
  KillTimer(nullptr, timer);
  return seen;
}

class ErrorDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::Application::Instance().Initialize();
    ui::Application::Instance().SetTitle("Tessarin");
  }
};

TEST_F(ErrorDisplay, ShowsTheMessageWithAFullStopRuleTheErrorIconAndTheTitle) {
  struct {
    const char* message;
    const char* shown;
  } const cases[] = {
      {"Unable to create .lnk file", "Unable to create .lnk file."},
      {"nach C:\\WINDOWS\\Tessarin.ini kann nicht geschrieben werden",
       "nach C:\\WINDOWS\\Tessarin.ini kann nicht geschrieben werden."},
      {"Done.", "Done."},
      {"Stop!", "Stop!"},
  };
  for (const auto& c : cases) {
    const SeenBox box = ShowAndRead([&] { ui::Application::Instance().ShowException(c.message); });
    EXPECT_EQ(box.caption, "Tessarin");
    EXPECT_EQ(box.text, c.shown);
    EXPECT_TRUE(box.errorIcon) << c.message;
  }
}

class ThrowingForm : public ui::Form {
 public:
  ThrowingForm() : ui::Form(Options()), button(this, "Go", {10, 10, 80, 25}) {
    button.OnClick = [] { throw ui::Exception("A Widget must be owned by a form"); };
  }
  static ui::Form::Options Options() {
    ui::Form::Options o;
    o.caption = "Throwing";
    o.clientWidth = 200;
    o.clientHeight = 100;
    return o;
  }
  ui::Button button;
};

TEST_F(ErrorDisplay, AnExceptionInAHandlerReachesTheDisplayAndTheProgramGoesOn) {
  ThrowingForm form;
  form.Show();
  for (int round = 0; round < 2; ++round) {
    const SeenBox box = ShowAndRead([&] { PostMessageA(form.button.Handle(), BM_CLICK, 0, 0); });
    EXPECT_EQ(box.text, "A Widget must be owned by a form.");
    EXPECT_EQ(box.caption, "Tessarin");
  }
  EXPECT_TRUE(IsWindow(form.Handle()));
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
}

TEST_F(ErrorDisplay, AnExceptionInTheApplicationWindowsMinimiseReachesTheDisplay) {
  std::vector<std::string> shown;
  ui::Application& app = ui::Application::Instance();
  app.OnException = [&](const std::string& text) { shown.push_back(text); };
  app.OnMinimize = [] { throw ui::Exception("Minimise failed"); };
  SendMessageA(app.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  app.OnMinimize = nullptr;
  app.OnException = nullptr;
  ShowWindow(app.Handle(), SW_HIDE);
  EXPECT_EQ(shown, std::vector<std::string>{"Minimise failed."});
}

}  // namespace
