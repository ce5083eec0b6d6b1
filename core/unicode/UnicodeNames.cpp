// The character names: decoded from the word list and word indexes of NameTable.inc, or computed.
#include "core/unicode/UnicodeNames.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <vector>

#include "core/unicode/NameData.h"

namespace tessarin::unicode {

namespace detail {
#include "core/unicode/NameTable.inc"
}  // namespace detail

namespace detail {

namespace {

// Where each name word starts in kNameWords, and the first name ordinal of each run: made on the
// first call, so that nothing of the table is touched before a name is asked for.
struct Offsets {
  std::string words;
  std::vector<unsigned> wordStart;
  std::vector<unsigned> runOrdinal;

  Offsets() {
    DecodeFrontCoded(kNameWords, sizeof kNameWords, kNameWordCount, words, wordStart);
    runOrdinal.reserve(kNameRunCount);
    unsigned ordinal = 0;
    for (unsigned i = 0; i < kNameRunCount; ++i) {
      runOrdinal.push_back(ordinal);
      ordinal += kNameRunLength[i];
    }
  }
};

const Offsets& TheOffsets() {
  static const Offsets offsets;
  return offsets;
}

// Decodes the next name at pos into tokens, keeping the words it shares with the one before.
void DecodeName(std::size_t& pos, std::vector<NameToken>& tokens) {
  constexpr std::size_t size = sizeof kNameStream;
  unsigned shared = pos < size ? kNameStream[pos++] : 0;
  tokens.resize(std::min<std::size_t>(shared, tokens.size()));
  while (pos < size) {
    unsigned v = detail::ReadVarint(kNameStream, size, pos);
    tokens.push_back({v / 3, v % 3});
    if (v % 3 == 2) break;
  }
}

const char* const kHangulL[] = {"G", "GG", "N", "D", "DD", "R", "M", "B", "BB", "S",
                                "SS", "", "J", "JJ", "C", "K", "T", "P", "H"};
const char* const kHangulV[] = {"A",  "AE", "YA", "YAE", "EO", "E",  "YEO", "YE", "O",  "WA", "WAE",
                                "OE", "YO", "U",  "WEO", "WE", "WI", "YU",  "EU", "YI", "I"};
const char* const kHangulT[] = {"",  "G",  "GG", "GS", "N",  "NJ", "NH", "D", "L", "LG",
                                "LM", "LB", "LS", "LT", "LP", "LH", "M",  "B", "BS", "S",
                                "SS", "NG", "J",  "C",  "K",  "T",  "P",  "H"};
constexpr char32_t kHangulFirst = 0xAC00;
constexpr unsigned kHangulCount = 19 * 21 * 28;

std::string Hex(char32_t cp) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(cp));
  return text;
}

}  // namespace

void DecodeFrontCoded(const char* data, std::size_t size, unsigned count, std::string& text,
                      std::vector<unsigned>& starts) {
  starts.reserve(count + 1);
  std::size_t pos = 0, previous = 0, previousLength = 0;
  for (unsigned i = 0; i < count; ++i) {
    std::size_t shared = pos < size ? static_cast<unsigned char>(data[pos++]) : 1;
    shared = std::min(shared - std::min<std::size_t>(shared, 1), previousLength);
    std::size_t start = text.size();
    starts.push_back(static_cast<unsigned>(start));
    text.resize(start + shared);  // then the shared prefix, copied inside the (new) buffer
    std::copy_n(text.begin() + static_cast<std::ptrdiff_t>(previous), shared, text.begin() + static_cast<std::ptrdiff_t>(start));
    while (pos < size && data[pos] != '\0') text += data[pos++];
    ++pos;
    previous = start;
    previousLength = text.size() - start;
  }
  starts.push_back(static_cast<unsigned>(text.size()));
}

std::string_view NameWord(unsigned index) {
  if (index == kHexWord || index >= kNameWordCount) return {};
  const Offsets& o = TheOffsets();
  return std::string_view(o.words.data() + o.wordStart[index], o.wordStart[index + 1] - o.wordStart[index]);
}

unsigned NameWordCount() { return kNameWordCount; }

void ForEachStoredName(const std::function<void(char32_t, std::span<const NameToken>)>& f) {
  std::vector<NameToken> tokens;
  std::size_t pos = 0;
  for (unsigned run = 0; run < kNameRunCount; ++run) {
    for (unsigned i = 0; i < kNameRunLength[run]; ++i) {
      DecodeName(pos, tokens);
      f(kNameRunFirst[run] + i, tokens);
    }
  }
}

std::span<const ComputedRange> ComputedRanges() { return kComputedRanges; }

std::string HangulSyllableName(char32_t cp) {
  if (cp < kHangulFirst || cp >= kHangulFirst + kHangulCount) return {};
  unsigned s = cp - kHangulFirst;
  return std::string(kHangulL[s / (21 * 28)]) + kHangulV[s / 28 % 21] + kHangulT[s % 28];
}

}  // namespace detail

std::string CharName(char32_t cp) {
  using namespace detail;
  for (const ComputedRange& r : kComputedRanges) {
    if (cp < r.first || cp > r.last) continue;
    if (*r.prefix == '\0') return "HANGUL SYLLABLE " + HangulSyllableName(cp);
    return r.prefix + Hex(cp);
  }
  const char32_t* end = kNameRunFirst + kNameRunCount;
  const char32_t* run = std::upper_bound(kNameRunFirst, end, cp);
  if (run == kNameRunFirst) return {};
  --run;
  auto r = static_cast<std::size_t>(run - kNameRunFirst);
  if (cp - *run >= kNameRunLength[r]) return {};
  unsigned ordinal = TheOffsets().runOrdinal[r] + (cp - *run);

  std::vector<NameToken> tokens;
  std::size_t pos = kNameCheckpoints[ordinal / kNameCheckpoint];
  for (unsigned n = ordinal / kNameCheckpoint * kNameCheckpoint; n <= ordinal; ++n) DecodeName(pos, tokens);

  std::string name;
  for (const NameToken& t : tokens) {
    if (t.word == kHexWord) {
      name += Hex(cp);
    } else {
      name += NameWord(t.word);
    }
    if (t.sep == 0) name += ' ';
    if (t.sep == 1) name += '-';
  }
  return name;
}

}  // namespace tessarin::unicode
