// The shared fixture of the in-process tests of the main window.
#include "tests/support/MainWindowFixture.h"

#include <cstring>

#include "ui/Application.h"

namespace testing_support {

void MainWindowTest::SetUp() {
  ui::Application& app = ui::Application::Instance();
  app.Initialize();
  app.OnException = [this](const std::string& message) {
    errors.push_back(message);
    if (!expectErrors) ADD_FAILURE() << "error shown: " << message;
  };
  form = std::make_unique<tessarin::TForm1>();
  palette = std::make_unique<tessarin::Tdialog216>();
  options = std::make_unique<tessarin::TInfo_dlg>();
  form->Show();
  SetForegroundWindow(form->Handle());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == form->Handle(); }));
  // The notification icon comes once the window has been drawn.
  ASSERT_TRUE(WaitUntil([&] { return app.StartupFinished(); }));
  Settle();
}

void MainWindowTest::TearDown() {
  options.reset();
  palette.reset();
  form.reset();
  ui::Application::Instance().OnException = nullptr;
}

bool MainWindowTest::WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    ui::Application::Instance().ProcessMessages();
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void MainWindowTest::Settle() {
  // Injected input and posted work arrive a little later than they are sent.
  WaitUntil([] { return false; }, std::chrono::milliseconds(60));
}

void MainWindowTest::PressKeys(std::initializer_list<std::pair<WORD, bool>> events) {
  std::vector<INPUT> in;
  for (auto [vk, up] : events) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
  WaitUntil([] { return false; }, std::chrono::milliseconds(150));
}

void MainWindowTest::Click(const ui::Control& control) {
  SendMessageA(control.Handle(), BM_CLICK, 0, 0);
  Settle();
}

namespace {
bool OpenClipboardPatiently() {
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (OpenClipboard(nullptr)) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return false;
}
}  // namespace

std::string ClipboardText(UINT format) {
  std::string text;
  if (!OpenClipboardPatiently()) return text;
  if (HANDLE data = GetClipboardData(format)) {
    if (const char* p = static_cast<const char*>(GlobalLock(data))) {
      text.assign(p, strnlen(p, GlobalSize(data)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool ClipboardHas(UINT format) { return IsClipboardFormatAvailable(format) != FALSE; }

void PutOnClipboard(const std::string& text, UINT format) {
  ASSERT_TRUE(OpenClipboardPatiently());
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
  GlobalUnlock(mem);
  SetClipboardData(format, mem);
  CloseClipboard();
}

}  // namespace testing_support
