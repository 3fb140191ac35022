#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/variable_entry.h"
#include "regfile/reg_file.h"

// A registration file read for a deployment (the command line's apply and
// diff): what reg.exe would do with each line of the two environment keys,
// or why the file must not be applied at all. Unlike the window's Import,
// which fills the edit lists for the user to look at, a deployment writes
// unattended, so it takes every section of a key in file order, reads
// deletion lines, and refuses the whole file where reg.exe would leave part
// of it out or do more than set and delete values.
namespace tallowin::regfile {

// Why a file is refused as a whole.
enum class FileRule {
  None,
  NotRegistrationFile,  // the first line is neither header (an empty file too)
  CutShort,             // it ends inside a value, after a continuation mark or on half a character
  TextAfterNul,         // text follows a NUL character
  NotUtf8,              // a file marked as UTF-8 holds other bytes
  UnreadableLine,       // a line that is no header, value, comment or blank
  ValueOutsideKey,      // a value line before the first key header
  KeyDeleted,           // "[-...]" of an environment key
  NoEnvironmentKey,     // no section of either environment key
};

// One line of an environment section.
struct ValueLineChange {
  std::u16string Name;
  std::optional<RegistryValue> Value;  // nothing: the line deletes the value
  std::size_t Line = 0;                // counting from 1
};

struct DeploymentFile {
  FileRule Refusal = FileRule::None;
  std::size_t RefusalLine = 0;  // 0 when the rule concerns the whole file
  bool HasSystemSection = false;
  bool HasUserSection = false;
  // Each key's lines from all of its sections, in file order.
  std::vector<ValueLineChange> System;
  std::vector<ValueLineChange> User;
  // The other keys the file names, as their headers write them, once each:
  // a deployment leaves them alone.
  std::vector<std::u16string> OtherKeys;
  // 8-bit text read in the ANSI code page that also reads as UTF-8.
  bool AnsiLooksLikeUtf8 = false;
};

DeploymentFile ReadDeploymentFile(std::span<const std::uint8_t> bytes, const AnsiDecoder& decodeAnsi);

// The environment key a header's key path names ("HKCU\Environment",
// "hkey_local_machine\system\...\environment\" and so on), if it names one.
std::optional<Scope> EnvironmentKeyOf(std::u16string_view keyPath);

}  // namespace tallowin::regfile
