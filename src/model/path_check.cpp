#include "model/path_check.h"

#include <algorithm>
#include <set>

#include "model/collation.h"
#include "model/path_value.h"
#include "model/text_scan.h"
#include "model/texts.h"
#include "model/type_names.h"

namespace tallowin {
namespace {

std::u16string_view WithoutClosingSemicolon(std::u16string_view item) {
  if (!item.empty() && item.back() == u';') item.remove_suffix(1);
  return item;
}

std::u16string_view WithoutSurroundingQuotes(std::u16string_view text) {
  if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"') return text.substr(1, text.size() - 2);
  return text;
}

// A null expander: the Path is a plain string, whose items stay as written.
CheckedPathItem CheckedItem(std::u16string_view item, ReferenceExpander* expander) {
  CheckedPathItem checked;
  checked.Item = std::u16string(item);
  const std::u16string_view text = WithoutClosingSemicolon(item);
  checked.Empty = SkipBlanks(text).empty();
  if (checked.Empty) return checked;
  const std::u16string expanded = expander != nullptr ? expander->Expand(text).Text : std::u16string(text);
  checked.Folder = std::u16string(WithoutSurroundingQuotes(expanded));
  std::u16string_view key = checked.Folder;
  if (!key.empty() && key.back() == u'\\') key.remove_suffix(1);
  checked.Key = std::u16string(key);
  return checked;
}

// What the user Path's items are compared by.
std::set<CollationKey> UserPathKeys(const EditList& userList, ReferenceExpander& expander) {
  std::set<CollationKey> keys;
  const int userPath = userList.FindIgnoringCase(u"Path");
  if (userPath < 0) return keys;
  const VariableEntry& entry = userList.At(userPath);
  ReferenceExpander* itemExpander = IsExpandable(entry.TypeName()) ? &expander : nullptr;
  for (const std::u16string& line : ItemsOfReadPath(entry.Data())) {
    for (const std::u16string_view item : ItemsOfPathLine(line)) {
      const CheckedPathItem checked = CheckedItem(item, itemExpander);
      if (!checked.Empty) keys.insert(MakeCaseBlindKey(checked.Key));
    }
  }
  return keys;
}

}  // namespace

std::vector<std::u16string> PathCheckPlan::Folders() const {
  std::vector<std::u16string> folders;
  folders.reserve(Items.size());
  for (const CheckedPathItem& item : Items) folders.push_back(item.Folder);
  return folders;
}

std::vector<std::u16string_view> ItemsOfPathLine(std::u16string_view line) {
  std::vector<std::u16string_view> items;
  std::size_t start = 0;
  for (std::size_t position = 0; position < line.size(); ++position) {
    if (line[position] != u';') continue;
    items.push_back(line.substr(start, position + 1 - start));
    start = position + 1;
  }
  if (start < line.size()) items.push_back(line.substr(start));
  return items;
}

PathCheckPlan PlanPathCheck(const std::vector<std::u16string>& pathItems, const EditList& sysList,
                            const EditList& userList, const VariableLookup& programVariable,
                            std::u16string_view pathTypeName) {
  ReferenceExpander expander(sysList, userList, programVariable);
  expander.ExpandingValueOf(u"Path");
  const std::set<CollationKey> userKeys = UserPathKeys(userList, expander);
  ReferenceExpander* itemExpander = IsExpandable(pathTypeName) ? &expander : nullptr;
  // The comparisons are made once here, through keys, so that a Path of
  // thousands of items is not compared pair by pair.
  std::set<CollationKey> earlierKeys;
  PathCheckPlan plan;
  plan.Items.reserve(pathItems.size());
  for (std::size_t line = 0; line < pathItems.size(); ++line) {
    std::size_t start = 0;
    for (const std::u16string_view item : ItemsOfPathLine(pathItems[line])) {
      CheckedPathItem checked = CheckedItem(item, itemExpander);
      checked.Line = line;
      checked.Start = start;
      start += item.size();
      if (!checked.Empty) {
        CollationKey key = MakeCaseBlindKey(checked.Key);
        checked.InUserPath = userKeys.count(key) != 0;
        checked.Duplicate = !earlierKeys.insert(std::move(key)).second;
      }
      plan.Items.push_back(std::move(checked));
    }
  }
  return plan;
}

std::vector<PathProblemRow> FindPathProblems(const PathCheckPlan& plan,
                                             std::span<const std::optional<FolderAnswer>> answers) {
  std::vector<PathProblemRow> rows;
  for (std::size_t i = 0; i < plan.Items.size(); ++i) {
    const CheckedPathItem& item = plan.Items[i];
    std::vector<PathProblem> problems;
    if (item.Empty) {
      problems.push_back(PathProblem::Empty);
    } else {
      if (item.Duplicate) problems.push_back(PathProblem::Duplicate);
      if (item.InUserPath) problems.push_back(PathProblem::AlsoInUserPath);
      if (i < answers.size() && answers[i] == FolderAnswer::Missing) problems.push_back(PathProblem::Missing);
      if (i < answers.size() && answers[i] == FolderAnswer::NoAnswer) problems.push_back(PathProblem::NoAnswer);
    }
    if (!problems.empty()) rows.push_back({i, item.Line, item.Item, std::move(problems)});
  }
  return rows;
}

std::u16string_view ProblemText(PathProblem problem) {
  switch (problem) {
    case PathProblem::Empty:
      return texts::kProblemEmpty;
    case PathProblem::Duplicate:
      return texts::kProblemDuplicate;
    case PathProblem::AlsoInUserPath:
      return texts::kProblemAlsoInUserPath;
    case PathProblem::Missing:
      return texts::kProblemMissing;
    case PathProblem::NoAnswer:
      break;
  }
  return texts::kProblemNoAnswer;
}

std::u16string ProblemsText(const PathProblemRow& row) {
  std::u16string text;
  for (const PathProblem problem : row.Problems) {
    if (!text.empty()) text += texts::kProblemSeparator;
    text += ProblemText(problem);
  }
  return text;
}

}  // namespace tallowin
