// ApplicationEvents: hands its settings and its minimise event to the application object.
#include "app/ApplicationEvents.h"

#include "ui/Application.h"

namespace tessarin {

ApplicationOptions& ApplicationSettings() {
  static ApplicationOptions settings;
  return settings;
}

ApplicationEvents::ApplicationEvents() {
  ui::Application::Instance().OnMinimize = [this] {
    if (OnMinimize) OnMinimize();
  };
}

ApplicationEvents::~ApplicationEvents() { ui::Application::Instance().OnMinimize = nullptr; }

void ApplicationEvents::Loaded() { ApplicationSettings() = Settings; }

}  // namespace tessarin
