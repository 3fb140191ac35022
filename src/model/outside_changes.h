#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/environment_keys.h"
#include "model/variable_entry.h"

// What other programs changed in a key while the window had it loaded.
// Load keeps what each key held as read; before Save writes, it compares
// each key as it is now with that, so that a value another program changed
// meanwhile is not silently written over with the value the window read.
namespace tallowin {

enum class OutsideChangeKind {
  Added,    // "追加": not in the key at Load
  Changed,  // "変更": another type or other bytes
  Deleted,  // "削除": in the key at Load, gone now
};

struct OutsideChange {
  KeyScope Scope = KeyScope::System;
  std::u16string Name;
  OutsideChangeKind Kind = OutsideChangeKind::Changed;
  // What Save would write for the name differs from what Load read under
  // it: the user changed, added or renamed the row. Derived from the values,
  // so no command has to remember it.
  bool EditedInWindow = false;

  bool operator==(const OutsideChange&) const = default;
};

// The values Save would write (`toWrite`, in list order) whose value in the
// key changed since Load (`atLoad` against `now`) and which writing would
// change again, one per value in the order of `toWrite`. Names compare as
// the registry compares them; of several rows of one name, the last is
// what Save leaves in the key.
std::vector<OutsideChange> FindOutsideChanges(KeyScope scope, const std::vector<NamedValue>& atLoad,
                                              const std::vector<NamedValue>& now,
                                              const std::vector<NamedValue>& toWrite);

// The values Save would delete (`toDelete`, the user's ticks) that another
// program changed since Load and has not deleted: deleting one is an edit
// made in the window like any other, so it is a change to ask about.
std::vector<OutsideChange> FindChangedDeletions(KeyScope scope, const std::vector<NamedValue>& atLoad,
                                                const std::vector<NamedValue>& now,
                                                const std::vector<std::u16string>& toDelete);

// `toWrite` without the values whose outside change Save keeps: those the
// user did not edit. The user's edits are all still written.
std::vector<NamedValue> KeepingOutsideChanges(std::vector<NamedValue> toWrite, KeyScope scope,
                                              const std::vector<OutsideChange>& changes);

// Whether two readings of a key hold the same values: the same names (as
// the registry compares them) with the same types and bytes, in any order.
bool SameKeyValues(const std::vector<NamedValue>& a, const std::vector<NamedValue>& b);

// What the key holds after a Save that deleted the `deleted` names and then
// wrote `written`, given what it held before as far as the window knows.
void NoteWrittenValues(std::vector<NamedValue>& known, const std::vector<std::u16string>& deleted,
                       const std::vector<NamedValue>& written);

// The texts of a change as Save's question lists it: key, name, what the
// other program did and whether the window edited the value too.
std::array<std::u16string, 4> OutsideChangeColumnTexts(const OutsideChange& change);

}  // namespace tallowin
