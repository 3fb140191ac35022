#include "model/value_text.h"

#include <cinttypes>
#include <cstdio>

#include "model/text_scan.h"
#include "model/type_names.h"

namespace tallowin {
namespace {

std::u16string Ascii(const char* text) {
  std::u16string result;
  for (; *text != '\0'; ++text) result.push_back(static_cast<char16_t>(static_cast<unsigned char>(*text)));
  return result;
}

std::uint64_t LittleEndian(const std::vector<std::uint8_t>& bytes) {
  std::uint64_t number = 0;
  for (std::size_t i = bytes.size(); i-- > 0;) number = (number << 8) | bytes[i];
  return number;
}

std::u16string NumberText(const std::vector<std::uint8_t>& bytes) {
  char buffer[64];
  const std::uint64_t number = LittleEndian(bytes);
  std::snprintf(buffer, sizeof buffer, "0x%08" PRIx64 " (%" PRIu64 ")", number, number);
  return Ascii(buffer);
}

std::u16string HexBytesText(const std::vector<std::uint8_t>& bytes) {
  std::u16string text;
  text.reserve(bytes.size() * 3);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i != 0) text.push_back(u' ');
    AppendHexByte(text, bytes[i]);
  }
  return text;
}

std::u16string MultiStringText(const std::vector<std::uint8_t>& bytes) {
  const std::u16string units = Utf16LeText(bytes);
  // The strings end at the first empty one (the list's closing zero).
  std::u16string text;
  std::size_t start = 0;
  while (start < units.size()) {
    std::size_t end = units.find(u'\0', start);
    if (end == std::u16string::npos) end = units.size();
    if (end == start) break;
    if (!text.empty()) text.push_back(u' ');
    text.append(units, start, end - start);
    start = end + 1;
  }
  return text;
}

}  // namespace

std::u16string DataTextOf(const RegistryValue& value) {
  switch (value.TypeCode) {
    case kRegSz:
    case kRegExpandSz:
      return Utf16LeTextUpToZero(value.Bytes);
    case kRegDword:
      return value.Bytes.size() == 4 ? NumberText(value.Bytes) : HexBytesText(value.Bytes);
    case kRegQword:
      return value.Bytes.size() == 8 ? NumberText(value.Bytes) : HexBytesText(value.Bytes);
    case kRegMultiSz:
      return MultiStringText(value.Bytes);
    default:
      return HexBytesText(value.Bytes);
  }
}

RegistryValue TextToValue(std::uint32_t typeCode, std::u16string_view text) {
  RegistryValue value;
  value.TypeCode = typeCode;
  value.Bytes.reserve(text.size() * 2 + 2);
  AppendUtf16Le(value.Bytes, text);
  value.Bytes.insert(value.Bytes.end(), {0, 0});
  return value;
}

}  // namespace tallowin
