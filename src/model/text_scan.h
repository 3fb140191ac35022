#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Digits, blanks and line ends, as the data texts, registration files and
// messages read and write them.
namespace tallowin {

inline constexpr std::u16string_view kLowerHexDigits = u"0123456789abcdef";

// The value of a hexadecimal digit of either case, or -1.
constexpr int HexDigitValue(char16_t unit) {
  if (unit >= u'0' && unit <= u'9') return unit - u'0';
  if (unit >= u'a' && unit <= u'f') return unit - u'a' + 10;
  if (unit >= u'A' && unit <= u'F') return unit - u'A' + 10;
  return -1;
}

// Two lower-case hexadecimal digits.
inline void AppendHexByte(std::u16string& text, std::uint8_t byte) {
  text.push_back(kLowerHexDigits[byte >> 4]);
  text.push_back(kLowerHexDigits[byte & 0x0f]);
}

// Blanks are the spaces and tabs within a line.
constexpr bool IsBlank(char16_t unit) { return unit == u' ' || unit == u'\t'; }

constexpr std::u16string_view SkipBlanks(std::u16string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  return text.substr(start);
}

// A number in decimal digits.
inline std::u16string DecimalText(std::uint64_t number) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + number % 10));
    number /= 10;
  } while (number != 0);
  return digits;
}

// The text without the line breaks at its end (the system's descriptions of
// its errors end with one).
constexpr std::u16string_view WithoutTrailingLineBreaks(std::u16string_view text) {
  while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n')) text.remove_suffix(1);
  return text;
}

constexpr std::u16string_view TrimTrailingBlanks(std::u16string_view text) {
  std::size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return text.substr(0, end);
}

}  // namespace tallowin
