#include "model/main_model.h"

#include <utility>

#include "model/path_value.h"

namespace tallowin {

namespace {

std::vector<std::u16string> ItemsOf(std::u16string_view value) {
  return SplitLines(SplitPathItems(RemoveLineBreaks(value)));
}

}  // namespace

void MainModel::SetPathValue(std::u16string_view value) { ApplyPathItems(ItemsOf(value)); }

void MainModel::ApplyPathItems(std::vector<std::u16string> items) {
  PathList = std::move(items);
  PathLastIndex = static_cast<int>(PathList.size()) - 1;
  if (PathLastIndex < PathIndex) PathIndex = PathLastIndex;
  ShowPathSelection();
  MirrorEdit1IntoPathEntry();
}

void MainModel::RefreshPathView() {
  PathLastIndex = static_cast<int>(PathList.size()) - 1;
  Edit1 = RemoveLineBreaks(PathItemText());
  ShowPathSelection();
  CountText = ItemCountText(CountOfShownTab());
  MirrorEdit1IntoPathEntry();
}

void MainModel::ShowPathSelection() {
  const bool inRange = PathIndex >= 0 && PathIndex <= PathLastIndex;
  PathListSelection = inRange ? PathIndex : -1;
  UpDownMax = PathLastIndex;
  UpDownPosition = PathLastIndex - PathIndex;
  Edit2 = inRange ? PathList[static_cast<std::size_t>(PathIndex)] : std::u16string();
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

std::vector<NamedValue> MainModel::ValuesToWrite(const EditList& list) const {
  if (&list != &SysList) return tallowin::ValuesToWrite(list);
  return tallowin::ValuesToWrite(list, PathEntryIndex(), &PathList);
}

}  // namespace tallowin
