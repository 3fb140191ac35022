#pragma once

#include <optional>
#include <vector>

#include "model/main_model.h"
#include "commands/ports.h"

// Save's look at the keys before it writes: the values other programs
// changed since Load (model/outside_changes.h), what the user chose to do
// about them, and the writers' turn under which Save looks and writes.
namespace tallowin {

// The writers' turn as Save holds it (port WriteTurn; without one there is
// no other writer to wait for). However Save ends, the turn is released.
class SaveTurn {
 public:
  explicit SaveTurn(WriteTurnPort* port) : port_(port) {}
  ~SaveTurn() { Release(); }
  SaveTurn(const SaveTurn&) = delete;
  SaveTurn& operator=(const SaveTurn&) = delete;
  PortResult Take();
  void Release();

 private:
  WriteTurnPort* port_;
  bool held_ = false;
};

// What Save writes to each key and deletes from them, and the rows it
// writes over a value that another program changed since Load.
struct SaveValues {
  std::vector<NamedValue> System;
  std::vector<NamedValue> User;
  std::vector<ScopedName> Conflicts;
  std::vector<ScopedName> Deleted;
  // What each key Load read held when the values above were decided on,
  // within the turn Save still holds: Save writes only what differs.
  std::optional<std::vector<NamedValue>> SystemHeld;
  std::optional<std::vector<NamedValue>> UserHeld;
};

// Takes the writers' turn, reads both keys and compares them with what
// Load read. When Save would write over values other programs changed, or
// delete one that another program changed, it releases the turn and asks
// (port OutsideChanges; without one, the default: keep the other programs'
// changes), then takes the turn and reads the keys again, and asks again
// when they changed meanwhile. On success the turn is still held, so that
// no other writer comes between what was decided and Save's writes.
// Nothing, with the turn released, when the user cancelled, or when the
// turn or a key could not be had, which is reported as Save's failure. A
// scope Load never read is written as it stands. Uses ports WriteTurn,
// Registry, Dialogs, Window, System and OutsideChanges.
std::optional<SaveValues> ValuesToSave(const MainModel& model, const CommandPorts& ports, SaveTurn& turn);

// After a successful Save: what the window knows of the keys takes what
// Save deleted and wrote, and the rows written over another program's
// change are marked.
void NoteSaved(MainModel& model, const SaveValues& saved);

// Whether a key holds other values than Load read and Save wrote since:
// another program changed it. False before a Load and when a key cannot be
// read. Uses port Registry.
bool KeysChangedOutside(const MainModel& model, const CommandPorts& ports);

}  // namespace tallowin
