// The HTML font fragment and the composition's HTML text.
#include <gtest/gtest.h>

#include "main/HtmlFont.h"

using tessarin::CompositionHtml;
using tessarin::HtmlStyles;
using tessarin::MakeHtmlFontText;

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

}  // namespace
