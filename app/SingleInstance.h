// The single-instance check: PreviousInstance (the named mutex) and SingleInstance.
#pragma once
#include <windows.h>

#include <string>

namespace ui {
class Form;
}

namespace tessarin {

// Decides, when the program starts and before any window exists, whether another
// instance with the same program file name runs: a named mutex, named after the file.
class PreviousInstance {
 public:
  static PreviousInstance& Instance();
  PreviousInstance(const PreviousInstance&) = delete;
  PreviousInstance& operator=(const PreviousInstance&) = delete;
  ~PreviousInstance();

  const std::string& ProgramFileName() const { return programFileName_; }
  bool AlreadyRunning() const { return alreadyRunning_; }

 private:
  PreviousInstance();
  std::string programFileName_;
  HANDLE mutexHandle_ = nullptr;
  bool alreadyRunning_ = false;
};

// The message a second instance posts to the first instance's main window to have it
// come forward (restored, shown and in front).
UINT ActivateInstanceMessage();

// The single-instance component on the main window: it tags the main window so that a
// later start finds it, and takes the tag off before the window goes.
class SingleInstance {
 public:
  explicit SingleInstance(ui::Form& owner);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // The first instance's main window: a top-level window of another process that carries
  // the tag of this program file's name. Never a window of this process.
  static HWND FindFirstInstanceWindow(const std::string& programFileName);
  // Asks the first instance to come forward (restored, shown, in front), allowing it to
  // take the foreground from this process.
  static void ActivateFirstInstance(const std::string& programFileName);
  static const char* const kInstanceProp;

 private:
  HWND window_;
};

}  // namespace tessarin
