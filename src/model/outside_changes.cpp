#include "model/outside_changes.h"

#include <algorithm>
#include <optional>

#include "model/registry_names.h"
#include "model/texts.h"

namespace tallowin {
namespace {

const RegistryValue* Lookup(const std::vector<NamedValue>& values, const RegistryNameIndex& index,
                            std::u16string_view name) {
  const std::optional<std::size_t> at = index.Find(name);
  return at ? &values[*at].Value : nullptr;
}

bool SameValue(const RegistryValue* a, const RegistryValue* b) {
  return a == nullptr || b == nullptr ? a == b : *a == *b;
}

// One value per name as Save leaves the key: the first row's spelling (the
// key keeps the name it was created with) and the last row's value.
std::vector<NamedValue> AsKeyHoldsThem(const std::vector<NamedValue>& values) {
  std::vector<NamedValue> merged;
  RegistryNameIndex index;
  for (const NamedValue& value : values) {
    const std::size_t at = index.Insert(value.Name, merged.size());
    if (at < merged.size()) {
      merged[at].Value = value.Value;
    } else {
      merged.push_back(value);
    }
  }
  return merged;
}

}  // namespace

std::vector<OutsideChange> FindOutsideChanges(KeyScope scope, const std::vector<NamedValue>& atLoad,
                                              const std::vector<NamedValue>& now,
                                              const std::vector<NamedValue>& toWrite) {
  const RegistryNameIndex loadIndex = IndexOfNames(atLoad);
  const RegistryNameIndex nowIndex = IndexOfNames(now);
  std::vector<OutsideChange> changes;
  for (const NamedValue& value : AsKeyHoldsThem(toWrite)) {
    const RegistryValue* read = Lookup(atLoad, loadIndex, value.Name);
    const RegistryValue* current = Lookup(now, nowIndex, value.Name);
    // Unchanged outside, or already what Save writes: nothing to decide.
    if (SameValue(read, current) || (current != nullptr && *current == value.Value)) continue;
    const OutsideChangeKind kind = read == nullptr      ? OutsideChangeKind::Added
                                   : current == nullptr ? OutsideChangeKind::Deleted
                                                        : OutsideChangeKind::Changed;
    changes.push_back({scope, value.Name, kind, read == nullptr || *read != value.Value});
  }
  return changes;
}

std::vector<OutsideChange> FindChangedDeletions(KeyScope scope, const std::vector<NamedValue>& atLoad,
                                                const std::vector<NamedValue>& now,
                                                const std::vector<std::u16string>& toDelete) {
  const RegistryNameIndex loadIndex = IndexOfNames(atLoad);
  const RegistryNameIndex nowIndex = IndexOfNames(now);
  std::vector<OutsideChange> changes;
  for (const std::u16string& name : toDelete) {
    const RegistryValue* read = Lookup(atLoad, loadIndex, name);
    const RegistryValue* current = Lookup(now, nowIndex, name);
    // Gone already is what the deletion makes of it.
    if (current == nullptr || SameValue(read, current)) continue;
    changes.push_back({scope, name, read == nullptr ? OutsideChangeKind::Added : OutsideChangeKind::Changed, true});
  }
  return changes;
}

std::vector<NamedValue> KeepingOutsideChanges(std::vector<NamedValue> toWrite, KeyScope scope,
                                              const std::vector<OutsideChange>& changes) {
  RegistryNameIndex kept;
  for (const OutsideChange& change : changes) {
    if (change.Scope == scope && !change.EditedInWindow) kept.Insert(change.Name, 0);
  }
  std::erase_if(toWrite, [&kept](const NamedValue& value) { return kept.Find(value.Name).has_value(); });
  return toWrite;
}

bool SameKeyValues(const std::vector<NamedValue>& a, const std::vector<NamedValue>& b) {
  if (a.size() != b.size()) return false;
  const RegistryNameIndex index = IndexOfNames(b);
  return std::all_of(a.begin(), a.end(),
                     [&](const NamedValue& value) { return SameValue(&value.Value, Lookup(b, index, value.Name)); });
}

void NoteWrittenValues(std::vector<NamedValue>& known, const std::vector<std::u16string>& deleted,
                       const std::vector<NamedValue>& written) {
  RegistryNameIndex gone;
  for (const std::u16string& name : deleted) gone.Insert(name, 0);
  std::erase_if(known, [&gone](const NamedValue& value) { return gone.Find(value.Name).has_value(); });
  known.insert(known.end(), written.begin(), written.end());
  known = AsKeyHoldsThem(known);
}

std::array<std::u16string, 4> OutsideChangeColumnTexts(const OutsideChange& change) {
  std::u16string_view kind = texts::kChangeChanged;
  if (change.Kind == OutsideChangeKind::Added) kind = texts::kChangeAdded;
  if (change.Kind == OutsideChangeKind::Deleted) kind = texts::kOutsideDeleted;
  return {std::u16string(change.Scope == KeyScope::System ? texts::kTabSystem : texts::kTabUser), change.Name,
          std::u16string(kind),
          std::u16string(change.EditedInWindow ? texts::kEditedInWindow : texts::kNotEditedInWindow)};
}

}  // namespace tallowin
