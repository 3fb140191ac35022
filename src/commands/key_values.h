#pragma once

#include <string_view>
#include <vector>

#include "commands/ports.h"
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

}  // namespace tallowin
