// The hot key's setting as the file gives it, and what registering it takes.
#include <gtest/gtest.h>

#include "core/HotKeyCode.h"

namespace {

using namespace tessarin;

TEST(HotKeyCode, SettingsAndTheirRegistrations) {
  // MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4 (winuser.h); the control's HOTKEYF_SHIFT 1,
  // HOTKEYF_CONTROL 2, HOTKEYF_ALT 4, HOTKEYF_EXT 8 (commctrl.h).
  const struct {
    std::int32_t file;
    std::uint16_t setting;
    unsigned modifiers, vk;
  } cases[] = {
      {1876, 1876, 7, 'T'},       // 0x754: Ctrl+Alt+Shift+T, the default
      {0x0254, 0x0254, 2, 'T'},   // Ctrl+T
      {0x0441, 0x0441, 1, 'A'},   // Alt+A
      {0x0570, 0x0570, 5, 0x70},  // Alt+Shift+F1
      {0x0370, 0x0370, 6, 0x70},  // Ctrl+Shift+F1
      {0x0A25, 0x0A25, 2, 0x25},  // Ctrl + extended Left: the extended bit registers nothing
      {0x0E2E, 0x0E2E, 3, 0x2E},  // Ctrl+Alt + extended Delete
      {0, 0, 0, 0},               // none
      // What the options page cannot give would take a key from every program: the default.
      {65, 1876, 7, 'T'},      // "a" alone
      {340, 1876, 7, 'T'},     // Shift+T
      {0x0870, 1876, 7, 'T'},  // an extended key alone
      {0x0970, 1876, 7, 'T'},  // Shift + an extended key
      {0x1254, 1876, 7, 'T'},  // Ctrl+T with an unknown modifier bit
      {0x8654, 1876, 7, 'T'},
      {0x0300, 1876, 7, 'T'},  // modifiers without a key
      {0x0600, 1876, 7, 'T'},
      {0x0800, 1876, 7, 'T'},
      {-1, 1876, 7, 'T'},  // outside 0..0xFFFF
      {0x10000, 1876, 7, 'T'},
      {0x10254, 1876, 7, 'T'},  // Ctrl+T above 0xFFFF
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HotKeySetting(c.file), c.setting) << c.file;
    const HotKeyRegistration r = RegistrationFor(HotKeySetting(c.file));
    EXPECT_EQ(r.modifiers, c.modifiers) << c.file;
    EXPECT_EQ(r.virtualKey, c.vk) << c.file;
  }
  EXPECT_EQ(kDefaultHotKey, 1876);
}

TEST(HotKeyCode, OnlyAKeyHeldElsewhereIsReportedAsTaken) {
  // The system's error codes (winerror.h).
  const struct {
    unsigned long error;
    const char* text;
  } cases[] = {
      {0, ""},
      {1409, "Taken by another program"},  // ERROR_HOTKEY_ALREADY_REGISTERED
      {1408, "Refused by the system"},     // ERROR_WINDOW_OF_OTHER_THREAD
      {1400, "Refused by the system"},     // ERROR_INVALID_WINDOW_HANDLE
      {87, "Refused by the system"},       // ERROR_INVALID_PARAMETER
  };
  for (const auto& c : cases) EXPECT_EQ(HotKeyRefusalText(c.error), c.text) << c.error;
}

}  // namespace
