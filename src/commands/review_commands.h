#pragma once

#include <optional>
#include <vector>

#include "model/main_model.h"
#include "model/save_review.h"
#include "commands/ports.h"

// The review of what Save would change (File menu, "変更点の確認"), and
// the deletions the user can ask for in it.
namespace tallowin {

// Reads both keys afresh and gives the review's rows (model/save_review.h),
// each with whether its value is marked for deletion; an empty result means
// nothing differs ("変更はありません。"). When a key cannot be read, the
// failure is reported as Load reports it and the result is nothing. Uses
// ports Registry, and Dialogs, Window and System for the report.
std::optional<std::vector<ReviewRow>> ReviewChangesExecute(const MainModel& model, const CommandPorts& ports);

// The check box "書き込み時に削除する" of a row: marks the row's value for
// deletion by Save, or takes the mark back. A row that is not deletable
// changes nothing.
void SetDeleteOnSave(MainModel& model, const ReviewRow& row, bool checked);

// The values marked for deletion that Save deletes: each only while Save
// may still delete it (MayDeleteOnSave: a value put back into the list
// since is kept).
std::vector<ScopedName> ValuesToDelete(const MainModel& model);

// Whether Save would change a key from what the window last read from it or
// wrote to it: a value to write that the key did not hold so, or a value
// marked for deletion. Reads no key: closing the window asks with it.
bool HasUnsavedEdits(const MainModel& model);

// Save's step after both lists were written: deletes the values from their
// keys, stopping at the first failure. Uses port Registry.
PortResult DeleteValues(const std::vector<ScopedName>& values, const CommandPorts& ports);

}  // namespace tallowin
