// The settings file's value rules.
#include "core/ProfileNumber.h"

#include <charconv>

namespace tessarin {
namespace {

// Bytes the platform may take for blanks around a value: the control characters
// (tab, line ends, the end-of-file mark), the space and the no-break space.
bool IsProfileBlank(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b <= 0x20 || b == 0xA0;
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

}  // namespace

std::optional<std::int32_t> StrToIntStrict(const std::string& text) {
  const char* first = text.data();
  const char* const last = first + text.size();
  while (first != last && *first == ' ') ++first;
  if (first == last) return std::nullopt;
  std::int32_t value = 0;
  std::from_chars_result read{};
  if (*first == '$') {
    // Hexadecimal digits read as the 32 bits they give; an unsigned read takes no sign.
    std::uint32_t bits = 0;
    read = std::from_chars(first + 1, last, bits, 16);
    value = static_cast<std::int32_t>(bits);
  } else {
    // The read takes a "-" but no "+"; a "+" is taken here, and a sign after it is refused.
    if (*first == '+') {
      ++first;
      if (first != last && *first == '-') return std::nullopt;
    }
    read = std::from_chars(first, last, value);
  }
  if (read.ec != std::errc{} || read.ptr != last) return std::nullopt;
  return value;
}

std::int32_t ProfileInteger(const std::string& value, std::int32_t defaultValue) {
  std::string text = value;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
  return StrToIntStrict(text).value_or(defaultValue);
}

bool NeedsProfileQuotes(const std::string& text) {
  if (text.empty()) return false;
  const char first = text.front(), last = text.back();
  return IsProfileBlank(first) || IsProfileBlank(last) || IsQuote(first) || IsQuote(last);
}

std::string ProfileValueFor(const std::string& text) {
  return NeedsProfileQuotes(text) ? '"' + text + '"' : text;
}

std::string SettingsWriteError(const std::string& fileName) {
  return "nach " + fileName + " kann nicht geschrieben werden";
}

}  // namespace tessarin
