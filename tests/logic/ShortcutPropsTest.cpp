// The shortcut writer's hot key and show command, stored in the platform's form.
#include <gtest/gtest.h>

#include "core/ShortcutProps.h"

namespace {

using namespace tessarin;

TEST(ShortcutHotKey, StoresTheUpperCaseCodeAndReadsOneCharacter) {
  struct {
    std::string written;
    std::uint16_t stored;
    std::string read;
    std::uint16_t word;
  } const cases[] = {
      {"q", 'Q', "Q", 0x0600 | 'Q'},
      {"Q", 'Q', "Q", 0x0600 | 'Q'},
      {"qwerty", 'Q', "Q", 0x0600 | 'Q'},
      {"", 32, " ", 0},
      {" ", 32, " ", 0},
      {"\t", 32, " ", 0},
      {"\x01", 32, " ", 0},
      {"5", '5', "5", 0x0600 | '5'},
      {"!", '!', "!", 0x0600 | '!'},
      // Only ASCII letters change case.
      {"\xE4", 0xE4, "\xE4", 0x06E4},  // ä (A WITH DIAERESIS, small)
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StoreHotKey(c.written), c.stored) << c.written;
    EXPECT_EQ(ReadHotKey(StoreHotKey(c.written)), c.read) << c.written;
    EXPECT_EQ(HotKeyWord(StoreHotKey(c.written)), c.word) << c.written;
  }
  // A component whose hot key was never written reads a blank and sets none.
  EXPECT_EQ(ReadHotKey(0), " ");
  EXPECT_EQ(HotKeyWord(0), 0);
}

TEST(ShortcutShowCmd, StoresThePlatformNumberAndReadsItBack) {
  struct {
    ShowCommand written;
    int stored;
  } const cases[] = {{scShowMaximized, 3}, {scShowMinimized, 7}, {scShowNormal, 9}};
  for (const auto& c : cases) {
    EXPECT_EQ(StoreShowCmd(c.written, 0), c.stored) << int{c.written};
    EXPECT_EQ(ReadShowCmd(StoreShowCmd(c.written, 0)), c.written) << int{c.written};
  }
  // A value outside the three leaves the stored number.
  EXPECT_EQ(StoreShowCmd(static_cast<ShowCommand>(3), 7), 7);
  // Every number but 3 and 7 reads as normal, 1 (SW_SHOWNORMAL) and a never-written 0 too.
  for (int stored : {0, 1, 2, 4, 9, 255}) EXPECT_EQ(ReadShowCmd(stored), scShowNormal) << stored;
}

}  // namespace
