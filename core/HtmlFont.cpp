// The HTML font fragment and the composition's HTML text.
#include "core/HtmlFont.h"

#include <array>

#include "core/unicode/CharDescriptions.h"
#include "core/unicode/UnicodeText.h"

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

namespace {

// The entity texts are fixed: each code is looked up once.
const std::array<std::string, 256>& EntityTable() {
  static const auto entities = [] {
    std::array<std::string, 256> table;
    for (int c = 0; c < 256; ++c) table[static_cast<size_t>(c)] = EntityText(static_cast<unsigned char>(c));
    return table;
  }();
  return entities;
}

}  // namespace

std::string CompositionHtml(const std::string& text, int& lastGridCode) {
  const auto& entities = EntityTable();
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

std::string CompositionHtml(std::u16string_view text, char32_t& last) {
  last = 0;
  std::string html;
  html.reserve(text.size() + text.size() / 2);
  for (size_t i = 0; i < text.size();) {
    char32_t cp = text[i++];
    if (cp >= 0xD800 && cp < 0xDC00 && i < text.size() && text[i] >= 0xDC00 && text[i] < 0xE000)
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i++] - 0xDC00);
    if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xFFFD;  // a half of a pair alone
    if (cp < 32) {
      html += static_cast<char>(cp);
    } else {
      html += HtmlOfCodePoint(cp);
      last = cp;
    }
  }
  return html;
}

bool ToWindows1252(std::u16string_view text, std::string& out) {
  out.resize(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    const int byte = unit < 0x80 ? unit : unicode::Windows1252Byte(unit);
    if (byte < 0) {
      out.clear();
      return false;
    }
    out[i] = static_cast<char>(byte);
  }
  return true;
}

std::string HtmlOfCodePoint(char32_t cp) {
  // A surrogate alone (half of a pair) is no character; HTML forbids a reference to one and a
  // browser shows the replacement character for it, so that is what it becomes here.
  if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xFFFD;
  const int byte = unicode::Windows1252Byte(cp);
  return byte >= 32 ? EntityTable()[static_cast<size_t>(byte)] : unicode::HtmlText(cp);
}

}  // namespace tessarin
