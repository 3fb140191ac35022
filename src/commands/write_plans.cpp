#include "commands/write_plans.h"

#include <algorithm>
#include <utility>

#include "model/registry_names.h"
#include "model/type_names.h"
#include "model/value_text.h"

namespace tallowin {
namespace {

// The plan that writes the value, or nothing when the key holds it already.
template <typename Plan>
void PlanWrite(Plan& plan, KeyScope scope, NamedValue value, const std::optional<RegistryValue>& current) {
  plan.Rows = RowsForValue(scope, value, current);
  if (plan.Rows.empty()) return;
  plan.ToWrite = std::move(value);
  if (const std::optional<RefusedRow> refused = FirstRefusedRow(plan.Rows)) plan.Refusal = refused->Reason;
}

bool Any(const std::vector<bool>& marks) { return std::find(marks.begin(), marks.end(), true) != marks.end(); }

// A plain REG_SZ Path's items are not expanded, by Windows nor here.
std::u16string_view PathTypeOf(const KeyLists& lists, KeyScope scope, std::u16string_view name) {
  const VariableEntry* entry = FindValue(lists, scope, name);
  return entry == nullptr ? kTypeNames[kRegExpandSz] : entry->TypeName();
}

std::vector<bool> PartsNaming(const KeyLists& lists, KeyScope scope, std::u16string_view name,
                              const StoredPathParts& parts, std::u16string_view folder,
                              const VariableLookup& programVariable) {
  return PartsNamingFolder(parts, folder, lists.System, lists.User, programVariable, PathTypeOf(lists, scope, name));
}

}  // namespace

WritePlan PlanSet(KeyScope scope, std::u16string_view name, std::u16string_view text,
                  std::optional<std::uint32_t> askedType, const std::optional<RegistryValue>& current) {
  WritePlan plan;
  const std::optional<std::uint32_t> type = TypeForSet(askedType, current, text);
  if (!type) {
    plan.Refusal = WriteRefusal::NotString;
    return plan;
  }
  PlanWrite(plan, scope, NamedValue{std::u16string(name), TextToValue(*type, text)}, current);
  return plan;
}

WritePlan PlanUnset(KeyScope scope, std::u16string_view name, const std::optional<RegistryValue>& current) {
  WritePlan plan;
  if (IsSystemPath(scope, name)) plan.Refusal = WriteRefusal::SystemPathKept;
  if (!current) return plan;
  ReviewRow& row = plan.Rows.emplace_back();
  row.Scope = scope;
  row.Name = std::u16string(name);
  row.Kind = ReviewKind::Remains;
  row.Current = current;
  row.Deletable = row.DeleteOnSave = true;
  plan.ToDelete = row.Name;
  return plan;
}

StoredPathParts PathPartsOf(const KeyLists& lists, KeyScope scope, std::u16string_view name) {
  const VariableEntry* entry = FindValue(lists, scope, name);
  return SplitStoredPath(entry == nullptr ? std::u16string_view() : entry->Data());
}

PathPlan PlanPathEdit(const KeyLists& lists, const PathEditRequest& request, const VariableLookup& programVariable) {
  PathPlan plan;
  const StoredPathParts parts = PathPartsOf(lists, request.Scope, request.Name);
  const std::vector<bool> naming =
      PartsNaming(lists, request.Scope, request.Name, parts, request.Folder, programVariable);
  plan.Named = Any(naming);
  std::optional<std::u16string> text;
  if (request.Add && !plan.Named) {
    std::vector<bool> anchor;
    if (request.Place == PathPlace::Before || request.Place == PathPlace::After) {
      anchor = PartsNaming(lists, request.Scope, request.Name, parts, request.Anchor, programVariable);
    }
    text = WithFolderAdded(parts, request.Folder, request.Place, anchor);
    if (!text) plan.Refusal = WriteRefusal::AnchorMissing;
  } else if (!request.Add && plan.Named) {
    text = WithoutParts(parts, naming);
  }
  if (!text) return plan;
  const VariableEntry* entry = FindValue(lists, request.Scope, request.Name);
  std::optional<RegistryValue> current;
  if (entry != nullptr && entry->Stored) current = entry->Stored->Value;
  const std::uint32_t type = current ? current->TypeCode : kRegExpandSz;
  PlanWrite(plan, request.Scope, NamedValue{entry != nullptr ? entry->Name : request.Name, TextToValue(type, *text)},
            current);
  return plan;
}

bool PathNamesFolder(const KeyLists& lists, KeyScope scope, std::u16string_view folder,
                     const VariableLookup& programVariable, std::u16string_view name) {
  return Any(PartsNaming(lists, scope, name, PathPartsOf(lists, scope, name), folder, programVariable));
}

std::vector<std::u16string> ListedPathItems(const KeyLists& lists, KeyScope scope, std::u16string_view name) {
  std::vector<std::u16string> items = PathPartsOf(lists, scope, name).Texts;
  std::erase_if(items, [](const std::u16string& item) { return !IsSingleFolder(item); });
  return items;
}

}  // namespace tallowin
