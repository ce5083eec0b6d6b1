// The stored names, word by word, for the search index (inside unicode/ only).
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin::unicode::detail {

// A word of a stored name and the separator after it.
struct NameToken {
  unsigned word;  // index into the name words; 0 stands for the code point in hexadecimal
  unsigned sep;   // 0 blank, 1 hyphen, 2 end of the name
};

constexpr unsigned kHexWord = 0;

// Decodes `count` front-coded words (a byte of 1 + the length of the prefix shared with the word
// before, the rest of the word, a NUL byte) into one text, with where each word starts there and,
// last, its end.
void DecodeFrontCoded(const char* data, std::size_t size, unsigned count, std::string& text,
                      std::vector<unsigned>& starts);

// The name word of an index (upper case, ASCII); "" for the hexadecimal word.
std::string_view NameWord(unsigned index);
unsigned NameWordCount();

// Calls f for every character with a stored name, in code-point order, with the words of its name.
void ForEachStoredName(const std::function<void(char32_t, std::span<const NameToken>)>& f);

// The ranges whose names are computed. A Hangul syllable has an empty prefix.
struct ComputedRange {
  char32_t first;
  char32_t last;
  const char* prefix;
};
std::span<const ComputedRange> ComputedRanges();

// The short name of a Hangul syllable ("GA" for U+AC00), or "" outside the syllables.
std::string HangulSyllableName(char32_t cp);

}  // namespace tessarin::unicode::detail
