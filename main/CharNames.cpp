// The character names, from the table scripts/gen_char_names.py generates.
#include "main/CharNames.h"

namespace tessarin {
namespace {
#include "main/CharNameTable.inc"
}  // namespace

std::string_view CharName(unsigned char code) {
  if (code < 32) return {};
  const char* name = kCharNames[code - 32];
  return name ? std::string_view(name) : std::string_view();
}

}  // namespace tessarin
