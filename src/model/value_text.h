#pragma once

#include <string>
#include <string_view>

#include "model/utf16le.h"  // the byte-level half of these conversions
#include "model/variable_entry.h"

// Conversions between a registry value's bytes and the text an edit list
// shows for it.
namespace tallowin {

// The data text shown for a value. REG_SZ and REG_EXPAND_SZ: the string up to
// its first zero character. The other types read as regedit shows them:
// REG_DWORD and REG_QWORD as "0x00000001 (1)", REG_MULTI_SZ as its strings
// separated by a blank, everything else as hexadecimal bytes separated by
// blanks ("01 ab ff").
std::u16string DataTextOf(const RegistryValue& value);

// A text as a registry string value: UTF-16LE code units and one zero unit.
RegistryValue TextToValue(std::uint32_t typeCode, std::u16string_view text);

}  // namespace tallowin
