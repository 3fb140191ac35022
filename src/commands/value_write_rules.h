#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "model/environment_keys.h"
#include "model/save_review.h"
#include "model/variable_entry.h"
#include "regfile/reg_file.h"

// The rules for writing single values unattended (the command line): which
// names and values are refused and which type a set value gets. Every write
// is first described as the review's rows, so that what a dry run shows is
// exactly what a real run writes.
namespace tallowin {

// Why a write is refused: each reason has its own message.
enum class WriteRefusal {
  None,
  NameEmpty,
  NameForbiddenCharacter,
  NameTooLong,
  ValueTooLong,
  SystemPathKept,
  NotString,      // a set without a type, of a value that is no string
  AnchorMissing,  // a Path add before or after an item the Path lacks
};

// An empty name, a name holding '=' or a control character (as the window
// refuses them), or one longer than kLongestVariableName.
WriteRefusal RefusalOfName(std::u16string_view name);

// Why one row of a write is refused, if it is: its name (above, but the
// empty name of the key's default value is allowed); a value
// longer than a variable may be, unless the write makes an over-long value
// shorter; the system Path deleted or emptied.
WriteRefusal RefusalOfRow(const ReviewRow& row);

// The first refused row of a write, with its reason; nothing when every row
// may be written.
struct RefusedRow {
  const ReviewRow* Row = nullptr;
  WriteRefusal Reason = WriteRefusal::None;
};
std::optional<RefusedRow> FirstRefusedRow(const std::vector<ReviewRow>& rows);

// A section's values as the key holds them once the file is imported:
// names the registry takes for one are one value, which keeps the first
// spelling and takes the last value and type.
std::vector<NamedValue> ValuesAsKeyHolds(const std::vector<regfile::ParsedValue>& values);

// Whether the text holds a %NAME% reference (a non-empty name between two
// '%'), which only an expandable string resolves.
bool HoldsVariableReference(std::u16string_view text);

// The type a set writes: the one asked for; else the current value's, when
// it is a string; else, for a new value, REG_EXPAND_SZ when the text holds
// a reference and REG_SZ otherwise. Nothing when the current value is not a
// string and no type was asked for: its text cannot keep its type.
std::optional<std::uint32_t> TypeForSet(std::optional<std::uint32_t> asked, const std::optional<RegistryValue>& current,
                                        std::u16string_view text);

// The review's rows for writing one value of one key: none when the key
// holds exactly that value already.
std::vector<ReviewRow> RowsForValue(KeyScope scope, const NamedValue& toWrite,
                                    const std::optional<RegistryValue>& current);

}  // namespace tallowin
