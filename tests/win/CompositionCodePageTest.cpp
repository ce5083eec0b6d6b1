// The composition and its HTML line read the page as Windows-1252 whatever the system's ANSI
// code page. Run on a Cyrillic system too, whose code page (1251) puts ж where Windows-1252
// has æ (0xE6) and the euro sign at 0x88:
// locales: ru_RU.UTF-8
#include <gtest/gtest.h>
#include <richedit.h>

#include <cstdlib>
#include <string>

#include "main/Main.h"
#include "tests/support/MainWindowFixture.h"

using namespace tessarin;

namespace {

class CompositionCodePage : public testing_support::MainWindowTest {
 protected:
  std::u16string CompositionText() { return form->composition.WideText(); }
  // Chooses an item of the list of blocks, as the list reports a user's choice.
  void ChooseBlock(const std::string& name) {
    const int index = IndexOfView(name);
    ASSERT_GE(index, 0) << name << " is not in the list";
    Choose(index);
    ASSERT_EQ(form->InUnicodeView(), index > 0);
  }
  void SelectInPage(int code) {
    form->grid.SetCol((code - 32) % 16);
    form->grid.SetRow((code - 32) / 16);
  }
};

TEST_F(CompositionCodePage, PageCellsAndCharactersBeyondThePageKeepTheirOwnHtmlOnEverySystem) {
  // A run on another system is on that system: its code page is not the page's own.
  if (const char* locale = std::getenv("TESSARIN_LOCALE"); locale && *locale) {
    ASSERT_EQ(GetACP(), 1251u) << locale;
  }
  // æ from the page: its cell's entity, and æ in the box.
  SelectInPage(0xE6);
  ASSERT_EQ(form->entityLabel.Text(), "&aelig;");
  Click(form->selectButton);
  EXPECT_EQ(CompositionText(), u"\u00E6");
  EXPECT_EQ(form->htmlEdit.Text(), "&aelig;");

  // ж selected in the Unicode view and appended with "&Select".
  ChooseBlock("Cyrillic");
  form->grid.SelectCodePoint(0x436);
  ASSERT_EQ(form->SelectedCodePoint(), 0x436u);
  EXPECT_EQ(form->entityLabel.Text(), "&#1078;");
  Click(form->selectButton);
  EXPECT_EQ(CompositionText(), u"\u00E6\u0436");
  EXPECT_EQ(form->htmlEdit.Text(), "&aelig;&#1078;");

  // ж alone: a text the system's code page has whole, but the page has not.
  form->composition.SetText("");
  form->AppendCodePoint(0x436);
  EXPECT_EQ(CompositionText(), u"\u0436");
  EXPECT_EQ(form->htmlEdit.Text(), "&#1078;");

  // The euro sign from the page, byte 0x80 there (0x88 in Windows-1251), and a page text
  // typed in: both read as the page has them, and the selection ends on the last one's cell.
  ChooseBlock("Windows-1252");
  SelectInPage(0x80);
  Click(form->selectButton);
  EXPECT_EQ(CompositionText(), u"\u0436\u20AC");
  EXPECT_EQ(form->htmlEdit.Text(), "&#1078;&euro;");
  form->composition.SetText("");
  SETTEXTEX set{ST_DEFAULT, 1200};
  SendMessageW(form->composition.Handle(), EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set),
               reinterpret_cast<LPARAM>(u"Caf\u00E9 \u00E6"));
  EXPECT_EQ(form->htmlEdit.Text(), "Caf&eacute; &aelig;");
  EXPECT_EQ(form->entityLabel.Text(), "&aelig;");
  EXPECT_TRUE(errors.empty());
}

}  // namespace
