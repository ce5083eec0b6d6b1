// The key-string translation of the keystroke sender: from a key string to keyboard events.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin::sendkeys {

// One synthetic keyboard event, with the four values the platform's keybd_event takes.
struct KeyEvent {
  std::uint8_t virtualKey = 0;
  std::uint8_t scan = 0;
  std::uint32_t flags = 0;  // 0 for a press, KeyEventKeyUp for a release
  std::uint32_t extraInfo = 0;
  friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

inline constexpr std::uint32_t KeyEventKeyUp = 2;  // KEYEVENTF_KEYUP
inline constexpr std::uint8_t VkShift = 16, VkControl = 17, VkMenu = 18;

// The two questions the translation asks the current keyboard layout, with the answers
// of VkKeyScanA (low byte: virtual key, 255 when the layout has none) and MapVirtualKeyA.
struct KeyboardLayout {
  std::function<std::uint16_t(char)> vkKeyScan;
  std::function<unsigned(unsigned code, unsigned mapType)> mapVirtualKey;
};

// A character that is typed as Shift plus its base key. The replacement is a brace token.
struct ShiftedSymbol {
  char symbol;
  std::string_view replacement;
};
extern const std::array<ShiftedSymbol, 20> ShiftedSymbolTable;

// A key that a bracket token names. The name is kept blank-padded to 10 characters;
// look-ups ignore case and surrounding blanks.
struct KeyName {
  std::string_view name;
  std::uint8_t virtualKey;
};
extern const std::array<KeyName, 72> KeyNameTable;

// Replaces every character of the shifted-symbol table by its brace token, except a
// "!", "&" or "^" right after a "{", where it is the token's modifier marker.
std::string RewriteShiftedSymbols(std::string keys);

// Cuts a rewritten key string into its tokens: "{…}" brace tokens, "[…]" bracket tokens and
// single characters. The tokens, joined, give back the string.
std::vector<std::string> SplitKeyTokens(const std::string& keys);

// The events that type one token, in the order they are to be sent: modifier presses
// (Shift, Alt, Ctrl), the key's press and release, modifier releases (in the same order).
std::vector<KeyEvent> KeyTokenEvents(const std::string& token, const KeyboardLayout& layout);

// Whether a window caption counts as a match for the title text of a window search: the
// title, lower-cased, occurs in the lower-cased caption as the platform reads it, that is
// cut to its first CaptionLength characters.
inline constexpr std::size_t CaptionLength = 254;
inline constexpr int MaxWindowSteps = 1000;  // after the first window: at most 1001 looked at
bool CaptionMatchesTitle(std::string_view caption, std::string_view title);

}  // namespace tessarin::sendkeys
