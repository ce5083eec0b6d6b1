// The HTML font fragment and the composition's HTML text.
#include "main/HtmlFont.h"

#include <array>

#include "main/CharDescriptions.h"

namespace tessarin {

std::string MakeHtmlFontText(const std::string& text, std::uint32_t colorRef, const std::string& face,
                             HtmlStyles styles) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size() + face.size() + 64);
  out += "<FONT color=#";
  for (int shift : {0, 8, 16}) {  // red, green, blue: the low byte first
    const unsigned byte = (colorRef >> shift) & 0xFFu;
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
  }
  out += " face=";
  out += face;
  out += '>';
  if (styles.bold) out += "<B>";
  if (styles.italic) out += "<I>";
  if (styles.strikeOut) out += "<STRIKE>";
  if (styles.underline) out += "<U>";
  out += text;
  if (styles.underline) out += "</U>";
  if (styles.strikeOut) out += "</STRIKE>";
  if (styles.italic) out += "</I>";
  if (styles.bold) out += "</B>";
  out += "</FONT>";
  return out;
}

std::string CompositionHtml(const std::string& text, int& lastGridCode) {
  // The entity texts are fixed: look each code up once.
  static const auto entities = [] {
    std::string table[256];
    for (int c = 0; c < 256; ++c) table[c] = EntityText(static_cast<unsigned char>(c));
    return std::to_array(table);
  }();
  lastGridCode = -1;
  std::string html;
  html.reserve(text.size() + text.size() / 4);
  for (char ch : text) {
    const auto code = static_cast<unsigned char>(ch);
    if (code < 32) {
      html += ch;
    } else {
      html += entities[code];
      lastGridCode = code;
    }
  }
  return html;
}

}  // namespace tessarin
