// The character names of the page, looked up in the table of all Unicode names.
#include "main/CharNames.h"

#include "unicode/UnicodeNames.h"
#include "unicode/UnicodeText.h"

namespace tessarin {

std::string CharName(unsigned char code) {
  if (code < 32) return {};
  const char32_t cp = unicode::FromWindows1252(code);
  // The bytes Windows-1252 leaves undefined read as C1 controls, whose aliases are no names
  // of the page's characters.
  if (cp >= 0x80 && cp < 0xA0) return {};
  return unicode::CharName(cp);
}

}  // namespace tessarin
