#pragma once

#include "commands/command_outcome.h"
#include "commands/editor_state.h"
#include "commands/path_tab_commands.h"
#include "commands/ports.h"
#include "commands/variable_tab_commands.h"
#include "model/main_model.h"

// The window's editing handlers: the three buttons under the tabs, the Edit
// menu's Cut, Copy, Paste and Delete (menu, context menu, shortcuts), and
// the enabling of those four. Each branches on model.ShownTab to the Path
// tab (path_tab_commands.h) or the variable tabs (variable_tab_commands.h).
//
// The window calls each with its MainModel, its EditorState and its ports,
// after bringing the model and the state up to date with what the user has
// typed (Edit2, and the name, type and data fields of both variable tabs),
// and afterwards mirrors back everything the two headers above name, plus
// state.EditActions into the four actions.
//
// Edit-field rule: while the window's active control is one of the six
// single-line edit fields (ports.FocusedEdit), Cut, Copy, Paste and Delete
// act on that field's text and change nothing else; the field's own change
// notification then brings the model up to date (Edit1's re-splits the Path
// list). The rule goes by the control that has the focus when the command
// runs: a mouse click on the Delete button has moved the focus to the
// button, its accelerator key has not. Cut and Copy in a field write the
// system clipboard, and Paste reads it, through ports.Clipboard; when the
// clipboard cannot be used the field keeps its text and the outcome says
// so. Paste takes the clipboard text up to its first line break, as a
// single-line field's own paste does.
//
// Ports: Dialogs, Window, Clipboard and FocusedEdit.
namespace tallowin {

// "追加(&A)", "置換(&R)" and "削除(&D)". The Delete button runs
// EditDeleteExecute, edit-field rule included.
CommandOutcome EditAddBtnExecute(MainModel& model, EditorState& state, const CommandPorts& ports);
CommandOutcome EditReplaseBtnExecute(MainModel& model, EditorState& state, const CommandPorts& ports);
CommandOutcome EditDeleteBtnExecute(MainModel& model, EditorState& state, const CommandPorts& ports);

CommandOutcome EditCutExecute(MainModel& model, EditorState& state, const CommandPorts& ports);
CommandOutcome EditCopyExecute(MainModel& model, EditorState& state, const CommandPorts& ports);
CommandOutcome EditPasteExecute(MainModel& model, EditorState& state, const CommandPorts& ports);
CommandOutcome EditDeleteExecute(MainModel& model, EditorState& state, const CommandPorts& ports);

// Sets state.EditActions for the control that has the focus and the tab
// shown. The window runs it before the Edit menu or the context menu opens
// and before it carries out a shortcut of one of the four commands (a
// disabled command does nothing). On the Path tab Cut and Copy keep the
// states the last run left. Uses ports Clipboard (whether it holds text)
// and FocusedEdit.
void EditPopupExecute(const MainModel& model, EditorState& state, const CommandPorts& ports);

}  // namespace tallowin
