// Tessarin: a character map that lives in the notification area.
#include <windows.h>

#include "app/JustOne.h"
#include "info/Info.h"
#include "main/Main.h"
#include "ui/Application.h"
#include "websafe/Websafe.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before the application object and any window: is another instance running?
  tessarin::TPreviousInstance::Instance();

  ui::Application& app = ui::Application::Instance();
  try {
    app.Initialize();
    app.SetTitle("Tessarin");
    tessarin::TForm1 form1;
    tessarin::Tdialog216 palette;
    tessarin::TInfo_dlg options;
    return app.Run();
  } catch (...) {
    app.HandleException();
    return 1;
  }
}
