// The find field, in process, through real keys: Ctrl+F from another control, matches
// selecting as clicks do, stepping, the no-match cue, Enter, Esc, reopening and hiding;
// the page and all of Unicode ranked together. Run on a Cyrillic system too, whose ANSI
// code page (1251) gives the page's bytes other characters:
// locales: ru_RU.UTF-8
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "tests/support/MainWindowFixture.h"
#include "ui/WideText.h"

using namespace tessarin;

namespace {

class FindFieldTest : public testing_support::MainWindowTest {
 protected:
  // Presses and releases each key in turn, with the modifiers held around all of them.
  void Keys(std::initializer_list<WORD> keys, std::initializer_list<WORD> held = {}) {
    std::vector<std::pair<WORD, bool>> events;
    for (WORD vk : held) events.push_back({vk, false});
    for (WORD vk : keys) events.push_back({vk, false}), events.push_back({vk, true});
    for (WORD vk : held) events.push_back({vk, true});
    PressKeys(events);
  }
  bool Shows(const char* code) {
    return WaitUntil([&] { return form->codeLabel.Text() == code; });
  }
  bool FieldOpen() {
    return WaitUntil([&] { return form->findField.IsOpen() && form->findField.Focused(); });
  }
  // Replaces the field's text by pasting it, as a user does with a text of any characters:
  // the field's own paste reads the clipboard's UTF-16 whatever the system's code page.
  void Paste(const wchar_t* text) {
    FindField& field = form->findField;
    field.SetSelection(0, -1);
    ui::PutUnicodeOnClipboard(form->Handle(), std::u16string(text, text + wcslen(text)));
    SendMessageA(field.Handle(), WM_PASTE, 0, 0);
    ASSERT_EQ(field.WideText(), std::u16string(text, text + wcslen(text)));
  }
  bool FieldClosed() {
    return WaitUntil([&] { return !form->findField.IsOpen() && form->grid.Focused(); });
  }
};

TEST_F(FindFieldTest, FindsStepsAppendsAndCloses) {
  FindField& field = form->findField;
  const std::u16string composed = form->composition.WideText();
  form->composition.SetFocus();
  Keys({'F'}, {VK_CONTROL});
  ASSERT_TRUE(FieldOpen());
  // Over the lower edge of the grid.
  const RECT grid = form->grid.BoundsRect(), rect = field.BoundsRect();
  EXPECT_EQ(rect.bottom, grid.bottom);
  EXPECT_GT(rect.top, grid.top);

  Keys({'A', VK_SPACE, 'G', 'R', 'A', 'V', 'E'});
  ASSERT_TRUE(Shows("#0192"));  // À, and the labels follow
  EXPECT_EQ(form->previewLabel.Text(), "\xC0");
  EXPECT_EQ(form->entityLabel.Text(), "&Agrave;");
  Keys({VK_DOWN});
  EXPECT_TRUE(Shows("#0224"));  // à
  // Then the other letters a with a grave, which Arial lacks: U+0200 LATIN CAPITAL LETTER A
  // WITH DOUBLE GRAVE first.
  Keys({VK_F3});
  EXPECT_TRUE(WaitUntil([&] { return field.Current() == 0x200; })) << std::hex << unsigned(field.Current());
  Keys({VK_F3}, {VK_SHIFT});
  EXPECT_TRUE(Shows("#0224"));
  EXPECT_FALSE(form->InUnicodeView());
  Keys({VK_UP});
  EXPECT_TRUE(Shows("#0192"));
  Keys({VK_UP});  // round the end: the last match
  EXPECT_TRUE(WaitUntil([&] { return field.Current() == field.Matches().back(); }));
  Keys({VK_DOWN});
  EXPECT_TRUE(Shows("#0192"));

  // No match: the selection stays, the field says so; a match again takes the cue away.
  Keys({'X'});
  ASSERT_TRUE(WaitUntil([&] { return field.NoMatch(); }));
  EXPECT_EQ(field.Color(), FindField::kNoMatchColor);
  EXPECT_EQ(form->codeLabel.Text(), "#0192");
  Keys({VK_BACK});
  ASSERT_TRUE(WaitUntil([&] { return !field.NoMatch(); }));
  EXPECT_NE(field.Color(), FindField::kNoMatchColor);

  // Enter appends the character as "&Select" does, closes, and the grid has the focus.
  Keys({VK_RETURN});
  ASSERT_TRUE(FieldClosed());
  EXPECT_EQ(form->composition.WideText(), composed + u"\u00C0");

  // Reopened with the last text selected; typing replaces it. Esc keeps the selection.
  Keys({'F'}, {VK_CONTROL});
  ASSERT_TRUE(FieldOpen());
  EXPECT_EQ(field.Text(), "a grave");
  long start = -1, end = -1;
  field.GetSelection(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 7);
  Keys({'1', '2', '8'});
  ASSERT_TRUE(Shows("#0128"));
  Keys({VK_ESCAPE});
  ASSERT_TRUE(FieldClosed());
  EXPECT_EQ(form->codeLabel.Text(), "#0128");
  EXPECT_EQ(form->composition.WideText(), composed + u"\u00C0");

  // Hiding the window closes the field.
  Keys({'F'}, {VK_CONTROL});
  ASSERT_TRUE(FieldOpen());
  form->Hide();
  EXPECT_FALSE(field.IsOpen());
}

TEST_F(FindFieldTest, KeypadPlusAndMinusTypeIntoTheField) {
  FindField& field = form->findField;
  const int size = form->sizeEdit.Value();
  form->grid.SetFocus();
  Keys({'F'}, {VK_CONTROL});
  ASSERT_TRUE(FieldOpen());
  Keys({VK_ADD});
  EXPECT_TRUE(WaitUntil([&] { return field.Text() == "+"; })) << field.Text();
  EXPECT_TRUE(Shows("#43"));
  Keys({VK_SUBTRACT});
  EXPECT_TRUE(WaitUntil([&] { return field.Text() == "+-"; })) << field.Text();
  EXPECT_EQ(form->sizeEdit.Value(), size);
  // Back on the grid, the keys step the composition's size again.
  Keys({VK_ESCAPE});
  ASSERT_TRUE(FieldClosed());
  Keys({VK_ADD});
  EXPECT_TRUE(WaitUntil([&] { return form->sizeEdit.Value() == size + 1; }));
}

TEST_F(FindFieldTest, TwoOrMoreHyphensBlanksOrPunctuationFindNothingAndEnterAppendsNothing) {
  FindField& field = form->findField;
  const std::string composed = form->composition.Text();
  form->grid.SetFocus();
  Keys({'F'}, {VK_CONTROL});
  ASSERT_TRUE(FieldOpen());
  Keys({'1', '2', '8'});
  ASSERT_TRUE(Shows("#0128"));
  // Each text pasted whole: typed, its first character would find itself.
  for (const wchar_t* query : {L"--", L"..", L"- -", L".,", L"\u2013\u2014"}) {
    Paste(query);
    SCOPED_TRACE(testing::Message() << field.Text());
    EXPECT_TRUE(field.NoMatch());
    EXPECT_EQ(field.Color(), FindField::kNoMatchColor);
    EXPECT_TRUE(field.Matches().empty());
    EXPECT_EQ(form->codeLabel.Text(), "#0128");
    // F3, Down and Enter find, step and append nothing: the selection stays, the field too.
    Keys({VK_F3, VK_DOWN, VK_RETURN});
    ASSERT_TRUE(InputHandled());
    EXPECT_EQ(form->codeLabel.Text(), "#0128");
    EXPECT_TRUE(field.IsOpen());
    EXPECT_EQ(form->composition.Text(), composed);
  }
  Keys({VK_ESCAPE});
  ASSERT_TRUE(FieldClosed());
  EXPECT_EQ(form->composition.Text(), composed);
}

TEST_F(FindFieldTest, EnterAppendsAMatchBeyondThePageAndClosesInBothViews) {
  FindField& field = form->findField;
  const std::u16string composed = form->composition.WideText();
  form->grid.SetFocus();
  ASSERT_FALSE(form->InUnicodeView());
  const struct {
    const char* query;
    std::vector<WORD> keys;
    char16_t appended;
    bool inUnicodeView;
  } cases[] = {
      // From the page, a character beyond it: the Unicode view shows it, Enter appends it.
      {"rightwards arrow",
       {'R', 'I', 'G', 'H', 'T', 'W', 'A', 'R', 'D', 'S', VK_SPACE, 'A', 'R', 'R', 'O', 'W'},
       u'\u2192',
       true},
      // From the Unicode view, another one beyond the page, by its code.
      {"2193", {'2', '1', '9', '3'}, u'\u2193', true},
      // From the Unicode view, one of the page: the page shows it again. It is appended as
      // the euro sign on every code page (byte 0x88 of code page 1251).
      {"euro", {'E', 'U', 'R', 'O'}, u'\u20AC', false},
  };
  std::u16string expected = composed;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.query);
    Keys({'F'}, {VK_CONTROL});
    ASSERT_TRUE(FieldOpen());
    for (WORD vk : c.keys) Keys({vk});
    ASSERT_TRUE(WaitUntil([&] { return field.Text() == c.query; })) << field.Text();
    ASSERT_EQ(field.Current(), char32_t{c.appended});
    EXPECT_EQ(form->InUnicodeView(), c.inUnicodeView);
    Keys({VK_RETURN});
    ASSERT_TRUE(FieldClosed());
    expected += c.appended;
    EXPECT_EQ(form->composition.WideText(), expected);
    EXPECT_EQ(form->SelectedCodePoint(), char32_t{c.appended});
  }
}

TEST_F(FindFieldTest, RanksThePageAndUnicodeTogether) {
  FindField& field = form->findField;
  form->grid.SetFocus();
  Keys({'F'}, {VK_CONTROL});
  ASSERT_TRUE(FieldOpen());
  const struct {
    const wchar_t* query;
    char32_t first, orFirst;  // the first match (or the other one a query may start with)
    const char* code;         // the code label then
  } cases[] = {
      {L"pi", 0x3A0, 0x3C0, nullptr},  // Greek letters before ¶ (PILCROW SIGN, a prefix)
      {L"euro", 0x20AC, 0, "#0128"},   // the page's euro sign before the other euro signs
      {L"mu", 0x39C, 0x3BC, nullptr},  // before × (MULTIPLICATION SIGN)
      {L"2192", 0x2192, 0, "U+2192"},  // a bare hexadecimal code
      {L"00e9", 0xE9, 0, "#0233"},     // ... of a character of the page
      {L"65", 0x41, 0, "#65"},         // a decimal code the page reads keeps its meaning
      {L"0128", 0x20AC, 0, "#0128"},   // ... as an Alt code
      {L"255", 0xFF, 0, "#0255"},
      {L"@", 0x40, 0, "#64"},  // one character is itself, punctuation
                               // included
      {L",", 0x2C, 0, "#44"},
      {L"-", 0x2D, 0, "#45"},
      {L"\u20AC", 0x20AC, 0, "#0128"},
      {L"\u2192", 0x2192, 0, "U+2192"},
      {L"&auml;", 0xE4, 0, "#0228"},  // an entity typed whole
      {L"&rarr;", 0x2192, 0, "U+2192"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << "U+" << static_cast<unsigned>(c.first));
    form->grid.SelectCellAt(0, 0);  // the space: every case has to move the selection
    Paste(c.query);
    ASSERT_TRUE(WaitUntil([&] { return !field.Matches().empty(); }));
    EXPECT_FALSE(field.NoMatch());
    EXPECT_TRUE(field.Current() == c.first || (c.orFirst && field.Current() == c.orFirst))
        << std::hex << static_cast<unsigned>(field.Current());
    EXPECT_EQ(form->SelectedCodePoint(), field.Current());
    if (c.code) {
      EXPECT_EQ(form->codeLabel.Text(), c.code);
    }
    // Each character once.
    const std::vector<char32_t>& m = field.Matches();
    EXPECT_EQ(std::set<char32_t>(m.begin(), m.end()).size(), m.size());
  }
  // "a": the letter itself, then the capital (a whole word of its name), both on the page.
  Paste(L"a");
  ASSERT_GE(field.Matches().size(), 2u);
  EXPECT_EQ(field.Matches()[0], U'a');
  EXPECT_EQ(field.Matches()[1], U'A');
}

// A character typed as the keyboard types it (a Unicode key event), read in the system's
// ANSI code page by the message loop: the field reads it as text, so a byte of that code
// page is never taken for the page's own.
TEST_F(FindFieldTest, TypedCharactersAreFoundAsThemselvesOnEveryCodePage) {
  FindField& field = form->findField;
  form->grid.SetFocus();
  Keys({'F'}, {VK_CONTROL});
  ASSERT_TRUE(FieldOpen());
  auto type = [&](wchar_t c) {
    SetWindowTextW(field.Handle(), L"");
    INPUT in[2] = {};
    for (INPUT& i : in) {
      i.type = INPUT_KEYBOARD;
      i.ki.wScan = c;
      i.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    return WaitUntil([&] { return field.WideText() == std::u16string(1, static_cast<char16_t>(c)); });
  };
  // The euro sign: byte 0x80 of Windows-1252, 0x88 of code page 1251 (the page's ˆ there).
  ASSERT_TRUE(type(L'\u20AC')) << "code page " << GetACP();
  EXPECT_EQ(field.Current(), char32_t{0x20AC});
  EXPECT_EQ(form->codeLabel.Text(), "#0128");
  // A letter of the system's code page that the page lacks: ж, byte 0xE6 of code page 1251,
  // the page's æ. A code page without it cannot type it into the field at all.
  if (GetACP() == 1251) {
    ASSERT_TRUE(type(L'\u0436'));
    EXPECT_EQ(field.Current(), char32_t{0x436});
    EXPECT_EQ(form->codeLabel.Text(), "U+0436");
    EXPECT_TRUE(form->InUnicodeView());
  } else {
    ASSERT_TRUE(type(L'\u00E6'));
    EXPECT_EQ(field.Current(), char32_t{0xE6});
    EXPECT_EQ(form->codeLabel.Text(), "#0230");
  }
}

TEST_F(FindFieldTest, ACharacterTypedOnTheGridOpensTheFieldHoldingItAndTheGridKeysKeepTheirMeaning) {
  FindField& field = form->findField;
  CharGrid& grid = form->grid;
  const std::u16string composed = form->composition.WideText();
  const int size = form->sizeEdit.Value();
  const bool bold = form->boldCheck.Checked();
  grid.SetFocus();
  grid.SelectCellAt(1, 1);  // "1", code 49
  ASSERT_TRUE(Shows("#49"));

  // The grid's own keys, the size keys and the Alt shortcuts open nothing.
  Keys({VK_RIGHT});
  ASSERT_TRUE(Shows("#50"));
  Keys({VK_ADD});
  ASSERT_TRUE(WaitUntil([&] { return form->sizeEdit.Value() == size + 1; }));
  Keys({'B'}, {VK_MENU});
  ASSERT_TRUE(WaitUntil([&] { return form->boldCheck.Checked() != bold; }));
  Keys({VK_RETURN});
  ASSERT_TRUE(WaitUntil([&] { return form->composition.WideText() == composed + u"2"; }));
  ASSERT_TRUE(InputHandled());
  EXPECT_FALSE(field.IsOpen());
  EXPECT_TRUE(grid.Focused());
  EXPECT_EQ(form->codeLabel.Text(), "#50");

  // A letter opens the field holding it, the caret after it; the next letters follow it.
  Keys({'P'});
  ASSERT_TRUE(FieldOpen());
  EXPECT_EQ(field.Text(), "p");
  EXPECT_TRUE(Shows("#112"));
  Keys({'I'});
  ASSERT_TRUE(WaitUntil([&] { return field.Text() == "pi"; })) << field.Text();
  EXPECT_TRUE(field.Current() == 0x3A0 || field.Current() == 0x3C0);
  Keys({VK_ESCAPE});
  ASSERT_TRUE(FieldClosed());

  // Typed again on the grid, a character replaces the field's last text.
  Keys({VK_OEM_2}, {VK_SHIFT});  // "?" on the US keyboard
  ASSERT_TRUE(FieldOpen());
  EXPECT_EQ(field.Text(), "?");
  EXPECT_TRUE(Shows("#63"));
  Keys({VK_ESCAPE});
  ASSERT_TRUE(FieldClosed());

  // A character typed with AltGr comes with Ctrl and Alt held (a German "@" is AltGr+Q):
  // the modifiers held, the character the keyboard layout gives is posted as the platform's
  // translation posts it (the test session has a US keyboard, which has no AltGr).
  PressKeys({{VK_CONTROL, false}, {VK_MENU, false}});
  ASSERT_TRUE(WaitUntil([] { return GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) < 0; }));
  PostMessageA(grid.Handle(), WM_CHAR, '@', 0);
  ASSERT_TRUE(WaitUntil([&] { return field.IsOpen(); }));
  PressKeys({{VK_MENU, true}, {VK_CONTROL, true}});
  ASSERT_TRUE(FieldOpen());
  EXPECT_EQ(field.Text(), "@");
  EXPECT_TRUE(Shows("#64"));
  Keys({VK_RETURN});
  ASSERT_TRUE(FieldClosed());
  EXPECT_EQ(form->composition.WideText(), composed + u"2@");
  EXPECT_EQ(form->sizeEdit.Value(), size + 1);
}

// The search covers every named character: within each class of the ranking the characters
// the font draws come first, and one it lacks still reaches the form as a match beyond the page.
TEST_F(FindFieldTest, WhatTheFontLacksIsFoundAfterWhatItDrawsInTheSameClass) {
  FindField& field = form->findField;
  std::vector<char32_t> reported;
  const auto beyond = field.OnFoundBeyond;
  field.OnFoundBeyond = [&](char32_t cp) {
    reported.push_back(cp);
    if (beyond) beyond(cp);
  };
  form->grid.SetFocus();
  Keys({'F'}, {VK_CONTROL});
  ASSERT_TRUE(FieldOpen());
  Paste(L"arrow");
  const std::vector<char32_t>& m = field.Matches();
  // Arial (Liberation Sans) draws these arrows alone (fontconfig's fc-query of its file):
  // every name with the word ARROW, in code order, before U+02FF MODIFIER LETTER LOW LEFT ARROW
  // and the other arrows it lacks.
  const std::vector<char32_t> drawn{0x2190, 0x2191, 0x2192, 0x2193, 0x2194, 0x2195, 0x21A8};
  ASSERT_GT(m.size(), 100u);
  EXPECT_EQ(std::vector<char32_t>(m.begin(), m.begin() + 7), drawn);
  EXPECT_EQ(m[7], char32_t{0x2FF});
  // The platform says the same of the font.
  HDC dc = GetDC(form->grid.Handle());
  HGDIOBJ old = SelectObject(dc, form->grid.GetFont().Handle());
  for (size_t i = 0; i < 9; ++i) {
    WORD glyph = 0;
    const wchar_t c = static_cast<wchar_t>(m[i]);
    ASSERT_EQ(GetGlyphIndicesW(dc, &c, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS), 1u);
    EXPECT_EQ(glyph != 0xFFFF, i < 7) << std::hex << unsigned(m[i]);
  }
  SelectObject(dc, old);
  ReleaseDC(form->grid.Handle(), dc);
  // Stepping onto one the font lacks reports it beyond the page, as any other.
  reported.clear();
  for (int step = 0; step < 7; ++step) Keys({VK_DOWN});
  ASSERT_TRUE(WaitUntil([&] { return field.Current() == 0x2FF; }));
  EXPECT_EQ(reported, (std::vector<char32_t>{0x2191, 0x2192, 0x2193, 0x2194, 0x2195, 0x21A8, 0x2FF}));
  Keys({VK_ESCAPE});
  ASSERT_TRUE(FieldClosed());
}

}  // namespace
