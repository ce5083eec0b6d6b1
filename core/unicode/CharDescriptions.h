// The three descriptions of a character code: its Alt+keypad code, its key on a German
// keyboard and its text in HTML.
#pragma once

#include <string>

namespace tessarin {

// Codes are bytes of the ANSI code page, read as Windows-1252 from 128 on. The grid passes
// only 32 to 255; every byte gives a defined text all the same.

// "#" and the decimal code below 128 ("#32", "#127"), "#0" and the code from 128 on
// ("#0128"), as the code is typed with Alt on the numeric keypad: the leading zero picks
// the ANSI character rather than the OEM one. Codes below 32 read "#0" to "#31".
std::string CodeText(unsigned char code);

// The key or AltGr combination that types the character on a German keyboard ("Space",
// "A", "STRG+ALT+Q"); empty when the character has no key of its own, and for codes
// below 32.
std::string KeyText(unsigned char code);

// The character's text in HTML: an entity with a single "&" ("&amp;", "&euro;",
// "&#127;") or the character itself. Never empty. A code below 32 gives the character
// itself, one byte (a NUL byte for 0): the composition box builds its HTML text from the
// entity texts of the characters it holds, and control characters such as a line break
// must reach that text unchanged.
std::string EntityText(unsigned char code);

}  // namespace tessarin
