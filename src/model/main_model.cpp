#include "model/main_model.h"

#include <algorithm>
#include <utility>

#include "model/collation.h"
#include "model/path_value.h"

namespace tallowin {

namespace {

std::vector<std::u16string> ItemsOf(std::u16string_view value) { return SplitPathValue(RemoveLineBreaks(value)); }

}  // namespace

void MainModel::SetPathValue(std::u16string_view value) {
  ApplyPathItems(ItemsOf(value));
  MirrorEdit1IntoPathEntry();
}

void MainModel::SetPathLines(const std::vector<std::u16string>& lines) {
  ApplyPathItems(ItemsOf(JoinPathItems(lines)));
  RefreshPathView();
}

void MainModel::ApplyPathItems(std::vector<std::u16string> items) {
  PathList = std::move(items);
  PathIndex = std::min(PathIndex, PathLastIndex());
  ShowCurrentItem();
}

void MainModel::RefreshPathView() {
  Edit1 = JoinPathItems(PathList);
  ShowCurrentItem();
  CountText = ItemCountText(CountOfShownTab());
  MirrorEdit1IntoPathEntry();
}

void MainModel::ShowCurrentItem() {
  const int current = PathListSelection();
  Edit2 = current >= 0 ? PathList[static_cast<std::size_t>(current)] : std::u16string();
}

void MainModel::MirrorEdit1IntoPathEntry() {
  const int row = PathEntryIndex();
  if (row >= 0) SysList.SetData(row, Edit1);
}

int MainModel::CountOfShownTab() const {
  switch (ShownTab) {
    case Tab::System:
      return SysList.Count();
    case Tab::User:
      return UserList.Count();
    case Tab::Path:
      break;
  }
  return static_cast<int>(PathList.size());
}

void MainModel::Edit1Change(std::u16string_view text) {
  Edit1 = std::u16string(text);
  SetPathValue(Edit1);
}

void MainModel::PathListClick(int index) {
  PathIndex = index;
  RefreshPathView();
}

void MainModel::ShowTab(Tab tab) {
  ShownTab = tab;
  CountText = ItemCountText(CountOfShownTab());
}

std::u16string MainModel::PathItemText() const { return JoinLines(PathList); }

int MainModel::PathEntryIndex() const { return PathEntry ? SysList.IndexOf(*PathEntry) : -1; }

void MainModel::LinkPathEntry(int sysIndex) {
  const VariableEntry& entry = SysList.At(sysIndex);
  PathEntry = SysList.IdAt(sysIndex);
  Edit1 = std::u16string(entry.Data());
  PathList = ItemsOfReadPath(Edit1);
  PathIndex = 0;
}

bool MainModel::IsConflict(KeyScope scope, std::u16string_view name) const {
  return std::any_of(Conflicts.begin(), Conflicts.end(), [&](const ScopedName& conflict) {
    return conflict.Scope == scope && SameRegistryName(conflict.Name, name);
  });
}

std::vector<NamedValue> MainModel::ValuesToWrite(const EditList& list) const {
  if (&list != &SysList) return tallowin::ValuesToWrite(list);
  return tallowin::ValuesToWrite(list, PathEntryIndex(), &PathList);
}

}  // namespace tallowin
