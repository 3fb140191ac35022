#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/edit_list.h"
#include "model/variable_entry.h"

// The entry buffer: one variable entry held outside the edit lists (the
// window's clipboard for variables, the Add and Replace buttons' candidate,
// a backup's values), and the placement rules that decide whether it may go
// into an edit list.
namespace tallowin {

// Field mask bits of LoadFromItem, SetValues, StoreToItem and CheckPlacement;
// CheckPlacement's result uses the same values.
inline constexpr int CI_REPLACE = 1;
inline constexpr int CI_NAME = 2;
inline constexpr int CI_TYPE = 4;
inline constexpr int CI_DATA = 8;
inline constexpr int CI_PATH_GUARD = 16;
inline constexpr int CI_ALL_FIELDS = CI_NAME | CI_TYPE | CI_DATA;

class CClipItem {
 public:
  void LoadFromItem(const VariableEntry& entry, int mask);
  void SetValues(std::u16string_view name, std::u16string_view typeName, std::u16string_view data, int mask);
  // Holds a value read from the registry: what SetValues with every field
  // would hold for its name, type name and data text, and its exact bytes.
  void SetReadValue(std::u16string name, RegistryValue value);
  // Writes the masked fields into a row of the list; false (and nothing
  // changed) while the buffer holds nothing. Storing a different name moves
  // the row to its sorted place. With type and data, a buffer that was read
  // with a stored value gives the row that value; any other keeps the
  // row's own.
  bool StoreToItem(EditList& list, int index, int mask) const;
  int UpdateTypeIndex();
  // Tests the buffer against a list: the result bits of the rules that
  // refused it (CI_REPLACE alone when it may replace the selected entry).
  // The refusal message follows from the bits (commands/placement.h).
  int CheckPlacement(const EditList& list, int mask);

  int TypeIndex = 0;
  std::u16string Name;
  std::u16string TypeName;
  std::u16string Data;
  bool IsSet = false;
  // The stored value behind the type and data, when they were loaded
  // together from an entry read from the registry or a file, so that moving
  // such an entry keeps its exact bytes.
  std::optional<StoredValue> Stored;
};

}  // namespace tallowin
