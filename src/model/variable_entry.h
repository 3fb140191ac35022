#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One environment variable of one scope, as a row of an edit list shows it:
// the name (the row's caption) and the sub-items, 0 the type name and 1 the
// data text.
namespace tallowin {

// A registry value as the registry stores it: a type code and exact bytes.
struct RegistryValue {
  std::uint32_t TypeCode = 0;
  std::vector<std::uint8_t> Bytes;

  bool operator==(const RegistryValue&) const = default;
};

// What an entry was read with (from the registry or a registration file):
// the stored value and the two texts it was read as. Writing such an entry
// while it still shows those texts writes the stored value unchanged.
struct StoredValue {
  RegistryValue Value;
  std::u16string TypeName;
  std::u16string Data;

  bool operator==(const StoredValue&) const = default;
};

struct VariableEntry {
  std::u16string Name;
  // Sub-item 0 is the type name, sub-item 1 the data. A row that is still
  // being filled can have fewer.
  std::vector<std::u16string> SubItems;
  // Empty for entries the user made.
  std::optional<StoredValue> Stored;

  // A complete entry made by the user (nothing stored behind it).
  static VariableEntry FromTexts(std::u16string name, std::u16string typeName, std::u16string data);
  // An entry for a value read from the registry or a registration file; its
  // type name and data text are derived from the stored value.
  static VariableEntry FromValue(std::u16string name, RegistryValue value);

  std::u16string_view TypeName() const { return SubItemOrEmpty(0); }
  std::u16string_view Data() const { return SubItemOrEmpty(1); }

  bool operator==(const VariableEntry&) const = default;

 private:
  std::u16string_view SubItemOrEmpty(std::size_t index) const {
    return index < SubItems.size() ? std::u16string_view(SubItems[index]) : std::u16string_view();
  }
};

// A value as it goes out to a key or a file.
struct NamedValue {
  std::u16string Name;
  RegistryValue Value;

  bool operator==(const NamedValue&) const = default;
};

// What the Path tab shows of the linked Path entry: the Path list's items.
// Null for every other row.
using ShownPathItems = const std::vector<std::u16string>*;

// Whether writing the row reproduces its stored value: the row shows the
// type name it was read with and, for an ordinary row, the data text it was
// read with; for the linked Path entry, the Path list holds the items the
// value was read as, in the same order, and the row shows either the data
// as read or those items joined (Edit1 was not given another text). Decided
// from what is shown, so no command has to remember to end any state.
bool WritesStoredValue(const VariableEntry& row, ShownPathItems pathItems = nullptr);

// The value to write for a row: its stored value while WritesStoredValue()
// holds, otherwise its data text and a terminating zero (UTF-16LE) under the
// type code its type name looks up to (REG_NONE for an unknown name).
RegistryValue ValueToWrite(const VariableEntry& row, ShownPathItems pathItems = nullptr);

}  // namespace tallowin
