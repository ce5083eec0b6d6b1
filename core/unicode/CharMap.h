// What a font draws, read from the bytes of its OpenType 'cmap' table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessarin::unicode {

// The code points first..last, both included.
struct CodeRange {
  char32_t first;
  char32_t last;
  bool operator==(const CodeRange&) const = default;
};

class CharMap {
 public:
  CharMap() = default;

  // Reads the Unicode mapping of a 'cmap' table: the (3,10) subtable first, then (3,1), then a (0,*)
  // one, then a (3,0) symbol subtable; formats 4 and 12. Malformed or truncated data gives what could
  // be read safely; nothing is ever read outside [data, data + size).
  static CharMap Parse(const unsigned char* data, std::size_t size);

  // The glyph index of cp, 0 when the font does not draw it.
  unsigned GlyphOf(char32_t cp) const;
  bool Has(char32_t cp) const { return GlyphOf(cp) != 0; }

  // The rows of the Unicode view: the sorted starts (cp & ~0xF) of every 16-character row holding at
  // least one character that the font draws.
  const std::vector<char32_t>& Rows() const { return rows_; }

  // The number of code points the font draws.
  std::size_t Count() const { return count_; }

  // The code points the font draws as sorted ranges, none touching the next.
  std::vector<CodeRange> Ranges() const;

 private:
  // Sorted, disjoint runs of code points; the glyph of first + i is glyph + i (when delta is true)
  // or glyphs_[index + i].
  struct Run {
    char32_t first;
    char32_t last;
    unsigned glyph;  // glyph of `first` for a run of consecutive glyphs
    std::size_t index;
    bool delta;
  };
  std::vector<Run> runs_;
  std::vector<unsigned> glyphs_;
  std::vector<char32_t> rows_;
  std::size_t count_ = 0;

  // Adds code points first..last (consecutive glyphs from `glyph`, or the one glyph of an array
  // entry when first == last); glyph 0 and surrogates are left out.
  void Add(char32_t first, char32_t last, std::uint32_t glyph, bool consecutive);
  void Finish();
};

}  // namespace tessarin::unicode
