// The settings file's value rules.
#include "core/ProfileNumber.h"

namespace tessarin {
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

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
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i == text.size()) return std::nullopt;
  if (text[i] == '$') {
    ++i;
    if (i == text.size()) return std::nullopt;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
      const int d = HexDigit(text[i]);
      if (d < 0) return std::nullopt;
      value = value * 16 + static_cast<unsigned>(d);
      if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  }
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > 2147483647LL) return std::nullopt;
  return static_cast<std::int32_t>(value);
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
