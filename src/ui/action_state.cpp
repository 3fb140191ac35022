#include "ui/action_state.h"

#include "model/texts.h"
#include "ui/resources/resource.h"

namespace tallowin::ui {

ActionState::ActionState() {
  actions_ = {
      {IDM_FILE_LOAD, {true, texts::kHintFileLoad}},
      {IDM_FILE_SAVE, {true, texts::kHintFileSave}},
      {IDM_FILE_IMPORT, {true, texts::kHintFileImport}},
      {IDM_FILE_EXPORT, {true, texts::kHintFileExport}},
      {IDM_FILE_BUCKUP, {true, {}}},
      {IDM_FILE_EXIT, {true, texts::kHintFileExit}},
      {IDM_EDIT_CUT, {true, texts::kHintEditCut}},
      {IDM_EDIT_COPY, {true, texts::kHintEditCopy}},
      {IDM_EDIT_PASTE, {true, texts::kHintEditPaste}},
      {IDM_EDIT_DELETE, {true, texts::kHintEditDelete}},
      {IDM_EDIT_ADD_BTN, {true, texts::kHintEditAddBtn}},
      {IDM_EDIT_REPLASE_BTN, {true, texts::kHintEditReplaseBtn}},
      {IDM_EDIT_DELETE_BTN, {true, texts::kHintEditDelete}},
      {IDM_FILE_BROWSE, {true, texts::kHintFileBrowse}},
      {IDM_HELP_ABOUT, {true, texts::kHintHelpAbout}},
      {IDM_EDIT_UNDO, {true, texts::kHintEditUndo}},
  };
}

bool ActionState::IsEnabled(int commandId) const {
  const auto action = actions_.find(commandId);
  return action != actions_.end() && action->second.Enabled;
}

void ActionState::SetEnabled(int commandId, bool enabled) {
  const auto action = actions_.find(commandId);
  if (action != actions_.end()) action->second.Enabled = enabled;
}

std::u16string_view ActionState::Hint(int commandId) const {
  const auto action = actions_.find(commandId);
  return action != actions_.end() ? action->second.Hint : std::u16string_view();
}

void ActionState::ApplyToMenu(HMENU menu) const {
  const int count = ::GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    const UINT id = ::GetMenuItemID(menu, position);
    if (id == static_cast<UINT>(-1) || id == 0) continue;  // a submenu or a separator
    ::EnableMenuItem(menu, id, MF_BYCOMMAND | (IsEnabled(static_cast<int>(id)) ? MF_ENABLED : MF_GRAYED));
  }
}

}  // namespace tallowin::ui
