// The find field, in process, through real keys: Ctrl+F from another control, matches
// selecting as clicks do, stepping, the no-match cue, Enter, Esc, reopening and hiding.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/MainWindowFixture.h"

using namespace tessarin;

namespace {

class FindField : public testing_support::MainWindowTest {
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
    return WaitUntil([&] { return form->num.Text() == code; });
  }
  bool FieldOpen() {
    return WaitUntil([&] { return form->FindField1.IsOpen() && form->FindField1.Focused(); });
  }
  bool FieldClosed() {
    return WaitUntil([&] { return !form->FindField1.IsOpen() && form->StringAlignGrid1.Focused(); });
  }
};

TEST_F(FindField, FindsStepsAppendsAndCloses) {
  TFindField& field = form->FindField1;
  const std::string composed = form->RichEdit1.Text();
  form->RichEdit1.SetFocus();
  Keys({'F'}, {VK_CONTROL});
  ASSERT_TRUE(FieldOpen());
  // Over the lower edge of the grid.
  const RECT grid = form->StringAlignGrid1.BoundsRect(), rect = field.BoundsRect();
  EXPECT_EQ(rect.bottom, grid.bottom);
  EXPECT_GT(rect.top, grid.top);

  Keys({'A', VK_SPACE, 'G', 'R', 'A', 'V', 'E'});
  ASSERT_TRUE(Shows("#0192"));  // À, and the labels follow
  EXPECT_EQ(form->Label1.Text(), "\xC0");
  EXPECT_EQ(form->html_char.Text(), "&Agrave;");
  Keys({VK_DOWN});
  EXPECT_TRUE(Shows("#0224"));  // à
  Keys({VK_F3});
  EXPECT_TRUE(Shows("#96"));  // the grave accent
  Keys({VK_F3}, {VK_SHIFT});
  EXPECT_TRUE(Shows("#0224"));
  Keys({VK_UP});
  EXPECT_TRUE(Shows("#0192"));

  // No match: the selection stays, the field says so; a match again takes the cue away.
  Keys({'X'});
  ASSERT_TRUE(WaitUntil([&] { return field.NoMatch(); }));
  EXPECT_EQ(field.Color(), TFindField::kNoMatchColor);
  EXPECT_EQ(form->num.Text(), "#0192");
  Keys({VK_BACK});
  ASSERT_TRUE(WaitUntil([&] { return !field.NoMatch(); }));
  EXPECT_NE(field.Color(), TFindField::kNoMatchColor);

  // Enter appends the character as "&Select" does, closes, and the grid has the focus.
  Keys({VK_RETURN});
  ASSERT_TRUE(FieldClosed());
  EXPECT_EQ(form->RichEdit1.Text(), composed + "\xC0");

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
  EXPECT_EQ(form->num.Text(), "#0128");
  EXPECT_EQ(form->RichEdit1.Text(), composed + "\xC0");

  // Hiding the window closes the field.
  Keys({'F'}, {VK_CONTROL});
  ASSERT_TRUE(FieldOpen());
  form->Hide();
  EXPECT_FALSE(field.IsOpen());
}

TEST_F(FindField, KeypadPlusAndMinusTypeIntoTheField) {
  TFindField& field = form->FindField1;
  const int size = form->SpinEdit1.Value();
  form->StringAlignGrid1.SetFocus();
  Keys({'F'}, {VK_CONTROL});
  ASSERT_TRUE(FieldOpen());
  Keys({VK_ADD});
  EXPECT_TRUE(WaitUntil([&] { return field.Text() == "+"; })) << field.Text();
  EXPECT_TRUE(Shows("#43"));
  Keys({VK_SUBTRACT});
  EXPECT_TRUE(WaitUntil([&] { return field.Text() == "+-"; })) << field.Text();
  EXPECT_EQ(form->SpinEdit1.Value(), size);
  // Back on the grid, the keys step the composition's size again.
  Keys({VK_ESCAPE});
  ASSERT_TRUE(FieldClosed());
  Keys({VK_ADD});
  EXPECT_TRUE(WaitUntil([&] { return form->SpinEdit1.Value() == size + 1; }));
}

TEST_F(FindField, HyphensBlanksOrPunctuationAloneFindNothingAndEnterAppendsNothing) {
  TFindField& field = form->FindField1;
  const std::string composed = form->RichEdit1.Text();
  form->StringAlignGrid1.SetFocus();
  Keys({'F'}, {VK_CONTROL});
  ASSERT_TRUE(FieldOpen());
  Keys({'1', '2', '8'});
  ASSERT_TRUE(Shows("#0128"));
  const struct {
    const char* query;
    std::vector<WORD> keys;
  } cases[] = {
      {"-", {VK_OEM_MINUS}},
      {"--", {VK_OEM_MINUS, VK_OEM_MINUS}},
      {"- -", {VK_OEM_MINUS, VK_SPACE, VK_OEM_MINUS}},
      {".,", {VK_OEM_PERIOD, VK_OEM_COMMA}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.query);
    Keys({VK_END});
    Keys({VK_HOME}, {VK_SHIFT});  // the whole text, replaced by what follows
    for (WORD vk : c.keys) Keys({vk});
    ASSERT_TRUE(WaitUntil([&] { return field.Text() == c.query; })) << field.Text();
    EXPECT_TRUE(field.NoMatch());
    EXPECT_EQ(field.Color(), TFindField::kNoMatchColor);
    EXPECT_TRUE(field.Matches().empty());
    EXPECT_EQ(form->num.Text(), "#0128");
    // F3, Down and Enter find, step and append nothing: the selection stays, the field too.
    Keys({VK_F3, VK_DOWN, VK_RETURN});
    ASSERT_TRUE(InputHandled());
    EXPECT_EQ(form->num.Text(), "#0128");
    EXPECT_TRUE(field.IsOpen());
    EXPECT_EQ(form->RichEdit1.Text(), composed);
  }
  Keys({VK_ESCAPE});
  ASSERT_TRUE(FieldClosed());
  EXPECT_EQ(form->RichEdit1.Text(), composed);
}

}  // namespace
