// The HTML text every character code must give, built from the public tables (the HTML 4
// entity names of Windows-1252) and the program's few deliberate departures from them:
// the test's own table, independent of the program's descriptions. Platform-free.
#pragma once
#include <array>
#include <string>

namespace testing_support {

namespace entities {
#include "tests/logic/data/CharReference.inc"
}  // namespace entities

// Where the program departs from the public tables, on purpose.
inline constexpr int kNumericDespiteHtml4Name[] = {130, 131, 136};  // ‚ ƒ ˆ: sbquo fnof circ
inline constexpr int kDiaeresis = 168;                              // ¨: "&die;", not "&uml;"

inline std::string NumericEntity(int code) { return "&#" + std::to_string(code) + ";"; }

// The expected entity text of each code 0..255: the character itself below 127 unless
// HTML 4 names it, the numeric form where nothing names it.
inline std::array<std::string, 256> ExpectedEntityTexts() {
  std::array<std::string, 256> expected;
  for (int code = 0; code < 256; ++code)
    expected[code] = code < 127 ? std::string(1, static_cast<char>(code)) : NumericEntity(code);
  for (auto [code, name] : entities::kHtml4EntityNames) expected[code] = "&" + std::string(name) + ";";
  for (int code : kNumericDespiteHtml4Name) expected[code] = NumericEntity(code);
  expected[kDiaeresis] = "&die;";
  return expected;
}

}  // namespace testing_support
