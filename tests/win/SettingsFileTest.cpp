// The settings file "Tessarin.ini" in the Windows directory, read and written by the real
// private-profile functions: defaults, the number rules, the order of the keys, texts
// that come back exactly as typed, and a write that fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <optional>
#include <sstream>
#include <vector>

#include "app/HotKey.h"
#include "app/Settings.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/PrefixFiles.h"

using namespace testing_support;
using tessarin::AppSettings;

// The largest single allocation of this program since the last reset: what a load of a
// hostile file costs shows here.
std::atomic<std::size_t> largestAllocation{0};

void* operator new(std::size_t size) {
  std::size_t seen = largestAllocation.load();
  while (size > seen && !largestAllocation.compare_exchange_weak(seen, size)) {
  }
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

class SettingsFile : public MainWindowTest {
 protected:
  void SetUp() override {
    ForgetCachedFile();
    MainWindowTest::SetUp();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    ForgetCachedFile();
  }

  // Wine keeps a copy of a settings file it has read and serves it while the file is
  // missing: a test that replaces or removes the file behind it makes it read afresh.
  static void ForgetCachedFile() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, "Tessarin.ini"); }

  void PutFile(const std::string& bytes) {
    ASSERT_TRUE(WriteBytes(ini.Path(), bytes));
    ForgetCachedFile();
  }

  // The show step of the main window, as when it comes back from the notification area.
  void ShowMainWindowAgain() {
    form->Hide();
    form->Show();
    Settle();
  }

  std::optional<std::string> FileBytes() const { return ReadBytes(ini.Path()); }

  SavedFile ini{WindowsDirFile("Tessarin.ini")};
};

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string line;
  std::istringstream in(bytes);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

TEST_F(SettingsFile, NoFileGivesTheDefaultsEverywhereAndCreatesNone) {
  AppSettings = {};
  AppSettings.Texts[4] = "left over";
  options->rightButtonGroup.SetItemIndex(0);
  ShowMainWindowAgain();
  EXPECT_EQ(AppSettings.RMouseKey, 1);
  EXPECT_EQ(AppSettings.MMouseKey, 2);
  EXPECT_EQ(AppSettings.DragDrop, 2);
  for (size_t i = 1; i <= 10; ++i) EXPECT_EQ(AppSettings.Texts[i], "") << i;
  EXPECT_EQ(options->rightButtonGroup.ItemIndex(), 1);
  EXPECT_EQ(options->middleButtonGroup.ItemIndex(), 2);
  EXPECT_EQ(options->dragDropGroup.ItemIndex(), 2);
  EXPECT_FALSE(Exists(ini.Path()));
}

TEST_F(SettingsFile, TheShowStepReadsTheNumbersThroughTheConversionAndTheByteWrap) {
  struct {
    const char* main;
    int right, middle, drag;              // the bytes in memory
    int rightItem, middleItem, dragItem;  // what the options dialog shows
  } const cases[] = {
      {"RMouseKey=0x3\r\nMMouseKey=-1\r\nDragDrop=7", 3, 255, 7, 3, 4, 2},
      {"RMouseKey=$3\r\nMMouseKey=258\r\nDragDrop=  1  ", 3, 2, 1, 3, 2, 1},
      {"RMouseKey=0x\r\nMMouseKey=3x\r\nDragDrop=", 1, 2, 2, 1, 2, 2},
      {"rmousekey=0\r\nMMOUSEKEY=4\r\nDragDrop=0", 0, 4, 0, 0, 4, 0},
      {"RMouseKey=2147483648\r\nMMouseKey=$FFFFFFFF\r\nDragDrop=+1", 1, 255, 1, 1, 4, 1},
  };
  for (const auto& c : cases) {
    PutFile(std::string("[Main]\r\n") + c.main + "\r\n");
    ShowMainWindowAgain();
    EXPECT_EQ(AppSettings.RMouseKey, c.right) << c.main;
    EXPECT_EQ(AppSettings.MMouseKey, c.middle) << c.main;
    EXPECT_EQ(AppSettings.DragDrop, c.drag) << c.main;
    EXPECT_EQ(options->rightButtonGroup.ItemIndex(), c.rightItem) << c.main;
    EXPECT_EQ(options->middleButtonGroup.ItemIndex(), c.middleItem) << c.main;
    EXPECT_EQ(options->dragDropGroup.ItemIndex(), c.dragItem) << c.main;
  }
}

TEST_F(SettingsFile, AnOptionsDialogMadeAfterALoadShowsItAndFollowsTheLoadsThatCome) {
  PutFile("[Main]\r\nRMouseKey=9\r\nMMouseKey=0\r\nDragDrop=1\r\n");
  ShowMainWindowAgain();
  // Made anew, as the program makes it after the main window's first show.
  options.reset();
  tessarin::OptionsDialog later;
  EXPECT_EQ(later.rightButtonGroup.ItemIndex(), 4);
  EXPECT_EQ(later.middleButtonGroup.ItemIndex(), 0);
  EXPECT_EQ(later.dragDropGroup.ItemIndex(), 1);
  EXPECT_EQ(AppSettings.RMouseKey, 9);
  // The next load reaches the dialog that lives now, and no longer the one that went.
  PutFile("[Main]\r\nRMouseKey=3\r\nMMouseKey=4\r\nDragDrop=0\r\n");
  ShowMainWindowAgain();
  EXPECT_EQ(later.rightButtonGroup.ItemIndex(), 3);
  EXPECT_EQ(later.middleButtonGroup.ItemIndex(), 4);
  EXPECT_EQ(later.dragDropGroup.ItemIndex(), 0);
}

TEST_F(SettingsFile, OkWritesAllKeysInOrderAndKeepsAByteNoItemShows) {
  PutFile("[Main]\r\nDragDrop=7\r\n");
  options->Show();  // its show step loads the file
  ASSERT_TRUE(WaitUntil([&] { return options->Visible(); }));
  EXPECT_EQ(AppSettings.DragDrop, 7);
  EXPECT_EQ(options->dragDropGroup.ItemIndex(), 2);
  // Written afresh: keys already in a file keep their places there.
  RemovePath(ini.Path());
  ForgetCachedFile();
  options->TextEdit(2).SetText("two");
  options->TextEdit(10).SetText("ten");
  Click(options->okButton);
  EXPECT_FALSE(options->Visible());
  EXPECT_EQ(AppSettings.Texts[10], "ten");
  const auto bytes = FileBytes();
  ASSERT_TRUE(bytes);
  const std::vector<std::string> expected{
      "[Main]", "RMouseKey=1", "MMouseKey=2", "DragDrop=7", "Hotkey=1876", "[Text]", "Text1=", "Text2=two",
      "Text3=", "Text4=",      "Text5=",      "Text6=",     "Text7=",      "Text8=", "Text9=", "Text10=ten"};
  EXPECT_EQ(Lines(*bytes), expected) << *bytes;
}

// Words with their numbers, so that a cut or a repeat shows where it happened.
std::string NumberedWords(size_t length) {
  std::string s;
  for (int i = 0; s.size() < length; ++i) s += "word" + std::to_string(i) + (i % 7 ? " " : " = [x]; ");
  return s.substr(0, length);
}

TEST_F(SettingsFile, TextsComeBackByteForByte) {
  // As long as an options field takes: 1023 characters.
  const std::string longText = NumberedWords(1023);
  const std::vector<std::string> texts{"",  // index 0 is unused
                                       "  indented", "trailing  ",       "\"quoted\"",     "'single'",
                                       "a=b=c",      "[Main]",           ";not a comment",
                                       "",  // an empty text
                                       longText,     " \"both\" ends ' "};
  for (size_t i = 1; i <= 10; ++i) AppSettings.Texts[i] = texts[i];
  tessarin::SaveSettings();
  for (size_t i = 1; i <= 10; ++i) AppSettings.Texts[i] = "changed";
  tessarin::LoadSettings();
  for (size_t i = 1; i <= 10; ++i) EXPECT_EQ(AppSettings.Texts[i], texts[i]) << "Text" << i;

  const auto bytes = FileBytes();
  ASSERT_TRUE(bytes);
  // The empty text is its key with nothing after the equals sign; plain texts stand as
  // typed, and only the ones the reading would change are quoted.
  EXPECT_NE(bytes->find("\r\nText8=\r\n"), std::string::npos);
  EXPECT_NE(bytes->find("\r\nText5=a=b=c\r\n"), std::string::npos);
  EXPECT_NE(bytes->find("\r\nText1=\"  indented\"\r\n"), std::string::npos);
  EXPECT_NE(bytes->find("\r\nText9=" + longText + "\r\n"), std::string::npos);
}

TEST_F(SettingsFile, AFileWrittenByHandReadsAsThePlatformReadsIt) {
  PutFile("[Text]\r\nText1=  spaced out  \r\nText2=\"double\"\r\nText3='single'\r\nText4=\"open\r\n");
  tessarin::LoadSettings();
  EXPECT_EQ(AppSettings.Texts[1], "spaced out");
  EXPECT_EQ(AppSettings.Texts[2], "double");
  EXPECT_EQ(AppSettings.Texts[3], "single");
  EXPECT_EQ(AppSettings.Texts[4], "\"open");
}

TEST_F(SettingsFile, ARadioChoiceActsAtOnceAndTheNextShowBringsBackTheFile) {
  PutFile("[Main]\r\nRMouseKey=1\r\nMMouseKey=2\r\nDragDrop=2\r\n");
  options->Show();
  ASSERT_TRUE(WaitUntil([&] { return options->Visible(); }));
  Click(options->rightButtonGroup.Button(4));
  Click(options->middleButtonGroup.Button(0));
  Click(options->dragDropGroup.Button(1));
  EXPECT_EQ(AppSettings.RMouseKey, tessarin::maInsert);
  EXPECT_EQ(AppSettings.MMouseKey, tessarin::maNone);
  EXPECT_EQ(AppSettings.DragDrop, tessarin::dmText);
  EXPECT_EQ(FileBytes(), "[Main]\r\nRMouseKey=1\r\nMMouseKey=2\r\nDragDrop=2\r\n");

  Click(options->cancelButton);
  EXPECT_FALSE(options->Visible());
  EXPECT_EQ(AppSettings.RMouseKey, tessarin::maInsert);
  options->Show();
  Settle();
  EXPECT_EQ(AppSettings.RMouseKey, tessarin::maMagnify);
  EXPECT_EQ(AppSettings.MMouseKey, tessarin::maCopyRtf);
  EXPECT_EQ(AppSettings.DragDrop, tessarin::dmTextHtml);
  EXPECT_EQ(options->rightButtonGroup.ItemIndex(), 1);
  options->Hide();
}

TEST_F(SettingsFile, AHotkeyTheOptionsPageCannotGiveTakesNoKeyFromOtherPrograms) {
  constexpr UINT kCtrlAltShift = MOD_CONTROL | MOD_ALT | MOD_SHIFT;
  // The control's value is modifiers × 256 + key, with Shift 1, Ctrl 2, Alt 4, extended 8.
  const struct {
    const char* value;
    unsigned setting;
    UINT modifiers, vk;  // the key held afterwards
  } cases[] = {
      {"65", 0x754, kCtrlAltShift, 'T'},     // "a" alone
      {"340", 0x754, kCtrlAltShift, 'T'},    // Shift+T
      {"$1254", 0x754, kCtrlAltShift, 'T'},  // Ctrl+T and an unknown bit
      {"768", 0x754, kCtrlAltShift, 'T'},    // Ctrl+Shift without a key
      {"70000", 0x754, kCtrlAltShift, 'T'},
      {"1601", 0x641, MOD_CONTROL | MOD_ALT, 'A'},  // Ctrl+Alt+A, as the page gives it
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    PutFile(std::string("[Main]\r\nHotkey=") + c.value + "\r\n");
    ShowMainWindowAgain();
    EXPECT_EQ(AppSettings.HotKey, c.setting);
    // "a" and Shift+T are free for every program that types them.
    for (UINT modifiers : {0u, UINT{MOD_SHIFT}}) {
      EXPECT_TRUE(RegisterHotKey(nullptr, 7, modifiers, modifiers ? 'T' : 'A')) << modifiers;
      UnregisterHotKey(nullptr, 7);
    }
    EXPECT_FALSE(RegisterHotKey(nullptr, 7, c.modifiers, c.vk));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED));
    UnregisterHotKey(nullptr, 7);
  }
}

TEST_F(SettingsFile, TheHotkeyPageSaysWhyTheKeyDoesNotWork) {
  PutFile("[Main]\r\nHotkey=1876\r\n");
  ShowMainWindowAgain();
  tessarin::GlobalHotKey& key = form->hotKey;
  const auto pageSays = [&](const char* text) {
    options->Show();
    const bool shown = WaitUntil([&] { return options->Visible(); });
    // Its own flag: the page it stands on need not be the one in front.
    const std::string said = options->hotKeyTaken.Visible() ? options->hotKeyTaken.Text() : std::string();
    options->Hide();
    return shown && said == text;
  };
  EXPECT_TRUE(pageSays(""));

  // Another program holds the key.
  key.Release();
  ASSERT_TRUE(RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'T'));
  EXPECT_FALSE(key.Register(form->Handle(), 0x754));
  EXPECT_TRUE(pageSays("Taken by another program"));
  UnregisterHotKey(nullptr, 7);

  // The system refuses the key for a reason of its own: a window of another thread.
  EXPECT_FALSE(key.Register(GetDesktopWindow(), 0x754));
  EXPECT_NE(key.Refusal(), static_cast<unsigned long>(ERROR_HOTKEY_ALREADY_REGISTERED));
  EXPECT_TRUE(pageSays("Refused by the system"));

  EXPECT_TRUE(key.Register(form->Handle(), 0x754));
  EXPECT_TRUE(pageSays(""));
}

TEST_F(SettingsFile, AFailedWriteReportsTheFileAndLosesNothingThatWasThere) {
  const std::string before = "[Main]\r\nRMouseKey=3\r\n[Text]\r\nText1=kept\r\n";
  PutFile(before);
  options->Show();
  ASSERT_TRUE(WaitUntil([&] { return options->Visible(); }));
  options->TextEdit(1).SetText("new");
  // Another program holds the file: every write fails.
  HANDLE lock = CreateFileA(ini.Path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  expectErrors = true;
  Click(options->okButton);
  CloseHandle(lock);
  EXPECT_EQ(errors, std::vector<std::string>{"nach Tessarin.ini kann nicht geschrieben werden."});
  EXPECT_FALSE(options->Visible());
  EXPECT_EQ(FileBytes(), before);
  // The typed text stays in memory until the next load replaces it with the file's.
  EXPECT_EQ(AppSettings.Texts[1], "new");
  ShowMainWindowAgain();
  EXPECT_EQ(AppSettings.Texts[1], "kept");
}

TEST_F(SettingsFile, AHostileFileIsReadCutAtTheLongestTextAndCostsNoMoreThanThat) {
  // A megabyte in one value, a value of a few kilobytes, then keys that must still load.
  const std::string huge = NumberedWords(1 << 20);
  const std::string large = NumberedWords(4000);
  PutFile("[Main]\r\nDragDrop=1\r\n[Text]\r\nText2=" + huge + "\r\nText3=" + large +
          "\r\nText4=after\r\nText5=\"" + large + "\"\r\n");
  for (int show = 0; show < 2; ++show) {
    SCOPED_TRACE(show);
    AppSettings = {};
    largestAllocation = 0;
    ShowMainWindowAgain();
    EXPECT_LT(largestAllocation.load(), std::size_t{64} << 10);
    // Compared whole, reported by length: a mismatch would print a megabyte.
    EXPECT_TRUE(AppSettings.Texts[2] == huge.substr(0, 1023)) << AppSettings.Texts[2].size();
    EXPECT_TRUE(AppSettings.Texts[3] == large.substr(0, 1023)) << AppSettings.Texts[3].size();
    EXPECT_EQ(AppSettings.Texts[4], "after");
    // A quoted value that is cut loses its opening quote with its closing one.
    EXPECT_TRUE(AppSettings.Texts[5] == large.substr(0, 1023)) << AppSettings.Texts[5].size();
    EXPECT_EQ(AppSettings.DragDrop, tessarin::dmText);
  }
}

TEST_F(SettingsFile, TheFieldsTakeNoLongerTextThanALoadGivesBack) {
  for (size_t i = 1; i <= 10; ++i)
    EXPECT_EQ(SendMessageA(options->TextEdit(i).Handle(), EM_GETLIMITTEXT, 0, 0), 1023) << "Edit" << i;
  // Typed at the end of a full field, a character is refused; what the field holds is
  // saved and comes back whole.
  const std::string full = NumberedWords(1023);
  options->TextEdit(6).SetText(full);
  SendMessageA(options->TextEdit(6).Handle(), EM_SETSEL, 1023, 1023);
  SendMessageA(options->TextEdit(6).Handle(), WM_CHAR, 'x', 0);
  EXPECT_EQ(options->TextEdit(6).Text(), full);
  for (size_t i = 1; i <= 10; ++i) AppSettings.Texts[i] = options->TextEdit(i).Text();
  tessarin::SaveSettings();
  AppSettings.Texts[6].clear();
  tessarin::LoadSettings();
  EXPECT_EQ(AppSettings.Texts[6], full);
}

}  // namespace
