// ui::Application: the hidden application window, the message loop and the error display.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/Exception.h"

namespace ui {

class Form;

// The application object: the hidden top-level window that owns every form (and would
// carry the taskbar button), the title, the message loop and the error display.
class Application {
 public:
  static Application& Instance();

  // Registers window classes, starts the common controls, creates the application window.
  void Initialize();
  HWND Handle() const { return handle_; }

  void SetTitle(const std::string& title);

  // The first form created is the main form; closing it ends the message loop.
  void AddForm(Form* form);
  void RemoveForm(Form* form);
  Form* MainForm() const { return mainForm_; }

  // The show command the process was started with (STARTUPINFO), SW_SHOWNORMAL if none.
  int StartupShowCommand() const;

  // Shows the main form as the start-up show command says, then runs the message loop
  // until the main form is closed or Terminate is called. Returns the exit code (0).
  int Run();
  // Handles every message waiting in the queue, then returns.
  void ProcessMessages();
  // The one wait of the program and its tests that keeps the windows alive: handles this
  // thread's messages as the loop does (the forms' dialog keys included) until done holds
  // (when given), the program ends, or the system's millisecond counter has moved on by
  // more than timeoutMs. Messages are handled at least once; between batches it sleeps
  // until a message comes, looking at done again every 10 ms (it may wait on another
  // process). True when done held.
  bool ProcessMessagesUntil(const std::function<bool()>& done, std::int32_t timeoutMs);
  // Handles one message, waiting for it when the queue is empty; false on WM_QUIT.
  bool HandleMessage();
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Start-up work the user cannot see yet (hidden windows, libraries, the notification
  // icon): it runs once, in the order given, as soon as the main form has been painted
  // completely (it is shown and no window of the thread is left to paint), or hidden again
  // before that, or at once when the program starts minimised. It runs before the first
  // key, hot key, mouse button or wheel message is handled in any case, so no input can
  // find it undone (a mouse move does not count: the platform sends one when a window
  // appears under the pointer), and at the latest when the message loop or the session
  // ends. Given after that point, the work runs at once.
  void AfterFirstPaint(std::function<void()> work);
  // Runs the start-up work that is still waiting, now.
  void FinishStartup();
  bool StartupFinished() const { return startupFinished_; }

  // Minimises the application window (which hides the forms it owns) and raises OnMinimize.
  // A form in front hands the foreground on first, while the forms still show.
  void Minimize();
  std::function<void()> OnMinimize;

  // The error display: a message box with the error icon, the application's title as
  // caption, and the message (with "." appended when its last character sorts after ".").
  void ShowException(const std::string& message);
  // Call inside a catch block: shows the current exception and goes on.
  void HandleException() noexcept;
  // When set, receives the displayed text instead of the message box (tests, embedding).
  std::function<void(const std::string&)> OnException;

 private:
  Application() = default;
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  bool PreTranslate(MSG& msg);
  // The dialog keys, then translation and dispatch, inside the exception boundary.
  void Deliver(MSG& msg);
  bool MainFormShowing() const;

  HWND handle_ = nullptr;
  std::string title_;
  Form* mainForm_ = nullptr;
  std::vector<Form*> forms_;
  bool terminated_ = false;
  bool showingException_ = false;
  std::vector<std::function<void()>> startupWork_;
  bool startupFinished_ = false;
  bool mainFormShown_ = false;  // the main form has been seen showing while the start-up waited
};

}  // namespace ui
