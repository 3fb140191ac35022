#include "commands/list_editor_commands.h"

#include <algorithm>
#include <utility>

#include "commands/command_step.h"
#include "commands/dialog_offsets.h"
#include "commands/program_variable.h"
#include "model/path_value.h"
#include "model/save_review.h"
#include "model/texts.h"
#include "model/type_names.h"

namespace tallowin {
namespace {

const EditList& ListOf(const MainModel& model, KeyScope scope) {
  return scope == KeyScope::System ? model.SysList : model.UserList;
}

bool IsNamed(const ListEditor& editor, std::u16string_view name) { return EqualsIgnoringCase(editor.Name, name); }

// The items again as the Path tab makes them of its lines: joined and split
// once, so that a text holding several folders gives several items and a
// lone ';' joins the next one. The current item is kept in range.
void SetLines(ListEditor& editor, const std::vector<std::u16string>& lines) {
  editor.Items = SplitPathValue(RemoveLineBreaks(JoinPathItems(lines)));
  editor.Current = std::min(editor.Current, static_cast<int>(editor.Items.size()) - 1);
}

void InsertItems(ListEditor& editor, const std::vector<std::u16string>& items) {
  if (items.empty()) return;
  const int at = editor.Current >= 0 ? editor.Current : static_cast<int>(editor.Items.size());
  std::vector<std::u16string> lines = editor.Items;
  lines.insert(lines.begin() + at, items.begin(), items.end());
  editor.Current = at;
  SetLines(editor, lines);
}

bool HasCurrent(const ListEditor& editor) {
  return editor.Current >= 0 && editor.Current < static_cast<int>(editor.Items.size());
}

}  // namespace

bool IsListEditable(const VariableEntry& entry) {
  return entry.TypeName() == kTypeNames[kRegSz] || entry.TypeName() == kTypeNames[kRegExpandSz];
}

bool OpensAsList(const VariableEntry& entry) {
  return IsListEditable(entry) && entry.Data().find(u';') != std::u16string_view::npos;
}

std::optional<ListEditor> OpenListEditor(const MainModel& model) {
  if (model.ShownTab == Tab::Path) return std::nullopt;
  const KeyScope scope = model.ShownTab == Tab::System ? KeyScope::System : KeyScope::User;
  const EditList& list = ListOf(model, scope);
  const int row = list.Selected();
  if (row < 0 || !IsListEditable(list.At(row))) return std::nullopt;
  const VariableEntry& entry = list.At(row);
  ListEditor editor;
  editor.Scope = scope;
  editor.Row = list.IdAt(row);
  editor.Name = entry.Name;
  editor.TypeName = std::u16string(entry.TypeName());
  editor.Original = std::u16string(entry.Data());
  editor.Items = ItemsOfReadPath(editor.Original);
  editor.Current = editor.Items.empty() ? -1 : 0;
  return editor;
}

std::u16string ListEditorCaption(const ListEditor& editor) {
  return std::u16string(texts::kListEditCaption) + u" - " + editor.Name + u" (" +
         std::u16string(editor.Scope == KeyScope::System ? texts::kTabSystem : texts::kTabUser) + u")";
}

void AddListItem(ListEditor& editor, std::u16string_view text) {
  const std::u16string item = EnsureTrailingSemicolon(RemoveLineBreaks(text));
  if (!item.empty()) InsertItems(editor, {item});
}

void ReplaceListItem(ListEditor& editor, std::u16string_view text) {
  const std::u16string item = EnsureTrailingSemicolon(RemoveLineBreaks(text));
  if (item.empty() || !HasCurrent(editor)) return;
  std::vector<std::u16string> lines = editor.Items;
  lines[static_cast<std::size_t>(editor.Current)] = item;
  SetLines(editor, lines);
}

void DeleteListItem(ListEditor& editor) {
  if (!HasCurrent(editor)) return;
  editor.Items.erase(editor.Items.begin() + editor.Current);
  editor.Current = std::min(editor.Current, static_cast<int>(editor.Items.size()) - 1);
}

void MoveListItem(ListEditor& editor, bool up) {
  if (!HasCurrent(editor)) return;
  const int to = editor.Current + (up ? -1 : 1);
  if (to < 0 || to >= static_cast<int>(editor.Items.size())) return;
  std::swap(editor.Items[static_cast<std::size_t>(to)], editor.Items[static_cast<std::size_t>(editor.Current)]);
  editor.Current = to;
}

void PasteListLines(ListEditor& editor, std::u16string_view text) {
  std::vector<std::u16string> items;
  for (const std::u16string& line : SplitLines(text)) {
    std::u16string item = EnsureTrailingSemicolon(line);
    if (!item.empty()) items.push_back(std::move(item));
  }
  InsertItems(editor, items);
}

std::optional<std::u16string> BrowseListFolder(std::u16string_view field, std::u16string& startFolder,
                                               const CommandPorts& ports) {
  std::u16string folder(field);
  if (!folder.empty() && folder.back() == u';') folder.pop_back();
  std::u16string expanded = ports.Environment->ExpandReferences(folder);
  if (!expanded.empty() && ports.Environment->IsExistingDirectory(expanded)) startFolder = std::move(expanded);
  const std::optional<std::u16string> chosen = ports.Folders->PickFolder(startFolder);
  if (!chosen) return std::nullopt;
  return EnsureTrailingSemicolon(*chosen);
}

std::u16string ListEditorValue(const ListEditor& editor) {
  if (IsItemsOfReadPath(editor.Original, editor.Items)) return editor.Original;
  return JoinPathItems(editor.Items);
}

bool ApplyListEditor(MainModel& model, const ListEditor& editor, const CommandPorts& ports) {
  const std::u16string value = ListEditorValue(editor);
  if (value.size() > kLongestVariableValue) {
    ports.Dialogs->Beep(SystemSound::Hand);
    ports.Dialogs->Inform(texts::kValueTooLong, OffsetFromOwner(ports.Window, kFailureX, kDialogY));
    return false;
  }
  EditList& list = editor.Scope == KeyScope::System ? model.SysList : model.UserList;
  const int row = list.IndexOf(editor.Row);
  if (row < 0 || list.At(row).Data() == value) return true;
  RunAsOneStep(model, [&] {
    list.SetData(row, value);
    if (editor.Scope == KeyScope::System && row == model.PathEntryIndex()) {
      // The Path tab shows the new items; its current item stays where it was.
      const int current = model.PathIndex;
      model.LinkPathEntry(row);
      model.PathIndex = std::min(current, model.PathLastIndex());
    }
    model.RefreshPathView();
  });
  return true;
}

ListCheck PlanListCheck(const MainModel& model, const ListEditor& editor, const CommandPorts& ports) {
  const VariableLookup lookup = ProgramVariableLookup(*ports.Environment);
  ListCheck check;
  check.Plan = PlanPathCheck(editor.Items, model.SysList, model.UserList, lookup, editor.TypeName);
  const bool isPath = IsNamed(editor, u"Path");
  check.AlwaysFolders = isPath || IsNamed(editor, u"PSModulePath");
  // Only the system Path is compared with the user's.
  if (!isPath || editor.Scope != KeyScope::System) {
    for (CheckedPathItem& item : check.Plan.Items) item.InUserPath = false;
  }
  const int sysPath = model.PathEntryIndex();
  if (isPath && editor.Scope == KeyScope::User && sysPath >= 0) {
    const PathCheckPlan system =
        PlanPathCheck(model.PathList, model.SysList, model.UserList, lookup, model.SysList.At(sysPath).TypeName());
    for (const CheckedPathItem& item : system.Items) {
      if (!item.Empty) check.SystemPathKeys.insert(MakeCaseBlindKey(item.Key));
    }
  }
  return check;
}

bool ChecksFolders(const ListCheck& check, std::span<const std::optional<FolderAnswer>> answers) {
  if (check.AlwaysFolders) return true;
  std::size_t folders = 0;
  std::size_t existing = 0;
  for (std::size_t i = 0; i < check.Plan.Items.size(); ++i) {
    if (check.Plan.Items[i].Empty) continue;
    ++folders;
    if (i < answers.size() && answers[i] == FolderAnswer::Exists) ++existing;
  }
  return 2 * existing > folders;
}

std::vector<std::u16string> ListFindings(const ListCheck& check, std::size_t itemCount,
                                         std::span<const std::optional<FolderAnswer>> answers) {
  std::vector<std::u16string> findings(itemCount);
  const std::span<const std::optional<FolderAnswer>> folderAnswers =
      ChecksFolders(check, answers) ? answers : std::span<const std::optional<FolderAnswer>>();
  const std::vector<PathProblemRow> rows = FindPathProblems(check.Plan, folderAnswers);
  auto row = rows.begin();
  for (std::size_t i = 0; i < check.Plan.Items.size(); ++i) {
    const CheckedPathItem& item = check.Plan.Items[i];
    bool alsoInSystem = !item.Empty && check.SystemPathKeys.count(MakeCaseBlindKey(item.Key)) != 0;
    std::vector<std::u16string_view> found;
    for (; row != rows.end() && row->Index == i; ++row) {
      for (const PathProblem problem : row->Problems) {
        // After a repeat, before what the folder check found.
        if (alsoInSystem && problem != PathProblem::Duplicate) {
          found.push_back(texts::kProblemAlsoInSystemPath);
          alsoInSystem = false;
        }
        found.push_back(ProblemText(problem));
      }
    }
    if (alsoInSystem) found.push_back(texts::kProblemAlsoInSystemPath);
    if (found.empty() || item.Line >= itemCount) continue;
    std::u16string& finding = findings[item.Line];
    for (const std::u16string_view text : found) {
      if (!finding.empty()) finding += texts::kProblemSeparator;
      finding += text;
    }
  }
  return findings;
}

}  // namespace tallowin
