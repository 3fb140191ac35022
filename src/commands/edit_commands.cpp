#include "commands/edit_commands.h"

#include <string>
#include <string_view>

#include "model/texts.h"

namespace tallowin {
namespace {

bool EditFieldFocused(const CommandPorts& ports) { return ports.FocusedEdit->IsEditFieldFocused(); }

// Cut and Copy in an edit field: the clipboard first, so that a cut whose
// text could not be put there leaves the field as it was.
void CopyFieldSelection(MainModel& model, const CommandPorts& ports, bool removeAfterwards) {
  const std::u16string selected = ports.FocusedEdit->SelectedText();
  if (selected.empty()) return;
  if (!ports.Clipboard->WriteText(selected).Succeeded) {
    model.StatusText = texts::kClipboardWriteFailed;
    return;
  }
  if (removeAfterwards) ports.FocusedEdit->ReplaceSelection(u"");
}

void PasteIntoField(MainModel& model, const CommandPorts& ports) {
  const ClipboardText read = ports.Clipboard->ReadText();
  if (!read.Result.Succeeded) {
    model.StatusText = texts::kClipboardReadFailed;
    return;
  }
  if (!read.Text) return;
  const std::u16string_view text = *read.Text;
  ports.FocusedEdit->ReplaceSelection(text.substr(0, text.find_first_of(u"\r\n")));
}

bool SelectedInShownList(const MainModel& model) {
  const EditList& list = model.ShownTab == Tab::System ? model.SysList : model.UserList;
  return list.Selected() >= 0;
}

}  // namespace

void EditAddBtnExecute(MainModel& model, EditorState& state, const CommandPorts& ports) {
  if (model.ShownTab == Tab::Path) {
    AddPathItem(model);
  } else {
    AddVariable(model, state, ports);
  }
}

void EditReplaseBtnExecute(MainModel& model, EditorState& state, const CommandPorts& ports) {
  if (model.ShownTab == Tab::Path) {
    ReplacePathItem(model);
  } else {
    ReplaceVariable(model, state, ports);
  }
}

void EditDeleteBtnExecute(MainModel& model, EditorState& state, const CommandPorts& ports) {
  EditDeleteExecute(model, state, ports);
}

void EditCutExecute(MainModel& model, EditorState& state, const CommandPorts& ports) {
  if (EditFieldFocused(ports)) {
    CopyFieldSelection(model, ports, true);
  } else if (model.ShownTab == Tab::Path) {
    CutPathItem(model, ports);
  } else {
    CutVariable(model, state, ports);
  }
}

void EditCopyExecute(MainModel& model, EditorState& state, const CommandPorts& ports) {
  if (EditFieldFocused(ports)) {
    CopyFieldSelection(model, ports, false);
  } else if (model.ShownTab == Tab::Path) {
    CopyPathItem(model, ports);
  } else {
    CopyVariable(model, state, ports);
  }
}

void EditPasteExecute(MainModel& model, EditorState& state, const CommandPorts& ports) {
  if (EditFieldFocused(ports)) {
    PasteIntoField(model, ports);
  } else if (model.ShownTab == Tab::Path) {
    PastePathItems(model);
  } else {
    PasteVariable(model, state, ports);
  }
}

void EditDeleteExecute(MainModel& model, EditorState& state, const CommandPorts& ports) {
  if (EditFieldFocused(ports)) {
    if (ports.FocusedEdit->HasSelection()) ports.FocusedEdit->ReplaceSelection(u"");
  } else if (model.ShownTab == Tab::Path) {
    DeletePathItem(model);
  } else {
    DeleteVariable(model, state, ports);
  }
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
