// The list of the characters most recently used and its value in the settings file.
#pragma once
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

// A character the list holds: a code point from U+0020 up to U+10FFFF that is not a
// surrogate (the controls below the space are never picked as characters).
bool IsRecentChar(char32_t cp);

// The last characters that left the program, most recent first, each once.
class RecentChars {
 public:
  static constexpr std::size_t kCapacity = 32;

  std::span<const char32_t> Chars() const { return chars_; }
  bool Empty() const { return chars_.empty(); }
  // Puts a character at the front, taking it from where it stood; the oldest falls off a
  // full list. A character the list cannot hold changes nothing. True when the list changed.
  bool Use(char32_t cp);
  // Adds characters behind those held, oldest last, as long as there is room: what a file
  // gives is older than what was used before it was read.
  void AddOlder(std::span<const char32_t> chars);

  friend bool operator==(const RecentChars&, const RecentChars&) = default;

 private:
  std::vector<char32_t> chars_;
};

// What a copied text adds to the list, oldest first: its characters beyond printable ASCII
// (the letters, digits and signs of a sentence would push out the characters picked for it),
// each at the place of its last occurrence, at most kCapacity of them (the last ones). Line
// ends, other controls and unpaired surrogates are no characters here.
std::vector<char32_t> RecentCharsOfText(std::u16string_view utf16);

// The settings file's value: upper-case hexadecimal code points, comma-separated, most
// recent first ("1F600,2192"); empty for none.
std::string FormatRecentChars(std::span<const char32_t> chars);

// Reads a value entry by entry: an entry is hexadecimal digits, blanks around it allowed,
// naming a character IsRecentChar accepts. Anything else (words, signs, surrogates, code
// points beyond U+10FFFF, bytes of another encoding) drops that entry alone; a repeat
// keeps its first place; reading stops at kCapacity characters. `cutShort` says the read
// cut the value at the end of its buffer: its last entry may be the start of a longer one,
// and is dropped.
std::vector<char32_t> ParseRecentChars(std::string_view value, bool cutShort = false);

}  // namespace tessarin
