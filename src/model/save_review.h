#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/environment_keys.h"
#include "model/variable_entry.h"

// The review before Save: for each of the two keys, how the values Save
// would write differ from what the key holds now. Save adds and overwrites
// values and deletes none, so a value the key holds that the list lacks
// stays; it is deleted only when the user asks for it, and only when the
// user took it out of the list since the last Load (an Import that left it
// out does not count). The system Path is never deleted.
namespace tallowin {

// A variable's name and value may be no longer than this many characters.
inline constexpr std::size_t kLongestVariableName = 255;
inline constexpr std::size_t kLongestVariableValue = 32767;

enum class ReviewKind {
  Added,        // "追加": not in the key yet
  Changed,      // "変更": the same type, other data
  TypeChanged,  // "種類の変更": another type
  Remains,      // "残ります": in the key, not in the list
};

struct ReviewRow {
  KeyScope Scope = KeyScope::System;
  std::u16string Name;
  ReviewKind Kind = ReviewKind::Added;
  // The name or the data to write is longer than a variable may be.
  bool TooLong = false;
  std::optional<RegistryValue> Current;  // none for Added
  std::optional<RegistryValue> ToWrite;  // none for Remains
  // A Remains row the user may have Save delete, and whether it is asked to.
  bool Deletable = false;
  bool DeleteOnSave = false;

  bool operator==(const ReviewRow&) const = default;
};

// What one key's review starts from.
struct ReviewScope {
  std::vector<NamedValue> ToWrite;  // what Save would write, in list order
  std::vector<NamedValue> Current;  // what the key holds now
  std::vector<std::u16string> NamesAtLoad;
};

// Whether Save may delete the value from its key: the list held it at the
// last Load, holds it no more (names ignore case, as the registry's do),
// and it is not the system Path.
bool MayDeleteOnSave(KeyScope scope, std::u16string_view name, const std::vector<NamedValue>& toWrite,
                     const std::vector<std::u16string>& namesAtLoad);

// The data's length in characters, a closing zero not counted.
std::size_t CharacterCount(const RegistryValue& value);

// One row per value that differs. Type changes stand first; within that and
// within the rest, the system key's rows come before the user key's, each
// key's written values in list order and then the values that remain in the
// key's order. `deleteOnSave` are the values the user asked Save to delete.
std::vector<ReviewRow> ReviewDifferences(const ReviewScope& system, const ReviewScope& user,
                                         const std::vector<ScopedName>& deleteOnSave);

// The review's five column texts: key, name, change, current value, value
// to write. The change is the kind ("削除します" for a "残ります" row whose
// value Save is asked to delete), followed by a blank and "長すぎます" when
// the row is too long. A value shows its data text; on a type change
// each side shows its type name first ("REG_SZ: data").
std::array<std::u16string, 5> ReviewColumnTexts(const ReviewRow& row);

}  // namespace tallowin
