// Finding characters of the grid by a typed query: a name, a code, an entity or the
// character itself.
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace tessarin {

// The codes 32..255 that a query matches, best first, each once:
//  - a code, as the code label shows it or bare ("#0128", "0128", "128"), first;
//  - then the character itself when the query is one character ("é");
//  - an entity typed whole ("&auml;") matches that entity alone, with its case;
//  - otherwise by name: every word of the query (split at blanks and hyphens, any case)
//    begins a word of the character's Unicode name or is its entity name ("auml"). More
//    query words equal to a whole word rank first, then grid order, so "a grave" gives
//    À, à, then the grave accent.
// An empty query, or one of blanks, hyphens and other punctuation alone ("-", "- -",
// "..."), matches nothing; a symbol ("$", "+", "€") is found as itself.
// Among matches of equal rank by name, the recently used characters (code points, most
// recent first) come first, the most recent first.
std::vector<unsigned char> FindChars(std::string_view query, std::span<const char32_t> recent = {});

}  // namespace tessarin
