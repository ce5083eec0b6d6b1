// The description tables: Alt+keypad code, German key and HTML text of each byte.
#include "core/unicode/CharDescriptions.h"

#include <iterator>

namespace tessarin {

namespace {

std::string Itself(unsigned char code) { return std::string(1, static_cast<char>(code)); }

// 127 and Windows-1252's 128..159. The HTML 4 name where the character has one; the
// numeric form for DEL, for the five bytes Windows-1252 leaves undefined (129, 141, 143,
// 144, 157), for Ž and ž (142, 158), which HTML 4 does not name, and, deliberately, for
// ‚ ƒ ˆ (130, 131, 136) although HTML 4 names them sbquo, fnof and circ.
constexpr const char* kEntities127To159[] = {
    "&#127;",                                                   // 127
    "&euro;",   "&#129;",   "&#130;",   "&#131;",  "&bdquo;",   // 128..132
    "&hellip;", "&dagger;", "&Dagger;", "&#136;",  "&permil;",  // 133..137
    "&Scaron;", "&lsaquo;", "&OElig;",  "&#141;",  "&#142;",    // 138..142
    "&#143;",   "&#144;",   "&lsquo;",  "&rsquo;", "&ldquo;",   // 143..147
    "&rdquo;",  "&bull;",   "&ndash;",  "&mdash;", "&tilde;",   // 148..152
    "&trade;",  "&scaron;", "&rsaquo;", "&oelig;", "&#157;",    // 153..157
    "&#158;",   "&Yuml;",                                       // 158..159
};
static_assert(std::size(kEntities127To159) == 159 - 127 + 1);

// 160..255, the ISO 8859-1 half: the HTML 4 names, except "die" for the diaeresis (168)
// where HTML 4 says "uml".
constexpr const char* kLatin1Names[] = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",    // 160
    "die",    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",    // 168
    "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",  "para",   "middot",  // 176
    "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest",  // 184
    "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil",  // 192
    "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",    // 200
    "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",   "times",   // 208
    "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",   // 216
    "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",  // 224
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",    // 232
    "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide",  // 240
    "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml",    // 248
};
static_assert(std::size(kLatin1Names) == 255 - 160 + 1);

}  // namespace

std::string CodeText(unsigned char code) { return (code < 128 ? "#" : "#0") + std::to_string(code); }

std::string KeyText(unsigned char code) {
  switch (code) {
    case ' ': return "Space";
    // The AltGr layer, written as the German key caps name it: STRG+ALT stands for AltGr.
    // [ \ ] are AltGr characters too, yet show the character itself.
    case '@': return "STRG+ALT+Q";
    case '{': return "STRG+ALT+7";
    case '|': return "STRG+ALT+<";
    case '}': return "STRG+ALT+0";
    case '~': return "STRG+ALT++";
    case 0xB2: return "STRG+ALT+2";   // ²
    case 0xB3: return "STRG+ALT+3";   // ³
    case 0xB5: return "STRG+ALT+M";   // µ
    case 0x80: return "\x80 (EURO)";  // € (EURO)
    case 0xC4:                        // Ä
    case 0xD6:                        // Ö
    case 0xDC:                        // Ü
    case 0xDF:                        // ß
    case 0xE4:                        // ä
    case 0xF6:                        // ö
    case 0xFC:                        // ü
      return Itself(code);
    default: break;
  }
  if (code > ' ' && code < 127) return Itself(code);
  return {};
}

std::string EntityText(unsigned char code) {
  switch (code) {
    case '"': return "&quot;";
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    default: break;
  }
  if (code < 127) return Itself(code);
  if (code < 160) return kEntities127To159[code - 127];
  return std::string("&") + kLatin1Names[code - 160] + ";";
}

}  // namespace tessarin
