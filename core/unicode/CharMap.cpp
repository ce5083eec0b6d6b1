// Reading the Unicode mapping of an OpenType 'cmap' table, formats 4 and 12, from untrusted bytes.
#include "core/unicode/CharMap.h"

#include <algorithm>
#include <cstdint>

namespace tessarin::unicode {

namespace {

// Big-endian reads that give 0 past the end of the data, so that a truncated table reads as
// zeros instead of outside its bytes.
struct Reader {
  const unsigned char* data;
  std::size_t size;

  bool Fits(std::size_t offset, std::size_t length) const {
    return offset <= size && length <= size - offset;
  }
  std::uint32_t U16(std::size_t offset) const {
    return Fits(offset, 2) ? static_cast<std::uint32_t>(data[offset] << 8 | data[offset + 1]) : 0;
  }
  std::uint32_t U32(std::size_t offset) const {
    return Fits(offset, 4) ? U16(offset) << 16 | U16(offset + 2) : 0;
  }
};

// A range of code points as a subtable states it, before overlaps are settled.
struct Segment {
  char32_t first;
  char32_t last;
  std::uint64_t glyph;          // glyph of `first` (consecutive glyphs) when rangeOffset is 0
  std::size_t rangeOffset = 0;  // format 4: where the glyph of `first` is read, when not 0
  std::uint32_t delta = 0;      // format 4: added to a glyph read from the glyph array
};

constexpr char32_t kLastCodePoint = 0x10FFFF;

std::vector<Segment> ReadFormat4(const Reader& r, std::size_t at) {
  std::vector<Segment> segments;
  std::size_t segCount = r.U16(at + 6) / 2;
  std::size_t ends = at + 14;
  std::size_t starts = ends + 2 * segCount + 2;
  std::size_t deltas = starts + 2 * segCount;
  std::size_t offsets = deltas + 2 * segCount;
  // Segments whose arrays lie past the end of the data are not there.
  while (segCount > 0 && !r.Fits(offsets + 2 * (segCount - 1), 2)) --segCount;
  for (std::size_t i = 0; i < segCount; ++i) {
    char32_t last = r.U16(ends + 2 * i);
    char32_t first = r.U16(starts + 2 * i);
    std::uint32_t delta = r.U16(deltas + 2 * i);
    std::uint32_t rangeOffset = r.U16(offsets + 2 * i);
    if (first > last) continue;
    if (rangeOffset == 0) {
      segments.push_back({first, last, (first + delta) & 0xFFFF});
    } else {
      segments.push_back({first, last, 0, offsets + 2 * i + rangeOffset, delta});
    }
  }
  return segments;
}

std::vector<Segment> ReadFormat12(const Reader& r, std::size_t at) {
  std::vector<Segment> segments;
  std::size_t groups = at + 16;
  std::size_t count = r.U32(at + 12);
  if (groups > r.size) return segments;
  count = std::min(count, (r.size - groups) / 12);
  for (std::size_t i = 0; i < count; ++i) {
    std::size_t g = groups + 12 * i;
    char32_t first = r.U32(g);
    char32_t last = std::min<char32_t>(r.U32(g + 4), kLastCodePoint);
    if (first > last) continue;
    segments.push_back({first, last, r.U32(g + 8)});
  }
  return segments;
}

// The preference of an encoding record, lower is better; -1 for one without Unicode.
int Preference(std::uint32_t platform, std::uint32_t encoding) {
  if (platform == 3 && encoding == 10) return 0;
  if (platform == 3 && encoding == 1) return 1;
  if (platform == 0) return 2;
  if (platform == 3 && encoding == 0) return 3;
  return -1;
}

}  // namespace

CharMap CharMap::Parse(const unsigned char* data, std::size_t size) {
  CharMap map;
  if (data == nullptr) return map;
  Reader r{data, size};
  std::size_t tables = r.U16(2);
  tables = std::min(tables, size >= 4 ? (size - 4) / 8 : 0);

  // The best record whose subtable has a format this reads; a format 12 one before a format 4
  // one of the same preference, since it reaches beyond the Basic Multilingual Plane.
  std::vector<Segment> segments;
  int best = 4;
  bool bestIs12 = false;
  for (std::size_t i = 0; i < tables; ++i) {
    std::size_t record = 4 + 8 * i;
    int preference = Preference(r.U16(record), r.U16(record + 2));
    std::size_t at = r.U32(record + 4);
    std::uint32_t format = r.U16(at);
    if (preference < 0 || !r.Fits(at, 2) || (format != 4 && format != 12)) continue;
    bool is12 = format == 12;
    if (preference > best || (preference == best && (bestIs12 || !is12))) continue;
    std::vector<Segment> read = is12 ? ReadFormat12(r, at) : ReadFormat4(r, at);
    if (read.empty()) continue;
    segments = std::move(read);
    best = preference;
    bestIs12 = is12;
  }

  // Overlapping segments: the earlier start keeps the shared code points.
  std::stable_sort(segments.begin(), segments.end(),
                   [](const Segment& a, const Segment& b) { return a.first < b.first; });
  char32_t next = 0;  // the first code point not yet covered
  for (Segment s : segments) {
    if (s.last < next) continue;
    if (s.first < next) {
      // The glyph of the new first code point: format 4 adds its delta modulo 65536, so
      // the glyphs of a cut segment go on from where its wrap left them; a format 12
      // group's glyphs only count up, in 64 bits so that none wraps here.
      s.glyph += next - s.first;
      if (!bestIs12) s.glyph &= 0xFFFF;
      s.rangeOffset += s.rangeOffset != 0 ? 2 * (next - s.first) : 0;
      s.first = next;
    }
    next = s.last + 1;
    if (s.rangeOffset != 0) {
      // Glyphs from the array, one by one: at most 65536 of them in all, as the segments no
      // longer overlap.
      for (char32_t cp = s.first; cp <= s.last; ++cp) {
        std::uint32_t glyph = r.U16(s.rangeOffset + 2 * (cp - s.first));
        if (glyph != 0) glyph = (glyph + s.delta) & 0xFFFF;
        map.Add(cp, cp, glyph, false);
      }
      continue;
    }
    // Consecutive glyphs. Format 4 ones wrap at 65536, past glyph 0, which draws nothing.
    std::uint64_t glyph = s.glyph;
    char32_t first = s.first;
    // Below 65536 here, so the segment (at most 65536 codes) wraps at most once.
    if (!bestIs12 && glyph + (s.last - first) > 0xFFFF) {
      char32_t wrap = first + static_cast<char32_t>(0x10000 - glyph);  // the code point of glyph 0
      map.Add(first, wrap - 1, static_cast<std::uint32_t>(glyph), true);
      first = wrap;
      glyph = 0;
    }
    if (bestIs12 && glyph + (s.last - first) > 0xFFFFFFFFu) continue;
    map.Add(first, s.last, static_cast<std::uint32_t>(glyph), true);
  }
  map.Finish();
  return map;
}

void CharMap::Add(char32_t first, char32_t last, std::uint32_t glyph, bool consecutive) {
  if (glyph == 0) {  // the first code point draws nothing
    if (first == last) return;
    ++first;
    glyph += consecutive ? 1 : 0;
    if (!consecutive) return;
  }
  // Surrogates are no characters.
  if (first <= 0xDFFF && last >= 0xD800) {
    if (first < 0xD800) Add(first, 0xD7FF, glyph, consecutive);
    if (last > 0xDFFF) Add(0xE000, last, consecutive ? glyph + (0xE000 - first) : glyph, consecutive);
    return;
  }
  if (!runs_.empty()) {
    Run& back = runs_.back();
    bool extends = back.last + 1 == first && back.delta == consecutive &&
                   (!consecutive || back.glyph + (first - back.first) == glyph);
    if (extends) {
      back.last = last;
      if (!consecutive) glyphs_.push_back(glyph);
      return;
    }
  }
  runs_.push_back({first, last, glyph, glyphs_.size(), consecutive});
  if (!consecutive) glyphs_.push_back(glyph);
}

void CharMap::Finish() {
  count_ = 0;
  rows_.clear();
  for (const Run& run : runs_) {
    count_ += run.last - run.first + 1;
    char32_t row = run.first & ~char32_t{0xF};
    if (!rows_.empty() && row <= rows_.back()) row = rows_.back() + 16;
    for (; row <= run.last; row += 16) rows_.push_back(row);
  }
}

std::vector<CodeRange> CharMap::Ranges() const {
  // Runs differ in how they map glyphs; what is drawn joins where they meet.
  std::vector<CodeRange> ranges;
  for (const Run& run : runs_) {
    if (!ranges.empty() && ranges.back().last + 1 == run.first)
      ranges.back().last = run.last;
    else
      ranges.push_back({run.first, run.last});
  }
  return ranges;
}

unsigned CharMap::GlyphOf(char32_t cp) const {
  auto it =
      std::upper_bound(runs_.begin(), runs_.end(), cp, [](char32_t c, const Run& r) { return c < r.first; });
  if (it == runs_.begin()) return 0;
  --it;
  if (cp > it->last) return 0;
  if (it->delta) return it->glyph + (cp - it->first);
  return glyphs_[it->index + (cp - it->first)];
}

}  // namespace tessarin::unicode
