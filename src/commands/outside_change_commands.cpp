#include "commands/outside_change_commands.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <utility>

#include "model/collation.h"
#include "model/texts.h"
#include "commands/dialog_offsets.h"
#include "commands/failure_report.h"
#include "commands/key_values.h"
#include "commands/review_commands.h"

namespace tallowin {
namespace {

constexpr KeyScope kScopes[] = {KeyScope::System, KeyScope::User};

const std::optional<std::vector<NamedValue>>& KnownValues(const MainModel& model, KeyScope scope) {
  return scope == KeyScope::System ? model.SysKeyAtLoad : model.UserKeyAtLoad;
}

// What the keys hold now, by scope, for the scopes Load read.
using KeyReadings = std::array<std::optional<std::vector<NamedValue>>, 2>;

std::size_t IndexOf(KeyScope scope) { return scope == KeyScope::System ? 0 : 1; }

PortResult ReadKnownKeys(const MainModel& model, RegistryPort& registry, KeyReadings& now) {
  for (const KeyScope scope : kScopes) {
    if (!KnownValues(model, scope)) continue;
    std::vector<NamedValue> values;
    if (const PortResult read = ReadKeyValues(registry, scope, values); !read.Succeeded) return read;
    now[IndexOf(scope)] = std::move(values);
  }
  return PortResult::Success();
}

bool SameReadings(const KeyReadings& a, const KeyReadings& b) {
  return std::equal(a.begin(), a.end(), b.begin(), [](const auto& x, const auto& y) {
    return x.has_value() == y.has_value() && (!x || SameKeyValues(*x, *y));
  });
}

std::vector<std::u16string> NamesIn(const std::vector<ScopedName>& values, KeyScope scope) {
  std::vector<std::u16string> names;
  for (const ScopedName& value : values) {
    if (value.Scope == scope) names.push_back(value.Name);
  }
  return names;
}

std::vector<OutsideChange> ChangesSinceLoad(const MainModel& model, const KeyReadings& now, const SaveValues& saved) {
  std::vector<OutsideChange> changes;
  for (const KeyScope scope : kScopes) {
    const std::optional<std::vector<NamedValue>>& atLoad = KnownValues(model, scope);
    const std::optional<std::vector<NamedValue>>& current = now[IndexOf(scope)];
    if (!atLoad || !current) continue;
    const std::vector<NamedValue>& toWrite = scope == KeyScope::System ? saved.System : saved.User;
    for (auto found : {FindOutsideChanges(scope, *atLoad, *current, toWrite),
                       FindChangedDeletions(scope, *atLoad, *current, NamesIn(saved.Deleted, scope))}) {
      changes.insert(changes.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
    }
  }
  return changes;
}

OutsideChangeAnswer Ask(const CommandPorts& ports, const std::vector<OutsideChange>& changes) {
  if (ports.OutsideChanges == nullptr) return OutsideChangeAnswer::KeepOthers;
  ports.Dialogs->Beep(SystemSound::Exclamation);
  return ports.OutsideChanges->AskAboutOutsideChanges(changes, OffsetFromOwner(ports.Window, kDialogX, kDialogY));
}

bool IsDeletion(const SaveValues& saved, const OutsideChange& change) {
  return std::any_of(saved.Deleted.begin(), saved.Deleted.end(), [&change](const ScopedName& value) {
    return value.Scope == change.Scope && SameRegistryName(value.Name, change.Name);
  });
}

// What Save writes after the user's answer about the changes.
SaveValues Decided(SaveValues saved, const std::vector<OutsideChange>& changes, OutsideChangeAnswer answer) {
  const bool overwrite = answer == OutsideChangeAnswer::Overwrite;
  if (!overwrite) {
    saved.System = KeepingOutsideChanges(std::move(saved.System), KeyScope::System, changes);
    saved.User = KeepingOutsideChanges(std::move(saved.User), KeyScope::User, changes);
  }
  // The rows whose writing met another program's change: every one when
  // the user chose to write over them, else those the user edited. A value
  // deleted leaves no row to mark.
  for (const OutsideChange& change : changes) {
    if ((overwrite || change.EditedInWindow) && !IsDeletion(saved, change)) {
      saved.Conflicts.push_back({change.Scope, change.Name});
    }
  }
  return saved;
}

}  // namespace

PortResult SaveTurn::Take() {
  if (port_ == nullptr || held_) return PortResult::Success();
  const PortResult taken = port_->Take();
  held_ = taken.Succeeded;
  return taken;
}

void SaveTurn::Release() {
  if (!held_) return;
  held_ = false;
  port_->Release();
}

std::optional<SaveValues> ValuesToSave(const MainModel& model, const CommandPorts& ports, SaveTurn& turn) {
  SaveValues saved{model.ValuesToWrite(model.SysList), model.ValuesToWrite(model.UserList), {}, ValuesToDelete(model), {}, {}};
  std::optional<OutsideChangeAnswer> answer;
  KeyReadings asked;
  for (;;) {
    KeyReadings now;
    PortResult read = turn.Take();
    if (read.Succeeded) read = ReadKnownKeys(model, *ports.Registry, now);
    if (!read.Succeeded) {
      turn.Release();
      ReportFailure(ports, texts::kSaveFailed, read.ErrorCode);
      return std::nullopt;
    }
    const std::vector<OutsideChange> changes = ChangesSinceLoad(model, now, saved);
    saved.SystemHeld = now[IndexOf(KeyScope::System)];
    saved.UserHeld = now[IndexOf(KeyScope::User)];
    if (changes.empty()) return saved;
    // The keys still hold what the user decided about.
    if (answer && SameReadings(now, asked)) return Decided(std::move(saved), changes, *answer);
    // A modal question must not keep the other writers waiting.
    turn.Release();
    answer = Ask(ports, changes);
    if (*answer == OutsideChangeAnswer::Cancel) return std::nullopt;
    asked = std::move(now);
  }
}

void NoteSaved(MainModel& model, const SaveValues& saved) {
  for (const KeyScope scope : kScopes) {
    auto& known = scope == KeyScope::System ? model.SysKeyAtLoad : model.UserKeyAtLoad;
    const std::vector<NamedValue>& written = scope == KeyScope::System ? saved.System : saved.User;
    if (known) NoteWrittenValues(*known, NamesIn(saved.Deleted, scope), written);
  }
  model.Conflicts = saved.Conflicts;
}

bool KeysChangedOutside(const MainModel& model, const CommandPorts& ports) {
  for (const KeyScope scope : kScopes) {
    const std::optional<std::vector<NamedValue>>& known = KnownValues(model, scope);
    std::vector<NamedValue> now;
    if (!known || !ReadKeyValues(*ports.Registry, scope, now).Succeeded) continue;
    if (!SameKeyValues(*known, now)) return true;
  }
  return false;
}

}  // namespace tallowin
