// The key-string translation: key events, symbol rewriting, tokens, the title match and the wait rule.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <random>
#include <sstream>

#include "core/KeyTranslation.h"
#include "core/Ticks.h"

namespace {
using namespace tessarin::sendkeys;

// A US-like layout: real virtual keys and scan codes; map type 2 gives the key's character.
// The missing key 255 answers with high bits set, so that their masking shows.
const KeyboardLayout kLayout = {
    [](char c) -> std::uint16_t {
      static const std::map<char, std::uint16_t> vk = {{'#', 0x133}, {'{', 0x1DB}, {'}', 0x1DD}, {'`', 0xC0},
                                                       {'[', 0xDB},  {']', 0xDD},  {'\\', 0xDC}, {' ', 0x20}};
      if (c >= 'a' && c <= 'z') return c - 32;
      if (c >= 'A' && c <= 'Z') return 0x100 | c;
      if (c >= '0' && c <= '9') return c;
      return vk.contains(c) ? vk.at(c) : 0xFFFF;
    },
    [](unsigned code, unsigned type) -> unsigned {
      static const std::map<unsigned, unsigned> scan = {
          {16, 0x2A},   {17, 0x1D},   {18, 0x38},   {13, 0x1C},   {35, 0x4F},       {115, 0x3E}, {'A', 0x1E},
          {'E', 0x12},  {'H', 0x23},  {'L', 0x26},  {'O', 0x18},  {'V', 0x2F},      {'1', 0x02}, {'3', 0x04},
          {0xC0, 0x29}, {0xDB, 0x1A}, {0xDC, 0x2B}, {0xDD, 0x1B}, {255, 0xFFFF0155}};
      if (type == 0) return scan.contains(code) ? scan.at(code) : 0;
      if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9') || code == 13 || code == 32)
        return code;
      return code >= 96 && code <= 105 ? code - 48 : 0;
    }};

std::vector<KeyEvent> Events(const std::string& keys) {
  std::vector<KeyEvent> all;
  for (const auto& token : SplitKeyTokens(RewriteShiftedSymbols(keys)))
    for (const auto& e : KeyTokenEvents(token, kLayout)) all.push_back(e);
  return all;
}

// "S+"/"S-", "A+"/"A-", "C+"/"C-": the modifiers; "vk.scan.extra" (hex): a key's press and release.
std::vector<KeyEvent> Expected(const std::string& notation) {
  static const std::map<std::string, KeyEvent> modifiers = {
      {"S+", {16, 0x2A, 0, 0x2A01}}, {"S-", {16, 0, 2, 0x2A00}}, {"A+", {18, 0, 0, 1}},
      {"A-", {18, 0, 2, 0}},         {"C+", {17, 0, 0, 1}},      {"C-", {17, 0, 2, 0}}};
  std::vector<KeyEvent> events;
  std::istringstream in(notation);
  for (std::string item; in >> item;) {
    unsigned vk = 0, scan = 0, extra = 0;
    if (modifiers.contains(item))
      events.push_back(modifiers.at(item));
    else if (std::sscanf(item.c_str(), "%x.%x.%x", &vk, &scan, &extra) == 3)
      for (std::uint32_t flags : {0, 2})
        events.push_back({std::uint8_t(vk), std::uint8_t(scan), flags, extra});
    else
      ADD_FAILURE() << item;
  }
  return events;
}

TEST(KeyTranslation, KeyStringsGiveTheirEvents) {
  const std::pair<const char*, const char*> cases[] = {
      {"{^V}", "S+ C+ 56.2F.2F01 S- C-"},
      {"{^v}", "C+ 56.2F.2F01 C-"},
      {"{&A}", "S+ A+ 41.1E.1E01 S- A-"},
      {"{&[F4]}", "A+ 73.0.1 A-"},
      {"{^[end]}", "C+ 23.0.1 C-"},
      {"[ return ]", "D.D.D01"},
      {"[RETURN]", "D.D.D01"},
      {"[enter]", ""},
      {"{![enter]}", "S+ S-"},
      {"[Space]", "20.20.2001"},
      {"[NumPad5]", "65.35.3501"},
      {"[shift]", "10.0.1"},
      {"[menu]", "12.0.1"},
      {"a!", "41.1E.1E01 S+ 31.2.201 S-"},
      {"{!a}", "S+ 41.1E.1E01 S-"},
      {"{!A}", "S+ 41.1E.1E01 S-"},
      {"{a{^b!}", "S+ C+ 41.1E.1E01 S- C- DD.1B.1B01"},
      {"{^x[F4]}", "C+ 73.0.1 C-"},
      {"{!&a}", "S+ DB.1A.1A01 S- 41.1E.1E01 DD.1B.1B01"},
      {"Hello", "S+ 48.23.2301 S- 45.12.1201 4C.26.2601 4C.26.2601 4F.18.1801"},
      {"#", "33.4.401"},
      {"|", "S+ DC.2B.2B01 S-"},
      {"\xAC", "S+ C0.29.2901 S-"},  // ¬ (NOT SIGN)
      {"\xC4", "FF.55.15501"},       // Ä (A WITH DIAERESIS): no key in the layout, and no Shift
      {"}]", "DD.1B.1B01 DD.1B.1B01"},
      {"{a", "DB.1A.1A01 41.1E.1E01"},
      {"[a", "DB.1A.1A01 41.1E.1E01"},
      {"{}", ""},
      {"a{!}{^}a", "41.1E.1E01 41.1E.1E01"}};
  for (const auto& [keys, events] : cases) EXPECT_EQ(Events(keys), Expected(events)) << keys;
  for (int n = 0; n < 34; ++n) {  // F1 to F24, NumPad0 to NumPad9
    const auto name = n < 24 ? "[f" + std::to_string(n + 1) + "]" : "[NUMPAD" + std::to_string(n - 24) + "]";
    EXPECT_EQ(Events(name).at(0).virtualKey, n < 24 ? 112 + n : 72 + n) << name;
  }
}

TEST(KeyTranslation, RewritesShiftedSymbolsAndSplitsTokens) {
  EXPECT_EQ(RewriteShiftedSymbols("!a{!b{^\"@^^"), "{!1}a{!b{^{!2}{!'}{!6}{!6}");
  EXPECT_EQ(RewriteShiftedSymbols("#',./;=-\\`09aZ"), "#',./;=-\\`09aZ");
  EXPECT_EQ(SplitKeyTokens("[a{b]c{[x]}]{"), (std::vector<std::string>{"[a{b]", "c", "{[x]}", "]", "{"}));
}

// Random key strings: every key pressed is let go within its token; a key right after its
// press, the modifiers at the end in the order they went down.
TEST(KeyTranslation, RandomKeyStringsReleaseEveryKeyTheyPress) {
  const char* pieces[] = {"{", "}", "[", "]", "!", "&", "^",    "{",    "[",      "}",  "]",    "a",    "Q",
                          "1", "#", "@", "|", "~", " ", "\xAC", "\xE4", "return", "F4", "menu", "shift"};
  std::mt19937 random(20240601);
  for (int i = 0; i < 3000; ++i) {
    std::string keys, joined;
    for (int n = random() % 13; n > 0; --n) keys += pieces[random() % std::size(pieces)];
    const auto rewritten = RewriteShiftedSymbols(keys);
    ASSERT_EQ(RewriteShiftedSymbols(rewritten), rewritten) << keys;
    for (const auto& token : SplitKeyTokens(rewritten)) {
      joined += token;
      std::deque<KeyEvent> down;
      for (const KeyEvent& e : KeyTokenEvents(token, kLayout)) {
        if (e.flags == 0) {
          down.push_back(e);
          continue;
        }
        ASSERT_FALSE(down.empty()) << keys;
        const bool modifier = e.extraInfo % 256 == 0;  // scan 0, and no "+ 1"
        const KeyEvent p = modifier ? down.front() : down.back();
        const std::uint8_t scan = modifier ? 0 : p.scan;
        EXPECT_EQ(e, (KeyEvent{p.virtualKey, scan, 2, p.extraInfo - modifier})) << keys;
        modifier ? down.pop_front() : down.pop_back();
      }
      EXPECT_TRUE(down.empty()) << keys;
    }
    EXPECT_EQ(joined, rewritten);
  }
}

TEST(KeyTranslation, WindowTitleMatchAndWaitRule) {
  EXPECT_TRUE(CaptionMatchesTitle("Quarterly Report - Editor", "report"));
  EXPECT_TRUE(CaptionMatchesTitle("notes", "NOTES"));
  EXPECT_TRUE(CaptionMatchesTitle(std::string(248, 'x') + "Report", "report"));  // ends at 254
  EXPECT_FALSE(CaptionMatchesTitle(std::string(249, 'x') + "Report", "report"));
  EXPECT_FALSE(CaptionMatchesTitle("\xC4rger", "\xE4rger"));  // Ärger / ärger: ASCII rules only
  const struct {
    std::uint32_t start, now;
    std::int32_t delay;
    bool over;
  } waits[] = {{100, 100, -1, true},
               {100, 100, 0, false},
               {100, 101, 0, true},
               {0xFFFFFFF0u, 0x10, 0x20, false},
               {0xFFFFFFF0u, 0x11, 0x20, true},
               {0, 0x7FFFFFFF, 0x7FFFFFFF, false},
               {0, 0x80000000u, 0x7FFFFFFF, true}};
  for (const auto& w : waits)
    EXPECT_EQ(ui::WaitIsOver(w.start, w.now, w.delay), w.over) << w.start << " " << w.now;
}

}  // namespace
