#include "regfile/deployment_text.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "model/utf16le.h"

namespace tallowin::regfile {
namespace {

constexpr std::uint8_t kUtf8Mark[] = {0xEF, 0xBB, 0xBF};

// The length of the UTF-8 sequence a lead byte starts, or 0.
int SequenceLength(std::uint8_t lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

std::optional<char32_t> TakeCodePoint(std::string_view bytes, std::size_t& at) {
  const auto lead = static_cast<std::uint8_t>(bytes[at]);
  const int length = SequenceLength(lead);
  if (length == 0 || at + static_cast<std::size_t>(length) > bytes.size()) return std::nullopt;
  char32_t point = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    point = (point << 6) | (next & 0x3F);
  }
  constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (point < kSmallest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return std::nullopt;
  at += static_cast<std::size_t>(length);
  return point;
}

// Where the text proper ends: the first NUL, and whether anything but NULs
// follows it.
template <typename Text>
std::size_t CutAtNul(Text& text, bool& textAfterNul) {
  const std::size_t nul = std::min(text.size(), text.find(typename Text::value_type{0}));
  textAfterNul = std::any_of(text.begin() + static_cast<std::ptrdiff_t>(nul), text.end(),
                             [](auto unit) { return unit != 0; });
  text.resize(nul);
  return nul;
}

// Decodes UTF-8 into `text` up to the first byte that is not UTF-8; how
// many bytes were read.
std::size_t DecodeUtf8Prefix(std::string_view bytes, std::u16string& text) {
  text.reserve(text.size() + bytes.size());
  std::size_t at = 0;
  while (at < bytes.size()) {
    const std::optional<char32_t> point = TakeCodePoint(bytes, at);
    if (!point) break;
    if (*point < 0x10000) {
      text.push_back(static_cast<char16_t>(*point));
    } else {
      text.push_back(static_cast<char16_t>(0xD800 + ((*point - 0x10000) >> 10)));
      text.push_back(static_cast<char16_t>(0xDC00 + ((*point - 0x10000) & 0x3FF)));
    }
  }
  return at;
}

}  // namespace

std::u16string ByteNumbersAsText(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (const char byte : bytes) text.push_back(static_cast<std::uint8_t>(byte));
  return text;
}

std::optional<std::u16string> DecodeUtf8(std::string_view bytes) {
  std::u16string text;
  if (DecodeUtf8Prefix(bytes, text) != bytes.size()) return std::nullopt;
  return text;
}

DeploymentText DecodeDeploymentText(std::span<const std::uint8_t> bytes, const AnsiDecoder& decodeAnsi) {
  DeploymentText result;
  const bool utf16Mark = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
  const bool utf8Mark = bytes.size() >= 3 && std::equal(std::begin(kUtf8Mark), std::end(kUtf8Mark), bytes.begin());
  if (utf16Mark || (bytes.size() >= 2 && bytes[0] != 0 && bytes[1] == 0)) {
    const std::span<const std::uint8_t> units = bytes.subspan(utf16Mark ? 2 : 0);
    result.Text = Utf16LeText(units.first(units.size() - units.size() % 2));
    result.EndsOnOddByte = units.size() % 2 != 0;
    result.ProblemAt = CutAtNul(result.Text, result.TextAfterNul);
    return result;
  }
  std::string_view eight(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (utf8Mark) {
    result.Encoding = TextEncoding::Utf8;
    eight.remove_prefix(3);
    std::string_view text = eight.substr(0, std::min(eight.size(), eight.find('\0')));
    result.TextAfterNul = std::any_of(eight.begin() + static_cast<std::ptrdiff_t>(text.size()), eight.end(),
                                      [](char byte) { return byte != 0; });
    // Up to the first byte that is not UTF-8, for the line number.
    result.NotUtf8 = DecodeUtf8Prefix(text, result.Text) != text.size();
    result.ProblemAt = result.Text.size();
    return result;
  }
  result.Encoding = TextEncoding::Ansi;
  result.Text = decodeAnsi ? decodeAnsi(eight) : ByteNumbersAsText(eight);
  result.ProblemAt = CutAtNul(result.Text, result.TextAfterNul);
  const bool beyondAscii = std::any_of(eight.begin(), eight.end(), [](char byte) { return (byte & 0x80) != 0; });
  result.AnsiLooksLikeUtf8 = beyondAscii && DecodeUtf8(eight.substr(0, std::min(eight.size(), eight.find('\0'))));
  return result;
}

}  // namespace tallowin::regfile
