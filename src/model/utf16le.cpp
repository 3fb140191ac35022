#include "model/utf16le.h"

#include <bit>
#include <cstring>

namespace tallowin {

// On a little-endian machine a code unit is stored as its bytes already:
// the texts are copied whole, which for a Path of 32,767 characters or a
// file of ten thousand values is most of what reading and writing them takes.
constexpr bool kStoredAsBytes = std::endian::native == std::endian::little;

void AppendUtf16Le(std::vector<std::uint8_t>& bytes, std::u16string_view text) {
  std::size_t at = bytes.size();
  bytes.resize(at + text.size() * 2);
  if constexpr (kStoredAsBytes) {
    if (!text.empty()) std::memcpy(bytes.data() + at, text.data(), text.size() * 2);
  } else {
    for (const char16_t unit : text) {
      bytes[at++] = static_cast<std::uint8_t>(unit & 0xff);
      bytes[at++] = static_cast<std::uint8_t>(unit >> 8);
    }
  }
}

std::vector<std::uint8_t> Utf16LeBytes(std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  AppendUtf16Le(bytes, text);
  return bytes;
}

std::u16string Utf16LeText(std::span<const std::uint8_t> bytes) {
  // An odd last byte stays the low byte of a unit whose high byte is zero.
  std::u16string text((bytes.size() + 1) / 2, u'\0');
  if constexpr (kStoredAsBytes) {
    if (!bytes.empty()) std::memcpy(text.data(), bytes.data(), bytes.size());
  } else {
    for (std::size_t i = 0; i < text.size(); ++i) text[i] = Utf16LeUnitAt(bytes, i * 2);
  }
  return text;
}

std::u16string Utf16LeTextUpToZero(std::span<const std::uint8_t> bytes) {
  std::u16string text = Utf16LeText(bytes);
  const std::size_t zero = text.find(u'\0');
  if (zero != std::u16string::npos) text.resize(zero);
  return text;
}

}  // namespace tallowin
