#include "commands/outside_change_commands.h"

#include <string>
#include <utility>

#include "model/texts.h"
#include "commands/dialog_offsets.h"
#include "commands/failure_report.h"
#include "commands/key_values.h"

namespace tallowin {
namespace {

const std::optional<std::vector<NamedValue>>& KnownValues(const MainModel& model, KeyScope scope) {
  return scope == KeyScope::System ? model.SysKeyAtLoad : model.UserKeyAtLoad;
}

}  // namespace

std::optional<SaveValues> ValuesToSave(const MainModel& model, const CommandPorts& ports) {
  SaveValues saved{model.ValuesToWrite(model.SysList), model.ValuesToWrite(model.UserList), {}};
  std::vector<OutsideChange> changes;
  for (const KeyScope scope : {KeyScope::System, KeyScope::User}) {
    const std::optional<std::vector<NamedValue>>& atLoad = KnownValues(model, scope);
    if (!atLoad) continue;
    std::vector<NamedValue> now;
    if (const PortResult read = ReadKeyValues(*ports.Registry, scope, now); !read.Succeeded) {
      ReportFailure(ports, texts::kSaveFailed, read.ErrorCode);
      return std::nullopt;
    }
    std::vector<OutsideChange> found =
        FindOutsideChanges(scope, *atLoad, now, scope == KeyScope::System ? saved.System : saved.User);
    changes.insert(changes.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
  }
  if (changes.empty()) return saved;

  OutsideChangeAnswer answer = OutsideChangeAnswer::KeepOthers;
  if (ports.OutsideChanges != nullptr) {
    ports.Dialogs->Beep(SystemSound::Exclamation);
    answer = ports.OutsideChanges->AskAboutOutsideChanges(changes, OffsetFromOwner(ports.Window, kDialogX, kDialogY));
  }
  if (answer == OutsideChangeAnswer::Cancel) return std::nullopt;
  if (answer == OutsideChangeAnswer::Overwrite) return saved;
  saved.System = KeepingOutsideChanges(std::move(saved.System), KeyScope::System, changes);
  saved.User = KeepingOutsideChanges(std::move(saved.User), KeyScope::User, changes);
  for (const OutsideChange& change : changes) {
    if (change.EditedInWindow) saved.Conflicts.push_back({change.Scope, change.Name});
  }
  return saved;
}

void NoteSaved(MainModel& model, const SaveValues& saved, const std::vector<ScopedName>& deleted) {
  for (const KeyScope scope : {KeyScope::System, KeyScope::User}) {
    std::optional<std::vector<NamedValue>>& known = scope == KeyScope::System ? model.SysKeyAtLoad : model.UserKeyAtLoad;
    if (!known) continue;
    std::vector<std::u16string> deletedNames;
    for (const ScopedName& value : deleted) {
      if (value.Scope == scope) deletedNames.push_back(value.Name);
    }
    NoteWrittenValues(*known, deletedNames, scope == KeyScope::System ? saved.System : saved.User);
  }
  model.Conflicts = saved.Conflicts;
}

bool KeysChangedOutside(const MainModel& model, const CommandPorts& ports) {
  for (const KeyScope scope : {KeyScope::System, KeyScope::User}) {
    const std::optional<std::vector<NamedValue>>& known = KnownValues(model, scope);
    std::vector<NamedValue> now;
    if (!known || !ReadKeyValues(*ports.Registry, scope, now).Succeeded) continue;
    if (!SameKeyValues(*known, now)) return true;
  }
  return false;
}

}  // namespace tallowin
