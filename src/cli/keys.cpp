#include "cli/keys.h"

#include "model/texts.h"

namespace tallowin::cli {

std::u16string_view ScopeText(KeyScope scope) {
  return scope == KeyScope::System ? tallowin::texts::kTabSystem : tallowin::texts::kTabUser;
}

std::u16string_view ScopeWord(KeyScope scope) { return scope == KeyScope::System ? u"system" : u"user"; }

ExitCode ReadKeys(Context& context, KeyLists& lists) {
  const PortResult read = ReadKeyLists(*context.Ports.Registry, lists);
  if (!read.Succeeded) return ReportFailure(context, tallowin::texts::kLoadFailed, read.ErrorCode);
  return ExitCode::Done;
}

ExitCode ReadValues(Context& context, KeyScope scope, std::vector<NamedValue>& values) {
  const PortResult read = ReadKeyValues(*context.Ports.Registry, scope, values);
  if (!read.Succeeded) return ReportFailure(context, tallowin::texts::kLoadFailed, read.ErrorCode);
  return ExitCode::Done;
}

}  // namespace tallowin::cli
