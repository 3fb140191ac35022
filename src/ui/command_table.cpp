#include "ui/command_table.h"

#include <array>
#include <type_traits>

#include "commands/edit_commands.h"
#include "commands/file_commands.h"
#include "commands/load_save_commands.h"
#include "commands/path_tab_commands.h"
#include "model/texts.h"
#include "ui/list_editor_form.h"
#include "ui/path_check_form.h"
#include "ui/restore_form.h"
#include "ui/review_form.h"
#include "ui/resources/resource.h"

namespace tallowin::ui {
namespace {

// Command logic as an action runs it; a command with nothing to say in the
// status bar has an empty outcome.
template <auto Execute>
CommandOutcome Outcome(auto&&... arguments) {
  if constexpr (std::is_void_v<decltype(Execute(arguments...))>) {
    Execute(arguments...);
    return {};
  } else {
    return Execute(arguments...);
  }
}

template <auto Execute>
CommandOutcome RunFileCommand(CommandContext& c) {
  return Outcome<Execute>(c.Model, c.Ports);
}

template <auto Execute>
CommandOutcome RunEditingCommand(CommandContext& c) {
  return Outcome<Execute>(c.Model, c.Editor, c.Ports);
}

CommandOutcome ShowReview(CommandContext& c) {
  ReviewChangesShow(c.Window.Owner(), c.Model, c.Ports);
  return {};
}

// The review opens over the lists as the restore left them.
CommandOutcome ShowRestore(CommandContext& c) {
  if (!RestoreShow(c.Window.Owner(), c.Model, c.Ports)) return {};
  c.Window.MirrorModel();
  ReviewChangesShow(c.Window.Owner(), c.Model, c.Ports);
  return {};
}

// OK writes the row: the command is then one Replace of the lists.
CommandOutcome ShowListEditor(CommandContext& c) {
  ListEditorShow(c.Window.Owner(), c.Model, c.Editor, c.Ports);
  return {};
}

CommandOutcome ShowPathCheck(CommandContext& c) {
  PathCheckShow(c.Window.Owner(), c.Model, c.Ports);
  return {};
}

// What the window does itself.
template <void (WindowActions::*Action)()>
CommandOutcome RunWindowAction(CommandContext& c) {
  (c.Window.*Action)();
  return {};
}

template <UpDownButton Button>
CommandOutcome MovePathItem(CommandContext& c) {
  UpDownClick(c.Model, Button);
  return {};
}

CommandOutcome ListUndo(CommandContext& c) {
  c.Editor.History.Undo(c.Model);
  return {};
}

CommandOutcome ListRedo(CommandContext& c) {
  c.Editor.History.Redo(c.Model);
  return {};
}

constexpr Shortcut Ctrl(WORD key) { return {key, FCONTROL}; }

using E = EditActionStates;

const std::array<Command, 25> kCommands{{
    {IDM_FILE_LOAD, EditStep::Load, texts::kHintFileLoad, Ctrl('R'), 0, Enabling::Always, nullptr,
     RunFileCommand<FileLoadExecute>},
    {IDM_FILE_SAVE, EditStep::NotAnEdit, texts::kHintFileSave, Ctrl('W'), 0, Enabling::Always, nullptr,
     RunFileCommand<FileSaveExecute>},
    // The review's ticks mark values for deletion.
    {IDM_FILE_REVIEW, EditStep::DeleteMarks, texts::kHintFileReview, Ctrl('D'), 0, Enabling::Always, nullptr,
     ShowReview},
    {IDM_FILE_IMPORT, EditStep::Import, texts::kHintFileImport, {}, 0, Enabling::Always, nullptr,
     RunFileCommand<FileImportExecute>},
    {IDM_FILE_EXPORT, EditStep::NotAnEdit, texts::kHintFileExport, {}, 0, Enabling::Always, nullptr,
     RunFileCommand<FileExportExecute>},
    {IDM_FILE_BUCKUP, EditStep::NotAnEdit, {}, {}, 0, Enabling::Always, nullptr, RunFileCommand<FileBuckupExecute>},
    {IDM_FILE_RESTORE, EditStep::Restore, texts::kHintFileRestore, {}, 0, Enabling::Always, nullptr, ShowRestore},
    // Alt+F4 is the system's own; it closes the window the same way.
    {IDM_FILE_EXIT, EditStep::NotAnEdit, texts::kHintFileExit, {}, 0, Enabling::Always, nullptr,
     RunWindowAction<&WindowActions::Close>},
    {IDM_EDIT_CUT, EditStep::Cut, texts::kHintEditCut, Ctrl('X'), 0, Enabling::EditMenu, &E::Cut,
     RunEditingCommand<EditCutExecute>},
    {IDM_EDIT_COPY, EditStep::NotAnEdit, texts::kHintEditCopy, Ctrl('C'), 0, Enabling::EditMenu, &E::Copy,
     RunEditingCommand<EditCopyExecute>},
    {IDM_EDIT_PASTE, EditStep::Paste, texts::kHintEditPaste, Ctrl('V'), 0, Enabling::EditMenu, &E::Paste,
     RunEditingCommand<EditPasteExecute>},
    {IDM_EDIT_DELETE, EditStep::Delete, texts::kHintEditDelete, Ctrl(VK_DELETE), 0, Enabling::EditMenu, &E::Delete,
     RunEditingCommand<EditDeleteExecute>},
    {IDM_EDIT_MOVE_UP, EditStep::Move, texts::kHintEditMoveUp, Ctrl(VK_UP), 0, Enabling::PathMoveUp, nullptr,
     MovePathItem<UpDownButton::Up>},
    {IDM_EDIT_MOVE_DOWN, EditStep::Move, texts::kHintEditMoveDown, Ctrl(VK_DOWN), 0, Enabling::PathMoveDown, nullptr,
     MovePathItem<UpDownButton::Down>},
    {IDM_EDIT_PATH_CHECK, EditStep::PathCheck, texts::kHintEditPathCheck, {}, 0, Enabling::Always, nullptr,
     ShowPathCheck},
    {IDM_EDIT_LIST_EDIT, EditStep::Replace, texts::kHintEditList, Ctrl('L'), 0, Enabling::Always, nullptr,
     ShowListEditor},
    {IDM_EDIT_FIND, EditStep::NotAnEdit, texts::kHintEditFind, Ctrl('F'), 0, Enabling::Always, nullptr,
     RunWindowAction<&WindowActions::FocusFilter>},
    {IDM_EDIT_ADD_BTN, EditStep::Add, texts::kHintEditAddBtn, {}, 'A', Enabling::PanelAdd, nullptr,
     RunEditingCommand<EditAddBtnExecute>},
    {IDM_EDIT_REPLASE_BTN, EditStep::Replace, texts::kHintEditReplaseBtn, {}, 'R', Enabling::PanelButton, nullptr,
     RunEditingCommand<EditReplaseBtnExecute>},
    {IDM_EDIT_DELETE_BTN, EditStep::Delete, texts::kHintEditDelete, {}, 'D', Enabling::PanelButton, nullptr,
     RunEditingCommand<EditDeleteBtnExecute>},
    {IDM_FILE_BROWSE, EditStep::NotAnEdit, texts::kHintFileBrowse, Ctrl('B'), 0, Enabling::Always, nullptr,
     RunEditingCommand<FileBrowseExecute>},
    // The field's undo in Edit1 is typing there.
    {IDM_EDIT_UNDO, EditStep::PathTyping, texts::kHintEditUndo, Ctrl('Z'), 0, Enabling::FieldUndo, nullptr,
     RunWindowAction<&WindowActions::UndoInFocusedField>},
    {IDM_EDIT_LIST_UNDO, kMovesThroughHistory, texts::kHintListUndo, Ctrl('Z'), 0, Enabling::ListUndo, nullptr,
     ListUndo},
    {IDM_EDIT_LIST_REDO, kMovesThroughHistory, texts::kHintListRedo, Ctrl('Y'), 0, Enabling::ListRedo, nullptr,
     ListRedo},
    {IDM_HELP_ABOUT, EditStep::NotAnEdit, texts::kHintHelpAbout, {VK_F12, 0}, 0, Enabling::Always, nullptr,
     RunWindowAction<&WindowActions::ShowAbout>},
}};

template <typename Matches>
const Command* FindFirst(Matches matches, const Command* after = nullptr) {
  const Command* end = kCommands.data() + kCommands.size();
  for (const Command* command = after != nullptr ? after + 1 : kCommands.data(); command != end; ++command) {
    if (matches(*command)) return command;
  }
  return nullptr;
}

}  // namespace

std::span<const Command> Commands() { return kCommands; }

const Command* FindCommand(int id) {
  return FindFirst([id](const Command& c) { return c.Id == id; });
}

const Command* FindShortcut(WPARAM key, BYTE modifiers, const Command* after) {
  return FindFirst([=](const Command& c) { return c.Keys.Key != 0 && c.Keys.Key == key && c.Keys.Modifiers == modifiers; },
                   after);
}

CommandOutcome RunCommandRecorded(const Command& command, CommandContext& context) {
  if (!command.Step) return command.Run(context);
  return RunRecorded(context.Model, context.Editor.History, *command.Step, [&] { return command.Run(context); });
}

const Command* FindAccessKey(WPARAM key) {
  return FindFirst([key](const Command& c) { return c.AccessKey != 0 && c.AccessKey == key; });
}

}  // namespace tallowin::ui
