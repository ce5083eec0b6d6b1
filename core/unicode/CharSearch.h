// Finding characters of the grid by a typed query: a name, a code, an entity or the
// character itself.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

// The codes 32..255 that a query matches, best first, each once:
//  - a code, as the code label shows it or bare ("#0128", "0128", "128"), first;
//  - then the character itself when the query is one character ("é", "@", ",");
//  - an entity typed whole ("&auml;") matches that entity alone, with its case;
//  - otherwise by name: every word of the query (split at blanks and hyphens, any case)
//    begins a word of the character's Unicode name or is its entity name ("auml"). More
//    query words equal to a whole word rank first, then grid order, so "a grave" gives
//    À, à, then the grave accent.
// An empty query, or two or more blanks, hyphens and other punctuation ("--", "- -",
// "..."), matches nothing; a symbol ("$", "+", "€") is found as itself.
// Among matches of equal rank by name, the recently used characters (code points, most
// recent first) come first, the most recent first.
std::vector<unsigned char> FindChars(std::string_view query, std::span<const char32_t> recent = {});

// The page's own forms of a query, the first part of FindChars: its code, the character
// itself, an entity typed whole.
std::vector<unsigned char> FindPageForms(std::string_view query);
// Whether a query is an entity typed whole ("&auml;", "&#127;").
bool IsEntityForm(std::string_view query);

// A query's text in Windows-1252 when the page has each of its characters; none when one
// lies beyond it (a Cyrillic letter is no byte of the page, whatever the system's code page).
std::optional<std::string> PageText(std::u32string_view query);

// The matches of a query over the page and all of Unicode together, as code points, best
// first, each once: the page's own forms of the query, then the search over all of Unicode
// (`beyond`, best first, the page's characters ranked within it).
std::vector<char32_t> MergeMatches(const std::vector<unsigned char>& pageForms,
                                   const std::vector<char32_t>& beyond);

}  // namespace tessarin
