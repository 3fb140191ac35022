// Writes the reader's seed files of other writers into the folder given as
// the only argument (a Windows path): what Wine's reg.exe and regedit.exe
// export of keys holding the interop tests' sample values (the system one
// with a Path that has line breaks and empty items), redirected to the two
// environment keys, and the same values in the other shapes a file comes
// in: UTF-16LE without FF FE, lone CR line ends, and REGEDIT4 in code pages
// 932 and 1252; and the continuation shapes where readers part. Run once under Wine by scripts/make-fuzz-seeds.sh; the files
// are kept in the repository, so that fuzzing needs no Wine.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "interop/sample_values.h"
#include "model/environment_keys.h"
#include "model/utf16le.h"
#include "support/run_program.h"
#include "win32/unique_handle.h"

namespace {

using namespace tallowin;
using namespace tallowin::testing;
using namespace std::literals;
using Bytes = std::vector<std::uint8_t>;
using Values = std::vector<std::pair<std::u16string, RegistryValue>>;

const std::wstring kKey = L"Software\\Tallowin fuzz seeds";
const std::u16string kKeyHeader = u"[HKEY_CURRENT_USER\\Software\\Tallowin fuzz seeds";
const std::u16string kSystemHeader = u"[HKEY_LOCAL_MACHINE\\" + std::u16string(kSystemSubkey) + u"]";
const std::u16string kUserHeader = u"[HKEY_CURRENT_USER\\" + std::u16string(kUserSubkey) + u"]";

Values SampleValues(bool system) {
  Values values;
  for (SampleValue& sample : Samples()) values.emplace_back(std::move(sample.Name), std::move(sample.Value));
  if (system) {
    values.emplace_back(u"Path", RegistryValue{REG_EXPAND_SZ, TextBytes(u"%SystemRoot%\\system32;;C:\\Tools\r\n"
                                                                        u"C:\\日本語\\表;\r\n;  ;D:\\x;")});
  } else {
    values.emplace_back(u"PATH", RegistryValue{REG_SZ, TextBytes(u"C:\\Users\\me\\bin;")});
    values.emplace_back(u"code page", RegistryValue{REG_EXPAND_SZ, TextBytes(u"café € Größe ソ表")});
  }
  return values;
}

bool SetValues(const std::wstring& subkey, const Values& values) {
  win32::UniqueHandle<win32::KeyTraits> key;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  for (const auto& [name, value] : values) {
    if (::RegSetValueExW(key.get(), reinterpret_cast<const wchar_t*>(name.c_str()), 0, value.TypeCode,
                         value.Bytes.data(), static_cast<DWORD>(value.Bytes.size())) != ERROR_SUCCESS) {
      return false;
    }
  }
  return true;
}

Bytes ReadFile(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::wstring& path, const Bytes& bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
  for (std::size_t at = text.find(from); at != std::u16string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// A peer's export with its two subkeys' header lines pointing at the
// environment keys; the parent key's own (empty) section stays.
std::u16string Redirected(const Bytes& exported) {
  if (exported.size() < 2) return u"";
  std::u16string text = Utf16LeText(std::span(exported).subspan(2));
  ReplaceAll(text, kKeyHeader + u"\\system]", kSystemHeader);
  ReplaceAll(text, kKeyHeader + u"\\user]", kUserHeader);
  return text;
}

Bytes Utf16File(std::u16string_view text, bool withBom) {
  Bytes bytes = Utf16LeBytes(text);
  if (withBom) bytes.insert(bytes.begin(), {0xFF, 0xFE});
  return bytes;
}

// --- REGEDIT4, as the ANSI versions of regedit wrote it -----------------------

std::string Ansi(std::u16string_view text, UINT codePage) {
  if (text.empty()) return {};
  const auto wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  std::string out(static_cast<std::size_t>(::WideCharToMultiByte(codePage, 0, wide, length, nullptr, 0, nullptr, nullptr)),
                  '\0');
  ::WideCharToMultiByte(codePage, 0, wide, length, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  return out;
}

// Escaped before the conversion, so that a double-byte character whose
// second byte is 0x5C (表 in code page 932) is not taken for a backslash.
std::u16string Escaped(std::u16string text) {
  ReplaceAll(text, u"\\", u"\\\\");
  ReplaceAll(text, u"\"", u"\\\"");
  return text;
}

std::string Regedit4Line(const std::u16string& name, const RegistryValue& value, UINT codePage) {
  std::string line = name.empty() ? "@=" : "\"" + Ansi(Escaped(name), codePage) + "\"=";
  const bool text = value.Bytes.size() % 2 == 0 &&
                    (value.TypeCode == REG_SZ || value.TypeCode == REG_EXPAND_SZ || value.TypeCode == REG_MULTI_SZ);
  const std::u16string units = text ? Utf16LeText(value.Bytes) : u"";
  char buffer[16];
  if (value.TypeCode == REG_SZ && !units.empty() && units.back() == u'\0' &&
      units.find_first_of(u"\r\n\0"sv) == units.size() - 1) {
    return line + "\"" + Ansi(Escaped(units.substr(0, units.size() - 1)), codePage) + "\"";
  }
  if (value.TypeCode == REG_DWORD && value.Bytes.size() == 4) {
    std::snprintf(buffer, sizeof buffer, "dword:%08lx", static_cast<unsigned long>(value.Bytes[0] | value.Bytes[1] << 8 |
                                                                                   value.Bytes[2] << 16 | value.Bytes[3] << 24));
    return line + buffer;
  }
  // String data in hex is ANSI text in these files.
  const std::string bytes = text ? Ansi(units, codePage) : std::string(value.Bytes.begin(), value.Bytes.end());
  std::snprintf(buffer, sizeof buffer, "hex(%x):", static_cast<unsigned>(value.TypeCode));
  line += value.TypeCode == REG_BINARY ? "hex:" : buffer;
  std::size_t width = line.size();
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (width + 3 >= 80) line += "\\\r\n  ", width = 2;
    std::snprintf(buffer, sizeof buffer, i + 1 < bytes.size() ? "%02x," : "%02x", static_cast<unsigned char>(bytes[i]));
    line += buffer;
    width += 3;
  }
  return line;
}

Bytes Regedit4File(UINT codePage) {
  std::string text = "REGEDIT4\r\n\r\n" + Ansi(kKeyHeader + u"]", codePage) + "\r\n\r\n";
  for (const bool system : {true, false}) {
    text += Ansi(system ? kSystemHeader : kUserHeader, codePage) + "\r\n";
    for (const auto& [name, value] : SampleValues(system)) text += Regedit4Line(name, value, codePage) + "\r\n";
    text += "\r\n";
  }
  return Bytes(text.begin(), text.end());
}

// The continuation shapes where readers part: a comment line and an empty
// line between continuation lines (reg.exe skips both), and a continuation
// line followed directly by a key header (reg.exe drops the value and skips
// the header).
Bytes ContinuationShapesFile() {
  const std::u16string text = u"Windows Registry Editor Version 5.00\r\n\r\n" + kUserHeader + u"\r\n" +
                              u"\"Commented\"=hex(2):43,00,3a,00,\\\r\n; between continuation lines\r\n"
                              u"  5c,00,00,00\r\n"
                              u"\"Spaced\"=hex(2):43,00,3a,00,\\\r\n\r\n  5c,00,00,00\r\n"
                              u"\"CutByHeader\"=hex(2):43,00,3a,00,\\\r\n" +
                              kSystemHeader + u"\r\n\"AfterHeader\"=\"x\"\r\n";
  return Utf16File(text, true);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folderArgument = argv[1];
  const std::wstring folder(folderArgument.begin(), folderArgument.end());
  const std::wstring regFile = folder + L"\\reg-export.reg";
  const std::wstring regeditFile = folder + L"\\regedit-export.reg";

  ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey.c_str());
  bool made = SetValues(kKey + L"\\system", SampleValues(true)) && SetValues(kKey + L"\\user", SampleValues(false));
  const std::wstring key = L"\"HKEY_CURRENT_USER\\" + kKey + L"\"";
  made = made && RunWindowsProgram(L"system32\\reg.exe", L"export " + key + L" \"" + regFile + L"\" /y") == 0u &&
         RunWindowsProgram(L"regedit.exe", L"/e \"" + regeditFile + L"\" " + key) == 0u;
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey.c_str());
  if (!made) {
    std::fprintf(stderr, "the peers' exports could not be made\n");
    return 1;
  }

  const std::u16string regText = Redirected(ReadFile(regFile));
  std::u16string regeditText = Redirected(ReadFile(regeditFile));
  WriteFile(regFile, Utf16File(regText, true));
  WriteFile(regeditFile, Utf16File(regeditText, true));
  WriteFile(folder + L"\\reg-export-no-bom.reg", Utf16File(regText, false));
  ReplaceAll(regeditText, u"\r\n", u"\r");
  WriteFile(folder + L"\\regedit-export-cr.reg", Utf16File(regeditText, true));
  WriteFile(folder + L"\\regedit4-cp932.reg", Regedit4File(932));
  WriteFile(folder + L"\\regedit4-cp1252.reg", Regedit4File(1252));
  WriteFile(folder + L"\\continuation-shapes.reg", ContinuationShapesFile());
  return 0;
}
