#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/environment_keys.h"
#include "model/variable_entry.h"
#include "commands/value_write_rules.h"
#include "cli/context.h"

// One value of a key as the writing commands meet it: why a write is
// refused, and what the key holds under a name now.
namespace tallowin::cli {

// The refusal's message; `subject` (the value's name, or the folder of a
// Path edit) follows the reason when it is not empty.
std::u16string RefusalMessage(WriteRefusal refusal, std::u16string_view subject);

// Refuses the write (exit 4) with the refusal's message.
ExitCode RefuseWrite(Context& context, WriteRefusal refusal, std::u16string_view subject);

// The value as it is now; nothing when the key has no such value. A writer
// calls it within its turn.
ExitCode ReadCurrent(Context& context, KeyScope scope, std::u16string_view name,
                     std::optional<RegistryValue>& current);

}  // namespace tallowin::cli
