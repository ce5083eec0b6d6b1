// The descriptions of a code point in the Unicode view, and its encodings. All strings are ASCII
// or UTF-8.
#pragma once

#include <string>

namespace tessarin::unicode {

// "U+2192", "U+1F600": 4 to 6 upper-case hexadecimal digits.
std::string CodePointText(char32_t cp);

// The HTML 4 entity of the character ("&rarr;", "&Omega;"), else a decimal reference ("&#10003;",
// "&#128512;").
std::string HtmlText(char32_t cp);

// The Windows-1252 byte 32..255 that stands for cp (U+20AC gives 128, U+00E9 gives 233), or -1 when
// the page has no such character. The five bytes Windows-1252 leaves undefined stand for U+0081,
// U+008D, U+008F, U+0090 and U+009D, as the system's conversion reads them.
int Windows1252Byte(char32_t cp);
// The other way: the code point a Windows-1252 byte stands for (128 gives U+20AC).
char32_t FromWindows1252(unsigned char byte);

// The German key combination that types the character ("STRG+ALT+E" for the euro sign) when the
// Windows-1252 page has it, else "".
std::string KeyTextOf(char32_t cp);

// The character in UTF-16 (one unit, or a surrogate pair from U+10000 on) and in UTF-8. A code point
// that is no character (a surrogate, or beyond U+10FFFF) gives U+FFFD.
std::u16string ToUtf16(char32_t cp);
std::string ToUtf8(char32_t cp);

}  // namespace tessarin::unicode
