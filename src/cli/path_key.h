#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/environment_keys.h"
#include "model/variable_entry.h"
#include "cli/keys.h"

// A key's Path value as the commands that edit its items meet it.
namespace tallowin::cli {

// A key's Path value: its entry (any letter case of the name), or none.
const VariableEntry* PathEntryOf(const KeyLists& lists, KeyScope scope);

// The value's parts, split at every ';'.
std::vector<std::u16string> PathParts(const KeyLists& lists, KeyScope scope);

// The value that puts the new text into the key's Path: an existing value
// keeps its name and type, a new one is REG_EXPAND_SZ. `current` is what
// the key holds now.
NamedValue PathValueFor(const KeyLists& lists, KeyScope scope, const std::u16string& text,
                        std::optional<RegistryValue>& current);

}  // namespace tallowin::cli
