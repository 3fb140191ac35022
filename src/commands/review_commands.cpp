#include "commands/review_commands.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "model/environment_keys.h"
#include "model/registry_names.h"
#include "model/texts.h"
#include "commands/failure_report.h"
#include "commands/key_values.h"

namespace tallowin {
namespace {

const EditList& ListOf(const MainModel& model, KeyScope scope) {
  return scope == KeyScope::System ? model.SysList : model.UserList;
}

const std::vector<std::u16string>& NamesAtLoadOf(const MainModel& model, KeyScope scope) {
  return scope == KeyScope::System ? model.SysNamesAtLoad : model.UserNamesAtLoad;
}

PortResult ReadScope(const MainModel& model, const CommandPorts& ports, KeyScope scope, ReviewScope& review) {
  const PortResult read = ReadKeyValues(*ports.Registry, scope, review.Current);
  if (!read.Succeeded) return read;
  review.ToWrite = model.ValuesToWrite(ListOf(model, scope));
  review.NamesAtLoad = NamesAtLoadOf(model, scope);
  return read;
}

bool WritesOtherThan(const std::vector<NamedValue>& toWrite, const std::optional<std::vector<NamedValue>>& held) {
  static const std::vector<NamedValue> kNothing;
  return !ValuesDifferingFrom(toWrite, held ? *held : kNothing).empty();
}

bool SameValue(const ScopedName& a, KeyScope scope, std::u16string_view name) {
  return a.Scope == scope && a.Name == name;
}

}  // namespace

std::optional<std::vector<ReviewRow>> ReviewChangesExecute(const MainModel& model, const CommandPorts& ports) {
  ReviewScope system;
  ReviewScope user;
  PortResult read = ReadScope(model, ports, KeyScope::System, system);
  if (read.Succeeded) read = ReadScope(model, ports, KeyScope::User, user);
  if (!read.Succeeded) {
    ReportFailure(ports, texts::kLoadFailed, read.ErrorCode);
    return std::nullopt;
  }
  return ReviewDifferences(system, user, model.DeleteOnSave);
}

void SetDeleteOnSave(MainModel& model, const ReviewRow& row, bool checked) {
  if (!row.Deletable) return;
  std::vector<ScopedName>& marked = model.DeleteOnSave;
  std::erase_if(marked, [&row](const ScopedName& value) { return SameValue(value, row.Scope, row.Name); });
  if (checked) marked.push_back({row.Scope, row.Name});
}

bool HasUnsavedEdits(const MainModel& model) {
  return WritesOtherThan(model.ValuesToWrite(model.SysList), model.SysKeyAtLoad) ||
         WritesOtherThan(model.ValuesToWrite(model.UserList), model.UserKeyAtLoad) || !ValuesToDelete(model).empty();
}

std::vector<ScopedName> ValuesToDelete(const MainModel& model) {
  // What Save writes of each list, made once rather than once a ticked value.
  std::optional<std::vector<NamedValue>> toWrite[2];
  std::vector<ScopedName> deleted;
  for (const ScopedName& value : model.DeleteOnSave) {
    std::optional<std::vector<NamedValue>>& written = toWrite[value.Scope == KeyScope::System ? 0 : 1];
    if (!written) written = model.ValuesToWrite(ListOf(model, value.Scope));
    if (MayDeleteOnSave(value.Scope, value.Name, *written, NamesAtLoadOf(model, value.Scope))) deleted.push_back(value);
  }
  return deleted;
}

PortResult DeleteValues(const std::vector<ScopedName>& values, const CommandPorts& ports) {
  for (const ScopedName& value : values) {
    const KeyPlace place = PlaceOf(value.Scope);
    if (const PortResult deleted = ports.Registry->DeleteValue(place.Root, place.Subkey, value.Name);
        !deleted.Succeeded) {
      return deleted;
    }
  }
  return PortResult::Success();
}

}  // namespace tallowin
