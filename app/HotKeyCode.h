// The global hot key's setting: the value a hot-key control gives (modifiers × 256 +
// virtual key) and what registering it takes.
#pragma once

#include <cstdint>

namespace tessarin {

// The hot-key control's modifier bits (the high byte of its value).
constexpr unsigned kHotKeyShift = 0x01, kHotKeyControl = 0x02, kHotKeyAlt = 0x04;
// Ctrl+Alt+Shift+T.
constexpr std::uint16_t kDefaultHotKey = (kHotKeyShift | kHotKeyControl | kHotKeyAlt) << 8 | 'T';

// The setting a number from the settings file gives: the number itself from 0 (no hot
// key) to 0xFFFF, the default for anything else.
std::uint16_t HotKeySetting(std::int32_t fileValue);

// What RegisterHotKey takes for a setting: its modifiers (MOD_ALT 1, MOD_CONTROL 2,
// MOD_SHIFT 4) and its virtual key; a virtual key of 0 means no hot key.
struct HotKeyRegistration {
  unsigned modifiers = 0;
  unsigned virtualKey = 0;
  bool operator==(const HotKeyRegistration&) const = default;
};
HotKeyRegistration RegistrationFor(std::uint16_t setting);

}  // namespace tessarin
