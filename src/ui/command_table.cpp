#include "ui/command_table.h"

#include <array>
#include <optional>
#include <type_traits>

#include "commands/edit_commands.h"
#include "commands/file_commands.h"
#include "commands/load_save_commands.h"
#include "commands/path_tab_commands.h"
#include "model/texts.h"
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

const std::array<Command, 22> kCommands{{
    {IDM_FILE_LOAD, texts::kHintFileLoad, Ctrl('R'), 0, Enabling::Always, nullptr, RunFileCommand<FileLoadExecute>},
    {IDM_FILE_SAVE, texts::kHintFileSave, Ctrl('W'), 0, Enabling::Always, nullptr, RunFileCommand<FileSaveExecute>},
    {IDM_FILE_REVIEW, texts::kHintFileReview, Ctrl('D'), 0, Enabling::Always, nullptr, ShowReview},
    {IDM_FILE_IMPORT, texts::kHintFileImport, {}, 0, Enabling::Always, nullptr, RunFileCommand<FileImportExecute>},
    {IDM_FILE_EXPORT, texts::kHintFileExport, {}, 0, Enabling::Always, nullptr, RunFileCommand<FileExportExecute>},
    {IDM_FILE_BUCKUP, {}, {}, 0, Enabling::Always, nullptr, RunFileCommand<FileBuckupExecute>},
    {IDM_FILE_RESTORE, texts::kHintFileRestore, {}, 0, Enabling::Always, nullptr, ShowRestore},
    // Alt+F4 is the system's own; it closes the window the same way.
    {IDM_FILE_EXIT, texts::kHintFileExit, {}, 0, Enabling::Always, nullptr,
     RunWindowAction<&WindowActions::Close>},
    {IDM_EDIT_CUT, texts::kHintEditCut, Ctrl('X'), 0, Enabling::EditMenu, &E::Cut, RunEditingCommand<EditCutExecute>},
    {IDM_EDIT_COPY, texts::kHintEditCopy, Ctrl('C'), 0, Enabling::EditMenu, &E::Copy,
     RunEditingCommand<EditCopyExecute>},
    {IDM_EDIT_PASTE, texts::kHintEditPaste, Ctrl('V'), 0, Enabling::EditMenu, &E::Paste,
     RunEditingCommand<EditPasteExecute>},
    {IDM_EDIT_DELETE, texts::kHintEditDelete, Ctrl(VK_DELETE), 0, Enabling::EditMenu, &E::Delete,
     RunEditingCommand<EditDeleteExecute>},
    {IDM_EDIT_PATH_CHECK, texts::kHintEditPathCheck, {}, 0, Enabling::Always, nullptr, ShowPathCheck},
    {IDM_EDIT_FIND, texts::kHintEditFind, Ctrl('F'), 0, Enabling::Always, nullptr,
     RunWindowAction<&WindowActions::FocusFilter>},
    {IDM_EDIT_ADD_BTN, texts::kHintEditAddBtn, {}, 'A', Enabling::PanelButton, nullptr,
     RunEditingCommand<EditAddBtnExecute>},
    {IDM_EDIT_REPLASE_BTN, texts::kHintEditReplaseBtn, {}, 'R', Enabling::PanelButton, nullptr,
     RunEditingCommand<EditReplaseBtnExecute>},
    {IDM_EDIT_DELETE_BTN, texts::kHintEditDelete, {}, 'D', Enabling::PanelButton, nullptr,
     RunEditingCommand<EditDeleteBtnExecute>},
    {IDM_FILE_BROWSE, texts::kHintFileBrowse, Ctrl('B'), 0, Enabling::Always, nullptr,
     RunEditingCommand<FileBrowseExecute>},
    {IDM_EDIT_UNDO, texts::kHintEditUndo, Ctrl('Z'), 0, Enabling::FieldUndo, nullptr,
     RunWindowAction<&WindowActions::UndoInFocusedField>},
    {IDM_EDIT_LIST_UNDO, texts::kHintListUndo, Ctrl('Z'), 0, Enabling::ListUndo, nullptr, ListUndo},
    {IDM_EDIT_LIST_REDO, texts::kHintListRedo, Ctrl('Y'), 0, Enabling::ListRedo, nullptr, ListRedo},
    {IDM_HELP_ABOUT, texts::kHintHelpAbout, {VK_F12, 0}, 0, Enabling::Always, nullptr,
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

// What each action is to the history of the lists' edits; nothing for undo
// and redo, which move through it.
std::optional<EditStep> StepOf(int id) {
  switch (id) {
    case IDM_FILE_LOAD:
      return EditStep::Load;
    case IDM_FILE_REVIEW:
      return EditStep::DeleteMarks;
    case IDM_FILE_IMPORT:
      return EditStep::Import;
    case IDM_FILE_RESTORE:
      return EditStep::Restore;
    case IDM_EDIT_CUT:
      return EditStep::Cut;
    case IDM_EDIT_PASTE:
      return EditStep::Paste;
    case IDM_EDIT_DELETE:
    case IDM_EDIT_DELETE_BTN:
      return EditStep::Delete;
    case IDM_EDIT_PATH_CHECK:
      return EditStep::PathCheck;
    case IDM_EDIT_ADD_BTN:
      return EditStep::Add;
    case IDM_EDIT_REPLASE_BTN:
      return EditStep::Replace;
    case IDM_EDIT_UNDO:  // the field's undo in Edit1 is typing there
      return EditStep::PathTyping;
    case IDM_EDIT_LIST_UNDO:
    case IDM_EDIT_LIST_REDO:
      return std::nullopt;
    default:
      return EditStep::NotAnEdit;
  }
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
  const std::optional<EditStep> step = StepOf(command.Id);
  if (!step) return command.Run(context);
  return RunRecorded(context.Model, context.Editor.History, *step, [&] { return command.Run(context); });
}

const Command* FindAccessKey(WPARAM key) {
  return FindFirst([key](const Command& c) { return c.AccessKey != 0 && c.AccessKey == key; });
}

}  // namespace tallowin::ui
