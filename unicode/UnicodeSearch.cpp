// The search over all of Unicode: an inverted index of the words of every character's name and
// of its other words (aliases, keywords, entity name), built on first use.
#include "unicode/UnicodeSearch.h"

#include <algorithm>
#include <string>

#include "unicode/NameData.h"
#include "unicode/UnicodeText.h"

namespace tessarin::unicode {

namespace {
#include "unicode/SearchTable.inc"
}  // namespace

namespace {

using detail::NameToken;

// The search's case folding; scripts/gen_unicode_tables.py folds the stored words the same way.
char32_t FoldCodePoint(char32_t c) {
  if ((c >= 0x41 && c <= 0x5A) || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c | 1;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return c + (c & 1);
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  if (c == 0x1E9E) return 0xDF;
  return c;
}

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
    std::size_t length = b < 0x80 ? 1 : b >= 0xF0 && b < 0xF5 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b < 0xE0 ? 2 : 0;
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

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The number of digits (hexadecimal or decimal), at most 7 of them, or -1.
long ParseNumber(std::string_view s, int base) {
  if (s.empty() || s.size() > 7) return -1;
  long value = 0;
  for (char c : s) {
    int d = HexDigit(c);
    if (d < 0 || d >= base) return -1;
    value = value * base + d;
  }
  return value;
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
  // The ranges whose names are a prefix and the code in hexadecimal, with the prefix's words.
  struct Range {
    char32_t first;
    char32_t last;
    std::vector<std::string> words;
  };
  std::vector<Range> ranges;

  std::uint32_t IdOf(const std::string& w) const {
    return static_cast<std::uint32_t>(std::lower_bound(words.begin(), words.end(), w) - words.begin());
  }
};

namespace {

void BuildIndex(UnicodeSearch::Index& x) {
  // The names' words, the other words, the hexadecimal words of names such as
  // "CJK COMPATIBILITY IDEOGRAPH-F900" and the Hangul syllables' names.
  unsigned nameWordCount = detail::NameWordCount();
  std::vector<std::string> nameWords(nameWordCount);
  for (unsigned i = 0; i < nameWordCount; ++i) nameWords[i] = FoldAscii(detail::NameWord(i));
  std::vector<std::string> searchWords;
  searchWords.reserve(kSearchWordCount);
  for (const char* p = kSearchWords; searchWords.size() < kSearchWordCount; p += searchWords.back().size() + 1) {
    searchWords.emplace_back(p);
  }
  std::vector<std::string> all = nameWords;
  all.insert(all.end(), searchWords.begin(), searchWords.end());
  detail::ForEachStoredName([&](char32_t cp, std::span<const NameToken> tokens) {
    for (const NameToken& t : tokens) {
      if (t.word == detail::kHexWord) all.push_back(FoldAscii(CodePointText(cp).substr(2)));
    }
  });
  const detail::ComputedRange* hangul = nullptr;
  for (const detail::ComputedRange& r : detail::ComputedRanges()) {
    if (*r.prefix == '\0') {
      hangul = &r;
      for (char32_t cp = r.first; cp <= r.last; ++cp) all.push_back(FoldAscii(detail::HangulSyllableName(cp)));
    } else {
      std::vector<std::string> prefix = SplitWords(r.prefix);
      all.insert(all.end(), prefix.begin(), prefix.end());
      x.ranges.push_back({r.first, r.last, std::move(prefix)});
    }
  }
  std::sort(all.begin(), all.end());
  all.erase(std::unique(all.begin(), all.end()), all.end());
  x.words = std::move(all);

  // (code point, word id * 2 + name flag) of every word of every character.
  std::vector<std::pair<char32_t, std::uint32_t>> pairs;
  pairs.reserve(300000);
  std::vector<std::uint32_t> nameIds(nameWordCount);
  for (unsigned i = 0; i < nameWordCount; ++i) nameIds[i] = x.IdOf(nameWords[i]);
  detail::ForEachStoredName([&](char32_t cp, std::span<const NameToken> tokens) {
    for (const NameToken& t : tokens) {
      std::uint32_t id = t.word == detail::kHexWord ? x.IdOf(FoldAscii(CodePointText(cp).substr(2)))
                         : t.word < nameWordCount   ? nameIds[t.word]
                                                    : 0;
      pairs.emplace_back(cp, id * 2 + 1);
    }
  });
  if (hangul != nullptr) {
    std::uint32_t hangulWord = x.IdOf("hangul") * 2 + 1;
    std::uint32_t syllableWord = x.IdOf("syllable") * 2 + 1;
    for (char32_t cp = hangul->first; cp <= hangul->last; ++cp) {
      pairs.emplace_back(cp, hangulWord);
      pairs.emplace_back(cp, syllableWord);
      pairs.emplace_back(cp, x.IdOf(FoldAscii(detail::HangulSyllableName(cp))) * 2 + 1);
    }
  }
  std::vector<std::uint32_t> searchIds(searchWords.size());
  for (std::size_t i = 0; i < searchWords.size(); ++i) searchIds[i] = x.IdOf(searchWords[i]);
  // The stream of the other words (see SearchTable.inc).
  std::size_t pos = 0;
  auto read = [&]() -> std::uint32_t {
    if (pos >= sizeof kSearchStream) return 0;
    std::uint32_t b0 = kSearchStream[pos++];
    if (b0 < 0xC0) return b0;
    std::uint32_t b1 = pos < sizeof kSearchStream ? kSearchStream[pos++] : 0;
    if (b0 < 0xF0) return 0xC0 + ((b0 - 0xC0) << 8 | b1);
    std::uint32_t b2 = pos < sizeof kSearchStream ? kSearchStream[pos++] : 0;
    return 0xC0 + 48 * 256 + ((b0 - 0xF0) << 16 | b1 << 8 | b2);
  };
  char32_t cp = 0;
  for (unsigned e = 0; e < kSearchEntryCount; ++e) {
    cp += read();
    std::uint32_t count = read();
    for (std::uint32_t k = 0; k < count; ++k) {
      std::uint32_t w = read();
      if (w < searchIds.size()) pairs.emplace_back(cp, searchIds[w] * 2);
    }
  }
  std::sort(pairs.begin(), pairs.end());
  pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());

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
  x.postingStart.assign(x.words.size() + 1, 0);
  for (std::size_t w = 0; w < x.words.size(); ++w) x.postingStart[w + 1] = x.postingStart[w] + counts[w];
  x.postings.resize(x.entryWords.size());
  std::vector<std::uint32_t> fill(x.postingStart.begin(), x.postingStart.end() - 1);
  for (std::uint32_t e = 0; e + 1 < x.entryStart.size(); ++e) {
    for (std::uint32_t k = x.entryStart[e]; k < x.entryStart[e + 1]; ++k) x.postings[fill[x.entryWords[k] / 2]++] = e;
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

UnicodeSearch::~UnicodeSearch() = default;

const UnicodeSearch& UnicodeSearch::Instance() {
  static const UnicodeSearch search;
  return search;
}

std::vector<char32_t> UnicodeSearch::Find(std::string_view utf8Query,
                                          const std::function<bool(char32_t)>& drawn) const {
  const Index& x = *index_;
  std::string_view query = Trim(utf8Query);
  std::vector<char32_t> found;
  if (query.empty()) return found;

  long code = -1;
  if (ParseCode(query, code)) {
    if (code >= 0 && drawn(static_cast<char32_t>(code))) found.push_back(static_cast<char32_t>(code));
    return found;
  }
  std::vector<char32_t> chars = DecodeUtf8(query);
  if (chars.size() == 1 && chars[0] != 0xFFFD) {
    char32_t c = chars[0];
    if (c >= 0x80) {
      if (drawn(c)) found.push_back(c);
      return found;  // the character itself, alone
    }
    if (!IsWordChar(c)) return found;  // a blank or a punctuation mark of ASCII finds nothing
    if (drawn(c)) found.push_back(c);  // a letter or digit: itself, then the words it begins
  }

  std::vector<std::string> words = SplitWords(query);
  if (words.empty()) return found;

  // Each query word: the id of the equal word (words.size() when none), and the range of ids of
  // the words it begins.
  struct QueryWord {
    std::uint32_t exact, lo, hi;
  };
  std::vector<QueryWord> qs;
  for (const std::string& w : words) {
    auto lo = std::lower_bound(x.words.begin(), x.words.end(), w);
    auto hi = std::partition_point(lo, x.words.end(), [&](const std::string& v) { return v.compare(0, w.size(), w) == 0; });
    std::uint32_t exact = lo != x.words.end() && *lo == w ? static_cast<std::uint32_t>(lo - x.words.begin())
                                                         : static_cast<std::uint32_t>(x.words.size());
    qs.push_back({exact, static_cast<std::uint32_t>(lo - x.words.begin()), static_cast<std::uint32_t>(hi - x.words.begin())});
  }

  // Eight groups: the name's words all and only the query's, whole words of the name, whole words,
  // prefixes; each the page's characters first.
  std::vector<char32_t> groups[8];

  // Candidates: the characters holding a word the rarest query word begins.
  const QueryWord* rarest = &qs[0];
  for (const QueryWord& q : qs) {
    if (x.postingStart[q.hi] - x.postingStart[q.lo] < x.postingStart[rarest->hi] - x.postingStart[rarest->lo]) rarest = &q;
  }
  std::vector<std::uint8_t> candidate(x.cps.size(), 0);
  for (std::uint32_t k = x.postingStart[rarest->lo]; k < x.postingStart[rarest->hi]; ++k) candidate[x.postings[k]] = 1;
  for (std::uint32_t e = 0; e < candidate.size(); ++e) {
    if (!candidate[e]) continue;
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
    if (!drawn(x.cps[e])) continue;
    groups[level * 2 + (Windows1252Byte(x.cps[e]) < 0 ? 1 : 0)].push_back(x.cps[e]);
  }

  // The computed ranges: every query word a word of the prefix, or the code in hexadecimal.
  for (const Index::Range& r : x.ranges) {
    int level = 1;
    long pinned = -1;
    for (std::size_t i = 0; i < words.size() && level < 4; ++i) {
      int best = 4;
      for (const std::string& w : r.words) {
        if (w == words[i]) best = 1;
        else if (w.compare(0, words[i].size(), words[i]) == 0) best = std::min(best, 3);
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
    std::vector<char32_t>& group = groups[level * 2 + 1];
    std::size_t before = group.size();
    char32_t first = pinned >= 0 ? static_cast<char32_t>(pinned) : r.first;
    char32_t last = pinned >= 0 ? static_cast<char32_t>(pinned) : r.last;
    for (char32_t c = first; c <= last; ++c) {
      if (drawn(c)) group.push_back(c);
    }
    std::inplace_merge(group.begin(), group.begin() + static_cast<std::ptrdiff_t>(before), group.end());
  }

  // The page's characters in the page's order.
  for (int g = 0; g < 8; g += 2) {
    std::sort(groups[g].begin(), groups[g].end(),
              [](char32_t a, char32_t b) { return Windows1252Byte(a) < Windows1252Byte(b); });
  }
  std::vector<bool> seen(0x110000, false);
  for (char32_t c : found) seen[c] = true;
  for (const auto& group : groups) {
    for (char32_t c : group) {
      if (c < seen.size() && !seen[c]) {
        seen[c] = true;
        found.push_back(c);
      }
    }
  }
  return found;
}

}  // namespace tessarin::unicode
