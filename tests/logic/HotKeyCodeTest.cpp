// The hot key's setting as the file gives it, and what registering it takes.
#include <gtest/gtest.h>

#include "app/HotKeyCode.h"

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
      {0x0170, 0x0170, 4, 0x70},  // Shift+F1
      {0x0A25, 0x0A25, 2, 0x25},  // Ctrl + extended Left: the extended bit registers nothing
      {0, 0, 0, 0},               // none
      {0x0300, 0x0300, 0, 0},     // modifiers without a key: none
      {-1, 1876, 7, 'T'},         // outside 0..0xFFFF: the default
      {0x10000, 1876, 7, 'T'},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HotKeySetting(c.file), c.setting) << c.file;
    const HotKeyRegistration r = RegistrationFor(HotKeySetting(c.file));
    EXPECT_EQ(r.modifiers, c.modifiers) << c.file;
    EXPECT_EQ(r.virtualKey, c.vk) << c.file;
  }
  EXPECT_EQ(kDefaultHotKey, 1876);
}

}  // namespace
