// The application object: its hidden window, the message loop, minimising, the error display.
#include "ui/Application.h"

#include <commctrl.h>

#include <algorithm>

#include "core/ErrorText.h"
#include "ui/Foreground.h"
#include "ui/Form.h"
#include "ui/SystemLibraries.h"
#include "core/Ticks.h"
#include "ui/WindowClass.h"

namespace ui {

Application& Application::Instance() {
  static Application app;
  return app;
}

void Application::Initialize() {
  if (handle_) return;
  CommonControls();  // loads them from the system folder and registers their classes

  RegisterWindowClass(
      {.name = "TApplication", .proc = &Application::WindowProc, .icon = MAKEINTRESOURCEA(1)});
  // A captioned popup of no size in the middle of the screen, never shown by us: it owns
  // the forms, so that none of them has a taskbar button of its own.
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
  handle_ = CreateWindowExA(0, "TApplication", title_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void Application::SetTitle(const std::string& title) {
  title_ = title;
  if (handle_) SetWindowTextA(handle_, title_.c_str());
}

void Application::AddForm(Form* form) {
  forms_.push_back(form);
  if (!mainForm_) mainForm_ = form;
}

void Application::RemoveForm(Form* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  if (mainForm_ == form) {
    // The work was meant for this main form's start; the next one starts afresh.
    mainForm_ = nullptr;
    startupWork_.clear();
    startupFinished_ = false;
    mainFormShown_ = false;
  }
}

void Application::AfterFirstPaint(std::function<void()> work) {
  if (startupFinished_) {
    work();
    return;
  }
  startupWork_.push_back(std::move(work));
}

void Application::FinishStartup() {
  if (startupFinished_) return;
  startupFinished_ = true;
  // Each piece in its own error boundary: a failing one does not keep the others back.
  std::vector<std::function<void()>> work;
  work.swap(startupWork_);
  for (auto& piece : work) {
    try {
      piece();
    } catch (...) {
      HandleException();
    }
  }
}

int Application::StartupShowCommand() const {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  GetStartupInfoA(&si);
  return (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : SW_SHOWNORMAL;
}

int Application::Run() {
  if (mainForm_ && !terminated_) {
    try {
      switch (StartupShowCommand()) {
        case SW_SHOWMINNOACTIVE:
          mainForm_->SetWindowState(WindowState::Minimized);
          Minimize();
          FinishStartup();  // nothing will be painted: only the icon shows
          break;
        case SW_SHOWMAXIMIZED:
          mainForm_->SetWindowState(WindowState::Maximized);
          mainForm_->Show();
          break;
        default: mainForm_->Show(); break;
      }
      mainFormShown_ = true;
    } catch (...) {
      HandleException();
    }
  }
  while (!terminated_ && HandleMessage()) {
  }
  // A run that ends before its first paint has still done its start-up work once: what it
  // set up is taken down with the forms, as in every other run.
  FinishStartup();
  return 0;
}

bool Application::PreTranslate(MSG& msg) {
  // Tab, arrows between controls, Enter for the default button and access keys: the
  // platform's dialog manager, for the form that holds the message's window.
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  Form* form = dynamic_cast<Form*>(Control::FromHandle(root));
  if (!form) return false;
  if (form->PreviewKey(msg)) return true;
  return IsDialogMessageA(root, &msg) != FALSE;
}

bool Application::HandleMessage() {
  MSG msg;
  const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
  if (got == 0) {
    terminated_ = true;
    return false;
  }
  if (got < 0) return true;
  Deliver(msg);
  return true;
}

namespace {
// What the user did: a key (a hot key too), a mouse button or the wheel, in the client
// area or the frame. A mouse move is not: the platform sends one when a window appears
// under the pointer.
bool IsInput(UINT msg) {
  return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || msg == WM_HOTKEY ||
         (msg > WM_MOUSEMOVE && msg <= WM_MOUSELAST) || (msg > WM_NCMOUSEMOVE && msg <= WM_NCXBUTTONDBLCLK);
}
}  // namespace

bool Application::MainFormShowing() const { return mainForm_ && IsWindowVisible(mainForm_->Handle()); }

void Application::Deliver(MSG& msg) {
  try {
    // Input is handled with the start complete: a click that came before the first paint
    // finds the dialogs and the settings it may need.
    if (!startupFinished_) {
      if (IsInput(msg.message)) FinishStartup();
      mainFormShown_ = mainFormShown_ || MainFormShowing();
    }
    if (!PreTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    // Showing the main form leaves all of it to paint, and paint messages come after
    // every other kind: when none is left, the whole window has been drawn once. A main
    // form hidden again before that has nothing left to draw.
    if (!startupFinished_ && mainFormShown_ &&
        (!MainFormShowing() || !(HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT)))
      FinishStartup();
  } catch (...) {
    HandleException();
  }
}

void Application::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      PostQuitMessage(static_cast<int>(msg.wParam));  // let the outer loop see it too
      return;
    }
    Deliver(msg);
  }
}

bool Application::ProcessMessagesUntil(const std::function<bool()>& done, std::int32_t timeoutMs) {
  constexpr DWORD kLookAgainMs = 10;
  const DWORD start = GetTickCount();
  for (;;) {
    ProcessMessages();
    if (done && done()) return true;
    const DWORD now = GetTickCount();
    if (terminated_ || WaitIsOver(start, now, timeoutMs)) return false;
    // Until the counter may have passed the end, or a message comes.
    DWORD sleep = static_cast<DWORD>(timeoutMs) - (now - start) + 1;
    if (done) sleep = std::min(sleep, kLookAgainMs);
    MsgWaitForMultipleObjectsEx(0, nullptr, sleep, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

void Application::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void Application::Minimize() {
  if (!handle_) return;
  // Every form hides: when one of them is in front, the program below takes the foreground
  // first, while they still show (see HandForegroundOn for why it must come first).
  HWND front = GetForegroundWindow();
  if (front && GetWindowThreadProcessId(front, nullptr) == GetCurrentThreadId())
    HandForegroundOn(front, Hiding::AllWindows);
  // Without animation, as the forms library does it: minimising the owner hides the
  // forms it owns.
  ANIMATIONINFO ai{sizeof ai, 0};
  SystemParametersInfoA(SPI_GETANIMATION, sizeof ai, &ai, 0);
  const int animate = ai.iMinAnimate;
  if (animate) {
    ai.iMinAnimate = 0;
    SystemParametersInfoA(SPI_SETANIMATION, sizeof ai, &ai, 0);
  }
  ShowWindow(handle_, SW_MINIMIZE);
  // Windows hides the forms of a minimised owner by itself; Wine does not always, so
  // say it outright.
  ShowOwnedPopups(handle_, FALSE);
  if (animate) {
    ai.iMinAnimate = animate;
    SystemParametersInfoA(SPI_SETANIMATION, sizeof ai, &ai, 0);
  }
  if (OnMinimize) OnMinimize();
}

void Application::ShowException(const std::string& message) {
  const std::string text = ErrorDisplayText(message);
  if (OnException) {
    OnException(text);
    return;
  }
  // An error raised while the box is up (a repaint inside its modal loop) would stack
  // box on box: the first one stands for both.
  if (showingException_) return;
  showingException_ = true;
  HWND owner = GetLastActivePopup(handle_);
  if (owner == handle_ || !IsWindowVisible(owner)) owner = nullptr;
  MessageBoxA(owner, text.c_str(), title_.c_str(),
              MB_OK | MB_ICONERROR | (owner ? 0 : MB_TASKMODAL | MB_SETFOREGROUND));
  showingException_ = false;
}

void Application::HandleException() noexcept {
  std::string message;
  try {
    throw;
  } catch (const Exception& e) {
    message = e.Message();
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = "Unknown error";
  }
  try {
    ShowException(message);
  } catch (...) {
  }
}

LRESULT CALLBACK Application::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Application& app = Instance();
  try {
    switch (msg) {
      case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE) {
          app.Minimize();
          return 0;
        }
        break;
      case WM_ENDSESSION:
        // The session ends and the process with it, perhaps before its first paint: the
        // start-up work has run once by then.
        if (wParam) app.FinishStartup();
        break;
      case WM_CLOSE:
        if (app.mainForm_) {
          app.mainForm_->Close();
          return 0;
        }
        break;
      default: break;
    }
  } catch (...) {
    app.HandleException();
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace ui
