#pragma once

#include "commands/command_outcome.h"
#include "commands/editor_state.h"
#include "commands/ports.h"
#include "model/main_model.h"

// The Path tab's editing: the Path-list branches of Add, Replace, Delete,
// Cut, Copy and Paste (routed here by edit_commands.h while the Path tab is
// shown), the insert and the move of the up-down control, and Browse.
//
// Every change of the Path list is one step: it completes, or it leaves the
// Path list, PathIndex, the Path clipboard, the Path entry and all the view
// fields as they were. Cut and Copy write the system clipboard last;
// when it cannot be written (another program holds it beyond a short wait)
// the command is taken back and its outcome (status bar panel 0) says so.
//
// Positions outside the list never crash or lose an item: Add and Insert
// with no current item (empty list, PathIndex -1) insert at the start;
// Replace, Paste and Delete without a current item, and Paste with an empty
// Path clipboard, do nothing; Add and Replace of an Edit2 that is empty or
// holds only blanks do nothing.
//
// After each call the window mirrors from the model: Edit1, Edit2,
// PathList, PathListSelection(), UpDownMax() and UpDownPosition(), CountText,
// and the System list (the Path entry's data).
namespace tallowin {

// The Path-list branches. Cut and Copy use port Clipboard; the others no
// port.
void AddPathItem(MainModel& model);
void ReplacePathItem(MainModel& model);
void DeletePathItem(MainModel& model);
CommandOutcome CutPathItem(MainModel& model, const CommandPorts& ports);
CommandOutcome CopyPathItem(MainModel& model, const CommandPorts& ports);
void PastePathItems(MainModel& model);

enum class UpDownButton { Up = 0, Down = 1 };

// The up-down control's arrow, or Ctrl+Up and Ctrl+Down (Edit menu
// "上へ移動", "下へ移動"): moves the current item one place towards the top
// (Up) or the bottom (Down); it stays current. Nothing moves at the ends.
// Neither the Path clipboard nor the system clipboard is touched. Uses no
// port.
void UpDownClick(MainModel& model, UpDownButton button);
// Whether the Path tab is shown and the current item has a neighbour that
// way: what enables the Edit menu's two moves.
bool CanMovePathItem(const MainModel& model, UpDownButton button);

// Ctrl+B or the "..." button, from any tab: opens the folder browser at the
// folder Edit2 names (one trailing ';' dropped, environment references
// expanded) when that is an existing directory, else where the last browse
// left it (state.BrowseStartFolder); the chosen folder, closed with ';',
// replaces Edit2. Changes nothing else. Uses ports Environment and Folders.
void FileBrowseExecute(MainModel& model, EditorState& state, const CommandPorts& ports);

}  // namespace tallowin
