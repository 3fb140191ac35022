#include "model/utf16le.h"

#include <algorithm>

namespace tallowin {

void AppendUtf16Le(std::vector<std::uint8_t>& bytes, std::u16string_view text) {
  std::size_t at = bytes.size();
  bytes.resize(at + text.size() * 2);
  for (const char16_t unit : text) {
    bytes[at++] = static_cast<std::uint8_t>(unit & 0xff);
    bytes[at++] = static_cast<std::uint8_t>(unit >> 8);
  }
}

std::vector<std::uint8_t> Utf16LeBytes(std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  AppendUtf16Le(bytes, text);
  return bytes;
}

std::u16string Utf16LeText(std::span<const std::uint8_t> bytes) {
  std::u16string text((bytes.size() + 1) / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = Utf16LeUnitAt(bytes, i * 2);
  return text;
}

std::u16string Utf16LeTextUpToZero(std::span<const std::uint8_t> bytes) {
  // Counted first, so that a multi-megabyte text is allocated once.
  std::size_t units = 0;
  while (units * 2 < bytes.size() && Utf16LeUnitAt(bytes, units * 2) != u'\0') ++units;
  return Utf16LeText(bytes.first(std::min(bytes.size(), units * 2)));
}

}  // namespace tallowin
