// The global hot key's setting: the value a hot-key control gives (modifiers × 256 +
// virtual key) and what registering it takes.
#pragma once

#include <cstdint>
#include <string>

namespace tessarin {

// The hot-key control's modifier bits (the high byte of its value); the extended-key bit
// comes with keys of the extended keyboard (the arrows beside the keypad, Insert…).
constexpr unsigned kHotKeyShift = 0x01, kHotKeyControl = 0x02, kHotKeyAlt = 0x04, kHotKeyExtended = 0x08;
// Ctrl+Alt+Shift+T.
constexpr std::uint16_t kDefaultHotKey = (kHotKeyShift | kHotKeyControl | kHotKeyAlt) << 8 | 'T';

// The setting a number from the settings file gives: 0 (no hot key) or a value the
// options page's control gives, a key with Ctrl or Alt held; anything else (a bare key,
// Shift and a key, unknown modifier bits, modifiers without a key, a number outside
// 0..0xFFFF) would take a key from every program, and gives the default.
std::uint16_t HotKeySetting(std::int32_t fileValue);

// What RegisterHotKey takes for a setting: its modifiers (MOD_ALT 1, MOD_CONTROL 2,
// MOD_SHIFT 4) and its virtual key; a virtual key of 0 means no hot key.
struct HotKeyRegistration {
  unsigned modifiers = 0;
  unsigned virtualKey = 0;
  bool operator==(const HotKeyRegistration&) const = default;
};
HotKeyRegistration RegistrationFor(std::uint16_t setting);

// What the options page says of a registration the system refused with an error code
// (GetLastError): empty for none (0).
std::string HotKeyRefusalText(unsigned long error);

}  // namespace tessarin
