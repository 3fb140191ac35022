#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/environment_keys.h"
#include "commands/key_values.h"
#include "cli/context.h"

// The two keys as the command line names and reads them.
namespace tallowin::cli {

// The key as the window's tabs name it, for people.
std::u16string_view ScopeText(KeyScope scope);
// The key in JSON: "system" or "user".
std::u16string_view ScopeWord(KeyScope scope);

// ExitCode::Done, or the failure reported.
ExitCode ReadKeys(Context& context, KeyLists& lists);

// A key's values in the registry's order, each with the exact bytes read.
ExitCode ReadValues(Context& context, KeyScope scope, std::vector<NamedValue>& values);

}  // namespace tallowin::cli
