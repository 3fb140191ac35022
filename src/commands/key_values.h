#pragma once

#include <string_view>
#include <vector>

#include "commands/ports.h"
#include "model/edit_list.h"
#include "model/environment_keys.h"
#include "model/variable_entry.h"

// The two environment keys by scope, and their values as the registry
// holds them.
namespace tallowin {

struct KeyPlace {
  RootKey Root;
  std::u16string_view Subkey;
};

KeyPlace PlaceOf(KeyScope scope);

// Every value of the scope's key with its type and bytes, in the key's
// order; `values` holds them only when the whole key was read.
PortResult ReadKeyValues(RegistryPort& registry, KeyScope scope, std::vector<NamedValue>& values);

// Both keys as the window's lists hold them after a Load: sorted by name,
// each entry with the exact value read.
struct KeyLists {
  EditList System;
  EditList User;

  const EditList& Of(KeyScope scope) const { return scope == KeyScope::System ? System : User; }
};

// Both keys, the system key first; the failure of the first that failed.
PortResult ReadKeyLists(RegistryPort& registry, KeyLists& lists);

// The key's value of that name as the registry finds names; null when the
// key has none.
const VariableEntry* FindValue(const KeyLists& lists, KeyScope scope, std::u16string_view name);

}  // namespace tallowin
