#include "commands/review_commands.h"

#include <algorithm>
#include <utility>

#include "model/environment_keys.h"
#include "model/texts.h"
#include "model/type_names.h"
#include "model/value_text.h"
#include "commands/failure_report.h"

namespace tallowin {
namespace {

struct KeyPlace {
  RootKey Root;
  std::u16string_view Subkey;
};

KeyPlace PlaceOf(KeyScope scope) {
  return scope == KeyScope::System ? KeyPlace{RootKey::LocalMachine, kSystemSubkey}
                                   : KeyPlace{RootKey::CurrentUser, kUserSubkey};
}

const EditList& ListOf(const MainModel& model, KeyScope scope) {
  return scope == KeyScope::System ? model.SysList : model.UserList;
}

const std::vector<std::u16string>& NamesAtLoadOf(const MainModel& model, KeyScope scope) {
  return scope == KeyScope::System ? model.SysNamesAtLoad : model.UserNamesAtLoad;
}

PortResult ReadScope(const MainModel& model, const CommandPorts& ports, KeyScope scope, ReviewScope& review) {
  const KeyPlace place = PlaceOf(scope);
  std::vector<CClipItem> items;
  const PortResult read = ports.Registry->ReadKeyToItems(place.Root, place.Subkey, items);
  if (!read.Succeeded) return read;
  for (CClipItem& item : items) {
    RegistryValue value = item.Stored ? std::move(item.Stored->Value)
                                      : TextToValue(TypeCodeForWriting(item.TypeName), item.Data);
    review.Current.push_back({std::move(item.Name), std::move(value)});
  }
  review.ToWrite = model.ValuesToWrite(ListOf(model, scope));
  review.NamesAtLoad = NamesAtLoadOf(model, scope);
  return read;
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

PortResult DeleteMarkedValues(MainModel& model, const CommandPorts& ports) {
  for (const ScopedName& value : model.DeleteOnSave) {
    if (!MayDeleteOnSave(value.Scope, value.Name, model.ValuesToWrite(ListOf(model, value.Scope)),
                         NamesAtLoadOf(model, value.Scope))) {
      continue;
    }
    const KeyPlace place = PlaceOf(value.Scope);
    if (const PortResult deleted = ports.Registry->DeleteValue(place.Root, place.Subkey, value.Name);
        !deleted.Succeeded) {
      return deleted;
    }
  }
  model.DeleteOnSave.clear();
  return PortResult::Success();
}

}  // namespace tallowin
