// ApplicationEvents: the application object's settings and events, set from the main window.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace tessarin {

// The application-wide settings the forms library keeps on its application object that
// this program reads: the tooltip of the caption button takes its colour and timings here.
struct ApplicationOptions {
  COLORREF HintColor = 0x80000000u | COLOR_INFOBK;
  int HintHidePause = 2500;
  int HintPause = 500;
};
ApplicationOptions& ApplicationSettings();

// Hands its settings and events to the application object when its form has been built;
// the main window uses only OnMinimize.
class ApplicationEvents {
 public:
  ApplicationEvents();
  ~ApplicationEvents();
  ApplicationEvents(const ApplicationEvents&) = delete;
  ApplicationEvents& operator=(const ApplicationEvents&) = delete;

  // The values it hands over: the application object's own defaults.
  ApplicationOptions Settings;

  // The owning form has been built: the settings go to the application object.
  void Loaded();

  // Raised after the application has minimised its application window.
  std::function<void()> OnMinimize;
};

}  // namespace tessarin
