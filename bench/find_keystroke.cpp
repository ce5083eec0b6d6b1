// One keystroke in the find field of the real main window: from its WM_CHAR to the grid, the
// labels and the name line updated and painted, with the font's own predicate of what it draws.
//
//   bench_find_keystroke.exe [PATH\Tessarin.exe] [ROUNDS] [FONT]   (ROUNDS defaults to 5)
//
// The main form is made and shown as the program shows it, its find field opened; then every
// query of a set (single letters, English words, German keywords, codes, queries without a match)
// is typed a character at a time. A keystroke is posted to the field as the keyboard's WM_CHAR and
// timed until the program's message loop has nothing left to handle: the search over the page and
// all of Unicode, the selection (with a switch of view where the match asks for one), the labels,
// the name line and every repaint that follows. Each keystroke's time is the median of its rounds;
// the headlines are the median and the slowest keystroke against the budget of 5 ms. The share
// spent in the search itself is given beside them. The first argument (the program's path, which
// scripts/bench.sh passes to every benchmark) is not used: the form is the same code the program
// links.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchForm.h"
#include "bench/Timing.h"
#include "core/unicode/UnicodeSearch.h"

namespace {

constexpr int kDefaultRounds = 5;
constexpr double kBudgetMs = 5.0;

// Windows-1252 texts, typed as the keyboard of a system of that code page types them.
const char* const kQueries[] = {
    // single letters (the most matches: "c" begins every CJK ideograph's name)
    "a",
    "c",
    "e",
    "q",
    "x",
    "z",
    // words
    "rightwards arrow",
    "grinning face",
    "greek small letter alpha",
    "box drawings light horizontal",
    "check mark",
    "euro",
    "pi",
    "mu",
    "heart",
    "snowman",
    "infinity",
    "degree sign",
    "a grave",
    // German keywords
    "Pfeil nach rechts",
    "grinsendes Gesicht",
    "\xFC"
    "berstrich",  // überstrich
    "Herz",
    "Schneemann",
    "Unendlich",
    "Gradzeichen",
    // codes
    "U+1F600",
    "&#8594;",
    "2192",
    "00e9",
    "1f600",
    "128",
    "#0128",
    "&auml;",
    "65",
    "&rarr;",
    // no match
    "xyzzy",
    "qqqq",
    "--",
    "..",
    "zzzzzz",
};

struct Keystroke {
  std::string query;  // the text after the key
  std::vector<double> ms, searchMs;
  size_t found = 0;
  bool switches = false;  // the match it shows lies in the other view than the one before
};

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : kDefaultRounds;
  int errors = 0;
  auto form = bench::ShownMainForm(errors);
  ui::Application& app = ui::Application::Instance();
  if (argc > 3) {
    form->fontBox.SetFontName(argv[3]);
    if (form->fontBox.FontName() != argv[3]) {
      std::printf("font %s is not installed\n", argv[3]);
      return 1;
    }
    app.ProcessMessages();
  }
  // The index is built on the first Ctrl+F, as in the program.
  const double buildMs = 1000 * bench::Seconds([] { tessarin::unicode::UnicodeSearch::Instance(); });
  tessarin::FindField& field = form->findField;
  field.Open(form->grid.BoundsRect());
  app.ProcessMessages();

  // The search's share: the form's own search, timed where it is called.
  double searchMs = 0;
  const auto search = field.FindBeyond;
  field.FindBeyond = [&](const std::string& query) {
    std::vector<char32_t> found;
    searchMs += 1000 * bench::Seconds([&] { found = search(query); });
    return found;
  };

  std::vector<Keystroke> keys;
  for (const char* q : kQueries)
    for (size_t n = 1; n <= std::string(q).size(); ++n) keys.push_back({std::string(q, n), {}, {}, 0});
  for (int round = 0; round <= rounds; ++round) {
    for (Keystroke& k : keys) {
      if (k.query.size() == 1) {
        // A new query: the field emptied, as a user selects its text and types over it.
        field.SetText("");
        app.ProcessMessages();
      }
      searchMs = 0;
      const bool before = form->InUnicodeView();
      const double ms =
          1000 * bench::Seconds([&] {
            PostMessageA(field.Handle(), WM_CHAR, static_cast<unsigned char>(k.query.back()), 1);
            app.ProcessMessages();
          });
      if (field.Text() != k.query) {
        std::printf("the field reads \"%s\" where \"%s\" was typed\n", field.Text().c_str(), k.query.c_str());
        return 1;
      }
      k.found = field.Matches().size();
      k.switches = form->InUnicodeView() != before;
      if (round > 0) {  // round 0 warms up: fonts, glyphs and tables read once
        k.ms.push_back(ms);
        k.searchMs.push_back(searchMs);
      }
    }
  }

  std::vector<double> medians, searchMedians;
  const Keystroke* slowest = &keys[0];
  for (const Keystroke& k : keys) {
    medians.push_back(bench::Median(k.ms));
    searchMedians.push_back(bench::Median(k.searchMs));
    if (bench::Median(k.ms) > bench::Median(slowest->ms)) slowest = &k;
  }
  std::vector<double> sorted = medians;
  std::sort(sorted.begin(), sorted.end());
  const double p95 = sorted[std::min(sorted.size() - 1, sorted.size() * 95 / 100)];
  const double median = bench::Median(medians);
  std::printf("index build on the first Ctrl+F: %.1f ms\n", buildMs);
  std::printf("%zu keystrokes of %zu queries, %d rounds, font %s\n", keys.size(),
              sizeof kQueries / sizeof *kQueries, rounds, form->grid.GetFont().Name().c_str());
  // The ten slowest, with what they found and the search's part of them.
  std::vector<size_t> order(keys.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return medians[a] > medians[b]; });
  for (size_t i = 0; i < std::min<size_t>(10, order.size()); ++i) {
    const Keystroke& k = keys[order[i]];
    std::printf("  %-24s %7.2f ms (%.2f of the budget), search %6.2f ms, %6zu found\n",
                ("\"" + k.query + "\"").c_str(), medians[order[i]], medians[order[i]] / kBudgetMs,
                searchMedians[order[i]], k.found);
  }
  std::printf("keystroke median %.2f ms: %.2f of the 5 ms budget; 95th percentile %.2f ms: %.2f\n", median,
              median / kBudgetMs, p95, p95 / kBudgetMs);
  std::printf("slowest keystroke \"%s\": %.2f ms, %.2f of the 5 ms budget (search %.2f ms of it)\n",
              slowest->query.c_str(), bench::Median(slowest->ms), bench::Median(slowest->ms) / kBudgetMs,
              bench::Median(slowest->searchMs));
  std::printf("median share of the search in a keystroke: %.2f\n",
              bench::Median(searchMedians) / std::max(1e-9, median));
  // The keystrokes that keep the view, and those whose match lies in the other one.
  for (bool switching : {false, true}) {
    std::vector<double> these;
    for (size_t i = 0; i < keys.size(); ++i)
      if (keys[i].switches == switching) these.push_back(medians[i]);
    if (these.empty()) continue;
    std::printf("%zu keystrokes %s: median %.2f ms (%.2f), slowest %.2f ms (%.2f)\n", these.size(),
                switching ? "that switch between the page and the Unicode view" : "that keep the view",
                bench::Median(these), bench::Median(these) / kBudgetMs,
                *std::max_element(these.begin(), these.end()),
                *std::max_element(these.begin(), these.end()) / kBudgetMs);
  }
  // The grid's own part of a switch: its view changed, its scroll bar shown or hidden, all drawn.
  field.Close();
  app.ProcessMessages();
  std::vector<double> toUnicode, toPage;
  tessarin::CharGrid& grid = form->grid;
  for (int round = 0; round < 2 * rounds + 1; ++round) {
    const bool on = !grid.UnicodeView();
    const double ms = 1000 * bench::Seconds([&] {
                        grid.SetUnicodeView(on);
                        app.ProcessMessages();
                      });
    if (round > 0) (on ? toUnicode : toPage).push_back(ms);
  }
  if (grid.UnicodeView()) grid.SetUnicodeView(false);
  app.ProcessMessages();
  std::printf(
      "the grid alone switching to the Unicode view and drawing it: %.2f ms (%.2f); back to the page: %.2f "
      "ms (%.2f)\n",
      bench::Median(toUnicode), bench::Median(toUnicode) / kBudgetMs, bench::Median(toPage),
      bench::Median(toPage) / kBudgetMs);
  return errors == 0 ? 0 : 1;
}
