#include "model/edit_list.h"

#include <algorithm>
#include <stdexcept>

#include "model/collation.h"
#include "model/texts.h"

namespace tallowin {

bool EditList::HoldsSameRows(const EditList& other) const {
  return std::equal(rows_.begin(), rows_.end(), other.rows_.begin(), other.rows_.end(),
                    [](const std::shared_ptr<Row>& a, const std::shared_ptr<Row>& b) {
                      return a == b || (a->Id == b->Id && a->Entry == b->Entry);
                    });
}

EditList::Row& EditList::RowAt(int index) {
  std::shared_ptr<Row>& row = rows_.at(static_cast<std::size_t>(index));
  if (row.use_count() > 1) row = std::make_shared<Row>(*row);
  return *row;
}

int EditList::IndexOf(EntryId id) const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i]->Id == id) return static_cast<int>(i);
  }
  return -1;
}

int EditList::Add(VariableEntry entry) { return Place(rows_.size(), std::move(entry)); }

void EditList::AddAll(std::vector<VariableEntry> entries) {
  // A row without a name is not sorted in when added, so its place depends
  // on the rows added after it: such entries take Add()'s own way.
  if (std::any_of(entries.begin(), entries.end(), [](const VariableEntry& entry) { return entry.Name.empty(); })) {
    for (VariableEntry& entry : entries) Add(std::move(entry));
    return;
  }
  if (entries.empty()) return;
  rows_.reserve(rows_.size() + entries.size());
  for (VariableEntry& entry : entries) {
    CollationKey key = MakeCollationKey(entry.Name);
    rows_.push_back(std::make_shared<Row>(Row{nextId_++, std::move(entry), std::move(key)}));
  }
  // Added one by one, each row would land after the rows of an equal name
  // already there; an unordered list would sort itself whole at the first.
  // A stable sort of all the rows gives both.
  std::stable_sort(rows_.begin(), rows_.end(), SortsBefore);
  ordered_ = true;
}

int EditList::Insert(int before, VariableEntry entry) {
  if (before < 0 || before > Count()) throw std::out_of_range("EditList::Insert");
  return Place(static_cast<std::size_t>(before), std::move(entry));
}

int EditList::Place(std::size_t position, VariableEntry entry) {
  // A new row starts without a name and is then named, as a list view row is.
  std::u16string name = std::move(entry.Name);
  auto row = std::make_shared<Row>(Row{nextId_++, std::move(entry), MakeCollationKey(u"")});
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(position), std::move(row));
  if (!name.empty()) return SetName(static_cast<int>(position), std::move(name));
  if (!InOrderWithNeighbours(position)) ordered_ = false;
  return static_cast<int>(position);
}

void EditList::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("EditList::Delete");
  if (rows_[static_cast<std::size_t>(index)]->Id == selected_) selected_ = 0;
  rows_.erase(rows_.begin() + index);
}

void EditList::Clear() {
  rows_.clear();
  selected_ = 0;
  ordered_ = true;
}

int EditList::SetName(int index, std::u16string name) {
  if (At(index).Name == name) return index;
  Row& row = RowAt(index);
  row.Entry.Name = std::move(name);
  row.Key = MakeCollationKey(row.Entry.Name);
  return MoveToSortedPlace(static_cast<std::size_t>(index));
}

int EditList::MoveToSortedPlace(std::size_t index) {
  const auto less = SortsBefore;
  const EntryId id = rows_[index]->Id;
  if (!ordered_) {
    std::stable_sort(rows_.begin(), rows_.end(), less);
    ordered_ = true;
    return IndexOf(id);
  }
  // The other rows are in order, so a stable sort would only move this one:
  // past the rows that now sort before it, and among rows of an equal name
  // it keeps its place relative to them.
  std::shared_ptr<Row> row = std::move(rows_[index]);
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
  const auto [low, high] = std::equal_range(rows_.begin(), rows_.end(), row, less);
  const std::size_t lowIndex = static_cast<std::size_t>(low - rows_.begin());
  const std::size_t highIndex = static_cast<std::size_t>(high - rows_.begin());
  const std::size_t target = std::clamp(index, lowIndex, highIndex);
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(target), std::move(row));
  return static_cast<int>(target);
}

bool EditList::InOrderWithNeighbours(std::size_t index) const {
  const CollationKey& key = rows_[index]->Key;
  if (index > 0 && CompareCollationKeys(rows_[index - 1]->Key, key) > 0) return false;
  if (index + 1 < rows_.size() && CompareCollationKeys(key, rows_[index + 1]->Key) > 0) return false;
  return true;
}

void EditList::SetTypeName(int index, std::u16string typeName) { SetSubItem(index, 0, std::move(typeName)); }

void EditList::SetData(int index, std::u16string data) { SetSubItem(index, 1, std::move(data)); }

void EditList::SetSubItem(int index, std::size_t subItem, std::u16string text) {
  // A row that already shows the text stays shared with the copies.
  const std::vector<std::u16string>& shown = At(index).SubItems;
  if (subItem < shown.size() && shown[subItem] == text) return;
  std::vector<std::u16string>& subItems = RowAt(index).Entry.SubItems;
  if (subItems.size() <= subItem) subItems.resize(subItem + 1);
  subItems[subItem] = std::move(text);
}

void EditList::AppendSubItem(int index, std::u16string text) { RowAt(index).Entry.SubItems.push_back(std::move(text)); }

void EditList::SetStored(int index, std::optional<StoredValue> stored) { RowAt(index).Entry.Stored = std::move(stored); }

void EditList::Select(int index) {
  if (index < 0) {
    selected_ = 0;
    return;
  }
  selected_ = rows_.at(static_cast<std::size_t>(index))->Id;
}

int EditList::FindIgnoringCase(std::u16string_view name) const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (EqualsIgnoringCase(rows_[i]->Entry.Name, name)) return static_cast<int>(i);
  }
  return -1;
}

std::u16string EditList::CountText() const { return ItemCountText(Count()); }

std::u16string ItemCountText(int count) {
  std::u16string digits;
  const bool negative = count < 0;
  unsigned int rest = negative ? 0u - static_cast<unsigned int>(count) : static_cast<unsigned int>(count);
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + rest % 10));
    rest /= 10;
  } while (rest != 0);
  if (negative) digits.insert(digits.begin(), u'-');
  return digits + std::u16string(texts::kItemCountSuffix);
}

std::vector<NamedValue> ValuesToWrite(const EditList& list, int pathRow, ShownPathItems pathItems) {
  std::vector<NamedValue> values;
  values.reserve(static_cast<std::size_t>(list.Count()));
  for (int i = 0; i < list.Count(); ++i) {
    const VariableEntry& row = list.At(i);
    values.push_back({row.Name, ValueToWrite(row, i == pathRow ? pathItems : nullptr)});
  }
  return values;
}

}  // namespace tallowin
