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

ExitCode ReadValues(Context& context, KeyScope scope, std::vector<NamedValue>& values) {
  std::vector<CClipItem> items;
  const PortResult read = context.Ports.Registry->ReadKeyToItems(RootOf(scope), SubkeyOf(scope), items);
  if (!read.Succeeded) return ReportFailure(context, tallowin::texts::kLoadFailed, read.ErrorCode);
  values.reserve(values.size() + items.size());
  for (CClipItem& item : items) values.push_back({std::move(item.Name), std::move(item.Stored->Value)});
  return ExitCode::Done;
}

VariableLookup ProgramLookup(EnvironmentPort& environment) {
  return [&environment](std::u16string_view name) { return ProgramVariable(environment, name); };
}

}  // namespace tallowin::cli
