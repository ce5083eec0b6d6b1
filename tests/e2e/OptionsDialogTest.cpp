// The options dialog as a user meets it, from another process: opened modally from
// "&Options", confirmed by Esc, Enter and "&OK", cancelled by "&Cancel" and the caption's
// close button, its page kept between showings, its controls at their places and in
// their tab order, and a save that fails.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "tests/e2e/E2eInput.h"
#include "tests/support/PrefixFiles.h"

using namespace testing_support;
using e2e::ClickCentre;
using e2e::PressKey;
using e2e::TypeText;

namespace {

constexpr const char* kDialogClass = "TInfo_dlg";

class OptionsDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program.Start(TessarinExe()));
    main = program.WaitForVisibleWindow(e2e::kMainClass);
    ASSERT_NE(main, nullptr);
  }

  // "&Options", clicked; the dialog once it is up.
  HWND Open() {
    HWND button = FindChildByText(main, "&Options", "Button");
    if (!button) return nullptr;
    ClickCentre(button);
    HWND dialog = nullptr;
    PumpUntil([&] {
      dialog = FindProcessWindow(program.Id(), kDialogClass);
      return dialog && IsWindowVisible(dialog) && GetForegroundWindow() == dialog;
    });
    return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
  }

  bool WaitHidden(HWND dialog) {
    return PumpUntil([&] { return !IsWindowVisible(dialog) && IsWindowEnabled(main); });
  }

  HWND Page(HWND dialog, const char* caption) {
    return e2e::FindControl(dialog, {"TTabSheet", caption, 0, 0, false});
  }

  // The fields of Text1 to Text10 in their order (entry 0 unused).
  std::vector<HWND> Edits(HWND dialog) {
    std::vector<HWND> edits{nullptr};
    for (HWND c = GetWindow(Page(dialog, "Fast insert text"), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      if (ClassName(c) == "Edit") edits.push_back(c);
    return edits;
  }

  std::string Ini() const { return ReadBytes(ini.Path()).value_or("<no file>"); }

  SavedFile ini{WindowsDirFile("Tessarin.ini")};
  ChildProcess program;  // ends before the settings file is put back
  HWND main = nullptr;
};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(OptionsDialog, HasItsCaptionSizeControlsAndTabOrder) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(dialog), "Tessarin V2.9 Options");
  RECT client, outer;
  GetClientRect(dialog, &client);
  GetWindowRect(dialog, &outer);
  EXPECT_EQ(client.right, 418);
  EXPECT_EQ(client.bottom, 423);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);

  HWND adjustment = Page(dialog, "Adjustment"), texts = Page(dialog, "Fast insert text"),
       info = Page(dialog, "Info");
  ASSERT_TRUE(adjustment && texts && info);
  struct Expected {
    const char* name;
    HWND window;
    RECT rect;  // left, top, right, bottom in the parent's client area
  };
  std::vector<Expected> expected{
      {"okButton", FindChildByText(dialog, "&OK", "Button"), {330, 8, 405, 33}},
      {"cancelButton", FindChildByText(dialog, "&Cancel", "Button"), {330, 38, 405, 63}},
      {"mailButton", FindChildByText(dialog, "&Mail", "Button"), {330, 98, 405, 123}},
      {"webSiteButton", FindChildByText(dialog, "&Website", "Button"), {330, 128, 405, 153}},
      {"pages", e2e::FindControl(dialog, {"SysTabControl32", nullptr}), {4, 4, 317, 421}},
      {"adjustmentPage", adjustment, {8, 28, 313, 417}},
      {"programIcon", e2e::FindControl(adjustment, {"TImage", nullptr}), {8, 8, 40, 40}},
      {"startupShortcutButton",
       FindChildByText(adjustment, "Create a shortcut in Startup folder"),
       {48, 12, 293, 37}},
      {"rightButtonGroup", FindChildByText(adjustment, "Function for right MouseButton"), {8, 48, 293, 169}},
      {"middleButtonGroup",
       FindChildByText(adjustment, "Function for middle MouseButton"),
       {8, 174, 293, 295}},
      {"dragDropGroup", FindChildByText(adjustment, "Drag and Drop"), {8, 300, 293, 377}},
      {"textsPage", texts, {8, 28, 313, 417}},
      {"infoPage", info, {8, 28, 313, 417}},
      {"infoText",
       e2e::FindControl(info,
                        {"Edit", nullptr, ES_MULTILINE | ES_READONLY, ES_MULTILINE | ES_READONLY, false}),
       {4, 4, 301, 385}},
  };
  const std::vector<HWND> edits = Edits(dialog);
  ASSERT_EQ(edits.size(), 11u);
  for (int i = 1; i <= 10; ++i) {
    const int top = 24 + 36 * (i - 1);
    expected.push_back({"Edit", edits[static_cast<size_t>(i)], {16, top, 282, top + 21}});
  }
  for (const Expected& e : expected) {
    ASSERT_NE(e.window, nullptr) << e.name;
    const RECT r = RectInParent(e.window);
    EXPECT_EQ(r.left, e.rect.left) << e.name;
    EXPECT_EQ(r.top, e.rect.top) << e.name;
    EXPECT_EQ(r.right, e.rect.right) << e.name;
    EXPECT_EQ(r.bottom, e.rect.bottom) << e.name;
  }
  // The first page shows; the buttons without a target in this build are disabled.
  EXPECT_TRUE(IsWindowVisible(adjustment));
  EXPECT_FALSE(IsWindowVisible(texts));
  EXPECT_FALSE(IsWindowVisible(info));
  EXPECT_FALSE(IsWindowEnabled(expected[2].window));
  EXPECT_FALSE(IsWindowEnabled(expected[3].window));

  // The order of the dialog's own controls is the tab order.
  std::vector<std::string> order;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (ClassName(c) != "TTabSheet") order.push_back(WindowText(c).empty() ? ClassName(c) : WindowText(c));
  EXPECT_EQ(order, (std::vector<std::string>{"&OK", "&Website", "&Mail", "SysTabControl32", "&Cancel"}));

  // Tab walks from "&OK" through the tabs into the page shown and on to "&Cancel" (the
  // disabled buttons are passed over). A radio group counts once, however many of its
  // items the walk visits.
  auto focusName = [&] {
    HWND focus = e2e::FocusOf(dialog);
    HWND parent = GetParent(focus);
    if ((GetWindowLongA(parent, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX && ClassName(parent) == "Button")
      return WindowText(parent);
    return WindowText(focus).empty() ? ClassName(focus) : WindowText(focus);
  };
  std::vector<std::string> walk{focusName()};
  for (int i = 0; i < 20 && (walk.size() == 1 || walk.back() != "&OK"); ++i) {
    HWND before = e2e::FocusOf(dialog);
    PressKey(VK_TAB);
    PumpUntil([&] { return e2e::FocusOf(dialog) != before; }, std::chrono::milliseconds(2000));
    if (focusName() != walk.back()) walk.push_back(focusName());
  }
  EXPECT_EQ(walk,
            (std::vector<std::string>{"&OK", "SysTabControl32", "Create a shortcut in Startup folder",
                                      "Function for right MouseButton", "Function for middle MouseButton",
                                      "Drag and Drop", "&Cancel", "&OK"}));
  EXPECT_FALSE(IsWindowEnabled(main));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitHidden(dialog));
}

TEST_F(OptionsDialog, EscAndEnterSaveCancelKeepsTheOldTextThePageStaysAndRadioChoicesUndo) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  // The main window takes no input while the dialog is up.
  EXPECT_FALSE(IsWindowEnabled(main));

  // To the texts' page by the keyboard: Tab onto the tabs, then the right arrow.
  PressKey(VK_TAB);
  PressKey(VK_RIGHT);
  HWND texts = Page(dialog, "Fast insert text");
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(texts) != FALSE; }));
  std::vector<HWND> edits = Edits(dialog);
  ClickCentre(edits[3]);
  TypeText("  ab");
  PressKey(VK_ESCAPE);  // confirms, as "&OK" does
  ASSERT_TRUE(WaitHidden(dialog));
  EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == main; }));
  const std::string saved = Ini();
  EXPECT_TRUE(Contains(saved, "\r\nText3=\"  ab\"\r\n")) << saved;
  for (const char* key : {"RMouseKey=1", "MMouseKey=2", "DragDrop=2", "Text1=", "Text10="})
    EXPECT_TRUE(Contains(saved, key)) << key;

  // Shown again on the page it was left on, with the saved text; a change then cancelled
  // is neither saved nor kept.
  dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowVisible(texts));
  EXPECT_EQ(e2e::ControlText(edits[3]), "  ab");
  ClickCentre(edits[3]);
  PressKey(VK_END);
  TypeText("c");
  ClickCentre(FindChildByText(dialog, "&Cancel", "Button"));
  ASSERT_TRUE(WaitHidden(dialog));
  EXPECT_EQ(Ini(), saved);
  dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(e2e::ControlText(edits[3]), "  ab");

  // Enter in an edit confirms too.
  ClickCentre(edits[1]);
  TypeText("x=y");
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitHidden(dialog));
  EXPECT_TRUE(Contains(Ini(), "\r\nText1=x=y\r\n")) << Ini();

  // A radio choice, then the caption's close button: the file keeps the old value and
  // the next showing brings it back.
  dialog = Open();
  ASSERT_NE(dialog, nullptr);
  PressKey(VK_TAB, /*shift=*/true, /*ctrl=*/true);  // from the field of Text1: the page before
  HWND adjustment = Page(dialog, "Adjustment");
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(adjustment) != FALSE; }));
  HWND right = FindChildByText(adjustment, "Function for right MouseButton");
  HWND insert = FindChildByText(right, "Direct insert into application");
  HWND magnify = FindChildByText(right, "Magnify the char");
  ASSERT_TRUE(insert && magnify);
  ClickCentre(insert);
  // The click has come through once the choice has moved.
  EXPECT_TRUE(PumpUntil([&] {
    return SendMessageA(insert, BM_GETCHECK, 0, 0) == BST_CHECKED &&
           SendMessageA(magnify, BM_GETCHECK, 0, 0) == BST_UNCHECKED;
  }));
  PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(WaitHidden(dialog));
  EXPECT_TRUE(Contains(Ini(), "RMouseKey=1\r\n")) << Ini();
  dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(SendMessageA(magnify, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(insert, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  ClickCentre(FindChildByText(dialog, "&OK", "Button"));
  ASSERT_TRUE(WaitHidden(dialog));
}

TEST_F(OptionsDialog, ASaveThatFailsShowsTheMessageAndLeavesTheFile) {
  const std::string before = "[Main]\r\nRMouseKey=4\r\n";
  ASSERT_TRUE(WriteBytes(ini.Path(), before));
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  std::optional<e2e::MessageBoxSeen> seen;
  {
    // Another program holds the file while "&OK" is pressed.
    HANDLE lock = CreateFileA(ini.Path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    PressKey(VK_RETURN);
    PumpUntil([&] { return e2e::FindMessageBox(program.Id()).box != nullptr; });
    seen = e2e::FindMessageBox(program.Id());
    CloseHandle(lock);
  }
  ASSERT_NE(seen->box, nullptr);
  EXPECT_EQ(seen->caption, "Tessarin");
  EXPECT_EQ(seen->text, "nach Tessarin.ini kann nicht geschrieben werden.");
  PostMessageA(seen->box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitHidden(dialog));
  EXPECT_EQ(Ini(), before);
}

}  // namespace
