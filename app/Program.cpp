// Tessarin: a character map that lives in the notification area.
#include <windows.h>
#include <objbase.h>

#include "app/JustOne.h"
#include "main/DropSource.h"
#include "info/Info.h"
#include "main/Main.h"
#include "ui/Application.h"
#include "ui/SystemLibraries.h"
#include "websafe/Websafe.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything loads a DLL that is not one of the system's known DLLs: from here on
  // only the system folder is searched, never the folder the program was copied to.
  ui::SecureDllSearch();

  // Before the application object and any window: is another instance running? Then it
  // is asked to come forward, and this one ends at once, having shown nothing.
  const tessarin::TPreviousInstance& previous = tessarin::TPreviousInstance::Instance();
  if (previous.AlreadyRunning()) {
    tessarin::TJustOne32::ActivateFirstInstance(previous.ProgramFileName());
    return 0;
  }

  // OLE for drag and drop, with the clipboard formats registered, for the whole run; it
  // ends after the forms are gone.
  const tessarin::TDropSourceUnit dropSourceUnit;
  // COM for the shortcut writer, once around the whole run: ended after the forms.
  struct ComScope {
    ComScope() { CoInitialize(nullptr); }
    ~ComScope() { CoUninitialize(); }
  } com;

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
