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

}  // namespace tallowin::regfile
