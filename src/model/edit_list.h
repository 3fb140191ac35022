#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/collation.h"
#include "model/variable_entry.h"

// An edit list: the variable entries of one scope (the System list or the
// User list), in name order, with at most one selected entry.
//
// Order follows the list view the window shows: a row is put into its sorted
// place whenever its name is set to a text that differs from the name it had.
// A row added or inserted with an empty name keeps the position it was given
// until some row's name changes and the list sorts itself again.
namespace tallowin {

// Identifies a row for as long as it stays in its list; never reused by the
// same list, so a reference to a row that has left the list finds nothing.
using EntryId = std::uint64_t;

class EditList {
 public:
  // A copy holds the rows under the same ids, so a reference to a row of
  // the original finds its copy. The copies share each row until one of
  // them changes it, so that copies kept for undo cost a pointer per row.
  EditList() = default;
  EditList(const EditList&) = default;
  EditList& operator=(const EditList&) = default;
  EditList(EditList&&) noexcept = default;
  EditList& operator=(EditList&&) noexcept = default;

  // The same rows (ids, entries, order); the selection aside.
  bool HoldsSameRows(const EditList& other) const;
  // The same rows, selection and next id: either may stand for the other.
  bool SameAs(const EditList& other) const {
    return selected_ == other.selected_ && nextId_ == other.nextId_ && ordered_ == other.ordered_ &&
           HoldsSameRows(other);
  }

  int Count() const { return static_cast<int>(rows_.size()); }
  const VariableEntry& At(int index) const { return rows_.at(static_cast<std::size_t>(index))->Entry; }
  EntryId IdAt(int index) const { return rows_.at(static_cast<std::size_t>(index))->Id; }
  // The row's index, or -1 when it is not (or no longer) in the list.
  int IndexOf(EntryId id) const;

  // Appends the entry as a new row and then names it: a non-empty name moves
  // it to its sorted place. Returns the row's index.
  int Add(VariableEntry entry);
  // Adds the entries as Add() would one after the other, with one sort for
  // them all instead of an insertion each: ten thousand values read from a
  // key are not ten thousand moves of the rows below.
  void AddAll(std::vector<VariableEntry> entries);
  // Inserts the entry before the given index (Count() appends), then names it
  // as Add does. Returns the row's index.
  int Insert(int before, VariableEntry entry);
  void Delete(int index);
  void Clear();

  // Sets a row's caption; a different text re-sorts the list. Returns the
  // row's index afterwards.
  int SetName(int index, std::u16string name);
  // Sets sub-item 0 or 1, appending missing sub-items before it as empty.
  void SetTypeName(int index, std::u16string typeName);
  void SetData(int index, std::u16string data);
  // The list-view operations the entry buffer stores through.
  void SetSubItem(int index, std::size_t subItem, std::u16string text);
  void AppendSubItem(int index, std::u16string text);
  void SetStored(int index, std::optional<StoredValue> stored);

  // The selected row, or -1. The selection follows its row when it moves.
  int Selected() const { return selected_ == 0 ? -1 : IndexOf(selected_); }
  // Selects a row; -1 clears the selection.
  void Select(int index);

  // The first row whose name equals the text ignoring case, or -1.
  int FindIgnoringCase(std::u16string_view name) const;

  // "N 項目" for this list.
  std::u16string CountText() const;

 private:
  struct Row {
    EntryId Id;
    VariableEntry Entry;
    CollationKey Key;
  };

  // The row to change: a row another copy shares is copied first.
  Row& RowAt(int index);
  int Place(std::size_t position, VariableEntry entry);
  int MoveToSortedPlace(std::size_t index);
  bool InOrderWithNeighbours(std::size_t index) const;
  static bool SortsBefore(const std::shared_ptr<Row>& a, const std::shared_ptr<Row>& b) {
    return CompareCollationKeys(a->Key, b->Key) < 0;
  }

  // Rows are held by pointer so that sorting and inserting move pointers,
  // not entries, and so that copies of the list share them.
  std::vector<std::shared_ptr<Row>> rows_;
  EntryId nextId_ = 1;
  EntryId selected_ = 0;
  // False once a row was placed out of name order without sorting; the next
  // rename then sorts the whole list instead of moving one row.
  bool ordered_ = true;
};

// The item count text: the count in decimal digits followed by " 項目".
std::u16string ItemCountText(int count);

// The values writing the list puts out, in list order; the row at pathRow
// (if any) is the linked Path entry and is judged by the Path items shown.
std::vector<NamedValue> ValuesToWrite(const EditList& list, int pathRow = -1, ShownPathItems pathItems = nullptr);

}  // namespace tallowin
