// The composition box, its HTML text and output line, the styles, the size, the keyboard
// shortcuts and the two clipboard copies, against the real rich edit and clipboard.
#include <gtest/gtest.h>
#include <richedit.h>

#include <algorithm>
#include <regex>

#include "tests/support/ExpectedEntities.h"
#include "tests/support/MainWindowFixture.h"

using namespace tessarin;
using testing_support::ClipboardText;
using testing_support::PutOnClipboard;

namespace {

class Composition : public testing_support::MainWindowTest {
 protected:
  // Selects the character's cell and presses "&Select".
  void Append(int code) {
    form->StringAlignGrid1.SetCol((code - 32) % 16);
    form->StringAlignGrid1.SetRow((code - 32) / 16);
    Click(form->b_ausw);
  }
  void Type(const std::string& text) {
    SendMessageA(form->RichEdit1.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  }
};

TEST_F(Composition, AppendingBuildsTheHtmlTextAndMovesTheSelectionToTheLastCharacter) {
  Append('A');
  Append('&');
  Append('<');
  EXPECT_EQ(form->RichEdit1.Text(), "A&<");
  EXPECT_EQ(form->html_label.Caption(), "A&amp;&lt;");
  EXPECT_EQ(form->HTML_Edit.Text(), "A&amp;&lt;");
  EXPECT_EQ(form->Label1.Text(), "<");
  EXPECT_EQ(form->html_char.Text(), "&lt;");

  form->Check_Fontcopy.SetChecked(true);
  EXPECT_EQ(form->HTML_Edit.Text(), "<FONT color=#000000 face=Arial>A&amp;&lt;</FONT>");

  // Clearing the box empties the output even with the font tags on; the next style
  // change shows the tags around the empty text.
  form->RichEdit1.SetText("");
  EXPECT_EQ(form->HTML_Edit.Text(), "");
  form->check_bold.SetChecked(true);
  EXPECT_EQ(form->HTML_Edit.Text(), "<FONT color=#000000 face=Arial><B></B></FONT>");
  EXPECT_TRUE(errors.empty());
}

TEST_F(Composition, ControlCharactersStandForThemselvesAndRaiseNoError) {
  Type("a");
  Type("\r");
  Type("b\t");
  Type("c");
  EXPECT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(form->html_label.Caption(), "a\r\nb\tc");
  EXPECT_EQ(form->Label1.Text(), "c");
  Type("\t");  // the selection stays on the last character that has a cell
  EXPECT_EQ(form->Label1.Text(), "c");
  EXPECT_EQ(form->html_label.Caption(), "a\r\nb\tc\t");
  EXPECT_TRUE(errors.empty());
}

TEST_F(Composition, AStyleReachesTheFourViewsAndLeavesTheOthers) {
  form->check_italic.SetChecked(true);
  form->check_bold.SetChecked(true);
  form->check_bold.SetChecked(false);
  for (ui::Control* view :
       {static_cast<ui::Control*>(&form->mega_label), static_cast<ui::Control*>(&form->Label1),
        static_cast<ui::Control*>(&form->RichEdit1), static_cast<ui::Control*>(&form->StringAlignGrid1)}) {
    EXPECT_FALSE(view->GetFont().Style().bold);
    EXPECT_TRUE(view->GetFont().Style().italic);
  }
  CHARFORMAT2A cf{};
  cf.cbSize = sizeof cf;
  SendMessageA(form->RichEdit1.Handle(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
  EXPECT_TRUE(cf.dwEffects & CFE_ITALIC);
  EXPECT_FALSE(cf.dwEffects & CFE_BOLD);
}

TEST_F(Composition, TheSizeFieldSetsTheCompositionSizeAndKeepsItsRangeWhenLeft) {
  form->SpinEdit1.SetText("300");
  EXPECT_EQ(form->RichEdit1.GetFont().Size(), 300);
  form->SpinEdit1.SetFocus();
  form->StringAlignGrid1.SetFocus();
  EXPECT_EQ(form->SpinEdit1.Value(), 256);
  EXPECT_EQ(form->RichEdit1.GetFont().Size(), 256);
  form->SpinEdit1.SetText("abc");
  EXPECT_EQ(form->RichEdit1.GetFont().Size(), 1);
  // Values no font can have stay within what the composition box shows.
  auto charFormatHeight = [&] {
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof cf;
    SendMessageA(form->RichEdit1.Handle(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    return cf.yHeight;
  };
  form->SpinEdit1.SetText("-5");
  EXPECT_EQ(form->RichEdit1.GetFont().Size(), 1);
  EXPECT_EQ(charFormatHeight(), 20);
  form->SpinEdit1.SetText("999999999");
  EXPECT_EQ(charFormatHeight(), 1638 * 20);
  form->SpinEdit1.SetText("99999999999999999999");  // not an int at all: the minimum
  EXPECT_EQ(form->RichEdit1.GetFont().Size(), 1);
  // The keypad's plus, typed with the grid focused, steps the size from the largest int.
  form->SpinEdit1.SetText("2147483647");
  ASSERT_EQ(form->SpinEdit1.Value(), 2147483647);
  ASSERT_EQ(GetFocus(), form->StringAlignGrid1.Handle());
  PressKeys({{VK_ADD, false}, {VK_ADD, true}});
  EXPECT_EQ(form->SpinEdit1.Value(), 256);  // the shortcut acted: the size moved into range
}

TEST_F(Composition, ShortcutsToggleStylesAndStepTheSize) {
  form->StringAlignGrid1.SetFocus();
  PressKeys({{VK_MENU, false}, {'B', false}, {'B', true}, {VK_MENU, true}});
  EXPECT_TRUE(form->check_bold.Checked());
  PressKeys({{VK_MENU, false}, {'F', false}, {'F', true}, {VK_MENU, true}});
  EXPECT_FALSE(form->check_bold.Checked());
  PressKeys(
      {{VK_MENU, false}, {VK_SHIFT, false}, {'B', false}, {'B', true}, {VK_SHIFT, true}, {VK_MENU, true}});
  EXPECT_FALSE(form->check_bold.Checked());
  PressKeys({{VK_MENU, false},
             {'K', false},
             {'K', true},
             {'U', false},
             {'U', true},
             {'D', false},
             {'D', true},
             {VK_MENU, true}});
  EXPECT_TRUE(form->check_italic.Checked());
  EXPECT_TRUE(form->check_underline.Checked());
  EXPECT_TRUE(form->check_strike.Checked());
  EXPECT_TRUE(form->StringAlignGrid1.GetFont().Style().underline);

  PressKeys({{VK_ADD, false}, {VK_ADD, true}});
  EXPECT_EQ(form->SpinEdit1.Value(), 11);
  EXPECT_EQ(form->RichEdit1.GetFont().Size(), 11);
  form->SpinEdit1.SetValue(256);
  PressKeys({{VK_ADD, false}, {VK_ADD, true}});
  EXPECT_EQ(form->SpinEdit1.Value(), 256);
  form->SpinEdit1.SetValue(1);
  PressKeys({{VK_SUBTRACT, false}, {VK_SUBTRACT, true}});
  EXPECT_EQ(form->SpinEdit1.Value(), 1);

  // In the composition box the keypad keys type, and Alt+S stays "&Select"'s access key.
  form->SpinEdit1.SetValue(10);
  form->RichEdit1.SetFocus();
  PressKeys({{VK_SUBTRACT, false}, {VK_SUBTRACT, true}});
  EXPECT_EQ(form->SpinEdit1.Value(), 10);
  EXPECT_EQ(form->RichEdit1.Text(), "-");
  const bool strike = form->check_strike.Checked();
  form->StringAlignGrid1.SetFocus();
  PressKeys({{VK_MENU, false}, {'S', false}, {'S', true}, {VK_MENU, true}});
  EXPECT_EQ(form->check_strike.Checked(), strike);
  EXPECT_EQ(form->RichEdit1.Text(), "--");  // "&Select" appended the selection, "-"
}

TEST_F(Composition, CopyAsRtfCopiesTheSelectionOrAllWithItsFormatting) {
  form->SpinEdit1.SetValue(14);
  form->check_bold.SetChecked(true);
  form->check_strike.SetChecked(true);
  form->RichEdit1.GetFont().SetColor(RGB(0x12, 0x34, 0x56));
  Type("abc");
  form->RichEdit1.SetSelection(1, 2);
  Click(form->b_kopy);
  EXPECT_EQ(ClipboardText(CF_TEXT), "b");
  long start = 0, end = 0;
  form->RichEdit1.GetSelection(start, end);
  EXPECT_EQ(start, 1);
  EXPECT_EQ(end, 2);

  form->RichEdit1.SetSelection(3, 3);
  Click(form->b_kopy);
  EXPECT_EQ(ClipboardText(CF_TEXT), "abc");
  form->RichEdit1.GetSelection(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 0);
  const std::string rtf = ClipboardText(RegisterClipboardFormatA("Rich Text Format"));
  EXPECT_NE(rtf.find("abc"), std::string::npos) << rtf;
  EXPECT_TRUE(std::regex_search(rtf, std::regex(R"(\\fonttbl.*Arial)"))) << rtf;
  EXPECT_TRUE(std::regex_search(rtf, std::regex(R"(\\fs28\b)"))) << rtf;  // half points
  EXPECT_TRUE(std::regex_search(rtf, std::regex(R"(\\red18\\green52\\blue86)"))) << rtf;
  EXPECT_TRUE(std::regex_search(rtf, std::regex(R"(\\b\b)"))) << rtf;
  EXPECT_TRUE(std::regex_search(rtf, std::regex(R"(\\strike\b)"))) << rtf;
  EXPECT_FALSE(std::regex_search(rtf, std::regex(R"(\\i\b)"))) << rtf;
  EXPECT_FALSE(std::regex_search(rtf, std::regex(R"(\\ul\b)"))) << rtf;
}

TEST_F(Composition, CopyAsHtmlCopiesTheOutputLineAsPlainText) {
  Append('A');
  Append('&');
  form->Check_Fontcopy.SetChecked(true);
  PutOnClipboard("old");
  Click(form->Button1);
  EXPECT_EQ(ClipboardText(CF_TEXT), "<FONT color=#000000 face=Arial>A&amp;</FONT>");
  EXPECT_EQ(IsClipboardFormatAvailable(RegisterClipboardFormatA("HTML Format")), FALSE);
  long start = 1, end = 1;
  form->HTML_Edit.GetSelection(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 0);
  form->Check_Fontcopy.SetChecked(false);
  form->HTML_Edit.SetSelection(0, 1);
  Click(form->Button1);
  EXPECT_EQ(ClipboardText(CF_TEXT), "A");
}

TEST_F(Composition, APasteOfAPageIsKeptWholeAndRebuiltOnce) {
  std::string page;
  for (int i = 0; i < 40000; ++i) page += static_cast<char>(32 + i % 224);
  PutOnClipboard(page);
  SendMessageA(form->RichEdit1.Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(form->RichEdit1.Text().size(), page.size());
  // Every character's entity text, in order: the page starts like this …
  const std::string& html = form->html_label.Caption();
  const std::string start = " !&quot;#$%&amp;'()*+,-./0123456789:;&lt;=&gt;?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[";
  EXPECT_EQ(html.substr(0, start.size()), start);
  // … and goes on through the table, one cycle of the 224 codes after another.
  const auto entities = testing_support::ExpectedEntityTexts();
  std::string expected;
  for (char c : page) expected += entities[static_cast<unsigned char>(c)];
  EXPECT_EQ(html.size(), expected.size());
  EXPECT_TRUE(html == expected) << "first difference at "
                                << std::ranges::mismatch(html, expected).in1 - html.begin();
  EXPECT_EQ(form->Label1.Text(), std::string(1, page.back()));
}

}  // namespace
