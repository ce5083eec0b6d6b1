// TForm1's global hot key: registered from the settings, it shows the window from
// another program and hides it when Tessarin is in front.
#include "app/Settings.h"
#include "main/Main.h"

namespace tessarin {

void TForm1::ApplyHotKey() { HotKey1.Register(Handle(), AppSettings.HotKey); }

void TForm1::HotKeyPressed() {
  DWORD process = 0;
  GetWindowThreadProcessId(GetForegroundWindow(), &process);
  // In front and not held by a modal dialog: back to the notification area, as the
  // caption button does.
  if (process == GetCurrentProcessId() && IsWindowVisible(Handle()) && IsWindowEnabled(Handle())) {
    HandForegroundOn();
    Hide();
    return;
  }
  // As the notification-area icon shows it; the key's owner may take the foreground.
  if (ShowMainWindow()) SetActiveControl(&StringAlignGrid1);
}

}  // namespace tessarin
