#include "model/variable_entry.h"

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

bool VariableEntry::KeepsStoredValue() const {
  return Stored && TypeName() == Stored->TypeName && Data() == Stored->Data;
}

RegistryValue ValueToWrite(const VariableEntry& entry) {
  if (entry.KeepsStoredValue()) return entry.Stored->Value;
  return TextToValue(TypeCodeForWriting(entry.TypeName()), entry.Data());
}

}  // namespace tallowin
