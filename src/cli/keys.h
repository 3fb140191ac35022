#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/edit_list.h"
#include "model/environment_keys.h"
#include "model/path_check.h"
#include "cli/context.h"

// The two keys as the command line reads them.
namespace tallowin::cli {

RootKey RootOf(KeyScope scope);
std::u16string_view SubkeyOf(KeyScope scope);
// The key as the window's tabs name it, for people.
std::u16string_view ScopeText(KeyScope scope);
// The key in JSON: "system" or "user".
std::u16string_view ScopeWord(KeyScope scope);

// Both keys as the window's lists hold them after a Load: sorted by name,
// each entry with the exact value read.
struct KeyLists {
  EditList System;
  EditList User;

  const EditList& Of(KeyScope scope) const { return scope == KeyScope::System ? System : User; }
};

// ExitCode::Done, or the failure reported.
ExitCode ReadKeys(Context& context, KeyLists& lists);

// A key's values in the registry's order, each with the exact bytes read.
ExitCode ReadValues(Context& context, KeyScope scope, std::vector<NamedValue>& values);

// A variable of the program's own environment, for the expansion.
VariableLookup ProgramLookup(EnvironmentPort& environment);

}  // namespace tallowin::cli
