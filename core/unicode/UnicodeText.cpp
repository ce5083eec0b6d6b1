// The descriptions and encodings of a code point.
#include "core/unicode/UnicodeText.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "core/unicode/CharDescriptions.h"

namespace tessarin::unicode {

namespace {

#include "core/unicode/EntityTable.inc"

// Windows-1252 bytes 128..159. The five bytes the code page leaves undefined read as the C1
// controls of the same number, as the system's conversion reads them.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsCharacter(char32_t cp) { return cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF); }

}  // namespace

std::string CodePointText(char32_t cp) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(cp));
  return text;
}

std::string HtmlText(char32_t cp) {
  auto it = std::lower_bound(std::begin(kEntities), std::end(kEntities), cp,
                             [](const Entity& e, char32_t c) { return e.cp < c; });
  if (it != std::end(kEntities) && it->cp == cp) return std::string("&") + it->name + ";";
  return "&#" + std::to_string(static_cast<unsigned long>(cp)) + ";";
}

int Windows1252Byte(char32_t cp) {
  if (cp >= 32 && cp < 128) return static_cast<int>(cp);
  if (cp >= 0xA0 && cp <= 0xFF) return static_cast<int>(cp);
  if (cp > 0x2122) return -1;  // the trade mark sign is the last of them
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == cp) return 128 + i;
  }
  return -1;
}

char32_t FromWindows1252(unsigned char byte) {
  return byte >= 128 && byte < 160 ? kHighControls[byte - 128] : byte;
}

std::string KeyTextOf(char32_t cp) {
  int byte = Windows1252Byte(cp);
  if (byte < 0) return {};
  // The key texts are Windows-1252 bytes ("\x80 (EURO)", "\xC4"); this one is UTF-8.
  std::string utf8;
  for (char c : KeyText(static_cast<unsigned char>(byte)))
    utf8 += ToUtf8(FromWindows1252(static_cast<unsigned char>(c)));
  return utf8;
}

std::u16string ToUtf16(char32_t cp) {
  if (!IsCharacter(cp)) cp = 0xFFFD;
  if (cp < 0x10000) return std::u16string(1, static_cast<char16_t>(cp));
  cp -= 0x10000;
  return {static_cast<char16_t>(0xD800 + (cp >> 10)), static_cast<char16_t>(0xDC00 + (cp & 0x3FF))};
}

std::string ToUtf8(char32_t cp) {
  if (!IsCharacter(cp)) cp = 0xFFFD;
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | cp >> 6);
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += static_cast<char>(0xE0 | cp >> 12);
    s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | cp >> 18);
    s += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

}  // namespace tessarin::unicode
