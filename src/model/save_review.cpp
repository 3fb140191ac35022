#include "model/save_review.h"

#include <algorithm>
#include <string>

#include "model/collation.h"
#include "model/texts.h"
#include "model/type_names.h"
#include "model/value_text.h"

namespace tallowin {
namespace {

const NamedValue* FindValue(const std::vector<NamedValue>& values, std::u16string_view name) {
  const auto found = std::find_if(values.begin(), values.end(),
                                  [name](const NamedValue& value) { return EqualsIgnoringCase(value.Name, name); });
  return found == values.end() ? nullptr : &*found;
}

bool HasName(const std::vector<std::u16string>& names, std::u16string_view name) {
  return std::any_of(names.begin(), names.end(),
                     [name](const std::u16string& held) { return EqualsIgnoringCase(held, name); });
}

bool IsMarked(const std::vector<ScopedName>& marked, KeyScope scope, std::u16string_view name) {
  return std::any_of(marked.begin(), marked.end(), [&](const ScopedName& value) {
    return value.Scope == scope && EqualsIgnoringCase(value.Name, name);
  });
}

// The data's length in characters, a closing zero not counted.
std::size_t CharacterCount(const RegistryValue& value) {
  std::size_t units = (value.Bytes.size() + 1) / 2;
  const std::size_t size = value.Bytes.size();
  if (size >= 2 && size % 2 == 0 && value.Bytes[size - 1] == 0 && value.Bytes[size - 2] == 0) --units;
  return units;
}

bool IsTooLong(const NamedValue& value) {
  return value.Name.size() > kLongestVariableName || CharacterCount(value.Value) > kLongestVariableValue;
}

void AddScopeRows(KeyScope scope, const ReviewScope& review, const std::vector<ScopedName>& marked,
                  std::vector<ReviewRow>& rows) {
  for (const NamedValue& value : review.ToWrite) {
    const NamedValue* current = FindValue(review.Current, value.Name);
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
    if (FindValue(review.ToWrite, current.Name) != nullptr) continue;
    ReviewRow row;
    row.Scope = scope;
    row.Name = current.Name;
    row.Kind = ReviewKind::Remains;
    row.Current = current.Value;
    row.Deletable = MayDeleteOnSave(scope, current.Name, review.ToWrite, review.NamesAtLoad);
    row.DeleteOnSave = row.Deletable && IsMarked(marked, scope, current.Name);
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
  const std::string digits = std::to_string(code);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string ValueText(const std::optional<RegistryValue>& value, bool withType) {
  if (!value) return {};
  if (!withType) return DataTextOf(*value);
  return TypeText(value->TypeCode) + u": " + DataTextOf(*value);
}

}  // namespace

bool MayDeleteOnSave(KeyScope scope, std::u16string_view name, const std::vector<NamedValue>& toWrite,
                     const std::vector<std::u16string>& namesAtLoad) {
  if (scope == KeyScope::System && EqualsIgnoringCase(name, u"Path")) return false;
  return HasName(namesAtLoad, name) && FindValue(toWrite, name) == nullptr;
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
