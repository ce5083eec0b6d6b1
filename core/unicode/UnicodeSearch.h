// Finding characters of all of Unicode by name, alias, keyword, entity or code.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace tessarin::unicode {

class UnicodeSearch {
 public:
  // The one search index, built the first time it is asked for (the first Ctrl+F), never at
  // start-up.
  static const UnicodeSearch& Instance();

  // The code points a UTF-8 query matches, best first, each once, only those for which drawn(cp) is
  // true:
  //  - a code ("U+2192", "u+2192", "&#8594;", "&#x2192;") or the character itself (one character that
  //    is not a letter or digit of ASCII, punctuation included): that one alone;
  //  - a bare hexadecimal code of four to six digits ("2192", "1f600"): that one first when it holds a
  //    decimal digit, else (a word such as "face") after what its words find;
  //  - else by words (split at blanks, hyphens and other punctuation; any case, German umlauts too):
  //    characters whose name holds every query word as a whole word first, then those whose name,
  //    aliases, keywords (English and German) and HTML entity name hold every word whole, then those
  //    where every query word begins one of those words;
  //  - within each class, the characters of the Windows-1252 page first, then code-point order.
  // A query of two or more characters with no letter or digit ("--", "- -") matches nothing.
  // The recently used characters (most recent first) come first among the matches of their
  // class, the page's characters and the others alike, the most recent first.
  std::vector<char32_t> Find(std::string_view utf8Query, const std::function<bool(char32_t)>& drawn,
                             std::span<const char32_t> recent = {}) const;
  // The same ranking over every named character of Unicode, drawn or not: within each class the
  // page's characters, then the others that drawn(cp) holds, then those it does not, each in
  // code-point order. A code typed as such finds a character that Unicode names even when it is
  // not drawn.
  std::vector<char32_t> FindAll(std::string_view utf8Query, const std::function<bool(char32_t)>& drawn,
                                std::span<const char32_t> recent = {}) const;

  ~UnicodeSearch();
  UnicodeSearch(const UnicodeSearch&) = delete;
  UnicodeSearch& operator=(const UnicodeSearch&) = delete;

  struct Index;

 private:
  UnicodeSearch();
  std::vector<char32_t> Search(std::string_view utf8Query, const std::function<bool(char32_t)>& drawn,
                               bool undrawnToo, std::span<const char32_t> recent) const;
  std::unique_ptr<Index> index_;
};

}  // namespace tessarin::unicode
