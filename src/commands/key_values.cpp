#include "commands/key_values.h"

#include <utility>

#include "model/collation.h"
#include "model/type_names.h"
#include "model/value_text.h"

namespace tallowin {

KeyPlace PlaceOf(KeyScope scope) {
  return scope == KeyScope::System ? KeyPlace{RootKey::LocalMachine, kSystemSubkey}
                                   : KeyPlace{RootKey::CurrentUser, kUserSubkey};
}

PortResult ReadKeyValues(RegistryPort& registry, KeyScope scope, std::vector<NamedValue>& values) {
  const KeyPlace place = PlaceOf(scope);
  std::vector<CClipItem> items;
  const PortResult read = registry.ReadKeyToItems(place.Root, place.Subkey, items);
  if (!read.Succeeded) return read;
  std::vector<NamedValue> readValues;
  readValues.reserve(items.size());
  for (CClipItem& item : items) {
    RegistryValue value = item.Stored ? std::move(item.Stored->Value)
                                      : TextToValue(TypeCodeForWriting(item.TypeName), item.Data);
    readValues.push_back({std::move(item.Name), std::move(value)});
  }
  values = std::move(readValues);
  return read;
}

PortResult ReadKeyLists(RegistryPort& registry, KeyLists& lists) {
  for (const KeyScope scope : {KeyScope::System, KeyScope::User}) {
    const KeyPlace place = PlaceOf(scope);
    const PortResult read =
        registry.ReadKeyToList(place.Root, place.Subkey, scope == KeyScope::System ? lists.System : lists.User);
    if (!read.Succeeded) return read;
  }
  return PortResult::Success();
}

const VariableEntry* FindValue(const KeyLists& lists, KeyScope scope, std::u16string_view name) {
  const EditList& list = lists.Of(scope);
  for (int i = 0; i < list.Count(); ++i) {
    if (SameRegistryName(list.At(i).Name, name)) return &list.At(i);
  }
  return nullptr;
}

}  // namespace tallowin
