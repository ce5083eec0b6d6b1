// How the shortcut writer keeps its hot key and show command.
#include "core/ShortcutProps.h"

#include "core/Ascii.h"

namespace tessarin {

std::uint16_t StoreHotKey(const std::string& text) {
  if (text.empty()) return 32;
  const auto c = static_cast<unsigned char>(ui::AsciiUpper(text.front()));
  return c < 32 ? 32 : c;
}

std::string ReadHotKey(std::uint16_t stored) {
  if (stored == 0) stored = 32;
  return std::string(1, static_cast<char>(stored & 0xFF));
}

std::uint16_t HotKeyWord(std::uint16_t stored) {
  constexpr std::uint16_t kControlAlt = 2 | 4;  // HOTKEYF_CONTROL | HOTKEYF_ALT
  if (stored <= 32) return 0;
  return static_cast<std::uint16_t>((kControlAlt << 8) | (stored & 0xFF));
}

int StoreShowCmd(ShowCommand value, int stored) {
  switch (value) {
    case scShowMaximized: return kSwShowMaximized;
    case scShowMinimized: return kSwShowMinNoActive;
    case scShowNormal: return kSwRestore;
  }
  return stored;
}

ShowCommand ReadShowCmd(int stored) {
  if (stored == kSwShowMaximized) return scShowMaximized;
  if (stored == kSwShowMinNoActive) return scShowMinimized;
  return scShowNormal;
}

}  // namespace tessarin
