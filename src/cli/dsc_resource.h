#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/environment_keys.h"
#include "cli/arguments.h"
#include "cli/context.h"
#include "cli/json.h"
#include "cli/json_reader.h"

// What the two DSC v3 resources share: the operation named on the command
// line, the desired state read from standard input as one JSON object and
// checked against the resource's properties, and the result written as DSC
// reads it (the state as one JSON line on standard output; for set and test
// a second line, the JSON array of the properties that changed or differ).
// Messages are JSON lines on standard error.
namespace tallowin::cli {

enum class DscOperation { Get, Set, Test };

struct DscProperty {
  std::u16string_view Name;
  JsonKind Kind;
  bool Required = false;
  std::span<const std::u16string_view> Allowed = {};  // empty: any text
  bool ReadOnly = false;  // reported, never acted on: accepted and ignored
};

inline constexpr std::u16string_view kDscScopes[] = {u"System", u"User"};

// The desired state of one instance: every property the resource knows,
// checked; `scope` and `_exist` read.
struct DscRequest {
  DscOperation Operation = DscOperation::Get;
  JsonValue Desired;
  KeyScope Scope = KeyScope::User;
  bool Exist = true;

  // A text property's value, when it was given.
  std::optional<std::u16string> Text(std::u16string_view name) const;
};

// Reads and checks the request; on anything but ExitCode::Done it has
// reported why (bad JSON, a missing or unknown property, a value outside
// the property's set: refused input) and the run ends without reading or
// writing a key.
ExitCode BeginDscRequest(const Arguments& arguments, Context& context, std::span<const DscProperty> properties,
                         DscRequest& request);

std::u16string_view DscScopeName(KeyScope scope);
inline std::u16string_view JsonBoolean(bool value) { return value ? u"true" : u"false"; }

// Writes the state (for test with `_inDesiredState`, true when nothing
// differs) and, for set and test, the names of the properties that differ.
void PrintDscResult(Context& context, const DscRequest& request, JsonObject state,
                    const std::vector<std::u16string_view>& differing);

}  // namespace tallowin::cli
