// Matching and ranking the grid's characters against a find query.
#include "core/unicode/CharSearch.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string>

#include "core/unicode/CharDescriptions.h"
#include "core/unicode/CharNames.h"
#include "core/Ascii.h"
#include "core/unicode/UnicodeText.h"

namespace tessarin {
namespace {

constexpr int kFirst = 32, kLast = 255;

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return ui::AsciiUpper(x) == ui::AsciiUpper(y);
         });
}

bool StartsNoCase(std::string_view word, std::string_view prefix) {
  return prefix.size() <= word.size() && EqualNoCase(word.substr(0, prefix.size()), prefix);
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '-')) ++i;
    size_t end = i;
    while (end < text.size() && text[end] != ' ' && text[end] != '\t' && text[end] != '-') ++end;
    if (end > i) words.push_back(text.substr(i, end - i));
    i = end;
  }
  return words;
}

// Blanks, hyphens and the other punctuation of the code page (the characters Unicode
// counts as punctuation or spaces, the soft hyphen with them): a query of these alone
// names no character. The currency, mathematical and other symbols are no punctuation.
bool IsPunctuationOrBlank(unsigned char c) {
  if (c == '\t' || c == ' ') return true;
  if (c < 0x80)
    return std::string_view("!\"#%&'()*,-./:;?@[\\]_{}").find(static_cast<char>(c)) != std::string_view::npos;
  // ‚ „ … † ‡ ‰ ‹ ‘ ’ “ ” • – — › no-break space ¡ § « soft hyphen ¶ · » ¿
  constexpr unsigned char kHigh[] = {0x82, 0x84, 0x85, 0x86, 0x87, 0x89, 0x8B, 0x91, 0x92, 0x93, 0x94, 0x95,
                                     0x96, 0x97, 0x9B, 0xA0, 0xA1, 0xA7, 0xAB, 0xAD, 0xB6, 0xB7, 0xBB, 0xBF};
  return std::find(std::begin(kHigh), std::end(kHigh), c) != std::end(kHigh);
}

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The code a query names as a number ("#0128", "0128", "128"); -1 when it names none
// in the grid.
int CodeOfNumber(std::string_view query) {
  if (!query.empty() && query.front() == '#') query.remove_prefix(1);
  if (query.empty() || query.size() > 4) return -1;
  // A "-" reads as a sign, and any negative value lies outside the grid.
  int value = 0;
  const auto [end, error] = std::from_chars(query.data(), query.data() + query.size(), value);
  if (error != std::errc{} || end != query.data() + query.size()) return -1;
  return value >= kFirst && value <= kLast ? value : -1;
}

// The entity's name without "&" and ";" ("auml"); empty for characters that stand for
// themselves.
std::string EntityName(unsigned char code) {
  const std::string entity = EntityText(code);
  if (entity.size() < 3 || entity.front() != '&' || entity.back() != ';') return {};
  return entity.substr(1, entity.size() - 2);
}

// How many query words equal a whole word of the name or the entity name; -1 when one
// of them matches neither way.
int NameScore(unsigned char code, const std::vector<std::string_view>& query) {
  const std::string name = CharName(code);
  const std::vector<std::string_view> nameWords = Words(name);
  const std::string entity = EntityName(code);
  int whole = 0;
  for (std::string_view word : query) {
    bool begins = false, equals = false;
    for (std::string_view nameWord : nameWords) {
      if (!StartsNoCase(nameWord, word)) continue;
      begins = true;
      equals = equals || nameWord.size() == word.size();
    }
    // "&auml" and "auml;" name the entity too.
    std::string_view bare = word;
    if (!bare.empty() && bare.front() == '&') bare.remove_prefix(1);
    if (!bare.empty() && bare.back() == ';') bare.remove_suffix(1);
    if (!entity.empty() && EqualNoCase(bare, entity)) begins = equals = true;
    if (!begins) return -1;
    whole += equals ? 1 : 0;
  }
  return whole;
}

}  // namespace

std::vector<unsigned char> FindPageForms(std::string_view rawQuery) {
  const std::string_view query = Trimmed(rawQuery);
  std::vector<unsigned char> found;
  auto add = [&found](int code) {
    const auto c = static_cast<unsigned char>(code);
    if (std::find(found.begin(), found.end(), c) == found.end()) found.push_back(c);
  };
  if (const int code = CodeOfNumber(query); code >= 0) add(code);
  // One character is itself, punctuation included: a lone "@" or "," is what the user wants
  // to know about.
  if (query.size() == 1 && static_cast<unsigned char>(query.front()) >= kFirst)
    add(static_cast<unsigned char>(query.front()));
  if (IsEntityForm(query)) {
    for (int code = kFirst; code <= kLast; ++code)
      if (EntityText(static_cast<unsigned char>(code)) == query) add(code);
  }
  return found;
}

bool IsEntityForm(std::string_view query) {
  query = Trimmed(query);
  return query.size() > 2 && query.front() == '&' && query.back() == ';';
}

std::vector<unsigned char> FindChars(std::string_view rawQuery, std::span<const char32_t> recent) {
  const std::string_view query = Trimmed(rawQuery);
  std::vector<unsigned char> found = FindPageForms(query);
  if (IsEntityForm(query)) return found;
  // Two or more characters without a letter, digit or symbol name nothing ("--" would
  // otherwise name every character: no word left to fail).
  if (std::all_of(query.begin(), query.end(),
                  [](char c) { return IsPunctuationOrBlank(static_cast<unsigned char>(c)); }))
    return found;
  auto add = [&found](int code) {
    const auto c = static_cast<unsigned char>(code);
    if (std::find(found.begin(), found.end(), c) == found.end()) found.push_back(c);
  };
  const std::vector<std::string_view> words = Words(query);
  std::vector<std::pair<int, int>> scored;  // (whole words, code)
  for (int code = kFirst; code <= kLast; ++code) {
    const int score = NameScore(static_cast<unsigned char>(code), words);
    if (score >= 0) scored.emplace_back(score, code);
  }
  // A character not used recently ranks after every one that was.
  auto recency = [&recent](int code) {
    const char32_t cp = unicode::FromWindows1252(static_cast<unsigned char>(code));
    return std::find(recent.begin(), recent.end(), cp) - recent.begin();
  };
  std::stable_sort(scored.begin(), scored.end(), [&](auto& a, auto& b) {
    return a.first != b.first ? a.first > b.first : recency(a.second) < recency(b.second);
  });
  for (auto [score, code] : scored) add(code);
  return found;
}

std::optional<std::string> PageText(std::u32string_view query) {
  std::string text;
  for (char32_t cp : query) {
    // A tab is a blank of the query as on the page's side.
    const int byte = cp == U'\t' ? '\t' : unicode::Windows1252Byte(cp);
    if (byte < 0) return std::nullopt;
    text += static_cast<char>(byte);
  }
  return text;
}

std::vector<char32_t> MergeMatches(const std::vector<unsigned char>& pageForms,
                                   const std::vector<char32_t>& beyond) {
  std::vector<char32_t> merged;
  merged.reserve(pageForms.size() + beyond.size());
  for (unsigned char code : pageForms) merged.push_back(unicode::FromWindows1252(code));
  const size_t forms = merged.size();
  for (char32_t cp : beyond)
    if (std::find(merged.begin(), merged.begin() + static_cast<std::ptrdiff_t>(forms), cp) ==
        merged.begin() + static_cast<std::ptrdiff_t>(forms))
      merged.push_back(cp);
  return merged;
}

}  // namespace tessarin
