#pragma once

#include "model/main_model.h"
#include "commands/command_outcome.h"
#include "commands/ports.h"

// Load and Save: the edit lists from and to the registry.
namespace tallowin {

// Replaces both edit lists with what the system key and the user key hold,
// links the System list's Path entry and fills the Path list from it, and
// notes the names each list was read with; the marks for deletion are
// cleared. Asks first unless the window is still starting (model.Loading).
// When either key cannot be read whole, the model stays as it was.
// Uses ports Dialogs, Window, Registry, System.
CommandOutcome FileLoadExecute(MainModel& model, const CommandPorts& ports);

// Load in two halves, for the window's start, which reads the keys on a
// thread of its own while the window already answers: the reading touches
// nothing but a copy of the model and the registry port; the finishing puts
// what was read in the model's place, or reports the failure and leaves the
// model as it was, as FileLoadExecute does.
struct LoadReading {
  MainModel Loaded;
  PortResult Read = PortResult::Success();
};
LoadReading ReadForLoad(const MainModel& model, RegistryPort& registry);
CommandOutcome FinishLoad(MainModel& model, LoadReading reading, const CommandPorts& ports);

// Writes the System list to the system key and then the User list to the
// user key (adding and overwriting values) after a warning and the
// automatic backup (commands/auto_backup.h), then deletes the values the
// user marked in the review (and no others), tells running programs once
// all that was done, and offers to restart. It holds the writers' turn
// from its reading of the keys for other programs' changes
// (commands/outside_change_commands.h) to its last write, and never while
// a dialog is shown. A user key that cannot be opened for writing stops it
// before anything is written. Uses ports Dialogs, Window, Registry, System,
// Broadcast, Power, Files, Environment, WriteTurn and OutsideChanges.
CommandOutcome FileSaveExecute(MainModel& model, const CommandPorts& ports);

// Whether the window may close, however it is being closed: with edits
// Save has not written, only when the user says so ("キャンセル" the
// default). Uses ports Dialogs and Window.
bool CloseQuery(const MainModel& model, const CommandPorts& ports);

}  // namespace tallowin
