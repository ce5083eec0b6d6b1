// The character names of the page, looked up in the table of all Unicode names.
#include "core/unicode/CharNames.h"

#include <array>

#include "core/unicode/UnicodeNames.h"
#include "core/unicode/UnicodeText.h"

namespace tessarin {

const std::string& CharName(unsigned char code) {
  // Decoded once: the page's search reads all 224 names on every keystroke.
  static const std::array<std::string, 256> names = [] {
    std::array<std::string, 256> all;
    for (int code = 32; code < 256; ++code) {
      const char32_t cp = unicode::FromWindows1252(static_cast<unsigned char>(code));
      // The bytes Windows-1252 leaves undefined read as C1 controls, whose aliases are no
      // names of the page's characters.
      if (cp < 0x80 || cp >= 0xA0) all[static_cast<std::size_t>(code)] = unicode::CharName(cp);
    }
    return all;
  }();
  return names[code];
}

}  // namespace tessarin
