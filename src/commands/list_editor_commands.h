#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "commands/ports.h"
#include "model/collation.h"
#include "model/environment_keys.h"
#include "model/main_model.h"
#include "model/path_check.h"

// The list editor ("一覧で編集"): a string value of the System or User list
// edited as its items, one a line, split and joined as the Path tab splits
// and joins the system Path. The dialog holds a ListEditor while it is
// open; OK writes the joined value back to the row as one edit.
namespace tallowin {

// Whether a row can be edited as a list (REG_SZ or REG_EXPAND_SZ), and
// whether a double click opens it as one (its data also holds a ';').
bool IsListEditable(const VariableEntry& entry);
bool OpensAsList(const VariableEntry& entry);

struct ListEditor {
  KeyScope Scope = KeyScope::User;
  EntryId Row = 0;
  std::u16string Name;
  std::u16string TypeName;
  // The data the editor opened with: OK gives it back unchanged while the
  // items are still the ones it was read as.
  std::u16string Original;
  // Each item with its closing ';', as the Path list holds its items.
  std::vector<std::u16string> Items;
  int Current = -1;  // -1: no item is current
};

// The editor over the selected row of the variable tab shown; nothing on
// the Path tab, without a selected row, or for a row that is not a string.
std::optional<ListEditor> OpenListEditor(const MainModel& model);
// "一覧で編集 - Path (ユーザー)".
std::u16string ListEditorCaption(const ListEditor& editor);

// The editing commands. Add and Paste insert before the current item
// (append without one), and the first new item becomes current; a text
// that holds ';' gives several items, as the Path tab's Add does. Replace
// and Delete act on the current item; a move swaps it with its neighbour
// and it stays current. None of them touches a clipboard.
void AddListItem(ListEditor& editor, std::u16string_view text);
void ReplaceListItem(ListEditor& editor, std::u16string_view text);
void DeleteListItem(ListEditor& editor);
void MoveListItem(ListEditor& editor, bool up);
// Each line of the text that is not blank becomes one or more items.
void PasteListLines(ListEditor& editor, std::u16string_view text);
// The folder browser, opened at the folder the field names when it
// exists (else where it last opened, kept in startFolder): the chosen
// folder as an item for the field, nothing when cancelled.
std::optional<std::u16string> BrowseListFolder(std::u16string_view field, std::u16string& startFolder,
                                               const CommandPorts& ports);

// The value OK writes: the data it opened with while the items are the ones
// it was read as, else the items joined.
std::u16string ListEditorValue(const ListEditor& editor);
// OK: writes the value into the row (for the linked system Path, the Path
// list follows) and returns true. A value longer than a variable may hold
// is refused with the window's message and changes nothing.
bool ApplyListEditor(MainModel& model, const ListEditor& editor, const CommandPorts& ports);

// What the dialog shows beside the items: the Path check of the items.
struct ListCheck {
  PathCheckPlan Plan;
  // Path and PSModulePath always; any other list once most of its items
  // turn out to be folders that exist.
  bool AlwaysFolders = false;
  // The system Path's items, for a user Path: "also in the system Path".
  std::set<CollationKey> SystemPathKeys;
};

ListCheck PlanListCheck(const MainModel& model, const ListEditor& editor, const CommandPorts& ports);
// Whether missing folders are findings, by the answers so far.
bool ChecksFolders(const ListCheck& check, std::span<const std::optional<FolderAnswer>> answers);
// The findings' text for each item of the editor ("" for none), by the
// answers come so far (answers[i] for check.Plan.Items[i]).
std::vector<std::u16string> ListFindings(const ListCheck& check, std::size_t itemCount,
                                         std::span<const std::optional<FolderAnswer>> answers);

}  // namespace tallowin
