#pragma once

#include <optional>
#include <string_view>

#include "model/environment_keys.h"
#include "model/variable_entry.h"
#include "cli/context.h"

// One value of a key as the writing commands meet it: whether its name may
// be written, and what the key holds under it now.
namespace tallowin::cli {

// The name's refusal as a message, or nothing when the name may be written.
std::optional<std::u16string_view> NameProblem(std::u16string_view name);

// The value as it is now; nothing when the key has no such value. A writer
// calls it within its turn.
ExitCode ReadCurrent(Context& context, KeyScope scope, std::u16string_view name,
                     std::optional<RegistryValue>& current);

}  // namespace tallowin::cli
