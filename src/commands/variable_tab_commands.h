#pragma once

#include "commands/editor_state.h"
#include "commands/ports.h"
#include "model/main_model.h"
#include "model/variable_entry.h"

// The variable tabs' editing (System list on tab 1, User list on tab 2, by
// model.ShownTab): the variable-tab branches of Add, Replace, Delete, Cut,
// Copy and Paste, routed here by edit_commands.h. Each checks the entry
// buffer against the tab's list (commands/placement.h) and changes the list
// only when the check accepts; a refusal shows the check's message.
//
// With no selected entry every command but Add does nothing: Add needs no
// row, so that the first variable of an empty list can be added. A name holding '=' or
// a control character is refused by Add, Replace and Paste. Each command
// that acts ends with model.RefreshPathView(), also after a refusal, except
// a Cut refused by the Path guard. Either the whole change is made or, when
// an exception interrupts it, the list and state.ClipItem are as before.
//
// Selection afterwards: Add leaves it on the entry selected before (the new
// entry is not selected); Replace and Paste leave the changed entry selected
// wherever its name sorts it; Delete and Cut select nothing. The commands do
// not write the tab's fields.
//
// After each call the window mirrors from the model: the tab's list and its
// selection, the Path entry's data, Edit1, Edit2, PathListSelection(),
// UpDownMax() and UpDownPosition(), and CountText.
//
// Ports: Dialogs and Window (the check's messages).
namespace tallowin {

// A new entry from the tab's fields at the selected entry's position, then
// sorted by its name. Refused for a name the list already has, a type other
// than REG_SZ and REG_EXPAND_SZ, or a forbidden name character.
void AddVariable(MainModel& model, EditorState& state, const CommandPorts& ports);
// The selected entry takes the fields' name, type and data. Refused for the
// System list's Path entry, a type that may not be set, or a forbidden name
// character; the name is not tested against the other entries.
void ReplaceVariable(MainModel& model, EditorState& state, const CommandPorts& ports);
// Removes the selected entry; on the System tab never the Path entry.
void DeleteVariable(MainModel& model, EditorState& state, const CommandPorts& ports);
// The selected entry becomes state.ClipItem and is removed; on the System
// tab never the Path entry.
void CutVariable(MainModel& model, EditorState& state, const CommandPorts& ports);
// The selected entry becomes state.ClipItem (the Path entry too).
void CopyVariable(MainModel& model, EditorState& state, const CommandPorts& ports);
// The selected entry takes state.ClipItem's name, type and data. Refused for
// the System list's Path entry, a name another entry has, a type that may
// not be set, or a forbidden name character. Nothing while ClipItem is
// empty.
void PasteVariable(MainModel& model, EditorState& state, const CommandPorts& ports);

// Fills a tab's fields from a row, as the window does when a row's selection
// changes: the name and the data; the type only when the row's type name is
// exactly one of the twelve (otherwise the drop-down keeps its choice).
void FillFieldsFromEntry(VariableFields& fields, const VariableEntry& entry);

}  // namespace tallowin
