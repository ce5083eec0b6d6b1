// The global hot key's setting and its registration values.
#include "app/HotKeyCode.h"

namespace tessarin {

std::uint16_t HotKeySetting(std::int32_t fileValue) {
  return fileValue < 0 || fileValue > 0xFFFF ? kDefaultHotKey : static_cast<std::uint16_t>(fileValue);
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

}  // namespace tessarin
