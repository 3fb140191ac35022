#pragma once

#include <cstddef>
#include <vector>

#include "model/main_model.h"
#include "model/path_check.h"
#include "commands/ports.h"

// The Path check (Edit menu, "Pathの点検"): the window plans the check,
// starts the existence check on plan.Folders() (FolderCheckPort), shows
// FindPathProblems(plan, answers so far) after each answer, and removes the
// items the user checks.
namespace tallowin {

// The plan for the Path list as it stands, the lists' variables before the
// program's own (port Environment).
PathCheckPlan PathCheckExecute(const MainModel& model, const CommandPorts& ports);

// "選択した項目を削除": removes the plan's items at these indices (indices
// outside the plan count for nothing) as one Path edit, as Delete removes
// one: the Path list, Edit1 and the Path entry change together. Only the
// items themselves go, each with its own ';': the other items of their
// lines stay, and a line goes only when none of its items is left. The
// current line stays current; when it went, the first line after it that
// stayed becomes current, or the new last line. The plan must be the one
// made for the Path list as it stands.
void RemovePathItems(MainModel& model, const PathCheckPlan& plan, const std::vector<std::size_t>& indices);

}  // namespace tallowin
