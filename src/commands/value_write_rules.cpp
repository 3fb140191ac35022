#include "commands/value_write_rules.h"

#include <algorithm>
#include <string>

#include "model/registry_names.h"
#include "model/type_names.h"
#include "commands/placement.h"

namespace tallowin {
namespace {

bool IsString(std::uint32_t type) { return type == kRegSz || type == kRegExpandSz; }

}  // namespace

WriteRefusal RefusalOfName(std::u16string_view name) {
  if (name.empty()) return WriteRefusal::NameEmpty;
  if (HasForbiddenNameCharacter(name)) return WriteRefusal::NameForbiddenCharacter;
  if (name.size() > kLongestVariableName) return WriteRefusal::NameTooLong;
  return WriteRefusal::None;
}

WriteRefusal RefusalOfRow(const ReviewRow& row) {
  if (!row.ToWrite) return row.DeleteOnSave && IsSystemPath(row.Scope, row.Name) ? WriteRefusal::SystemPathKept
                                                                                  : WriteRefusal::None;
  // The key's default value (the empty name) is written like any other;
  // the commands that name one value refuse an empty name themselves.
  if (const WriteRefusal name = RefusalOfName(row.Name); name != WriteRefusal::None && !row.Name.empty()) return name;
  const std::size_t length = CharacterCount(*row.ToWrite);
  if (length == 0 && IsSystemPath(row.Scope, row.Name)) return WriteRefusal::SystemPathKept;
  const bool shortens = row.Current && length < CharacterCount(*row.Current);
  if (length > kLongestVariableValue && !shortens) return WriteRefusal::ValueTooLong;
  return WriteRefusal::None;
}

std::optional<RefusedRow> FirstRefusedRow(const std::vector<ReviewRow>& rows) {
  for (const ReviewRow& row : rows) {
    if (const WriteRefusal reason = RefusalOfRow(row); reason != WriteRefusal::None) return RefusedRow{&row, reason};
  }
  return std::nullopt;
}

std::vector<NamedValue> ValuesAsKeyHolds(const std::vector<regfile::ParsedValue>& values) {
  std::vector<NamedValue> merged;
  merged.reserve(values.size());
  RegistryNameIndex names;
  for (const regfile::ParsedValue& value : values) {
    const std::size_t held = names.Insert(value.Name, merged.size());
    if (held < merged.size()) {
      merged[held].Value = value.Value;
    } else {
      merged.push_back({value.Name, value.Value});
    }
  }
  return merged;
}

bool HoldsVariableReference(std::u16string_view text) {
  const std::size_t open = text.find(u'%');
  if (open == std::u16string_view::npos) return false;
  const std::size_t close = text.find(u'%', open + 1);
  if (close == std::u16string_view::npos) return false;
  // "%%" is no reference, but its second '%' may open one.
  return close > open + 1 || HoldsVariableReference(text.substr(close));
}

std::optional<std::uint32_t> TypeForSet(std::optional<std::uint32_t> asked, const std::optional<RegistryValue>& current,
                                        std::u16string_view text) {
  if (asked) return asked;
  if (current) return IsString(current->TypeCode) ? std::optional<std::uint32_t>(current->TypeCode) : std::nullopt;
  return HoldsVariableReference(text) ? kRegExpandSz : kRegSz;
}

std::vector<ReviewRow> RowsForValue(KeyScope scope, const NamedValue& toWrite,
                                    const std::optional<RegistryValue>& current) {
  ReviewScope review;
  review.ToWrite.push_back(toWrite);
  if (current) review.Current.push_back({toWrite.Name, *current});
  const ReviewScope none;
  return scope == KeyScope::System ? ReviewDifferences(review, none, {}) : ReviewDifferences(none, review, {});
}

}  // namespace tallowin
