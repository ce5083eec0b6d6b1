// One keystroke in the find field over all of Unicode, and the building of the search index.
//
//   bench_unicode_search.exe [PATH\Tessarin.exe] [ROUNDS]     (ROUNDS defaults to 9)
//
// The index is built once, as the first Ctrl+F does it, and timed. Then every query of a set
// is typed a character at a time: each keystroke is one Find over all names, aliases, keywords
// and entity names, with every character counted as drawn (a font that draws all of Unicode,
// the most work a keystroke can have). Each keystroke's time is the median of its rounds; the
// headlines are the median and the slowest keystroke against the budget of 5 ms per keystroke; the
// slowest one's fastest round shows what is left of it on a machine that others keep busy.
// The first argument (the program's path, which scripts/bench.sh passes to every benchmark) is
// not used: the search is the same code the program links.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/unicode/UnicodeNames.h"
#include "core/unicode/UnicodeSearch.h"

namespace {

constexpr int kDefaultRounds = 9;
constexpr double kBudgetMs = 5.0;

const char* const kQueries[] = {
    "rightwards arrow", "grinning face", "Pfeil nach rechts", "greek small letter alpha",
    "box drawings light horizontal", "check mark", "euro", "U+1F600", "&#8594;", "hangul syllable gag",
    "cjk unified ideograph 4e00", "\xC3\xBC" "berstrich",  // überstrich
};

double Ms(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::size_t m = values.size() / 2;
  return values.size() % 2 ? values[m] : (values[m - 1] + values[m]) / 2;
}

// The length of the first n characters of a UTF-8 text.
std::size_t Utf8Prefix(const std::string& s, std::size_t n) {
  std::size_t i = 0;
  for (std::size_t k = 0; k < n && i < s.size(); ++k) {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
  }
  return i;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : kDefaultRounds;
  using Clock = std::chrono::steady_clock;
  auto all = [](char32_t) { return true; };

  Clock::time_point t0 = Clock::now();
  std::string name = tessarin::unicode::CharName(0x2192);
  Clock::time_point t1 = Clock::now();
  const tessarin::unicode::UnicodeSearch& search = tessarin::unicode::UnicodeSearch::Instance();
  Clock::time_point t2 = Clock::now();
  std::printf("first name (%s): %.2f ms; index build (first Ctrl+F): %.2f ms\n", name.c_str(), Ms(t1 - t0),
              Ms(t2 - t1));

  struct Keystroke {
    std::string query;
    std::size_t found;
    std::vector<double> ms;
  };
  std::vector<Keystroke> keys;
  for (const char* q : kQueries) {
    std::string query = q;
    for (std::size_t n = 1; Utf8Prefix(query, n - 1) < query.size(); ++n) {
      keys.push_back({query.substr(0, Utf8Prefix(query, n)), 0, {}});
    }
  }
  for (int round = 0; round <= rounds; ++round) {
    for (Keystroke& k : keys) {
      Clock::time_point from = Clock::now();
      std::vector<char32_t> found = search.Find(k.query, all);
      Clock::time_point to = Clock::now();
      k.found = found.size();
      if (round > 0) k.ms.push_back(Ms(to - from));  // round 0 warms up
    }
  }
  std::vector<double> medians;
  const Keystroke* slowest = &keys[0];
  for (const Keystroke& k : keys) {
    medians.push_back(Median(k.ms));
    if (Median(k.ms) > Median(slowest->ms)) slowest = &k;
  }
  std::vector<double> sorted = medians;
  std::sort(sorted.begin(), sorted.end());
  double p95 = sorted[std::min(sorted.size() - 1, sorted.size() * 95 / 100)];
  std::printf("%zu keystrokes of %zu queries, %d rounds, every character drawn\n", keys.size(),
              sizeof kQueries / sizeof *kQueries, rounds);
  for (const char* q : {"r", "ri", "rightwards", "rightwards arrow", "g", "grinning face", "P", "Pfeil nach rechts"}) {
    for (const Keystroke& k : keys) {
      if (k.query == q) {
        std::printf("  %-22s %8.3f ms  %6zu found\n", ("\"" + k.query + "\"").c_str(), Median(k.ms), k.found);
        break;
      }
    }
  }
  std::printf("keystroke median %.3f ms (%.3f of the 5 ms budget), 95th percentile %.3f ms (%.3f)\n",
              Median(medians), Median(medians) / kBudgetMs, p95, p95 / kBudgetMs);
  double fastest = *std::min_element(slowest->ms.begin(), slowest->ms.end());
  std::printf("slowest keystroke \"%s\" (%zu found): %.3f ms, %.3f of the 5 ms budget (its fastest round %.3f ms, %.3f)\n",
              slowest->query.c_str(), slowest->found, Median(slowest->ms), Median(slowest->ms) / kBudgetMs, fastest,
              fastest / kBudgetMs);
  return 0;
}
