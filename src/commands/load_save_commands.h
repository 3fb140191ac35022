#pragma once

#include "model/main_model.h"
#include "commands/command_outcome.h"
#include "commands/ports.h"

// Load and Save: the edit lists from and to the registry.
namespace tallowin {

// Replaces both edit lists with what the system key and the user key hold,
// links the System list's Path entry and fills the Path list from it. Asks
// first unless the window is still starting (model.Loading).
// Uses ports Dialogs, Window, Registry, System.
CommandOutcome FileLoadExecute(MainModel& model, const CommandPorts& ports);

// Writes the System list to the system key and then the User list to the
// user key (adding and overwriting values, never deleting any) after a
// warning, tells running programs once both were written, and offers to
// restart. Uses ports Dialogs, Window, Registry, System, Broadcast, Power.
CommandOutcome FileSaveExecute(MainModel& model, const CommandPorts& ports);

}  // namespace tallowin
