#pragma once

#include <optional>
#include <string_view>

#include "regfile/file_text.h"
#include "regfile/reg_file.h"

namespace tallowin::regfile {

// Reads the value line `line` (its leading blanks already skipped; it starts
// with a double quote or '@'), taking the continuation lines of a hex form
// from `lines`. A ';' comment may follow the data or a continuation
// backslash, and comment lines and empty lines between continuation lines
// are skipped, as reg.exe reads them. Nothing when the line imports no value: a
// deletion ("name"=-), a form this reader does not know, or a malformed line,
// which is skipped whole rather than read as some guessed bytes.
//
// `decodeAnsi` is given for REGEDIT4 files only: their hex data of the string
// types (hex(1), hex(2), hex(7)) is ANSI text and is turned into UTF-16LE.
std::optional<ParsedValue> ReadValueLine(std::u16string_view line, LineCursor& lines, const AnsiDecoder* decodeAnsi);

// What one value line says, for a reader that must tell a deletion from a
// line it cannot read, and a line it cannot read from a file that ends
// inside it.
enum class LineMeaning {
  SetsValue,
  DeletesValue,  // "name"=-
  Unreadable,
  EndsEarly,  // the file ends where a continuation line was announced
};

struct ValueLine {
  LineMeaning Meaning = LineMeaning::Unreadable;
  // The name, and for SetsValue its value.
  ParsedValue Read;
};

// How a value line is read. The window's Import is lenient (above); a
// deployment reads exactly the forms reg.exe imports, and a line that
// reg.exe would skip with an error is unreadable rather than guessed at:
// the type words in lower case, quoted data closed by its first unescaped
// quote, and no escapes but \\, \", \n and \r.
struct LineRules {
  // Turns the hex data of the string types into UTF-16LE: 8-bit files
  // hold it in the file's own encoding. Nothing for UTF-16 files.
  const AnsiDecoder* DecodeStrings = nullptr;
  bool Strict = false;
};

ValueLine ReadValueLineWith(std::u16string_view line, LineCursor& lines, const LineRules& rules);

}  // namespace tallowin::regfile
