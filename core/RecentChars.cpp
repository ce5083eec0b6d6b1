// The list of recently used characters and its settings value.
#include "core/RecentChars.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace tessarin {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// One entry's code point, or 0 when it names no character the list holds.
char32_t ParseEntry(std::string_view entry) {
  while (!entry.empty() && IsBlank(entry.front())) entry.remove_prefix(1);
  while (!entry.empty() && IsBlank(entry.back())) entry.remove_suffix(1);
  // Leading zeros are fine; more digits than that can only be beyond Unicode.
  if (entry.empty() || entry.size() > 8) return 0;
  // An unsigned read takes no sign, and eight digits always fit.
  std::uint32_t cp = 0;
  const auto [end, error] = std::from_chars(entry.data(), entry.data() + entry.size(), cp, 16);
  if (error != std::errc{} || end != entry.data() + entry.size()) return 0;
  return IsRecentChar(cp) ? cp : 0;
}

}  // namespace

bool IsRecentChar(char32_t cp) { return cp >= 0x20 && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF); }

bool RecentChars::Use(char32_t cp) {
  if (!IsRecentChar(cp)) return false;
  const auto it = std::find(chars_.begin(), chars_.end(), cp);
  if (it == chars_.begin() && it != chars_.end()) return false;
  if (it != chars_.end()) {
    std::rotate(chars_.begin(), it, it + 1);
    return true;
  }
  if (chars_.size() == kCapacity) chars_.pop_back();
  chars_.insert(chars_.begin(), cp);
  return true;
}

void RecentChars::AddOlder(std::span<const char32_t> chars) {
  for (char32_t cp : chars) {
    if (chars_.size() == kCapacity) return;
    if (IsRecentChar(cp) && std::find(chars_.begin(), chars_.end(), cp) == chars_.end()) chars_.push_back(cp);
  }
}

std::vector<char32_t> RecentCharsOfText(std::u16string_view utf16) {
  // From the end backwards: the last occurrences are the ones that count, and a long text
  // is read only as far back as its last kCapacity characters of interest.
  std::vector<char32_t> newestFirst;
  for (size_t i = utf16.size(); i > 0 && newestFirst.size() < RecentChars::kCapacity;) {
    char32_t cp = utf16[--i];
    if (cp >= 0xDC00 && cp <= 0xDFFF && i > 0 && utf16[i - 1] >= 0xD800 && utf16[i - 1] <= 0xDBFF)
      cp = 0x10000 + ((utf16[--i] - 0xD800) << 10) + (cp - 0xDC00);
    const bool printableAscii = cp >= 0x20 && cp < 0x7F;
    if (printableAscii || cp < 0xA0 || !IsRecentChar(cp)) continue;
    if (std::find(newestFirst.begin(), newestFirst.end(), cp) == newestFirst.end()) newestFirst.push_back(cp);
  }
  return std::vector<char32_t>(newestFirst.rbegin(), newestFirst.rend());
}

std::string FormatRecentChars(std::span<const char32_t> chars) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string value;
  for (char32_t cp : chars) {
    if (!value.empty()) value += ',';
    std::string hex;
    do {
      hex.insert(hex.begin(), kDigits[cp % 16]);
      cp /= 16;
    } while (cp);
    value += hex;
  }
  return value;
}

std::vector<char32_t> ParseRecentChars(std::string_view value, bool cutShort) {
  if (cutShort) {
    const size_t comma = value.rfind(',');
    value = comma == std::string_view::npos ? std::string_view() : value.substr(0, comma);
  }
  std::vector<char32_t> read;
  while (read.size() < RecentChars::kCapacity) {
    const size_t comma = value.find(',');
    const char32_t cp = ParseEntry(value.substr(0, comma));
    if (cp && std::find(read.begin(), read.end(), cp) == read.end()) read.push_back(cp);
    if (comma == std::string_view::npos) break;
    value.remove_prefix(comma + 1);
  }
  return read;
}

}  // namespace tessarin
