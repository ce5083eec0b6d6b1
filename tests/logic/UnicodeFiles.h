// Reading the Unicode Character Database files of the unicode-data package in a test, so that
// expected values come from the files themselves and never from the generated tables.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace unicode_files {

// The folder of the files; a Windows build reads it through Wine's drive of the root folder.
inline std::string Path(const std::string& name) {
#ifdef _WIN32
  return "Z:/usr/share/unicode/" + name;
#else
  return "/usr/share/unicode/" + name;
#endif
}

// The lines of a file, without comments ("# ...") and blank lines; fails the test when the file
// is missing.
inline std::vector<std::string> DataLines(const std::string& name) {
  std::ifstream in(Path(name), std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read " << Path(name) << " (package unicode-data)";
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

inline std::vector<std::string> Fields(const std::string& line, char separator = ';') {
  std::vector<std::string> fields;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, separator)) {
    std::size_t a = field.find_first_not_of(' ');
    std::size_t b = field.find_last_not_of(' ');
    fields.push_back(a == std::string::npos ? "" : field.substr(a, b - a + 1));
  }
  return fields;
}

inline char32_t Hex(const std::string& s) { return static_cast<char32_t>(std::stoul(s, nullptr, 16)); }

}  // namespace unicode_files
