#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/utf16le.h"
#include "model/value_text.h"
#include "regfile/reg_file.h"

namespace tallowin::regfile::testing {

// A file's bytes: UTF-16LE text, with FF FE in front unless told otherwise.
inline std::vector<std::uint8_t> FileBytes(std::u16string_view text, bool byteOrderMark = true) {
  std::vector<std::uint8_t> bytes = Utf16LeBytes(text);
  if (byteOrderMark) bytes.insert(bytes.begin(), {0xFF, 0xFE});
  return bytes;
}

inline ParsedFile Parse(const std::vector<std::uint8_t>& bytes, const AnsiDecoder& decodeAnsi = {}) {
  return ParseFile(bytes.data(), bytes.size(), decodeAnsi);
}

inline ParsedFile Parse(std::u16string_view text) { return Parse(FileBytes(text)); }

// Narrow text of an ASCII UTF-16 text, for readable expectations.
inline std::string Narrow(std::u16string_view text) {
  std::string result;
  for (const char16_t unit : text) result.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
  return result;
}

// "S(A,B) U(C)": the sections in order with their value names ("@" for the
// default value).
inline std::string SectionNames(const ParsedFile& file) {
  std::string summary;
  for (const auto& section : file.Sections) {
    if (!summary.empty()) summary += ' ';
    summary += section.Target == Scope::System ? "S(" : "U(";
    for (std::size_t i = 0; i < section.Values.size(); ++i) {
      if (i != 0) summary += ',';
      summary += section.Values[i].Name.empty() ? std::string("@") : Narrow(section.Values[i].Name);
    }
    summary += ')';
  }
  return summary;
}

inline constexpr std::u16string_view kUserFileStart =
    u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Environment]\r\n";

}  // namespace tallowin::regfile::testing
