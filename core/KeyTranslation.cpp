// The key-string translation of the keystroke sender: tables, rewriting, tokens and events.
#include "core/KeyTranslation.h"

#include <algorithm>

#include "core/Ascii.h"

namespace tessarin::sendkeys {

// The shifted characters of the British layout, in the order of its key rows.
// clang-format off
const std::array<ShiftedSymbol, 20> ShiftedSymbolTable = {{
    {'\xAC', "{!`}"},  // ¬ (NOT SIGN)
    {'!', "{!1}"},
    {'"', "{!2}"},
    {'\xA3', "{!3}"},  // £ (POUND SIGN)
    {'$', "{!4}"},
    {'%', "{!5}"},
    {'^', "{!6}"},
    {'&', "{!7}"},
    {'*', "{!8}"},
    {'(', "{!9}"},
    {')', "{!0}"},
    {'_', "{!-}"},
    {'+', "{!=}"},
    {'~', "{!#}"},
    {'@', "{!'}"},
    {':', "{!;}"},
    {'<', "{!,}"},
    {'>', "{!.}"},
    {'?', "{!/}"},
    {'|', "{!\\}"},
}};
// clang-format on

// The platform's virtual-key constants under their names without "VK_".
const std::array<KeyName, 72> KeyNameTable = {{
    {"LButton   ", 1},   {"RButton   ", 2},   {"Cancel    ", 3},   {"MButton   ", 4},   {"Back      ", 8},
    {"Tab       ", 9},   {"Clear     ", 12},  {"Return    ", 13},  {"Shift     ", 16},  {"Control   ", 17},
    {"Menu      ", 18},  {"Pause     ", 19},  {"Capital   ", 20},  {"Escape    ", 27},  {"Space     ", 32},
    {"Prior     ", 33},  {"Next      ", 34},  {"End       ", 35},  {"Home      ", 36},  {"Left      ", 37},
    {"Up        ", 38},  {"Right     ", 39},  {"Down      ", 40},  {"Select    ", 41},  {"Print     ", 42},
    {"Execute   ", 43},  {"SnapShot  ", 44},  {"Insert    ", 45},  {"Delete    ", 46},  {"Help      ", 47},
    {"NumPad0   ", 96},  {"NumPad1   ", 97},  {"NumPad2   ", 98},  {"NumPad3   ", 99},  {"NumPad4   ", 100},
    {"NumPad5   ", 101}, {"NumPad6   ", 102}, {"NumPad7   ", 103}, {"NumPad8   ", 104}, {"NumPad9   ", 105},
    {"Multiply  ", 106}, {"Add       ", 107}, {"Separator ", 108}, {"Subtract  ", 109}, {"Decimal   ", 110},
    {"Divide    ", 111}, {"F1        ", 112}, {"F2        ", 113}, {"F3        ", 114}, {"F4        ", 115},
    {"F5        ", 116}, {"F6        ", 117}, {"F7        ", 118}, {"F8        ", 119}, {"F9        ", 120},
    {"F10       ", 121}, {"F11       ", 122}, {"F12       ", 123}, {"F13       ", 124}, {"F14       ", 125},
    {"F15       ", 126}, {"F16       ", 127}, {"F17       ", 128}, {"F18       ", 129}, {"F19       ", 130},
    {"F20       ", 131}, {"F21       ", 132}, {"F22       ", 133}, {"F23       ", 134}, {"F24       ", 135},
    {"NumLock   ", 144}, {"Scroll    ", 145},
}};

namespace {

const ShiftedSymbol* FindShiftedSymbol(char c) {
  for (const auto& row : ShiftedSymbolTable)
    if (row.symbol == c) return &row;
  return nullptr;
}

// Removes leading and trailing blanks and control characters (codes up to 32).
std::string Trim(std::string_view text) {
  auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

// Deletes the first occurrence of c; tells whether there was one.
bool EraseFirst(std::string& text, char c) {
  const auto at = text.find(c);
  if (at == std::string::npos) return false;
  text.erase(at, 1);
  return true;
}

bool Contains(const std::string& text, char c) { return text.find(c) != std::string::npos; }

// A press carries the key's map value times 256 plus 1 as extra information; only the low
// 8 bits of the map value are a scan value, only its low 16 bits reach the extra value.
KeyEvent Press(std::uint8_t vk, unsigned mapValue) {
  return {vk, static_cast<std::uint8_t>(mapValue & 0xFF), 0, (mapValue & 0xFFFF) * 256 + 1};
}
KeyEvent Release(std::uint8_t vk, unsigned mapValue) {
  return {vk, static_cast<std::uint8_t>(mapValue & 0xFF), KeyEventKeyUp, (mapValue & 0xFFFF) * 256 + 1};
}
// The modifiers are let go with scan value 0, and without the press's "+ 1".
KeyEvent ModifierRelease(std::uint8_t vk, unsigned mapValue) {
  return {vk, 0, KeyEventKeyUp, (mapValue & 0xFFFF) * 256};
}

}  // namespace

std::string RewriteShiftedSymbols(std::string keys) {
  // The length is read afresh on every step: the walk goes on into an inserted token, whose
  // "!" follows a "{" and whose base key and "}" are not in the table, so it stays as it is.
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const ShiftedSymbol* row = FindShiftedSymbol(keys[i]);
    if (row == nullptr) continue;
    const bool isMarker = keys[i] == '!' || keys[i] == '&' || keys[i] == '^';
    if (isMarker && i > 0 && keys[i - 1] == '{') continue;
    keys.replace(i, 1, row->replacement);
  }
  return keys;
}

std::vector<std::string> SplitKeyTokens(const std::string& keys) {
  std::vector<std::string> tokens;
  std::size_t i = 0;
  while (i < keys.size()) {
    std::size_t end = i;  // the token's last character
    if (keys[i] == '{' || keys[i] == '[') {
      // A "{" or "[" that is never closed would give a token without a key in it; it is
      // typed as an ordinary character instead, and the walk goes on after it.
      const auto close = keys.find(keys[i] == '{' ? '}' : ']', i + 1);
      if (close != std::string::npos) end = close;
    }
    tokens.push_back(keys.substr(i, end - i + 1));
    i = end + 1;
  }
  return tokens;
}

std::vector<KeyEvent> KeyTokenEvents(const std::string& token, const KeyboardLayout& layout) {
  bool shift = false, alt = false, ctrl = false;
  std::string rest = token;
  if (Contains(rest, '{') && Contains(rest, '}')) {
    rest.erase(0, rest.find('{') + 1);
    EraseFirst(rest, '}');
    // The markers are looked for anywhere in what is left, not only at its start.
    shift = EraseFirst(rest, '!');
    alt = EraseFirst(rest, '&');
    ctrl = EraseFirst(rest, '^');
  }
  // Nothing left to type ("{}", "{!}"): the token types nothing, and its modifiers are not
  // pressed either, since a lone Alt or Ctrl tap has effects of its own in most programs
  // (Alt alone opens the menu bar). A bare modifier is still there to type as "[Menu]".
  if (rest.empty()) return {};
  // Only the letters A to Z add Shift; accented capitals need the layout's own key.
  if (rest.front() >= 'A' && rest.front() <= 'Z') shift = true;

  std::vector<KeyEvent> events;
  const unsigned shiftScan = shift ? layout.mapVirtualKey(VkShift, 0) : 0;
  const unsigned altScan = alt ? layout.mapVirtualKey(VkMenu, 2) : 0;
  const unsigned ctrlScan = ctrl ? layout.mapVirtualKey(VkControl, 2) : 0;
  if (shift) events.push_back(Press(VkShift, shiftScan));
  if (alt) events.push_back(Press(VkMenu, altScan));
  if (ctrl) events.push_back(Press(VkControl, ctrlScan));

  if (Contains(rest, '[') && Contains(rest, ']')) {
    rest.erase(0, rest.find('[') + 1);
    EraseFirst(rest, ']');
    const std::string name = Trim(ui::AsciiLowerCase(rest));
    // A name that is not in the table types nothing; the modifiers still go down and up.
    for (const auto& entry : KeyNameTable) {
      if (Trim(ui::AsciiLowerCase(std::string(entry.name))) != name) continue;
      const unsigned mapValue = layout.mapVirtualKey(entry.virtualKey, 2);
      events.push_back(Press(entry.virtualKey, mapValue));
      events.push_back(Release(entry.virtualKey, mapValue));
    }
  } else {
    // Only the key is taken from the layout's answer; its shift state is not used.
    const auto vk = static_cast<std::uint8_t>(layout.vkKeyScan(rest.front()) & 0xFF);
    const unsigned mapValue = layout.mapVirtualKey(vk, 0);
    events.push_back(Press(vk, mapValue));
    events.push_back(Release(vk, mapValue));
  }

  if (shift) events.push_back(ModifierRelease(VkShift, shiftScan));
  if (alt) events.push_back(ModifierRelease(VkMenu, altScan));
  if (ctrl) events.push_back(ModifierRelease(VkControl, ctrlScan));
  return events;
}

bool CaptionMatchesTitle(std::string_view caption, std::string_view title) {
  const std::string shown = ui::AsciiLowerCase(std::string(caption.substr(0, CaptionLength)));
  return shown.find(ui::AsciiLowerCase(std::string(title))) != std::string::npos;
}

}  // namespace tessarin::sendkeys
