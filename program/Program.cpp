// Tessarin: a character map that lives in the notification area.
#include <windows.h>

#include <optional>

#include "app/SingleInstance.h"
#include "ui/DropSource.h"
#include "options/OptionsDialog.h"
#include "main/Main.h"
#include "ui/Application.h"
#include "ui/ComScope.h"
#include "ui/ShellLibraries.h"
#include "ui/SystemLibraries.h"
#include "websafe/Websafe.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything loads a DLL that is not one of the system's known DLLs: from here on
  // only the system folder is searched, never the folder the program was copied to.
  ui::SecureDllSearch();

  // Before the application object and any window: is another instance running? Then it
  // is asked to come forward, and this one ends at once, having shown nothing.
  const tessarin::PreviousInstance& previous = tessarin::PreviousInstance::Instance();
  if (previous.AlreadyRunning()) {
    tessarin::SingleInstance::ActivateFirstInstance(previous.ProgramFileName());
    return 0;
  }

  // OLE for drag and drop, with the clipboard formats registered, and COM for the
  // shortcut writer, each once around the rest of the run: they end after the forms.
  std::optional<tessarin::OleSession> oleSession;
  std::optional<ui::ComScope> com;

  ui::Application& app = ui::Application::Instance();
  try {
    app.Initialize();
    app.SetTitle("Tessarin");
    tessarin::MainForm mainForm;
    // What the first look at the window does not need waits until it has been drawn:
    // OLE and COM, and the two dialogs, which stay hidden until the user opens them.
    std::optional<tessarin::PaletteDialog> palette;
    std::optional<tessarin::OptionsDialog> options;
    app.AfterFirstPaint([&] {
      oleSession.emplace();
      com.emplace();
      palette.emplace();
      // The options dialog tells of the main window's hot key and has it registered anew.
      options.emplace(
          tessarin::OptionsDialog::HotKeyLinks{.refusal = [&mainForm] { return mainForm.hotKey.Refusal(); },
                                               .apply = [&mainForm] { mainForm.ApplyHotKey(); }});
    });
    return app.Run();
  } catch (...) {
    app.HandleException();
    return 1;
  }
}
