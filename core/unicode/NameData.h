// The stored names, word by word, for the search index (inside unicode/ only).
#pragma once

#include <cstddef>
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

// Reads one varint of a stream of NameTable.inc or SearchTable.inc at pos: one byte below 0xC0,
// two bytes below 0xF0 (0xC0 + 12288 values), else three. Past the end of the stream it reads 0
// and missing bytes as 0, so that a cut stream never reads beyond its array.
inline unsigned ReadVarint(const unsigned char* data, std::size_t size, std::size_t& pos) {
  if (pos >= size) return 0;
  const unsigned b0 = data[pos++];
  if (b0 < 0xC0) return b0;
  const unsigned b1 = pos < size ? data[pos++] : 0;
  if (b0 < 0xF0) return 0xC0 + ((b0 - 0xC0) << 8 | b1);
  const unsigned b2 = pos < size ? data[pos++] : 0;
  return 0xC0 + 48 * 256 + ((b0 - 0xF0) << 16 | b1 << 8 | b2);
}

// The search's case folding of one code point: ASCII, Latin-1, Latin Extended-A, Greek and
// Cyrillic capitals to small letters, capital sharp s to sharp s. scripts/gen_unicode_tables.py
// folds the stored words the same way and writes the code points it changes into FoldTable.inc.
char32_t FoldCodePoint(char32_t c);

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
