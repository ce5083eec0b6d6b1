// screens: 1024x768+unicode
// The recently used characters in process: each way out puts its character in front, the
// "Recently used" view shows them and moves through them, the search ranks them first among
// equal matches, and the settings file keeps them in a section of its own, hostile values
// read for what is valid in them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "ui/DropSource.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/PrefixFiles.h"
#include "tests/support/TestSupport.h"

using namespace tessarin;
using namespace testing_support;

namespace {

using Chars = std::vector<char32_t>;

std::u16string ClipboardUnicode() {
  std::u16string text;
  for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt)
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const char16_t*>(GlobalLock(data))) {
      text.assign(p);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

std::string Hex(char32_t cp) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(cp));
  return text;
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

class RecentlyUsed : public MainWindowTest {
 protected:
  void SetUp() override {
    // No file: the list starts empty, as in a new run.
    RemovePath(ini.Path());
    ForgetCachedFile();
    ForgetRecentlyUsed();
    MainWindowTest::SetUp();
    saved = AppSettings;
  }
  void TearDown() override {
    AppSettings = saved;
    MainWindowTest::TearDown();
    ForgetCachedFile();
  }
  // Wine serves a settings file it has read from a copy: a test that writes the file makes
  // it read afresh.
  static void ForgetCachedFile() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, "Tessarin.ini"); }

  Chars Recent() const {
    const auto chars = tessarin::RecentlyUsed().Chars();
    return Chars(chars.begin(), chars.end());
  }
  // What the view's cells hold, row by row, up to the first empty one.
  Chars ViewCells() const {
    const CharGrid& grid = form->grid;
    Chars cells;
    for (int row = 0; row < grid.TotalRows(); ++row)
      for (int col = 0; col < 16; ++col)
        if (const char32_t cp = grid.CodePointAt(col, row)) cells.push_back(cp);
    return cells;
  }
  bool Shows(const std::string& code) {
    return WaitUntil([&] { return form->codeLabel.Text() == code; });
  }
  void SelectInPage(unsigned char code) { form->grid.SelectCellAt((code - 32) % 16, (code - 32) / 16); }
  std::u16string CompositionText() const { return form->composition.WideText(); }

  SavedFile ini{WindowsDirFile("Tessarin.ini")};
  ProgramSettings saved;
};

TEST_F(RecentlyUsed, EachWayOutPutsItsCharacterInFrontAndTheViewShowsThemMostRecentFirst) {
  const OleSession ole;
  ASSERT_EQ(Recent(), Chars{});
  // Appended from the page.
  SelectInPage('A');
  Click(form->selectButton);
  // Found beyond the page and appended with Enter.
  Find("rightwards arrow");
  ASSERT_TRUE(Shows("U+2192"));
  Keys({VK_RETURN});
  ASSERT_TRUE(WaitUntil([&] { return !form->findField.IsOpen(); }));
  EXPECT_EQ(CompositionText(), u"A\u2192");
  // Copied by a mouse button from a cell of the view.
  AppSettings.MMouseKey = maCopyRtf;
  CharGrid& grid = form->grid;
  const int row = grid.RowOfCodePoint(0x2193);
  const RECT cell = grid.CellRect(3, row);
  SendMessageA(grid.Handle(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(cell.left + 2, cell.top + 2));
  SendMessageA(grid.Handle(), WM_MBUTTONUP, 0, MAKELPARAM(cell.left + 2, cell.top + 2));
  EXPECT_EQ(ClipboardUnicode(), u"\u2193");
  // A drag that no target takes carries nothing away.
  AppSettings.DragDrop = dmText;
  form->DragReady = true;
  form->DragPoint = {10, 10};
  SendMessageA(grid.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 10));
  EXPECT_EQ(Recent(), (Chars{0x2193, 0x2192, U'A'}));
  // The composition copied: its characters beyond ASCII, its last one the most recent.
  form->composition.AppendWide(u"\u00E9x");
  Click(form->copyRtfButton);
  EXPECT_EQ(ClipboardUnicode(), u"A\u2192\u00E9x");
  const Chars expected{0xE9, 0x2192, 0x2193, U'A'};
  EXPECT_EQ(Recent(), expected);

  // The view: right after the page in the list, most recent first, described as any view.
  EXPECT_EQ(form->viewBox.Item(1), "Recently used");
  Choose(1);
  ASSERT_TRUE(form->InUnicodeView());
  EXPECT_EQ(form->viewBox.ItemIndex(), 1);
  EXPECT_EQ(ViewCells(), expected);
  EXPECT_EQ(grid.TotalRows(), 1);
  EXPECT_EQ(form->codeLabel.Text(), "U+00E9");
  EXPECT_EQ(form->nameLabel.Text(), "LATIN SMALL LETTER E WITH ACUTE");
  EXPECT_EQ(form->entityLabel.Text(), "&eacute;");
  // The keys stop at the last character: the cells past it hold none.
  grid.SetFocus();
  Keys({VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN});
  ASSERT_TRUE(InputHandled());
  EXPECT_EQ(form->codeLabel.Text(), "U+0041");
  EXPECT_EQ(grid.Col(), 3);
  // Used again from the view: in front, the view with it, the selection still on it.
  Keys({VK_LEFT});
  ASSERT_TRUE(Shows("U+2193"));
  Click(form->selectButton);
  EXPECT_EQ(CompositionText(), u"A\u2192\u00E9x\u2193");
  EXPECT_EQ(ViewCells(), (Chars{0x2193, 0xE9, 0x2192, U'A'}));
  EXPECT_EQ(grid.Col(), 0);
  EXPECT_EQ(form->codeLabel.Text(), "U+2193");

  // The search puts the recently used first among equal matches: DOWNWARDS ARROW before
  // LEFTWARDS ARROW, the first in code order; the view then shows all of the font again.
  Find("arrow");
  ASSERT_TRUE(Shows("U+2193"));
  EXPECT_EQ(grid.CodePointList(), nullptr);
  EXPECT_EQ(form->viewBox.Item(form->viewBox.ItemIndex()), "Arrows");
  Keys({VK_ESCAPE});
  Find("a grave");
  ASSERT_TRUE(Shows("#0192"));  // LATIN CAPITAL LETTER A WITH GRAVE, the first in the page
  Keys({VK_ESCAPE});
  SelectInPage(0xE0);
  Click(form->selectButton);
  Find("a grave");
  ASSERT_TRUE(Shows("#0224"));  // the small one now
  Keys({VK_ESCAPE});
  EXPECT_TRUE(errors.empty());
}

TEST_F(RecentlyUsed, TheLast32AreKeptInTheirOwnSectionAndTheOtherKeysStayAsTheyWere) {
  for (char32_t cp = 0x400; cp < 0x428; ++cp) form->NoteUsed(cp);
  Choose(1);
  const CharGrid& grid = form->grid;
  EXPECT_EQ(grid.TotalRows(), 2);
  EXPECT_EQ(grid.CodePointAt(0, 0), 0x427u);
  EXPECT_EQ(grid.CodePointAt(15, 1), 0x408u);

  // Written with the settings, as the last section.
  tessarin::SaveSettings();
  const auto bytes = ReadBytes(ini.Path());
  ASSERT_TRUE(bytes);
  std::string value;
  for (char32_t cp = 0x427; cp >= 0x408; --cp) value += (value.empty() ? "" : ",") + Hex(cp);
  const std::vector<std::string> lines = Lines(*bytes);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "[Recent]");
  EXPECT_EQ(lines.back(), "Characters=" + value);
  EXPECT_EQ(lines.front(), "[Main]");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "[Recent]"), 1);
}

TEST_F(RecentlyUsed, AHostileValueGivesWhatIsValidInItSilentlyAndTheNextWriteMendsIt) {
  std::string hostile = "2192, zz ,D83D,DE00,110000,\xFF\xFE,1f600,2192,-41,U+42,\x01,E9";
  while (hostile.size() < 5000) hostile += ",zz";
  hostile += ",43";  // past what is read
  const std::string before = "[Main]\r\nDragDrop=1\r\n[Text]\r\nText1=\" spaced \"\r\n";
  ASSERT_TRUE(WriteBytes(ini.Path(), before + "[Recent]\r\nCharacters=" + hostile + "\r\n"));
  ForgetCachedFile();
  Choose(1);
  ASSERT_TRUE(form->InUnicodeView());
  EXPECT_EQ(ViewCells(), (Chars{0x2192, 0x1F600, 0xE9}));
  EXPECT_EQ(form->codeLabel.Text(), "U+2192");
  // Nothing used: nothing written at exit.
  tessarin::SaveRecentlyUsed();
  EXPECT_EQ(Lines(*ReadBytes(ini.Path())).back(), "Characters=" + hostile);
  // Used once: the list as read, the new one in front, and the keys before it as they were.
  form->NoteUsed(U'A');
  tessarin::SaveRecentlyUsed();
  std::vector<std::string> expected = Lines(before);
  expected.push_back("[Recent]");
  expected.push_back("Characters=41,2192,1F600,E9");
  EXPECT_EQ(Lines(*ReadBytes(ini.Path())), expected);
  EXPECT_TRUE(errors.empty());
}

TEST_F(RecentlyUsed, AnEmptyListShowsNothingAndDescribesNothing) {
  Choose(1);
  ASSERT_TRUE(form->InUnicodeView());
  EXPECT_EQ(form->grid.TotalRows(), 0);
  for (ui::Label* label : {&form->codeLabel, &form->keyLabel, &form->entityLabel, &form->nameLabel})
    EXPECT_EQ(label->Text(), "");
  // A click on the empty grid and Select act on nothing.
  const RECT cell = form->grid.CellRect(0, 0);
  SendMessageA(form->grid.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.left + 2, cell.top + 2));
  SendMessageA(form->grid.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(cell.left + 2, cell.top + 2));
  Click(form->selectButton);
  EXPECT_EQ(CompositionText(), u"");
  // A character used meanwhile appears at once, selected.
  form->NoteUsed(0x2192);
  EXPECT_EQ(ViewCells(), Chars{0x2192});
  EXPECT_EQ(form->codeLabel.Text(), "U+2192");
  EXPECT_TRUE(errors.empty());
}

}  // namespace
