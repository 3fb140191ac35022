#include "model/variable_entry.h"

#include "model/path_value.h"
#include "model/type_names.h"
#include "model/value_text.h"

namespace tallowin {

VariableEntry VariableEntry::FromTexts(std::u16string name, std::u16string typeName, std::u16string data) {
  VariableEntry entry;
  entry.Name = std::move(name);
  entry.SubItems = {std::move(typeName), std::move(data)};
  return entry;
}

VariableEntry VariableEntry::FromValue(std::u16string name, RegistryValue value) {
  StoredValue stored;
  stored.TypeName = std::u16string(TypeNameOf(value.TypeCode));
  stored.Data = DataTextOf(value);
  stored.Value = std::move(value);
  VariableEntry entry;
  entry.Name = std::move(name);
  entry.SubItems = {stored.TypeName, stored.Data};
  entry.Stored = std::move(stored);
  return entry;
}

bool WritesStoredValue(const VariableEntry& row, ShownPathItems pathItems) {
  if (!row.Stored || row.TypeName() != row.Stored->TypeName) return false;
  if (pathItems == nullptr) return row.Data() == row.Stored->Data;
  // The items read have no line breaks, so the joined lines without them
  // are the items joined.
  if (!IsItemsOfReadPath(row.Stored->Data, *pathItems)) return false;
  return row.Data() == row.Stored->Data || IsJoinedPathItems(row.Data(), *pathItems);
}

RegistryValue ValueToWrite(const VariableEntry& row, ShownPathItems pathItems) {
  if (WritesStoredValue(row, pathItems)) return row.Stored->Value;
  return TextToValue(TypeCodeForWriting(row.TypeName()), row.Data());
}

}  // namespace tallowin
