// MainForm's global hot key: registered from the settings, it shows the window from
// another program and hides it when Tessarin is in front; and Shift+Enter, which types the
// selected character back where the user was.
#include "typing/UnicodeTyping.h"
#include "app/Settings.h"
#include "main/Main.h"
#include "ui/Foreground.h"
#include "core/unicode/UnicodeText.h"

namespace tessarin {

void MainForm::ApplyHotKey() { hotKey.Register(Handle(), AppSettings.HotKey); }

void MainForm::HotKeyPressed() {
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
  if (ShowMainWindow()) SetActiveControl(&grid);
}

namespace {

// How long the window the user was in may take to come back and take the focus: a program that
// answers its messages does it in a few round trips.
constexpr DWORD kComeBackMs = 1000;

}  // namespace

bool MainForm::TypingKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN || msg.hwnd != grid.Handle()) return false;
  // The key states after the key: each read is a trip to the server under Wine.
  if (GetKeyState(VK_SHIFT) >= 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  TypeSelectedChar();
  return true;
}

void MainForm::TypeSelectedChar() {
  const char32_t cp = SelectedCodePoint();
  if (cp == 0) return;
  if (!TypeWhereYouWere(cp)) AppendSelectedChar();
}

bool MainForm::TypeWhereYouWere(char32_t cp) {
  HWND target = foregroundOrigin.Window();
  if (!target) return false;
  // When it does not come back (hung, or gone meanwhile), or the system takes none of the keys,
  // Tessarin stays in front and the character goes into the composition instead.
  if (!ui::BringBackToFront(target, kComeBackMs) || !TypeUnicodeText(unicode::ToUtf16(cp))) {
    foregroundOrigin.Forget();
    SetForegroundWindow(Handle());
    return false;
  }
  NoteUsed(cp);
  // Hidden as the hot key hides it; the window in front is the one typed into already.
  HandForegroundOn();
  Hide();
  return true;
}

}  // namespace tessarin
