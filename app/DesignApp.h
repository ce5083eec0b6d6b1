// TDesignApp: the component that hands the application object's events to a form.
#pragma once
#include <functional>

namespace tessarin {

// Hands the application object's events to the form that owns this component; the main
// window uses only OnMinimize.
class TDesignApp {
 public:
  TDesignApp();
  ~TDesignApp();
  TDesignApp(const TDesignApp&) = delete;
  TDesignApp& operator=(const TDesignApp&) = delete;

  // Raised after the application has minimised its application window.
  std::function<void()> OnMinimize;
};

}  // namespace tessarin
