#include "model/collation.h"

#include <algorithm>
#include <string>

#include "model/registry_names.h"
#include "model/save_review.h"
#include "model/text_scan.h"
#include "model/texts.h"
#include "model/type_names.h"
#include "model/value_text.h"

namespace tallowin {
namespace {

bool MayDelete(KeyScope scope, std::u16string_view name, const RegistryNameIndex& toWrite,
               const RegistryNameIndex& namesAtLoad) {
  if (IsSystemPath(scope, name)) return false;
  return namesAtLoad.Find(name).has_value() && !toWrite.Find(name).has_value();
}

bool IsTooLong(const NamedValue& value) {
  return value.Name.size() > kLongestVariableName || CharacterCount(value.Value) > kLongestVariableValue;
}

void AddScopeRows(KeyScope scope, const ReviewScope& review, const std::vector<ScopedName>& marked,
                  std::vector<ReviewRow>& rows) {
  // Names found as the registry finds them, each in constant time, so that
  // a review of two keys of ten thousand values stays quick.
  const RegistryNameIndex currentNames = IndexOfNames(review.Current);
  const RegistryNameIndex namesToWrite = IndexOfNames(review.ToWrite);
  const RegistryNameIndex namesAtLoad = IndexOfNames(review.NamesAtLoad);
  RegistryNameIndex ticked;
  for (std::size_t i = 0; i < marked.size(); ++i) {
    if (marked[i].Scope == scope) ticked.Insert(marked[i].Name, i);
  }
  for (const NamedValue& value : review.ToWrite) {
    const std::optional<std::size_t> at = currentNames.Find(value.Name);
    const NamedValue* current = at ? &review.Current[*at] : nullptr;
    if (current != nullptr && current->Value == value.Value) continue;
    ReviewRow row;
    row.Scope = scope;
    row.Name = value.Name;
    row.TooLong = IsTooLong(value);
    row.ToWrite = value.Value;
    if (current == nullptr) {
      row.Kind = ReviewKind::Added;
    } else {
      row.Kind = current->Value.TypeCode == value.Value.TypeCode ? ReviewKind::Changed : ReviewKind::TypeChanged;
      row.Current = current->Value;
    }
    rows.push_back(std::move(row));
  }
  for (const NamedValue& current : review.Current) {
    if (namesToWrite.Find(current.Name)) continue;
    ReviewRow row;
    row.Scope = scope;
    row.Name = current.Name;
    row.Kind = ReviewKind::Remains;
    row.Current = current.Value;
    row.Deletable = MayDelete(scope, current.Name, namesToWrite, namesAtLoad);
    row.DeleteOnSave = row.Deletable && ticked.Find(current.Name).has_value();
    rows.push_back(std::move(row));
  }
}

std::u16string_view KindText(ReviewKind kind, bool deleteOnSave) {
  switch (kind) {
    case ReviewKind::Added:
      return texts::kChangeAdded;
    case ReviewKind::Changed:
      return texts::kChangeChanged;
    case ReviewKind::TypeChanged:
      return texts::kChangeTypeChanged;
    case ReviewKind::Remains:
      break;
  }
  return deleteOnSave ? texts::kChangeDeleted : texts::kChangeRemains;
}

std::u16string TypeText(std::uint32_t code) {
  const std::u16string_view name = TypeNameOf(code);
  if (!name.empty()) return std::u16string(name);
  return DecimalText(code);
}

std::u16string ValueText(const std::optional<RegistryValue>& value, bool withType) {
  if (!value) return {};
  if (!withType) return DataTextOf(*value);
  return TypeText(value->TypeCode) + u": " + DataTextOf(*value);
}

}  // namespace

bool MayDeleteOnSave(KeyScope scope, std::u16string_view name, const std::vector<NamedValue>& toWrite,
                     const std::vector<std::u16string>& namesAtLoad) {
  return MayDelete(scope, name, IndexOfNames(toWrite), IndexOfNames(namesAtLoad));
}

std::size_t CharacterCount(const RegistryValue& value) {
  std::size_t units = (value.Bytes.size() + 1) / 2;
  const std::size_t size = value.Bytes.size();
  if (size >= 2 && size % 2 == 0 && value.Bytes[size - 1] == 0 && value.Bytes[size - 2] == 0) --units;
  return units;
}

std::vector<ReviewRow> ReviewDifferences(const ReviewScope& system, const ReviewScope& user,
                                         const std::vector<ScopedName>& deleteOnSave) {
  std::vector<ReviewRow> rows;
  AddScopeRows(KeyScope::System, system, deleteOnSave, rows);
  AddScopeRows(KeyScope::User, user, deleteOnSave, rows);
  std::stable_partition(rows.begin(), rows.end(),
                        [](const ReviewRow& row) { return row.Kind == ReviewKind::TypeChanged; });
  return rows;
}

std::array<std::u16string, 5> ReviewColumnTexts(const ReviewRow& row) {
  std::u16string change(KindText(row.Kind, row.DeleteOnSave));
  if (row.TooLong) {
    change += u' ';
    change += texts::kChangeTooLong;
  }
  const bool withType = row.Kind == ReviewKind::TypeChanged;
  return {std::u16string(row.Scope == KeyScope::System ? texts::kTabSystem : texts::kTabUser), row.Name,
          std::move(change), ValueText(row.Current, withType), ValueText(row.ToWrite, withType)};
}

}  // namespace tallowin
