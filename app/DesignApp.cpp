// TDesignApp: the application object's minimise event handed to the main window.
#include "app/DesignApp.h"

#include "ui/Application.h"

namespace tessarin {

TDesignApp::TDesignApp() {
  ui::Application::Instance().OnMinimize = [this] {
    if (OnMinimize) OnMinimize();
  };
}

TDesignApp::~TDesignApp() { ui::Application::Instance().OnMinimize = nullptr; }

}  // namespace tessarin
