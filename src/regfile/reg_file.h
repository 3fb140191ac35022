#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/environment_keys.h"
#include "model/variable_entry.h"

// Registration files in regedit's "Windows Registry Editor Version 5.00"
// format: the line builders, the writer's byte layout and the reader's
// parser. Nothing here touches a list, a file or the registry.
namespace tallowin::regfile {

inline constexpr std::u16string_view kHeader = u"Windows Registry Editor Version 5.00";

// "[HKEY_LOCAL_MACHINE\<subkey>]" and the like.
std::u16string MakeKeyLine(RootKey root, std::u16string_view subkey);

// One value line (possibly several physical lines joined by "\\\r\n  ") for
// a value with its exact type and bytes, in regedit's forms: the quoted form
// for a REG_SZ the quoted form reproduces exactly, "dword:" for a 4-byte
// REG_DWORD, "hex:" for REG_BINARY, "hex(N):" for everything else. The empty
// name is written "@".
std::u16string MakeValueLine(std::u16string_view name, const RegistryValue& value);

// The line that deletes the value: `"name"=-`, or `@=-`.
std::u16string MakeDeletionLine(std::u16string_view name);

// The lines of a file holding the system section and then the user section:
// header, empty line, system key line, system value lines, empty line, user
// key line, user value lines, empty line.
std::vector<std::u16string> MakeFileLines(const std::vector<std::u16string>& systemValueLines,
                                          const std::vector<std::u16string>& userValueLines);

// The lines of a file holding one key's section: header, empty line, key
// line, value lines, empty line.
std::vector<std::u16string> MakeSectionFileLines(RootKey root, std::u16string_view subkey,
                                                 const std::vector<std::u16string>& valueLines);

// The file's bytes: FF FE, the lines as UTF-16LE each followed by CR LF, and
// one UTF-16 NUL.
std::vector<std::uint8_t> EncodeFile(const std::vector<std::u16string>& lines);

// What the reader found.
enum class Scope { System, User };

struct ParsedValue {
  std::u16string Name;
  RegistryValue Value;
};

struct ParsedSection {
  Scope Target;
  std::vector<ParsedValue> Values;
};

struct ParsedFile {
  // False when the first line is neither the version 5 header nor REGEDIT4:
  // the bytes are not a registration file and nothing was read.
  bool IsRegistrationFile = false;
  // The environment sections in file order. A scope whose header occurs
  // again starts a new section that replaces the earlier one.
  std::vector<ParsedSection> Sections;
};

// Decodes ANSI text (REGEDIT4 files) through the system's ANSI code page.
using AnsiDecoder = std::function<std::u16string(std::string_view)>;

// Reads a registration file's bytes: UTF-16LE with or without FF FE, or a
// REGEDIT4 ANSI file through the decoder. Never reads outside the buffer.
ParsedFile ParseFile(const std::uint8_t* data, std::size_t size, const AnsiDecoder& decodeAnsi);

}  // namespace tallowin::regfile
