#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/variable_entry.h"
#include "commands/ports.h"

// Save's hand-off when the machine key may not be written by the user who
// runs the window: with the user's word, the command line beside the
// program, run as administrator, makes the machine key change exactly as
// Save would have. The window writes the user key itself afterwards, under
// the user's own account.
namespace tallowin {

// What Save would change in the machine key.
struct MachineKeyChanges {
  std::vector<NamedValue> Values;
  std::vector<std::u16string> Deletions;
};

// A registration file of the machine key's section alone: the values to
// write, then a deletion line for each value to delete.
std::vector<std::uint8_t> MachineChangesFile(const MachineKeyChanges& changes);

// The command line that applies such a file: it applies it only when its
// SHA-256 is still the one given, and makes no backup (Save made one).
std::u16string ApplyArguments(std::u16string_view file, std::u16string_view sha256);

struct HandOffResult {
  bool Asked = false;       // the user agreed to the hand-off
  bool Succeeded = false;   // the machine key changed as Save would have
  std::u16string Reason;    // why not, when asked and failed
};

// Asks whether to write as administrator (a warning with キャンセル as its
// default). On OK writes the file to the user's temporary folder, runs the
// command line as administrator, waits, removes the file. Uses ports
// Dialogs, Window, Elevation, Files and Environment.
HandOffResult HandMachineKeyOver(const MachineKeyChanges& changes, const CommandPorts& ports);

}  // namespace tallowin
