// Writes the fuzzer's seed corpus (small files in every form the writer
// knows, and a few the reader accepts besides) and its dictionary of UTF-16LE
// tokens into the folder given as the only argument.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "model/type_names.h"
#include "model/utf16le.h"
#include "model/value_text.h"
#include "regfile/reg_file.h"

namespace {

using namespace tallowin;
using namespace tallowin::regfile;

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> Utf16File(std::u16string_view text) {
  std::vector<std::uint8_t> bytes = Utf16LeBytes(text);
  bytes.insert(bytes.begin(), {0xFF, 0xFE});
  return bytes;
}

// A dictionary entry: the bytes as "\xNN" escapes.
std::string DictEntry(const std::vector<std::uint8_t>& bytes) {
  std::string entry = "\"";
  char buffer[8];
  for (const std::uint8_t byte : bytes) {
    std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
    entry += buffer;
  }
  return entry + "\"\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];

  const std::vector<std::u16string> system = {
      MakeValueLine(u"Path", TextToValue(kRegExpandSz, u"%SystemRoot%\\system32;C:\\Tools")),
      MakeValueLine(u"TEMP", TextToValue(kRegSz, u"C:\\Temp \"quoted\"")),
      MakeValueLine(u"", TextToValue(kRegSz, u"default")),
      MakeValueLine(u"Flag", RegistryValue{kRegDword, {1, 0, 0, 0}}),
      MakeValueLine(u"Big", RegistryValue{kRegQword, {1, 2, 3, 4, 5, 6, 7, 8}}),
  };
  const std::vector<std::u16string> user = {
      MakeValueLine(u"パス\\名", TextToValue(kRegSz, u"値\r\n二行")),
      MakeValueLine(u"Multi", RegistryValue{kRegMultiSz, {'a', 0, 0, 0, 0, 0}}),
      MakeValueLine(u"Raw", RegistryValue{kRegBinary, {0x00, 0xff}}),
      MakeValueLine(std::u16string(70, u'N'), TextToValue(kRegExpandSz, u"x")),
      MakeValueLine(u"Gone", RegistryValue{kRegNone, {}}),
  };
  WriteFile(folder + "/written.reg", EncodeFile(MakeFileLines(system, user)));
  WriteFile(folder + "/empty-sections.reg", EncodeFile(MakeFileLines({}, {})));
  // Names the registry takes for one value: Import keeps one of them.
  WriteFile(folder + "/one-name-twice.reg",
            EncodeFile(MakeFileLines({MakeValueLine(u"path", TextToValue(kRegSz, u"C:\\A")),
                                      MakeValueLine(u"PATH", TextToValue(kRegExpandSz, u"C:\\B"))},
                                     {MakeValueLine(u"dupx", TextToValue(kRegSz, u"1")),
                                      MakeValueLine(u"Other", TextToValue(kRegSz, u"o")),
                                      MakeValueLine(u"DUPX", RegistryValue{kRegDword, {2, 0, 0, 0}})})));
  WriteFile(folder + "/lf-other-keys.reg",
            Utf16File(u"Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\Environment]\n\"A\"=\"1\"\n"
                      u"[HKEY_LOCAL_MACHINE\\SOFTWARE]\n\"B\"=\"2\"\n[-HKEY_CURRENT_USER\\Environment]\n\"C\"=-\n"
                      u"[HKEY_CURRENT_USER\\Environment]\n\"D\"=hex(2):41,00,\\\n\t42,00,00,00\n"));
  WriteFile(folder + "/comments.reg",
            Utf16File(u"Windows Registry Editor Version 5.00\r\n; exported by hand\r\n"
                      u"[HKEY_CURRENT_USER\\Environment]\r\n\"A\"=\"v\" ; say \"hi\"\r\n\"B\"=dword:00001234 ; n\r\n"
                      u"\"C\"=hex(2):41,00,\\ ; n\r\n  ; between\r\n  00,00 ; n\r\n\"D\"=\"x\"y\" ; old writer\r\n"));
  const std::string ansi = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Environment]\r\n\"A\"=\"x\"\r\n\"B\"=hex(2):41,00\r\n";
  WriteFile(folder + "/regedit4.reg", std::vector<std::uint8_t>(ansi.begin(), ansi.end()));

  std::ofstream dict(folder + "/reg_file.dict");
  for (const std::u16string_view token :
       {kHeader, std::u16string_view(u"REGEDIT4"), std::u16string_view(u"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment]"),
        std::u16string_view(u"[HKEY_CURRENT_USER\\Environment]"), std::u16string_view(u"[-HKEY_CURRENT_USER\\Environment]"),
        std::u16string_view(u"\"=\""), std::u16string_view(u"\"=hex(2):"), std::u16string_view(u"=hex:"),
        std::u16string_view(u"=dword:"), std::u16string_view(u"@="), std::u16string_view(u",\\\r\n  "),
        std::u16string_view(u"\\\""), std::u16string_view(u"\\\\"), std::u16string_view(u"\\n"), std::u16string_view(u"\r\n"),
        std::u16string_view(u" ; ")}) {
    dict << DictEntry(Utf16LeBytes(token));
  }
  // REGEDIT4 files are ANSI text.
  for (const std::string_view token :
       {"REGEDIT4\r\n", "[HKEY_CURRENT_USER\\Environment]", "\"=\"", "\"=hex(2):", "=dword:"}) {
    dict << DictEntry(std::vector<std::uint8_t>(token.begin(), token.end()));
  }
  return 0;
}
