#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "commands/ports.h"

namespace tallowin {

// A variable of the program's own environment, through the port's
// expansion: nothing when the environment lacks it (the reference then
// stays as it is) or holds it empty.
inline std::optional<std::u16string> ProgramVariable(EnvironmentPort& environment, std::u16string_view name) {
  if (name.empty()) return std::nullopt;
  const std::u16string reference = u"%" + std::u16string(name) + u"%";
  std::u16string value = environment.ExpandReferences(reference);
  if (value.empty() || value == reference) return std::nullopt;
  return value;
}

// The lookup that the expansion asks for a variable neither key holds.
inline VariableLookup ProgramVariableLookup(EnvironmentPort& environment) {
  return [&environment](std::u16string_view name) { return ProgramVariable(environment, name); };
}

}  // namespace tallowin
