// The shared fixture of the in-process tests of the main window.
#include "tests/support/MainWindowFixture.h"

#include <cstring>

#include "app/Settings.h"
#include "tests/support/TestSupport.h"
#include "ui/Application.h"

namespace testing_support {

void MainWindowTest::SetUp() {
  // Every test starts with no recently used characters: what an earlier test used (in this
  // process or, through the settings file, in another) would change the search's ranking.
  char recent[8] = "";
  if (GetPrivateProfileStringA("Recent", nullptr, "", recent, sizeof recent, tessarin::kSettingsFileName) > 0)
    WritePrivateProfileStringA("Recent", nullptr, nullptr, tessarin::kSettingsFileName);
  tessarin::ForgetRecentlyUsed();
  ui::Application& app = ui::Application::Instance();
  app.Initialize();
  app.OnException = [this](const std::string& message) {
    errors.push_back(message);
    if (!expectErrors) ADD_FAILURE() << "error shown: " << message;
  };
  form = std::make_unique<tessarin::MainForm>();
  palette = std::make_unique<tessarin::PaletteDialog>();
  // As the program makes it: it tells of the main window's hot key and has it registered anew.
  options = std::make_unique<tessarin::OptionsDialog>(tessarin::OptionsDialog::HotKeyLinks{
      .refusal = [this] { return form->hotKey.Refusal(); }, .apply = [this] { form->ApplyHotKey(); }});
  form->Show();
  SetForegroundWindow(form->Handle());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == form->Handle(); }));
  // The notification icon comes once the window has been drawn.
  ASSERT_TRUE(WaitUntil([&] { return app.StartupFinished(); }));
  Settle();
}

void MainWindowTest::Choose(int index) {
  tessarin::BlockComboBox& box = form->viewBox;
  box.SetFocus();  // the list is filled for the font as it is entered
  SendMessageW(box.Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(GetParent(box.Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box.Handle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(box.Handle()));
  Settle();
}

int MainWindowTest::IndexOfView(const std::string& name) {
  tessarin::BlockComboBox& box = form->viewBox;
  box.SetFocus();  // the list is filled for the font as it is entered
  for (int i = 0; i < box.Count(); ++i)
    if (box.Item(i) == name) return i;
  return -1;
}

void MainWindowTest::Find(const std::string& query) {
  if (!form->findField.IsOpen()) {
    form->grid.SetFocus();
    Keys({'F'}, {VK_CONTROL});
    ASSERT_TRUE(WaitUntil([&] { return form->findField.IsOpen(); }));
  }
  form->findField.SetText(query);
  Settle();
}

void MainWindowTest::TearDown() {
  options.reset();
  palette.reset();
  form.reset();
  ui::Application::Instance().OnException = nullptr;
}

std::map<std::string, ui::Control*> MainControlsByName(tessarin::MainForm& form) {
  return {{"magnifier", &form.magnifier},
          {"grid", &form.grid},
          {"fontBox", &form.fontBox},
          {"ownFontNamesCheck", &form.ownFontNamesCheck},
          {"fontFilterGroup", &form.fontFilterGroup},
          {"styleGroup", &form.styleGroup},
          {"colorGroup", &form.colorGroup},
          {"viewBox", &form.viewBox},
          {"previewLabel", &form.previewLabel},
          {"nameLabel", &form.nameLabel},
          {"keyCaption", &form.keyCaption},
          {"codeLabel", &form.codeLabel},
          {"keyLabel", &form.keyLabel},
          {"entityLabel", &form.entityLabel},
          {"compositionGroup", &form.compositionGroup},
          {"selectButton", &form.selectButton},
          {"optionsButton", &form.optionsButton},
          {"exitButton", &form.exitButton},
          {"composition", &form.composition},
          {"htmlEdit", &form.htmlEdit},
          {"copyRtfButton", &form.copyRtfButton},
          {"copyHtmlButton", &form.copyHtmlButton}};
}

bool MainWindowTest::WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  return PumpUntil(condition, timeout);
}

bool MainWindowTest::Settle() {
  return WaitUntil(
      [] { return HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_PAINT)) == 0; });
}

void SendInputMark() {
  INPUT mark[2]{};
  for (INPUT& i : mark) {
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = kInputMarkKey;
  }
  mark[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, mark, sizeof(INPUT));
}

namespace {
bool markSeen = false;
LRESULT CALLBACK WatchForMark(int code, WPARAM vk, LPARAM lParam) {
  if (code >= 0 && vk == kInputMarkKey) markSeen = true;
  return CallNextHookEx(nullptr, code, vk, lParam);
}
}  // namespace

bool MainWindowTest::InputHandled() {
  markSeen = false;
  HHOOK hook = SetWindowsHookExA(WH_KEYBOARD, &WatchForMark, nullptr, GetCurrentThreadId());
  SendInputMark();
  // Input comes out of the queue in the order it went in: when the mark has, so has all
  // before it, and each was handled before the next was taken.
  const bool seen = WaitUntil([] { return markSeen; });
  UnhookWindowsHookEx(hook);
  return seen && Settle();
}

void MainWindowTest::PressKeys(const std::vector<std::pair<WORD, bool>>& events) {
  std::vector<INPUT> in;
  for (auto [vk, up] : events) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
  Settle();
}

void MainWindowTest::Keys(std::initializer_list<WORD> keys, std::initializer_list<WORD> held) {
  std::vector<std::pair<WORD, bool>> events;
  for (WORD vk : held) events.push_back({vk, false});
  for (WORD vk : keys) events.push_back({vk, false}), events.push_back({vk, true});
  for (WORD vk : held) events.push_back({vk, true});
  PressKeys(events);
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
