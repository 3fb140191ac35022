#include "cli/path_key.h"

#include "model/path_value_edit.h"
#include "model/type_names.h"
#include "model/value_text.h"

namespace tallowin::cli {

const VariableEntry* PathEntryOf(const KeyLists& lists, KeyScope scope) {
  const int row = lists.Of(scope).FindIgnoringCase(u"Path");
  return row < 0 ? nullptr : &lists.Of(scope).At(row);
}

std::vector<std::u16string> PathParts(const KeyLists& lists, KeyScope scope) {
  const VariableEntry* entry = PathEntryOf(lists, scope);
  return SplitAtSemicolons(entry == nullptr ? std::u16string_view() : entry->Data());
}

NamedValue PathValueFor(const KeyLists& lists, KeyScope scope, const std::u16string& text,
                        std::optional<RegistryValue>& current) {
  const VariableEntry* entry = PathEntryOf(lists, scope);
  current.reset();
  if (entry != nullptr && entry->Stored) current = entry->Stored->Value;
  const std::uint32_t type = current ? current->TypeCode : kRegExpandSz;
  return NamedValue{entry != nullptr ? entry->Name : u"Path", TextToValue(type, text)};
}

}  // namespace tallowin::cli
