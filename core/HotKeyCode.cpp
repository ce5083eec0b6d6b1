// The global hot key's setting and its registration values.
#include "core/HotKeyCode.h"

namespace tessarin {

std::uint16_t HotKeySetting(std::int32_t fileValue) {
  if (fileValue == 0) return 0;
  if (fileValue < 0 || fileValue > 0xFFFF) return kDefaultHotKey;
  const unsigned flags = static_cast<unsigned>(fileValue) >> 8, key = fileValue & 0xFF;
  const bool known = (flags & ~(kHotKeyShift | kHotKeyControl | kHotKeyAlt | kHotKeyExtended)) == 0;
  if (!known || key == 0 || (flags & (kHotKeyControl | kHotKeyAlt)) == 0) return kDefaultHotKey;
  return static_cast<std::uint16_t>(fileValue);
}

HotKeyRegistration RegistrationFor(std::uint16_t setting) {
  constexpr unsigned kModAlt = 1, kModControl = 2, kModShift = 4;
  const unsigned flags = setting >> 8;
  HotKeyRegistration r;
  r.virtualKey = setting & 0xFF;
  if (r.virtualKey == 0) return {};
  r.modifiers = (flags & kHotKeyAlt ? kModAlt : 0) | (flags & kHotKeyControl ? kModControl : 0) |
                (flags & kHotKeyShift ? kModShift : 0);
  return r;
}

std::string HotKeyRefusalText(unsigned long error) {
  constexpr unsigned long kAlreadyRegistered = 1409;  // ERROR_HOTKEY_ALREADY_REGISTERED
  if (error == 0) return {};
  if (error == kAlreadyRegistered) return "Taken by another program";
  // Any other refusal (a window of another thread, no desktop…) is no other program's doing.
  return "Refused by the system";
}

}  // namespace tessarin
