// Shift+Enter in process, when no window of another program is there to type into: the find
// field's match and the grid's selection are appended to the composition as Enter appends them,
// the window stays, the clipboard is left alone; without a match the field stays open.
#include <gtest/gtest.h>

#include "tests/support/MainWindowFixture.h"

using namespace tessarin;

namespace {

class ShiftEnter : public testing_support::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    testing_support::PutOnClipboard("sentinel");
    // Tessarin came forward with nothing else in front; the window remembered before is gone.
    form->foregroundOrigin.Forget();
  }
};

TEST_F(ShiftEnter, WithNoWindowToGoBackToItAppendsAsEnterDoes) {
  FindField& field = form->findField;
  const std::string composed = form->composition.Text();
  form->grid.SetFocus();
  Keys({'F'}, {VK_CONTROL});
  ASSERT_TRUE(WaitUntil([&] { return field.IsOpen() && field.Focused(); }));

  // No match: nothing to type or append, the field stays for another try.
  Keys({'X', 'Q', 'Z'});
  ASSERT_TRUE(WaitUntil([&] { return field.NoMatch(); }));
  Keys({VK_RETURN}, {VK_SHIFT});
  ASSERT_TRUE(InputHandled());
  EXPECT_TRUE(field.IsOpen());
  EXPECT_EQ(form->composition.Text(), composed);

  // A match: the field closes and the character is appended, once.
  Keys({VK_BACK, VK_BACK, VK_BACK, 'A', VK_SPACE, 'G', 'R', 'A', 'V', 'E'});
  ASSERT_TRUE(WaitUntil([&] { return form->codeLabel.Text() == "#0192"; }));
  Keys({VK_RETURN}, {VK_SHIFT});
  ASSERT_TRUE(WaitUntil([&] { return !field.IsOpen() && form->grid.Focused(); }));
  ASSERT_TRUE(InputHandled());
  EXPECT_EQ(form->composition.Text(), composed + "\xC0");  // À

  // On the grid: the selected character again, and the window is still shown.
  Keys({VK_RETURN}, {VK_SHIFT});
  ASSERT_TRUE(InputHandled());
  EXPECT_EQ(form->composition.Text(), composed + "\xC0\xC0");
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(testing_support::ClipboardText(), "sentinel");
}

}  // namespace
