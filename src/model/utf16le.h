#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// UTF-16 little-endian bytes: the form of registry string data and of
// registration files.
namespace tallowin {

// The code unit whose low byte is at `index`. An odd last byte is a unit
// whose high byte is zero: the registry hands out string data of odd length.
inline char16_t Utf16LeUnitAt(std::span<const std::uint8_t> bytes, std::size_t index) {
  const std::uint8_t high = index + 1 < bytes.size() ? bytes[index + 1] : 0;
  return static_cast<char16_t>(bytes[index] | (high << 8));
}

// Appends a text's bytes, without a terminator.
void AppendUtf16Le(std::vector<std::uint8_t>& bytes, std::u16string_view text);

// A text's bytes, without a terminator.
std::vector<std::uint8_t> Utf16LeBytes(std::u16string_view text);

// Every code unit of the bytes, zero units included.
std::u16string Utf16LeText(std::span<const std::uint8_t> bytes);

// The code units up to the first zero unit or the end.
std::u16string Utf16LeTextUpToZero(std::span<const std::uint8_t> bytes);

}  // namespace tallowin
