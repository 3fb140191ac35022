#pragma once

#include <optional>
#include <vector>

#include "model/main_model.h"
#include "commands/ports.h"

// Save's look at the keys before it writes: the values other programs
// changed since Load (model/outside_changes.h), and what the user chose to
// do about them.
namespace tallowin {

// What Save writes to each key, and the rows it writes over a value that
// another program changed since Load.
struct SaveValues {
  std::vector<NamedValue> System;
  std::vector<NamedValue> User;
  std::vector<ScopedName> Conflicts;
};

// Reads both keys and compares them with what Load read. When Save would
// write over values other programs changed, it asks (port OutsideChanges;
// without one, the default: keep the other programs' changes). Nothing when
// the user cancelled, or when a key could not be read, which is reported as
// Save's failure. A scope Load never read is written as it stands. Uses
// ports Registry, Dialogs, Window, System and OutsideChanges.
std::optional<SaveValues> ValuesToSave(const MainModel& model, const CommandPorts& ports);

// After a successful Save: what the window knows of the keys takes what
// Save deleted (`deleted`, the values marked before Save) and wrote, and
// the rows written over another program's change are marked.
void NoteSaved(MainModel& model, const SaveValues& saved, const std::vector<ScopedName>& deleted);

// Whether a key holds other values than Load read and Save wrote since:
// another program changed it. False before a Load and when a key cannot be
// read. Uses port Registry.
bool KeysChangedOutside(const MainModel& model, const CommandPorts& ports);

}  // namespace tallowin
