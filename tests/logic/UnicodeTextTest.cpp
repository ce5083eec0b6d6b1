// The descriptions and encodings of a code point in the Unicode view.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/unicode/CharDescriptions.h"
#include "core/unicode/CharNames.h"
#include "core/unicode/UnicodeNames.h"
#include "core/unicode/UnicodeText.h"

namespace {

using namespace tessarin::unicode;

TEST(UnicodeText, CodePointTextHasFourToSixUpperCaseDigits) {
  const struct {
    char32_t cp;
    const char* text;
  } cases[] = {{0x0, "U+0000"},        {0x41, "U+0041"},      {0x2192, "U+2192"}, {0xFFFF, "U+FFFF"},
               {0x1F600, "U+1F600"}, {0x10FFFF, "U+10FFFF"}, {0xabcd, "U+ABCD"}};
  for (const auto& c : cases) EXPECT_EQ(CodePointText(c.cp), c.text);
}

TEST(UnicodeText, HtmlTextIsTheHtml4EntityElseADecimalReference) {
  const struct {
    char32_t cp;
    const char* text;
  } cases[] = {
      {0x2192, "&rarr;"},   {0x03A9, "&Omega;"},   {0x221A, "&radic;"},    {0x20AC, "&euro;"},
      {0x00A0, "&nbsp;"},   {0x00A8, "&uml;"},     {0x0026, "&amp;"},      {0x003C, "&lt;"},
      {0x03D1, "&thetasym;"}, {0x200D, "&zwj;"},   {0x2666, "&diams;"},    {0x0192, "&fnof;"},
      {0x2713, "&#10003;"}, {0x1F600, "&#128512;"}, {0x0041, "&#65;"},     {0x017D, "&#381;"},
  };
  for (const auto& c : cases) EXPECT_EQ(HtmlText(c.cp), c.text) << std::hex << static_cast<unsigned>(c.cp);
}

TEST(UnicodeText, Html4NamesExactly252Characters) {
  int named = 0;
  // HTML 4 names nothing past the Basic Multilingual Plane.
  for (char32_t cp = 0; cp <= 0xFFFF; ++cp) {
    std::string text = HtmlText(cp);
    if (text.rfind("&#", 0) != 0) {
      ++named;
    } else {
      EXPECT_EQ(text, "&#" + std::to_string(static_cast<unsigned long>(cp)) + ";");
    }
  }
  EXPECT_EQ(named, 252);
}

TEST(UnicodeText, Windows1252BytesAgreeWithThePagesNames) {
  // Every byte 32..255 is reached by exactly one code point, and that code point's name is the
  // name the page gives the byte.
  std::set<int> bytes;
  for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
    int byte = Windows1252Byte(cp);
    if (byte < 0) continue;
    ASSERT_GE(byte, 32);
    ASSERT_LE(byte, 255);
    EXPECT_TRUE(bytes.insert(byte).second) << byte;
    const std::string pageName = tessarin::CharName(static_cast<unsigned char>(byte));
    if (!pageName.empty()) {
      EXPECT_EQ(CharName(cp), pageName) << byte;
    }
  }
  EXPECT_EQ(bytes.size(), 224u);
  EXPECT_EQ(Windows1252Byte(0x20AC), 128);
  EXPECT_EQ(Windows1252Byte(0x0081), 129);
  EXPECT_EQ(Windows1252Byte(0x0080), -1);
  EXPECT_EQ(Windows1252Byte(0x1F), -1);
  EXPECT_EQ(Windows1252Byte(0x2192), -1);
}

TEST(UnicodeText, KeyTextIsThePagesKeyInUtf8) {
  const struct {
    char32_t cp;
    const char* text;
  } cases[] = {
      {0x41, "A"},
      {0x20, "Space"},
      {0x40, "STRG+ALT+Q"},
      {0xC4, "\xC3\x84"},               // Ä
      {0x20AC, "\xE2\x82\xAC (EURO)"},  // € (EURO)
      {0x2192, ""},
      {0x1F600, ""},
      {0xE9, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(KeyTextOf(c.cp), c.text) << std::hex << static_cast<unsigned>(c.cp);
}

TEST(UnicodeText, EncodesInUtf16AndUtf8) {
  const struct {
    char32_t cp;
    std::u16string utf16;
    const char* utf8;
  } cases[] = {
      {0x41, u"\u0041", "A"},
      {0xE9, u"\u00E9", "\xC3\xA9"},
      {0x7FF, u"\u07FF", "\xDF\xBF"},
      {0x2192, u"\u2192", "\xE2\x86\x92"},
      {0xFFFF, std::u16string(1, char16_t{0xFFFF}), "\xEF\xBF\xBF"},
      {0x10000, {char16_t{0xD800}, char16_t{0xDC00}}, "\xF0\x90\x80\x80"},
      {0x1F600, {char16_t{0xD83D}, char16_t{0xDE00}}, "\xF0\x9F\x98\x80"},
      {0x10FFFF, {char16_t{0xDBFF}, char16_t{0xDFFF}}, "\xF4\x8F\xBF\xBF"},
      // No characters: the replacement character.
      {0xD800, u"\uFFFD", "\xEF\xBF\xBD"},
      {0x110000, u"\uFFFD", "\xEF\xBF\xBD"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToUtf16(c.cp), c.utf16) << std::hex << static_cast<unsigned>(c.cp);
    EXPECT_EQ(ToUtf8(c.cp), c.utf8) << std::hex << static_cast<unsigned>(c.cp);
  }
}

}  // namespace
