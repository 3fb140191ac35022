#include "commands/deployment_plan.h"

#include <algorithm>

#include "model/collation.h"
#include "model/registry_names.h"

namespace tallowin {
namespace {

// A key's review as applying the file sees it: the values the file sets,
// against what the key holds now.
ReviewScope ScopeOf(const std::vector<KeyChange>& changes, const std::vector<NamedValue>& now) {
  ReviewScope scope;
  scope.Current = now;
  scope.NamesAtLoad = NamesOf(now);
  for (const KeyChange& change : changes) {
    if (change.Value) scope.ToWrite.push_back({change.Name, *change.Value});
  }
  return scope;
}

// The values to delete: those the file deletes, and with deleteMissing every
// value the key holds; the review keeps only those the file does not set
// and never the system Path.
void AddDeletions(KeyScope scope, const std::vector<KeyChange>& changes, const std::vector<NamedValue>& now,
                  bool deleteMissing, std::vector<ScopedName>& deletions) {
  for (const KeyChange& change : changes) {
    if (!change.Value) deletions.push_back({scope, change.Name});
  }
  if (!deleteMissing) return;
  for (const NamedValue& value : now) deletions.push_back({scope, value.Name});
}

std::size_t LineNaming(const std::vector<KeyChange>& changes, std::u16string_view name) {
  const auto found = std::find_if(changes.begin(), changes.end(),
                                  [name](const KeyChange& change) { return SameRegistryName(change.Name, name); });
  return found == changes.end() ? 0 : found->LastLine;
}

}  // namespace

std::vector<KeyChange> NetChangesOf(const std::vector<regfile::ValueLineChange>& lines) {
  std::vector<KeyChange> changes;
  RegistryNameIndex names;
  for (const regfile::ValueLineChange& line : lines) {
    const std::size_t held = names.Insert(line.Name, changes.size());
    if (held == changes.size()) changes.push_back({line.Name, {}, 0});
    KeyChange& change = changes[held];
    // A value created again after a deletion takes the new spelling.
    if (!change.Value) change.Name = line.Name;
    change.Value = line.Value;
    change.LastLine = line.Line;
  }
  return changes;
}

DeploymentPlan PlanDeployment(const regfile::DeploymentFile& file, const std::vector<NamedValue>& systemNow,
                              const std::vector<NamedValue>& userNow, bool deleteMissing) {
  DeploymentPlan plan;
  const std::vector<KeyChange> system = NetChangesOf(file.System);
  const std::vector<KeyChange> user = NetChangesOf(file.User);
  for (const regfile::ValueLineChange& line : file.System) {
    if (!line.Value && IsSystemPath(KeyScope::System, line.Name)) {
      plan.Refusal = WriteRefusal::SystemPathKept;
      plan.RefusedName = line.Name;
      plan.RefusedLine = line.Line;
      return plan;
    }
  }
  std::vector<ScopedName> deletions;
  if (file.HasSystemSection) AddDeletions(KeyScope::System, system, systemNow, deleteMissing, deletions);
  if (file.HasUserSection) AddDeletions(KeyScope::User, user, userNow, deleteMissing, deletions);
  // A key without a section gives no rows: nothing to compare.
  const auto scopeOf = [](bool hasSection, const std::vector<KeyChange>& changes, const std::vector<NamedValue>& now) {
    return hasSection ? ScopeOf(changes, now) : ReviewScope{{}, {}, {}};
  };
  plan.Rows = ReviewDifferences(scopeOf(file.HasSystemSection, system, systemNow),
                                scopeOf(file.HasUserSection, user, userNow), deletions);
  // A value the key keeps is no change.
  std::erase_if(plan.Rows, [](const ReviewRow& row) { return row.Kind == ReviewKind::Remains && !row.DeleteOnSave; });
  if (const std::optional<RefusedRow> refused = FirstRefusedRow(plan.Rows)) {
    plan.Refusal = refused->Reason;
    plan.RefusedName = refused->Row->Name;
    plan.RefusedLine = LineNaming(refused->Row->Scope == KeyScope::System ? system : user, plan.RefusedName);
  }
  return plan;
}

}  // namespace tallowin
