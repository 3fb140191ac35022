#include "commands/edit_commands.h"

#include <string>
#include <string_view>

#include "model/texts.h"

namespace tallowin {
namespace {

bool EditFieldFocused(const CommandPorts& ports) { return ports.FocusedEdit->IsEditFieldFocused(); }

// Cut and Copy in an edit field: the clipboard first, so that a cut whose
// text could not be put there leaves the field as it was.
CommandOutcome CopyFieldSelection(const CommandPorts& ports, bool removeAfterwards) {
  const std::u16string selected = ports.FocusedEdit->SelectedText();
  if (selected.empty()) return {};
  if (!ports.Clipboard->WriteText(selected).Succeeded) return CommandOutcome::Status(texts::kClipboardWriteFailed);
  if (removeAfterwards) ports.FocusedEdit->ReplaceSelection(u"");
  return {};
}

CommandOutcome PasteIntoField(const CommandPorts& ports) {
  const ClipboardText read = ports.Clipboard->ReadText();
  if (!read.Result.Succeeded) return CommandOutcome::Status(texts::kClipboardReadFailed);
  if (!read.Text) return {};
  const std::u16string_view text = *read.Text;
  ports.FocusedEdit->ReplaceSelection(text.substr(0, text.find_first_of(u"\r\n")));
  return {};
}

bool SelectedInShownList(const MainModel& model) {
  const EditList& list = model.ShownTab == Tab::System ? model.SysList : model.UserList;
  return list.Selected() >= 0;
}

}  // namespace

CommandOutcome EditAddBtnExecute(MainModel& model, EditorState& state, const CommandPorts& ports) {
  if (model.ShownTab == Tab::Path) {
    AddPathItem(model);
  } else {
    AddVariable(model, state, ports);
  }
  return {};
}

CommandOutcome EditReplaseBtnExecute(MainModel& model, EditorState& state, const CommandPorts& ports) {
  if (model.ShownTab == Tab::Path) {
    ReplacePathItem(model);
  } else {
    ReplaceVariable(model, state, ports);
  }
  return {};
}

CommandOutcome EditDeleteBtnExecute(MainModel& model, EditorState& state, const CommandPorts& ports) {
  return EditDeleteExecute(model, state, ports);
}

CommandOutcome EditCutExecute(MainModel& model, EditorState& state, const CommandPorts& ports) {
  if (EditFieldFocused(ports)) return CopyFieldSelection(ports, true);
  if (model.ShownTab == Tab::Path) return CutPathItem(model, ports);
  CutVariable(model, state, ports);
  return {};
}

CommandOutcome EditCopyExecute(MainModel& model, EditorState& state, const CommandPorts& ports) {
  if (EditFieldFocused(ports)) return CopyFieldSelection(ports, false);
  if (model.ShownTab == Tab::Path) return CopyPathItem(model, ports);
  CopyVariable(model, state, ports);
  return {};
}

CommandOutcome EditPasteExecute(MainModel& model, EditorState& state, const CommandPorts& ports) {
  if (EditFieldFocused(ports)) return PasteIntoField(ports);
  if (model.ShownTab == Tab::Path) {
    PastePathItems(model);
  } else {
    PasteVariable(model, state, ports);
  }
  return {};
}

CommandOutcome EditDeleteExecute(MainModel& model, EditorState& state, const CommandPorts& ports) {
  if (EditFieldFocused(ports)) {
    if (ports.FocusedEdit->HasSelection()) ports.FocusedEdit->ReplaceSelection(u"");
  } else if (model.ShownTab == Tab::Path) {
    DeletePathItem(model);
  } else {
    DeleteVariable(model, state, ports);
  }
  return {};
}

void EditPopupExecute(const MainModel& model, EditorState& state, const CommandPorts& ports) {
  EditActionStates& actions = state.EditActions;
  if (EditFieldFocused(ports)) {
    const bool selection = ports.FocusedEdit->HasSelection();
    actions = {selection, selection, ports.Clipboard->HasText(), selection};
  } else if (model.ShownTab == Tab::Path) {
    actions.Paste = !model.PathClip.empty();
    actions.Delete = !model.PathList.empty();
  } else {
    const bool selected = SelectedInShownList(model);
    actions = {selected, selected, selected && state.ClipItem.IsSet, selected};
  }
}

}  // namespace tallowin
