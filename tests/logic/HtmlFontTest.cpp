// The HTML font fragment and the composition's HTML text.
#include <gtest/gtest.h>

#include "core/HtmlFont.h"

using tessarin::CompositionHtml;
using tessarin::HtmlStyles;
using tessarin::MakeHtmlFontText;
using tessarin::ToWindows1252;

namespace {

struct FontCase {
  const char* name;
  const char* text;
  std::uint32_t color;
  const char* face;
  HtmlStyles styles;
  const char* html;
};

class HtmlFont : public ::testing::TestWithParam<FontCase> {};

TEST_P(HtmlFont, WrapsTheTextInTheFontTagAndTheCheckedStyles) {
  const FontCase& c = GetParam();
  EXPECT_EQ(MakeHtmlFontText(c.text, c.color, c.face, c.styles), c.html);
}

INSTANTIATE_TEST_SUITE_P(
    Fragments, HtmlFont,
    ::testing::Values(
        FontCase{"RedBoldUnderlineWithBlanksInTheFace",
                 "A&amp;",
                 0x000000FF,
                 "Times New Roman",
                 {true, false, false, true},
                 "<FONT color=#FF0000 face=Times New Roman><B><U>A&amp;</U></B></FONT>"},
        FontCase{"BlackNoStyle", "x", 0, "Arial", {}, "<FONT color=#000000 face=Arial>x</FONT>"},
        FontCase{"EmptyTextKeepsTheWrapper", "", 0, "Arial", {}, "<FONT color=#000000 face=Arial></FONT>"},
        FontCase{"RedIsTheLowByte", "", 0x0080FF00, "Arial", {}, "<FONT color=#00FF80 face=Arial></FONT>"},
        FontCase{"UppercaseHexDigits", "", 0x00ABCDEF, "Arial", {}, "<FONT color=#EFCDAB face=Arial></FONT>"},
        FontCase{"AllStylesNestInOrder",
                 "t",
                 0,
                 "Arial",
                 {true, true, true, true},
                 "<FONT color=#000000 face=Arial><B><I><STRIKE><U>t</U></STRIKE></I></B></FONT>"},
        FontCase{"ItalicAndStrikeOnly",
                 "t",
                 0,
                 "Arial",
                 {false, true, true, false},
                 "<FONT color=#000000 face=Arial><I><STRIKE>t</STRIKE></I></FONT>"},
        FontCase{
            "EmptyFaceAfterAFilterEmptiedTheList", "t", 0, "", {}, "<FONT color=#000000 face=>t</FONT>"}),
    [](const ::testing::TestParamInfo<FontCase>& info) { return std::string(info.param.name); });

TEST(CompositionHtml, JoinsTheEntityTextsAndEndsOnTheLastCharacterWithACell) {
  struct {
    std::string text, html;
    int last;
  } const cases[] = {
      {"A&<", "A&amp;&lt;", '<'},
      {"", "", -1},
      // Line breaks and tabs have no cell: they stand for themselves and do not move
      // the selection.
      {"a\r\nb\t", "a\r\nb\t", 'b'},
      {"\r\n", "\r\n", -1},
      {"\x80\xA0 \"", "&euro;&nbsp; &quot;", '"'},
  };
  for (const auto& c : cases) {
    int last = 0;
    EXPECT_EQ(CompositionHtml(c.text, last), c.html) << c.text;
    EXPECT_EQ(last, c.last) << c.text;
  }
}

TEST(CompositionHtml, AUtf16TextGivesPageEntitiesAndTheHtmlTextOfEveryOtherCharacter) {
  struct {
    const char* what;
    std::u16string text;
    std::string html;
    char32_t last;
  } const cases[] = {
      {"page characters as in an ANSI text", u"A&\u20AC\u00E4", "A&amp;&euro;&auml;", 0xE4},
      {"an entity beyond the page", u"x\u2192", "x&rarr;", 0x2192},
      {"a pair is one character", u"\U0001F600!", "&#128512;!", '!'},
      {"control characters stand for themselves", u"\u03A9\r\n\t", "&Omega;\r\n\t", 0x3A9},
      {"an undefined page byte keeps the page's text", u"\u0081\u2713", "&#129;&#10003;", 0x2713},
      // A half of a pair alone is no character: it reads as the replacement character, as a
      // browser shows it, never as a reference to a surrogate code.
      {"a lone half of a pair", std::u16string{0xD83D, u'a'}, "&#65533;a", 'a'},
      {"a lone half at the end", u"a\xD83D", "a&#65533;", 0xFFFD},
      {"a lone second half", std::u16string{u'a', 0xDE00}, "a&#65533;", 0xFFFD},
      {"halves in the wrong order", std::u16string{0xDE00, 0xD83D}, "&#65533;&#65533;", 0xFFFD},
      {"nothing", u"", "", 0},
  };
  for (const auto& c : cases) {
    char32_t last = 1;
    EXPECT_EQ(CompositionHtml(c.text, last), c.html) << c.what;
    EXPECT_EQ(last, c.last) << c.what;
  }
}

// The page's bytes are Windows-1252 on every system: ж (0xE6 in Windows-1251) is not on the
// page, and æ is 0xE6 there.
TEST(CompositionHtml, TextsConvertToThePageBytesOfWindows1252Only) {
  struct {
    std::u16string text;
    bool onPage;
    std::string bytes;
  } const cases[] = {
      {u"Caf\u00E9 \u20AC\r\n", true, "Caf\xE9 \x80\r\n"},  // é, € (EURO SIGN)
      {u"\u00E6\u0178\u2122", true, "\xE6\x9F\x99"},        // æ, Ÿ, ™
      {u"\u0081\u008D", true, "\x81\x8D"},                  // bytes the page leaves undefined
      {u"a\u0436", false, ""},                              // ж
      {u"\u0080", false, ""},                               // a C1 control the page puts € in place of
      {u"\U0001F600", false, ""},
      {u"", true, ""},
  };
  for (const auto& c : cases) {
    std::string bytes = "stale";
    EXPECT_EQ(ToWindows1252(c.text, bytes), c.onPage) << c.bytes;
    EXPECT_EQ(bytes, c.bytes);
  }
}

}  // namespace
