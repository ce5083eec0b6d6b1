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
    form->grid.SetCol((code - 32) % 16);
    form->grid.SetRow((code - 32) / 16);
    Click(form->selectButton);
  }
  void Type(const std::string& text) {
    SendMessageA(form->composition.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  }
};

TEST_F(Composition, AppendingBuildsTheHtmlTextAndMovesTheSelectionToTheLastCharacter) {
  Append('A');
  Append('&');
  Append('<');
  EXPECT_EQ(form->composition.Text(), "A&<");
  EXPECT_EQ(form->htmlLabel.Caption(), "A&amp;&lt;");
  EXPECT_EQ(form->htmlEdit.Text(), "A&amp;&lt;");
  EXPECT_EQ(form->previewLabel.Text(), "<");
  EXPECT_EQ(form->entityLabel.Text(), "&lt;");

  form->htmlStylesCheck.SetChecked(true);
  EXPECT_EQ(form->htmlEdit.Text(), "<FONT color=#000000 face=Arial>A&amp;&lt;</FONT>");

  // Clearing the box empties the output even with the font tags on; the next style
  // change shows the tags around the empty text.
  form->composition.SetText("");
  EXPECT_EQ(form->htmlEdit.Text(), "");
  form->boldCheck.SetChecked(true);
  EXPECT_EQ(form->htmlEdit.Text(), "<FONT color=#000000 face=Arial><B></B></FONT>");
  EXPECT_TRUE(errors.empty());
}

TEST_F(Composition, ControlCharactersStandForThemselvesAndRaiseNoError) {
  Type("a");
  Type("\r");
  Type("b\t");
  Type("c");
  EXPECT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(form->htmlLabel.Caption(), "a\r\nb\tc");
  EXPECT_EQ(form->previewLabel.Text(), "c");
  Type("\t");  // the selection stays on the last character that has a cell
  EXPECT_EQ(form->previewLabel.Text(), "c");
  EXPECT_EQ(form->htmlLabel.Caption(), "a\r\nb\tc\t");
  EXPECT_TRUE(errors.empty());
}

TEST_F(Composition, AStyleReachesTheFourViewsAndLeavesTheOthers) {
  form->italicCheck.SetChecked(true);
  form->boldCheck.SetChecked(true);
  form->boldCheck.SetChecked(false);
  for (ui::Control* view :
       {static_cast<ui::Control*>(&form->magnifier), static_cast<ui::Control*>(&form->previewLabel),
        static_cast<ui::Control*>(&form->composition), static_cast<ui::Control*>(&form->grid)}) {
    EXPECT_FALSE(view->GetFont().Style().bold);
    EXPECT_TRUE(view->GetFont().Style().italic);
  }
  CHARFORMAT2A cf{};
  cf.cbSize = sizeof cf;
  SendMessageA(form->composition.Handle(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
  EXPECT_TRUE(cf.dwEffects & CFE_ITALIC);
  EXPECT_FALSE(cf.dwEffects & CFE_BOLD);
}

TEST_F(Composition, TheSizeFieldSetsTheCompositionSizeAndKeepsItsRangeWhenLeft) {
  form->sizeEdit.SetText("300");
  EXPECT_EQ(form->composition.GetFont().Size(), 300);
  form->sizeEdit.SetFocus();
  form->grid.SetFocus();
  EXPECT_EQ(form->sizeEdit.Value(), 256);
  EXPECT_EQ(form->composition.GetFont().Size(), 256);
  form->sizeEdit.SetText("abc");
  EXPECT_EQ(form->composition.GetFont().Size(), 1);
  // Values no font can have stay within what the composition box shows.
  auto charFormatHeight = [&] {
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof cf;
    SendMessageA(form->composition.Handle(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    return cf.yHeight;
  };
  form->sizeEdit.SetText("-5");
  EXPECT_EQ(form->composition.GetFont().Size(), 1);
  EXPECT_EQ(charFormatHeight(), 20);
  form->sizeEdit.SetText("999999999");
  EXPECT_EQ(charFormatHeight(), 1638 * 20);
  form->sizeEdit.SetText("99999999999999999999");  // not an int at all: the minimum
  EXPECT_EQ(form->composition.GetFont().Size(), 1);
  // The keypad's plus, typed with the grid focused, steps the size from the largest int.
  form->sizeEdit.SetText("2147483647");
  ASSERT_EQ(form->sizeEdit.Value(), 2147483647);
  ASSERT_EQ(GetFocus(), form->grid.Handle());
  PressKeys({{VK_ADD, false}, {VK_ADD, true}});
  EXPECT_EQ(form->sizeEdit.Value(), 256);  // the shortcut acted: the size moved into range
}

TEST_F(Composition, ShortcutsToggleStylesAndStepTheSize) {
  form->grid.SetFocus();
  PressKeys({{VK_MENU, false}, {'B', false}, {'B', true}, {VK_MENU, true}});
  EXPECT_TRUE(form->boldCheck.Checked());
  PressKeys({{VK_MENU, false}, {'F', false}, {'F', true}, {VK_MENU, true}});
  EXPECT_FALSE(form->boldCheck.Checked());
  PressKeys(
      {{VK_MENU, false}, {VK_SHIFT, false}, {'B', false}, {'B', true}, {VK_SHIFT, true}, {VK_MENU, true}});
  EXPECT_FALSE(form->boldCheck.Checked());
  PressKeys({{VK_MENU, false},
             {'K', false},
             {'K', true},
             {'U', false},
             {'U', true},
             {'D', false},
             {'D', true},
             {VK_MENU, true}});
  EXPECT_TRUE(form->italicCheck.Checked());
  EXPECT_TRUE(form->underlineCheck.Checked());
  EXPECT_TRUE(form->strikeCheck.Checked());
  EXPECT_TRUE(form->grid.GetFont().Style().underline);

  PressKeys({{VK_ADD, false}, {VK_ADD, true}});
  EXPECT_EQ(form->sizeEdit.Value(), 11);
  EXPECT_EQ(form->composition.GetFont().Size(), 11);
  form->sizeEdit.SetValue(256);
  PressKeys({{VK_ADD, false}, {VK_ADD, true}});
  EXPECT_EQ(form->sizeEdit.Value(), 256);
  form->sizeEdit.SetValue(1);
  PressKeys({{VK_SUBTRACT, false}, {VK_SUBTRACT, true}});
  EXPECT_EQ(form->sizeEdit.Value(), 1);

  // In the composition box the keypad keys type, and Alt+S stays "&Select"'s access key.
  form->sizeEdit.SetValue(10);
  form->composition.SetFocus();
  PressKeys({{VK_SUBTRACT, false}, {VK_SUBTRACT, true}});
  EXPECT_EQ(form->sizeEdit.Value(), 10);
  EXPECT_EQ(form->composition.Text(), "-");
  const bool strike = form->strikeCheck.Checked();
  form->grid.SetFocus();
  PressKeys({{VK_MENU, false}, {'S', false}, {'S', true}, {VK_MENU, true}});
  EXPECT_EQ(form->strikeCheck.Checked(), strike);
  EXPECT_EQ(form->composition.Text(), "--");  // "&Select" appended the selection, "-"
}

TEST_F(Composition, CopyAsRtfCopiesTheSelectionOrAllWithItsFormatting) {
  form->sizeEdit.SetValue(14);
  form->boldCheck.SetChecked(true);
  form->strikeCheck.SetChecked(true);
  form->composition.GetFont().SetColor(RGB(0x12, 0x34, 0x56));
  Type("abc");
  form->composition.SetSelection(1, 2);
  Click(form->copyRtfButton);
  EXPECT_EQ(ClipboardText(CF_TEXT), "b");
  long start = 0, end = 0;
  form->composition.GetSelection(start, end);
  EXPECT_EQ(start, 1);
  EXPECT_EQ(end, 2);

  form->composition.SetSelection(3, 3);
  Click(form->copyRtfButton);
  EXPECT_EQ(ClipboardText(CF_TEXT), "abc");
  form->composition.GetSelection(start, end);
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
  form->htmlStylesCheck.SetChecked(true);
  PutOnClipboard("old");
  Click(form->copyHtmlButton);
  EXPECT_EQ(ClipboardText(CF_TEXT), "<FONT color=#000000 face=Arial>A&amp;</FONT>");
  EXPECT_EQ(IsClipboardFormatAvailable(RegisterClipboardFormatA("HTML Format")), FALSE);
  long start = 1, end = 1;
  form->htmlEdit.GetSelection(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 0);
  form->htmlStylesCheck.SetChecked(false);
  form->htmlEdit.SetSelection(0, 1);
  Click(form->copyHtmlButton);
  EXPECT_EQ(ClipboardText(CF_TEXT), "A");
}

TEST_F(Composition, APasteOfAPageIsKeptWholeAndRebuiltOnce) {
  std::string page;
  for (int i = 0; i < 40000; ++i) page += static_cast<char>(32 + i % 224);
  PutOnClipboard(page);
  SendMessageA(form->composition.Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(form->composition.Text().size(), page.size());
  // Every character's entity text, in order: the page starts like this …
  const std::string& html = form->htmlLabel.Caption();
  const std::string start = " !&quot;#$%&amp;'()*+,-./0123456789:;&lt;=&gt;?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[";
  EXPECT_EQ(html.substr(0, start.size()), start);
  // … and goes on through the table, one cycle of the 224 codes after another.
  const auto entities = testing_support::ExpectedEntityTexts();
  std::string expected;
  for (char c : page) expected += entities[static_cast<unsigned char>(c)];
  EXPECT_EQ(html.size(), expected.size());
  EXPECT_TRUE(html == expected) << "first difference at "
                                << std::ranges::mismatch(html, expected).in1 - html.begin();
  EXPECT_EQ(form->previewLabel.Text(), std::string(1, page.back()));
}

}  // namespace
