#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string_view>

#include "commands/command_outcome.h"
#include "commands/edit_history.h"
#include "commands/editor_state.h"
#include "commands/ports.h"
#include "model/main_model.h"

// Every action of the main window, once: its command ID (shared by its menu
// item, button and shortcut), what it is to the history of the lists' edits,
// its hint, its shortcut and access key, the rule its enabled state follows
// and what it runs. The menus, the panel's buttons, the shortcuts, the access
// keys, the Edit menu's enabling and the undo history all look here, so
// adding an action is one row.
namespace tallowin::ui {

// What the window does itself for an action, besides the command logic.
class WindowActions {
 public:
  virtual void Close() = 0;
  virtual void ShowAbout() = 0;
  virtual void UndoInFocusedField() = 0;
  // Puts the focus in the filter field of the tab shown.
  virtual void FocusFilter() = 0;
  // Shows the model in the controls now, before a command that goes on in
  // another dialog returns.
  virtual void MirrorModel() = 0;
  // The window the program's dialogs open over.
  virtual HWND Owner() const = 0;

 protected:
  ~WindowActions() = default;
};

// What an action runs with: the window's model, its editor state (with the
// fields read from the controls just before), the ports and the window.
struct CommandContext {
  MainModel& Model;
  EditorState& Editor;
  const CommandPorts& Ports;
  WindowActions& Window;
};

// Where an action's enabled state comes from, asked for when it is used.
enum class Enabling {
  Always,
  // Cut, Copy, Paste and Delete of the Edit menu: as the Edit menu's
  // enabling finds them for the focused control and the tab shown.
  EditMenu,
  // Replace and Delete of the panel: on the Path tab, or while the
  // variable tab shown has a selected row.
  PanelButton,
  // Add of the panel: on the Path tab, or while the variable tab shown has
  // a name in its name field; it needs no row.
  PanelAdd,
  // Undo: while the focused edit field has something to undo.
  FieldUndo,
  // Undo and redo of the lists' edits: while the history has a step to
  // take back or to do again.
  ListUndo,
  ListRedo,
  // The moves of the Path tab's current item: while it has a neighbour
  // that way.
  PathMoveUp,
  PathMoveDown,
};

struct Shortcut {
  WORD Key = 0;  // virtual key; 0 for none
  BYTE Modifiers = 0;  // FCONTROL, FSHIFT, FALT
};

// What undo and redo are to the history: they move through its steps
// rather than add one.
inline constexpr std::optional<EditStep> kMovesThroughHistory = std::nullopt;

struct Command {
  int Id;
  // The step the action's change to the lists is, EditStep::NotAnEdit for
  // an action that edits no list; every row names one.
  std::optional<EditStep> Step;
  std::u16string_view Hint;
  Shortcut Keys;
  // The underlined letter of a panel button's caption, which Alt presses
  // without moving the focus; 0 for none.
  WORD AccessKey;
  Enabling Rule;
  // For Enabling::EditMenu: which of the Edit menu's states.
  bool EditActionStates::*EditState;
  CommandOutcome (*Run)(CommandContext&);
};

std::span<const Command> Commands();
// Runs an action as the history of the lists' edits sees it: a change it
// makes to the lists is a step of its kind, Load starts the history again,
// and undo and redo move through it.
CommandOutcome RunCommandRecorded(const Command& command, CommandContext& context);
// The action of a command ID, a shortcut or an access key; null when none.
const Command* FindCommand(int id);
// Of several actions on one shortcut, the one after `after` (Ctrl+Z undoes
// the typing in a field, else the lists' last edit).
const Command* FindShortcut(WPARAM key, BYTE modifiers, const Command* after = nullptr);
const Command* FindAccessKey(WPARAM key);

}  // namespace tallowin::ui
