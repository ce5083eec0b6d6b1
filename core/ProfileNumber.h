// The settings file's value rules: the integer reading, the byte wrap and the quoting
// that lets a text come back from the file exactly as it was written.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace tessarin {

// The standard string-to-integer conversion: leading spaces, then an optional "+" or "-"
// and decimal digits within the signed 32-bit range, or "$" and hexadecimal digits that
// fit in 32 bits (above 7FFFFFFF giving the negative value of the same bits). Nothing may
// follow the digits. Empty when the text is no such integer.
std::optional<std::int32_t> StrToIntStrict(const std::string& text);

// An integer value of the settings file: "0x" or "0X" at the start of a text longer than
// two characters reads as "$"; a text that does not convert gives the default.
std::int32_t ProfileInteger(const std::string& value, std::int32_t defaultValue);

// The low eight bits, as the settings record's byte fields keep a number: -1 gives 255,
// 258 gives 2.
constexpr std::uint8_t LowByte(std::int32_t value) {
  return static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) & 0xFFu);
}

// The private-profile read drops blanks around a value and one pair of enclosing
// quotation marks, so a text that starts or ends with either is written inside one more
// pair of double quotation marks; the read then gives back exactly the text. Other texts
// are written as they are.
bool NeedsProfileQuotes(const std::string& text);
std::string ProfileValueFor(const std::string& text);

// The settings write error's message for a file name.
std::string SettingsWriteError(const std::string& fileName);

}  // namespace tessarin
