#include "model/main_model.h"

#include <utility>

#include "model/path_value.h"

namespace tallowin {

namespace {

std::vector<std::u16string> ItemsOf(std::u16string_view value) {
  return SplitLines(SplitPathItems(RemoveLineBreaks(value)));
}

}  // namespace

void MainModel::SetPathValue(std::u16string_view value) {
  std::vector<std::u16string> items = ItemsOf(value);
  // A value that splits into the items the list holds already (a Replace or
  // Paste with what is there) is no edit: the Path entry keeps the value it
  // was read with, whatever that holds.
  if (items != PathList) EndUneditedPath();
  ApplyPathItems(std::move(items));
}

void MainModel::ApplyPathValue(std::u16string_view value) { ApplyPathItems(ItemsOf(value)); }

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
  if (row < 0) return;
  SysList.SetData(row, Edit1);
  if (!uneditedPath_) return;
  // A row that no longer holds the value it was linked with (pasted over on
  // the System tab, or another row linked since) writes its text.
  if (uneditedPath_->Entry != *PathEntry || SysList.At(row).Stored != uneditedPath_->Value) {
    uneditedPath_.reset();
    return;
  }
  // Edit1 shows the unedited value joined: from now on that is the text the
  // stored value is shown as, and writing the row still writes that value.
  uneditedPath_->Value.Data = Edit1;
  SysList.SetStored(row, uneditedPath_->Value);
}

void MainModel::EndUneditedPath() {
  uneditedPath_.reset();
  const int row = PathEntryIndex();
  if (row >= 0) SysList.SetStored(row, std::nullopt);
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
  if (text != Edit1) {
    Edit1 = std::u16string(text);
    EndUneditedPath();
  }
  ApplyPathValue(Edit1);
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
  uneditedPath_.reset();
  if (entry.KeepsStoredValue()) uneditedPath_ = UneditedPath{*PathEntry, *entry.Stored};
  Edit1 = std::u16string(entry.Data());
  // A line break inside the data ends an item, as a ';' does: each line is
  // split on its own, so that every item ends with its own ';' and the next
  // edit, which joins the items without line breaks, keeps them apart.
  PathList.clear();
  for (const std::u16string& line : SplitLines(Edit1)) {
    for (std::u16string& item : SplitLines(SplitPathItems(line))) PathList.push_back(std::move(item));
  }
  PathIndex = 0;
}

}  // namespace tallowin
