// Upper- and lower-casing by ASCII rules, free of the platform and of the locale.
#pragma once
#include <string>

namespace ui {

// Only "a" to "z" and "A" to "Z" change; every other byte (the accented letters of the
// code page included) stays as it is.
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string AsciiLowerCase(std::string text) {
  for (char& c : text) c = AsciiLower(c);
  return text;
}

}  // namespace ui
