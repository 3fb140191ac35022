#include <cstdint>
#include <span>

#include "model/text_scan.h"
#include "model/type_names.h"
#include "model/utf16le.h"
#include "regfile/cp932_width.h"
#include "regfile/hex_list_writer.h"
#include "regfile/reg_file.h"

namespace tallowin::regfile {
namespace {

// regedit's escapes. CR and LF only ever reach here inside a name (string
// data holding them is written in hex), and written raw they would break the
// line.
void AppendEscaped(std::u16string& out, std::u16string_view text) {
  for (const char16_t unit : text) {
    switch (unit) {
      case u'\\': out += u"\\\\"; break;
      case u'"': out += u"\\\""; break;
      case u'\r': out += u"\\r"; break;
      case u'\n': out += u"\\n"; break;
      default: out.push_back(unit); break;
    }
  }
}

// `"name"=` or, for the default value, `@=`. The registry's wide-character
// functions take zero-terminated names, so a name ends at its first NUL; a
// NUL written into the file would end the file's text for every reader.
std::u16string ValuePrefix(std::u16string_view name) {
  name = name.substr(0, name.find(u'\0'));
  if (name.empty()) return u"@=";
  std::u16string prefix;
  prefix.reserve(name.size() + 4);
  prefix.push_back(u'"');
  AppendEscaped(prefix, name);
  prefix += u"\"=";
  return prefix;
}

// The quoted form stands for the text's units and exactly one NUL, and a
// quoted value cannot span lines.
bool QuotedFormReproduces(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < 2 || bytes.size() % 2 != 0) return false;
  const std::size_t last = bytes.size() - 2;
  if (Utf16LeUnitAt(bytes, last) != u'\0') return false;
  for (std::size_t i = 0; i < last; i += 2) {
    const char16_t unit = Utf16LeUnitAt(bytes, i);
    if (unit == u'\0' || unit == u'\r' || unit == u'\n') return false;
  }
  return true;
}

void AppendQuotedData(std::u16string& line, const std::vector<std::uint8_t>& bytes) {
  line.push_back(u'"');
  AppendEscaped(line, Utf16LeText(std::span(bytes).first(bytes.size() - 2)));
  line.push_back(u'"');
}

void AppendHexNumber(std::u16string& out, std::uint32_t number, int minDigits) {
  char16_t digits[8];
  int count = 0;
  do {
    digits[count++] = kLowerHexDigits[number & 0x0f];
    number >>= 4;
  } while (number != 0);
  while (count < minDigits) digits[count++] = u'0';
  while (count > 0) out.push_back(digits[--count]);
}

void AppendDword(std::u16string& line, const std::vector<std::uint8_t>& bytes) {
  const std::uint32_t number = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
                               (static_cast<std::uint32_t>(bytes[2]) << 16) |
                               (static_cast<std::uint32_t>(bytes[3]) << 24);
  line += u"dword:";
  AppendHexNumber(line, number, 8);
}

void AppendHexTag(std::u16string& line, std::uint32_t typeCode) {
  if (typeCode == kRegBinary) {
    line += u"hex:";
    return;
  }
  line += u"hex(";
  AppendHexNumber(line, typeCode, 1);
  line += u"):";
}

}  // namespace

std::u16string MakeKeyLine(RootKey root, std::u16string_view subkey) {
  std::u16string_view rootName;
  switch (root) {
    case RootKey::ClassesRoot: rootName = u"HKEY_CLASSES_ROOT"; break;
    case RootKey::CurrentUser: rootName = u"HKEY_CURRENT_USER"; break;
    case RootKey::LocalMachine: rootName = u"HKEY_LOCAL_MACHINE"; break;
    case RootKey::Users: rootName = u"HKEY_USERS"; break;
  }
  std::u16string line;
  line.reserve(rootName.size() + subkey.size() + 3);
  line.push_back(u'[');
  line += rootName;
  line.push_back(u'\\');
  line += subkey;
  line.push_back(u']');
  return line;
}

std::u16string MakeValueLine(std::u16string_view name, const RegistryValue& value) {
  std::u16string line = ValuePrefix(name);
  if (value.TypeCode == kRegSz && QuotedFormReproduces(value.Bytes)) {
    AppendQuotedData(line, value.Bytes);
    return line;
  }
  if (value.TypeCode == kRegDword && value.Bytes.size() == 4) {
    AppendDword(line, value.Bytes);
    return line;
  }
  AppendHexTag(line, value.TypeCode);
  AppendWrappedHexList(line, Cp932Width(line), value.Bytes);
  return line;
}

std::vector<std::u16string> MakeFileLines(const std::vector<std::u16string>& systemValueLines,
                                          const std::vector<std::u16string>& userValueLines) {
  std::vector<std::u16string> lines;
  lines.reserve(systemValueLines.size() + userValueLines.size() + 6);
  lines.emplace_back(kHeader);
  lines.emplace_back();
  lines.push_back(MakeKeyLine(RootKey::LocalMachine, kSystemSubkey));
  lines.insert(lines.end(), systemValueLines.begin(), systemValueLines.end());
  lines.emplace_back();
  lines.push_back(MakeKeyLine(RootKey::CurrentUser, kUserSubkey));
  lines.insert(lines.end(), userValueLines.begin(), userValueLines.end());
  lines.emplace_back();
  return lines;
}

std::u16string MakeDeletionLine(std::u16string_view name) { return ValuePrefix(name) + u"-"; }

std::vector<std::u16string> MakeSectionFileLines(RootKey root, std::u16string_view subkey,
                                                 const std::vector<std::u16string>& valueLines) {
  std::vector<std::u16string> lines;
  lines.reserve(valueLines.size() + 4);
  lines.emplace_back(kHeader);
  lines.emplace_back();
  lines.push_back(MakeKeyLine(root, subkey));
  lines.insert(lines.end(), valueLines.begin(), valueLines.end());
  lines.emplace_back();
  return lines;
}

std::vector<std::uint8_t> EncodeFile(const std::vector<std::u16string>& lines) {
  std::size_t units = 0;
  for (const auto& line : lines) units += line.size() + 2;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(2 + units * 2 + 2);
  bytes.push_back(0xFF);
  bytes.push_back(0xFE);
  for (const auto& line : lines) {
    AppendUtf16Le(bytes, line);
    AppendUtf16Le(bytes, u"\r\n");
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

}  // namespace tallowin::regfile
