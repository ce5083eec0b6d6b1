// The search over all of Unicode: an inverted index of the words of every character's name and
// of its other words (aliases, keywords, entity name), built on first use.
#include "core/unicode/UnicodeSearch.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>

#include "core/unicode/NameData.h"
#include "core/unicode/UnicodeNames.h"
#include "core/unicode/UnicodeText.h"

namespace tessarin::unicode {

namespace {
#include "core/unicode/SearchTable.inc"
}  // namespace

namespace {

using detail::FoldCodePoint;
using detail::NameToken;

}  // namespace

char32_t detail::FoldCodePoint(char32_t c) {
  if ((c >= 0x41 && c <= 0x5A) || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c | 1;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return c + (c & 1);
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  if (c == 0x1E9E) return 0xDF;
  return c;
}

namespace {

// Letters and digits of a word: ASCII ones, and everything from U+00C0 on except the
// multiplication and division signs and general punctuation.
bool IsWordChar(char32_t c) {
  if (c < 0x80) return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  if (c < 0xC0 || c == 0xD7 || c == 0xF7) return false;
  return c < 0x2000 || c > 0x206F;
}

// Decodes UTF-8; a malformed sequence gives U+FFFD for its first byte.
std::vector<char32_t> DecodeUtf8(std::string_view s) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < s.size();) {
    auto b = static_cast<unsigned char>(s[i]);
    std::size_t length = b < 0x80                ? 1
                         : b >= 0xF0 && b < 0xF5 ? 4
                         : b >= 0xE0             ? 3
                         : b >= 0xC2 && b < 0xE0 ? 2
                                                 : 0;
    char32_t cp = length == 1 ? b : length == 2 ? b & 0x1F : length == 3 ? b & 0x0F : b & 0x07;
    bool ok = length > 0 && i + length <= s.size() && (length != 3 || b < 0xF0);
    for (std::size_t k = 1; ok && k < length; ++k) {
      auto c = static_cast<unsigned char>(s[i + k]);
      ok = (c & 0xC0) == 0x80;
      cp = cp << 6 | (c & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (ok && (cp < kLeast[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
    out.push_back(ok ? cp : 0xFFFD);
    i += ok ? length : 1;
  }
  return out;
}

// The folded words of a text.
std::vector<std::string> SplitWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  for (char32_t c : DecodeUtf8(text)) {
    if (IsWordChar(c) && c != 0xFFFD) {
      word += ToUtf8(FoldCodePoint(c));
    } else if (!word.empty()) {
      words.push_back(std::move(word));
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

std::string FoldAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return out;
}

// The number of digits (hexadecimal or decimal), at most 7 of them, or -1. An unsigned read
// takes no sign, and seven digits always fit.
long ParseNumber(std::string_view s, int base) {
  if (s.empty() || s.size() > 7) return -1;
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value, base);
  if (error != std::errc{} || end != s.data() + s.size()) return -1;
  return static_cast<long>(value);
}

// A query that is a code: "U+2192", "&#8594;", "&#x2192;" (the semicolon may be left out). Gives
// true and the code (-1 for one that is no character) for such a query.
bool ParseCode(std::string_view q, long& cp) {
  if (q.size() >= 2 && (q[0] == 'U' || q[0] == 'u') && q[1] == '+') {
    cp = ParseNumber(q.substr(2), 16);
  } else if (q.size() >= 2 && q[0] == '&' && q[1] == '#') {
    q.remove_prefix(2);
    if (!q.empty() && q.back() == ';') q.remove_suffix(1);
    bool hex = !q.empty() && (q[0] == 'x' || q[0] == 'X');
    if (hex) q.remove_prefix(1);
    cp = ParseNumber(q, hex ? 16 : 10);
  } else {
    return false;
  }
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = -1;
  return true;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

struct UnicodeSearch::Index {
  // The folded words, sorted, so that the words a prefix begins are neighbours.
  std::vector<std::string> words;
  // The characters with words, in code-point order, and each one's words: word id * 2, + 1 for a
  // word of its name.
  std::vector<char32_t> cps;
  std::vector<std::uint32_t> entryStart;
  std::vector<std::uint32_t> entryWords;
  // For each word, the characters (entry indexes) holding it.
  std::vector<std::uint32_t> postingStart;
  std::vector<std::uint32_t> postings;
  // Whether an entry's character lies in a computed range.
  std::vector<bool> inRange;
  // The ranges whose names are a prefix and the code in hexadecimal, with the prefix's words.
  struct Range {
    char32_t first;
    char32_t last;
    std::vector<std::string> words;
  };
  std::vector<Range> ranges;
};

namespace {

// Reads a varint of SearchTable.inc's stream; 0 past its end.
std::uint32_t ReadSearchVarint(std::size_t& pos) {
  return detail::ReadVarint(kSearchStream, sizeof kSearchStream, pos);
}

void BuildIndex(UnicodeSearch::Index& x) {
  using Index = UnicodeSearch::Index;
  // Every word from every source, each with the slot that is to learn its id: the names' words,
  // the other words, the hexadecimal words of names such as "CJK COMPATIBILITY IDEOGRAPH-F900",
  // the Hangul syllables' names and the computed ranges' words. Sorting them once gives the
  // vocabulary and every slot's id without a look-up.
  struct Ref {
    std::string_view text;
    std::uint32_t slot;
  };
  std::vector<Ref> refs;
  std::vector<std::string> texts;  // folded words that the tables do not hold as they are
  const unsigned nameWordCount = detail::NameWordCount();
  texts.reserve(nameWordCount + 16000);
  for (unsigned i = 0; i < nameWordCount; ++i) texts.push_back(FoldAscii(detail::NameWord(i)));
  std::string searchText;
  std::vector<unsigned> searchStarts;
  detail::DecodeFrontCoded(kSearchWords, sizeof kSearchWords, kSearchWordCount, searchText, searchStarts);
  std::vector<std::string_view> searchWords;
  searchWords.reserve(kSearchWordCount);
  for (unsigned i = 0; i < kSearchWordCount; ++i) {
    searchWords.emplace_back(searchText.data() + searchStarts[i], searchStarts[i + 1] - searchStarts[i]);
  }
  detail::ForEachStoredName([&](char32_t cp, std::span<const NameToken> tokens) {
    for (const NameToken& t : tokens) {
      if (t.word == detail::kHexWord) texts.push_back(FoldAscii(CodePointText(cp).substr(2)));
    }
  });
  const std::size_t hexCount = texts.size() - nameWordCount;
  const detail::ComputedRange* hangul = nullptr;
  for (const detail::ComputedRange& r : detail::ComputedRanges()) {
    if (*r.prefix != '\0') {
      x.ranges.push_back({r.first, r.last, SplitWords(r.prefix)});
      continue;
    }
    hangul = &r;
    for (char32_t cp = r.first; cp <= r.last; ++cp)
      texts.push_back(FoldAscii(detail::HangulSyllableName(cp)));
  }
  texts.push_back("hangul");
  texts.push_back("syllable");
  refs.reserve(texts.size() + searchWords.size());
  for (std::size_t i = 0; i < texts.size(); ++i) refs.push_back({texts[i], static_cast<std::uint32_t>(i)});
  for (std::size_t i = 0; i < searchWords.size(); ++i) {
    refs.push_back({searchWords[i], static_cast<std::uint32_t>(texts.size() + i)});
  }
  for (const Index::Range& r : x.ranges) {
    for (const std::string& w : r.words) refs.push_back({w, static_cast<std::uint32_t>(refs.size())});
  }
  std::sort(refs.begin(), refs.end(), [](const Ref& a, const Ref& b) { return a.text < b.text; });
  std::vector<std::uint32_t> idOf(refs.size());
  for (const Ref& r : refs) {
    if (x.words.empty() || x.words.back() != r.text) x.words.emplace_back(r.text);
    idOf[r.slot] = static_cast<std::uint32_t>(x.words.size() - 1);
  }

  // (code point, word id * 2 + 1 for a word of the name) of the names, in code-point order, the
  // Hangul syllables in their place; then those of the other words, in code-point order too.
  using Pair = std::pair<char32_t, std::uint32_t>;
  std::vector<Pair> names, others;
  names.reserve(200000);
  std::size_t hex = nameWordCount;
  auto addHangul = [&] {
    const std::uint32_t hangulWord = idOf[texts.size() - 2] * 2 + 1,
                        syllableWord = idOf[texts.size() - 1] * 2 + 1;
    std::size_t slot = nameWordCount + hexCount;
    for (char32_t cp = hangul->first; cp <= hangul->last; ++cp) {
      names.emplace_back(cp, hangulWord);
      names.emplace_back(cp, syllableWord);
      names.emplace_back(cp, idOf[slot++] * 2 + 1);
    }
    hangul = nullptr;
  };
  detail::ForEachStoredName([&](char32_t cp, std::span<const NameToken> tokens) {
    if (hangul != nullptr && cp > hangul->last) addHangul();
    for (const NameToken& t : tokens) {
      std::uint32_t id = t.word == detail::kHexWord ? idOf[hex++] : t.word < nameWordCount ? idOf[t.word] : 0;
      names.emplace_back(cp, id * 2 + 1);
    }
  });
  if (hangul != nullptr) addHangul();
  std::size_t pos = 0;
  char32_t cp = 0;
  for (unsigned e = 0; e < kSearchEntryCount; ++e) {
    cp += ReadSearchVarint(pos);
    std::uint32_t count = ReadSearchVarint(pos);
    for (std::uint32_t k = 0; k < count; ++k) {
      std::uint32_t w = ReadSearchVarint(pos);
      if (w < searchWords.size()) others.emplace_back(cp, idOf[texts.size() + w] * 2);
    }
  }
  std::vector<Pair> pairs(names.size() + others.size());
  std::merge(names.begin(), names.end(), others.begin(), others.end(), pairs.begin(),
             [](const Pair& a, const Pair& b) { return a.first < b.first; });

  std::vector<std::uint32_t> counts(x.words.size() + 1, 0);
  for (const auto& [c, code] : pairs) {
    if (x.cps.empty() || x.cps.back() != c) {
      x.cps.push_back(c);
      x.entryStart.push_back(static_cast<std::uint32_t>(x.entryWords.size()));
    }
    x.entryWords.push_back(code);
    ++counts[code / 2];
  }
  x.entryStart.push_back(static_cast<std::uint32_t>(x.entryWords.size()));
  for (char32_t c : x.cps) {
    x.inRange.push_back(std::any_of(x.ranges.begin(), x.ranges.end(),
                                    [c](const Index::Range& r) { return c >= r.first && c <= r.last; }));
  }
  x.postingStart.assign(x.words.size() + 1, 0);
  for (std::size_t w = 0; w < x.words.size(); ++w) x.postingStart[w + 1] = x.postingStart[w] + counts[w];
  x.postings.resize(x.entryWords.size());
  std::vector<std::uint32_t> fill(x.postingStart.begin(), x.postingStart.end() - 1);
  for (std::uint32_t e = 0; e + 1 < x.entryStart.size(); ++e) {
    for (std::uint32_t k = x.entryStart[e]; k < x.entryStart[e + 1]; ++k)
      x.postings[fill[x.entryWords[k] / 2]++] = e;
  }
}

// Whether every word of the character's name is a word of the query (its words are then all the
// query's): "rightwards arrow" is the whole name of U+2192, and only part of U+219B's.
template <typename QueryWords>
bool NameIsQuery(const UnicodeSearch::Index& x, std::uint32_t e, const QueryWords& qs) {
  for (std::uint32_t k = x.entryStart[e]; k < x.entryStart[e + 1]; ++k) {
    if ((x.entryWords[k] & 1) == 0) continue;
    std::uint32_t id = x.entryWords[k] / 2;
    if (std::none_of(qs.begin(), qs.end(), [id](const auto& q) { return q.exact == id; })) return false;
  }
  return true;
}

}  // namespace

UnicodeSearch::UnicodeSearch() : index_(std::make_unique<Index>()) { BuildIndex(*index_); }

namespace {

// Within each group of words, the recently used characters first, the most recent first; the
// others keep their order.
void RankRecentFirst(std::vector<char32_t>& found, const std::size_t (&levelStart)[5],
                     std::span<const char32_t> recent) {
  if (recent.empty()) return;
  std::vector<char32_t> sorted(recent.begin(), recent.end());
  std::sort(sorted.begin(), sorted.end());
  auto isRecent = [&](char32_t c) { return std::binary_search(sorted.begin(), sorted.end(), c); };
  auto rank = [&](char32_t c) { return std::find(recent.begin(), recent.end(), c) - recent.begin(); };
  for (int level = 0; level < 4; ++level) {
    const auto first = found.begin() + static_cast<std::ptrdiff_t>(levelStart[level]);
    const auto last = found.begin() + static_cast<std::ptrdiff_t>(levelStart[level + 1]);
    if (std::none_of(first, last, isRecent)) continue;
    const auto mid = std::stable_partition(first, last, isRecent);
    std::sort(first, mid, [&](char32_t a, char32_t b) { return rank(a) < rank(b); });
  }
}

}  // namespace

UnicodeSearch::~UnicodeSearch() = default;

const UnicodeSearch& UnicodeSearch::Instance() {
  static const UnicodeSearch search;
  return search;
}

std::vector<char32_t> UnicodeSearch::Find(std::string_view utf8Query,
                                          const std::function<bool(char32_t)>& drawn,
                                          std::span<const char32_t> recent) const {
  return Search(utf8Query, drawn, false, recent);
}

std::vector<char32_t> UnicodeSearch::FindAll(std::string_view utf8Query,
                                             const std::function<bool(char32_t)>& drawn,
                                             std::span<const char32_t> recent) const {
  return Search(utf8Query, drawn, true, recent);
}

std::vector<char32_t> UnicodeSearch::Search(std::string_view utf8Query,
                                            const std::function<bool(char32_t)>& drawn, bool undrawnToo,
                                            std::span<const char32_t> recent) const {
  const Index& x = *index_;
  std::string_view query = Trim(utf8Query);
  std::vector<char32_t> found;
  if (query.empty()) return found;

  // A code typed as such names one character; one the font lacks is still a character when
  // Unicode names it.
  auto named = [](char32_t c) { return !CharName(c).empty(); };
  long code = -1;
  if (ParseCode(query, code)) {
    const auto c = static_cast<char32_t>(code);
    if (code >= 0 && (drawn(c) || (undrawnToo && named(c)))) found.push_back(c);
    return found;
  }
  std::vector<char32_t> chars = DecodeUtf8(query);
  if (chars.size() == 1 && chars[0] != 0xFFFD) {
    char32_t c = chars[0];
    const bool keep = drawn(c) || undrawnToo;
    // A character other than a letter or digit of ASCII stands for itself alone, punctuation
    // included: "@" and "," are what the user wants to know about.
    if (c >= 0x80 || !IsWordChar(c)) {
      if (keep) found.push_back(c);
      return found;
    }
    if (keep) found.push_back(c);  // a letter or digit: itself, then the words it begins
  }
  // A bare hexadecimal code of four to six digits ("2192", "00e9", "1f600"). With a decimal
  // digit in it, it is read as a code first; made of letters alone it is a word too ("face",
  // "cafe"), and the code comes after what the words find.
  long bare = -1;
  bool bareFirst = false;
  if (query.size() >= 4 && query.size() <= 6 && (bare = ParseNumber(query, 16)) >= 0) {
    const auto c = static_cast<char32_t>(bare);
    if (bare > 0x10FFFF || (bare >= 0xD800 && bare <= 0xDFFF) || !(drawn(c) || (undrawnToo && named(c)))) {
      bare = -1;
    } else {
      bareFirst = std::any_of(query.begin(), query.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
      if (bareFirst && found.empty()) found.push_back(c);
    }
  }

  std::vector<std::string> words = SplitWords(query);
  if (words.empty()) return found;

  // Each query word: the id of the equal word (x.words.size() when none), and the range of ids of
  // the words it begins.
  struct QueryWord {
    std::uint32_t exact, lo, hi;
  };
  std::vector<QueryWord> qs;
  for (const std::string& w : words) {
    auto lo = std::lower_bound(x.words.begin(), x.words.end(), w);
    auto hi = std::partition_point(lo, x.words.end(),
                                   [&](const std::string& v) { return v.compare(0, w.size(), w) == 0; });
    std::uint32_t exact = lo != x.words.end() && *lo == w ? static_cast<std::uint32_t>(lo - x.words.begin())
                                                          : static_cast<std::uint32_t>(x.words.size());
    qs.push_back({exact, static_cast<std::uint32_t>(lo - x.words.begin()),
                  static_cast<std::uint32_t>(hi - x.words.begin())});
  }

  // Four classes: the name's words all and only the query's, whole words of the name, whole words,
  // prefixes. Each holds three groups: the page's characters, the others the font draws, then
  // (when asked for) those it does not draw.
  constexpr int kGroups = 3;
  std::vector<char32_t> groups[4 * kGroups];
  // What the computed ranges add to the classes outside the page: spans of code points.
  std::vector<std::pair<char32_t, char32_t>> spans[4];
  // Characters of computed ranges found by words of their own (an ideograph with a keyword): the
  // ranges leave them to the class those words give them.
  std::vector<char32_t> entriesInRanges;

  // Candidates: the characters holding a word the rarest query word begins.
  const QueryWord* rarest = &qs[0];
  for (const QueryWord& q : qs) {
    if (x.postingStart[q.hi] - x.postingStart[q.lo] < x.postingStart[rarest->hi] - x.postingStart[rarest->lo])
      rarest = &q;
  }
  std::vector<std::uint8_t> marked(x.cps.size(), 0);
  std::vector<std::uint32_t> candidates;
  for (std::uint32_t k = x.postingStart[rarest->lo]; k < x.postingStart[rarest->hi]; ++k) {
    std::uint32_t e = x.postings[k];
    if (!marked[e]) {
      marked[e] = 1;
      candidates.push_back(e);
    }
  }
  // In code-point order: sorted when few, else read off the marks.
  if (candidates.size() < x.cps.size() / 16) {
    std::sort(candidates.begin(), candidates.end());
  } else {
    candidates.clear();
    for (std::uint32_t e = 0; e < marked.size(); ++e) {
      if (marked[e]) candidates.push_back(e);
    }
  }
  for (std::uint32_t e : candidates) {
    int level = 1;  // 1 whole word of the name, 2 whole word, 3 prefix
    for (const QueryWord& q : qs) {
      int best = 4;
      for (std::uint32_t k = x.entryStart[e]; k < x.entryStart[e + 1] && best > 1; ++k) {
        std::uint32_t id = x.entryWords[k] / 2;
        if (id == q.exact) {
          best = std::min(best, (x.entryWords[k] & 1) ? 1 : 2);
        } else if (id >= q.lo && id < q.hi) {
          best = std::min(best, 3);
        }
      }
      level = std::max(level, best);
      if (level == 4) break;
    }
    if (level == 4) continue;
    if (level == 1 && NameIsQuery(x, e, qs)) level = 0;
    const char32_t c = x.cps[e];
    const int group = !drawn(c) ? 2 : Windows1252Byte(c) >= 0 ? 0 : 1;
    if (group == 2 && !undrawnToo) continue;
    if (x.inRange[e]) entriesInRanges.push_back(c);
    groups[level * kGroups + group].push_back(c);
  }

  // The computed ranges: every query word a word of the prefix, or the code in hexadecimal.
  for (const Index::Range& r : x.ranges) {
    int level = 1;
    long pinned = -1;
    for (std::size_t i = 0; i < words.size() && level < 4; ++i) {
      int best = 4;
      for (const std::string& w : r.words) {
        if (w == words[i])
          best = 1;
        else if (w.compare(0, words[i].size(), words[i]) == 0)
          best = std::min(best, 3);
      }
      long value = words[i].size() >= 4 ? ParseNumber(words[i], 16) : -1;
      if (best > 1 && value >= static_cast<long>(r.first) && value <= static_cast<long>(r.last) &&
          (pinned < 0 || pinned == value)) {
        best = 1;
        pinned = value;
      }
      level = std::max(level, best);
    }
    if (level == 4) continue;
    // The ranges come in code-point order, so each class's spans are in that order too.
    if (pinned >= 0) {
      spans[level].push_back({static_cast<char32_t>(pinned), static_cast<char32_t>(pinned)});
    } else {
      spans[level].push_back({r.first, r.last});
    }
  }

  // The page's characters in the page's order.
  for (int level = 0; level < 4; ++level) {
    std::sort(groups[level * kGroups].begin(), groups[level * kGroups].end(),
              [](char32_t a, char32_t b) { return Windows1252Byte(a) < Windows1252Byte(b); });
  }
  // Each character once: a character found first for itself (a single letter, a code) is not
  // found again. The ranges' characters are asked whether they are drawn only here, as they are
  // added.
  std::size_t total = found.size();
  for (const auto& g : groups) total += g.size();
  for (const auto& level : spans) {
    for (const auto& [first, last] : level) total += last - first + 1;
  }
  found.reserve(total);
  const std::size_t single = found.size();
  // Where each group of words begins in the answer.
  std::size_t levelStart[5] = {};
  auto add = [&](char32_t c) {
    if (single > 0 && c == found[0]) return;
    found.push_back(c);
  };
  std::vector<char32_t> undrawnInRanges;
  for (int level = 0; level < 4; ++level) {
    levelStart[level] = found.size();
    for (char32_t c : groups[level * kGroups]) add(c);
    // The drawn ones in code order, the ranges' among them; the ranges' undrawn ones kept aside.
    const std::vector<char32_t>& a = groups[level * kGroups + 1];
    std::size_t i = 0;
    undrawnInRanges.clear();
    std::size_t own = 0;  // entriesInRanges is in code order, as each class's spans are
    for (const auto& [first, last] : spans[level]) {
      for (; i < a.size() && a[i] < first; ++i) add(a[i]);
      for (char32_t c = first; c <= last; ++c) {
        while (own < entriesInRanges.size() && entriesInRanges[own] < c) ++own;
        if (own < entriesInRanges.size() && entriesInRanges[own] == c) continue;
        if (drawn(c)) {
          add(c);
        } else if (undrawnToo) {
          undrawnInRanges.push_back(c);
        }
      }
    }
    for (; i < a.size(); ++i) add(a[i]);
    // Then what the font does not draw, in code order.
    const std::vector<char32_t>& b = groups[level * kGroups + 2];
    std::size_t j = 0;
    for (char32_t c : undrawnInRanges) {
      for (; j < b.size() && b[j] < c; ++j) add(b[j]);
      add(c);
    }
    for (; j < b.size(); ++j) add(b[j]);
  }
  levelStart[4] = found.size();
  RankRecentFirst(found, levelStart, recent);
  // A code made of letters alone, after what its words find.
  if (bare >= 0 && !bareFirst) {
    const auto c = static_cast<char32_t>(bare);
    if (std::find(found.begin(), found.end(), c) == found.end()) found.push_back(c);
  }
  return found;
}

}  // namespace tessarin::unicode
