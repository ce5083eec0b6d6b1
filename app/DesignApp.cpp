// TDesignApp: hands its settings and its minimise event to the application object.
#include "app/DesignApp.h"

#include "ui/Application.h"

namespace tessarin {

TApplicationSettings& ApplicationSettings() {
  static TApplicationSettings settings;
  return settings;
}

TDesignApp::TDesignApp() {
  ui::Application::Instance().OnMinimize = [this] {
    if (OnMinimize) OnMinimize();
  };
}

TDesignApp::~TDesignApp() { ui::Application::Instance().OnMinimize = nullptr; }

void TDesignApp::Loaded() { ApplicationSettings() = Settings; }

}  // namespace tessarin
