#include "cli/keys.h"

#include "model/texts.h"
#include "commands/program_variable.h"

namespace tallowin::cli {

RootKey RootOf(KeyScope scope) { return scope == KeyScope::System ? RootKey::LocalMachine : RootKey::CurrentUser; }

std::u16string_view SubkeyOf(KeyScope scope) { return scope == KeyScope::System ? kSystemSubkey : kUserSubkey; }

std::u16string_view ScopeText(KeyScope scope) {
  return scope == KeyScope::System ? tallowin::texts::kTabSystem : tallowin::texts::kTabUser;
}

std::u16string_view ScopeWord(KeyScope scope) { return scope == KeyScope::System ? u"system" : u"user"; }

ExitCode ReadKeys(Context& context, KeyLists& lists) {
  for (const KeyScope scope : {KeyScope::System, KeyScope::User}) {
    EditList& list = scope == KeyScope::System ? lists.System : lists.User;
    const PortResult read = context.Ports.Registry->ReadKeyToList(RootOf(scope), SubkeyOf(scope), list);
    if (!read.Succeeded) return ReportFailure(context, tallowin::texts::kLoadFailed, read.ErrorCode);
  }
  return ExitCode::Done;
}

std::vector<NamedValue> StoredValues(const EditList& list) {
  std::vector<NamedValue> values;
  values.reserve(static_cast<std::size_t>(list.Count()));
  for (int i = 0; i < list.Count(); ++i) {
    const VariableEntry& entry = list.At(i);
    values.push_back({entry.Name, entry.Stored ? entry.Stored->Value : RegistryValue{}});
  }
  return values;
}

VariableLookup ProgramLookup(EnvironmentPort& environment) {
  return [&environment](std::u16string_view name) { return ProgramVariable(environment, name); };
}

}  // namespace tallowin::cli
