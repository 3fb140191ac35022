#include "commands/variable_tab_commands.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "commands/command_step.h"
#include "commands/placement.h"
#include "model/clip_item.h"
#include "model/type_names.h"

namespace tallowin {
namespace {

// The list and fields of the variable tab shown, with the Path guard that
// protects the System list only.
struct VariableTab {
  EditList& List;
  VariableFields& Fields;
  int PathGuard;
  // The selected row is the one linked as the Path entry.
  bool SelectedIsPathEntry;
};

std::optional<VariableTab> ShownVariableTab(MainModel& model, EditorState& state) {
  switch (model.ShownTab) {
    case Tab::System:
      return VariableTab{model.SysList, state.SysFields, CI_PATH_GUARD,
                         model.SysList.Selected() >= 0 && model.SysList.Selected() == model.PathEntryIndex()};
    case Tab::User:
      return VariableTab{model.UserList, state.UserFields, 0, false};
    case Tab::Path:
      break;
  }
  return std::nullopt;
}

CClipItem FromFields(const VariableFields& fields) {
  CClipItem item;
  item.SetValues(fields.Name, fields.TypeName, fields.Data, CI_ALL_FIELDS);
  return item;
}

CClipItem FromEntry(const VariableEntry& entry) {
  CClipItem item;
  item.LoadFromItem(entry, CI_ALL_FIELDS);
  return item;
}

}  // namespace

void AddVariable(MainModel& model, EditorState& state, const CommandPorts& ports) {
  const std::optional<VariableTab> tab = ShownVariableTab(model, state);
  if (!tab) return;
  CClipItem candidate = FromFields(tab->Fields);
  const bool accepted = CheckPlacement(candidate, tab->List, CI_NAME | CI_TYPE | CI_NAME_CHARS, ports) == 0;
  RunAsOneStep(model, [&] {
    if (accepted) {
      // A new, empty row first: its name then sorts it, as naming a new row
      // of the list view does. Without a selected row (an empty list, or
      // after a Delete) it starts at the top.
      const int row = tab->List.Insert(std::max(tab->List.Selected(), 0), VariableEntry{});
      candidate.StoreToItem(tab->List, row, CI_ALL_FIELDS);
    }
    model.RefreshPathView();
  });
}

void ReplaceVariable(MainModel& model, EditorState& state, const CommandPorts& ports) {
  const std::optional<VariableTab> tab = ShownVariableTab(model, state);
  if (!tab || tab->List.Selected() < 0) return;
  CClipItem candidate = FromFields(tab->Fields);
  // Another row's name would make two rows of one registry value; the
  // selected row's own name in another case is a rename (CI_REPLACE).
  const int refusals = tab->PathGuard | CI_NAME | CI_TYPE | CI_NAME_CHARS;
  const int mask = refusals | CI_REPLACE;
  const bool accepted = (CheckPlacement(candidate, tab->List, mask, ports, tab->SelectedIsPathEntry) & refusals) == 0;
  RunAsOneStep(model, [&] {
    if (accepted) candidate.StoreToItem(tab->List, tab->List.Selected(), CI_ALL_FIELDS);
    model.RefreshPathView();
  });
}

void DeleteVariable(MainModel& model, EditorState& state, const CommandPorts& ports) {
  const std::optional<VariableTab> tab = ShownVariableTab(model, state);
  if (!tab) return;
  const int selected = tab->List.Selected();
  if (selected < 0) return;
  const bool accepted = tab->PathGuard == 0 || CheckPlacement(state.ClipItem, tab->List, tab->PathGuard, ports, tab->SelectedIsPathEntry) == 0;
  RunAsOneStep(model, [&] {
    if (accepted) tab->List.Delete(selected);
    model.RefreshPathView();
  });
}

void CutVariable(MainModel& model, EditorState& state, const CommandPorts& ports) {
  const std::optional<VariableTab> tab = ShownVariableTab(model, state);
  if (!tab) return;
  const int selected = tab->List.Selected();
  if (selected < 0) return;
  if (tab->PathGuard != 0 && CheckPlacement(state.ClipItem, tab->List, tab->PathGuard, ports, tab->SelectedIsPathEntry) != 0) return;
  CClipItem cut = FromEntry(tab->List.At(selected));
  RunAsOneStep(model, [&] {
    tab->List.Delete(selected);
    model.RefreshPathView();
  });
  state.ClipItem = std::move(cut);
}

void CopyVariable(MainModel& model, EditorState& state, const CommandPorts&) {
  const std::optional<VariableTab> tab = ShownVariableTab(model, state);
  if (!tab) return;
  const int selected = tab->List.Selected();
  if (selected < 0) return;
  CClipItem copied = FromEntry(tab->List.At(selected));
  RunAsOneStep(model, [&] { model.RefreshPathView(); });
  state.ClipItem = std::move(copied);
}

void PasteVariable(MainModel& model, EditorState& state, const CommandPorts& ports) {
  const std::optional<VariableTab> tab = ShownVariableTab(model, state);
  if (!tab || tab->List.Selected() < 0 || !state.ClipItem.IsSet) return;
  const int mask = tab->PathGuard | CI_TYPE | CI_NAME | CI_REPLACE | CI_NAME_CHARS;
  const int result = CheckPlacement(state.ClipItem, tab->List, mask, ports, tab->SelectedIsPathEntry);
  RunAsOneStep(model, [&] {
    if (result == 0 || result == CI_REPLACE) {
      state.ClipItem.StoreToItem(tab->List, tab->List.Selected(), CI_ALL_FIELDS);
    }
    model.RefreshPathView();
  });
}

void FillFieldsFromEntry(VariableFields& fields, const VariableEntry& entry) {
  std::u16string name = entry.Name;
  std::u16string data(entry.Data());
  const std::u16string_view type = entry.TypeName();
  if (std::find(kTypeNames.begin(), kTypeNames.end(), type) != kTypeNames.end()) fields.TypeName = type;
  fields.Name = std::move(name);
  fields.Data = std::move(data);
}

}  // namespace tallowin
