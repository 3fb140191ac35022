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

// Variables that refer to each other in a circle stop expanding here.
constexpr int kNestingLimit = 8;

class Expander {
 public:
  Expander(const EditList& sysList, const EditList& userList, const VariableLookup& programVariable)
      : sysList_(sysList), userList_(userList), programVariable_(programVariable) {}

  // A '%' without a closing one, and a reference nothing resolves, stay as
  // they are; scanning goes on after the reference's closing '%'.
  std::u16string Expand(std::u16string_view text, int depth) const {
    std::u16string expanded;
    std::size_t position = 0;
    while (position < text.size()) {
      const std::size_t open = text.find(u'%', position);
      const std::size_t close = open == std::u16string_view::npos ? open : text.find(u'%', open + 1);
      if (close == std::u16string_view::npos) {
        expanded.append(text.substr(position));
        break;
      }
      expanded.append(text.substr(position, open - position));
      const std::u16string_view name = text.substr(open + 1, close - open - 1);
      const std::optional<std::u16string> value = Resolve(name, depth);
      const bool resolved = value.has_value();
      if (resolved) {
        expanded += *value;
      } else {
        expanded.append(text.substr(open, close - open + 1));
      }
      // A name of blanks alone ("50% %") reads as percent signs in a
      // sentence, not as a variable the user forgot to define.
      const bool named = !SkipBlanks(name).empty();
      references_ = references_ || named;
      undefined_ = undefined_ || (named && !resolved);
      position = close + 1;
    }
    return expanded;
  }

  bool HadReference() const { return references_; }
  bool HadUndefined() const { return undefined_; }

 private:
  std::optional<std::u16string> Resolve(std::u16string_view name, int depth) const {
    if (name.empty()) return std::nullopt;
    for (const EditList* list : {&userList_, &sysList_}) {
      const int row = list->FindIgnoringCase(name);
      if (row < 0) continue;
      const VariableEntry& entry = list->At(row);
      // Only an expandable string's references are expanded when the
      // environment is built; a plain string keeps its '%' signs.
      if (depth < kNestingLimit && TypeIndexOf(entry.TypeName()) == kRegExpandSz) {
        return Expand(entry.Data(), depth + 1);
      }
      return std::u16string(entry.Data());
    }
    if (programVariable_) return programVariable_(name);
    return std::nullopt;
  }

  const EditList& sysList_;
  const EditList& userList_;
  const VariableLookup& programVariable_;
  // Whether the texts expanded so far held a %NAME%, and one that nothing
  // resolved.
  mutable bool references_ = false;
  mutable bool undefined_ = false;
};

std::u16string_view WithoutClosingSemicolon(std::u16string_view item) {
  if (!item.empty() && item.back() == u';') item.remove_suffix(1);
  return item;
}

std::u16string_view WithoutSurroundingQuotes(std::u16string_view text) {
  if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"') return text.substr(1, text.size() - 2);
  return text;
}

CheckedPathItem CheckedItem(std::u16string_view item, const Expander& expander) {
  CheckedPathItem checked;
  checked.Item = std::u16string(item);
  const std::u16string_view text = WithoutClosingSemicolon(item);
  checked.Empty = SkipBlanks(text).empty();
  if (checked.Empty) return checked;
  checked.Folder = std::u16string(WithoutSurroundingQuotes(expander.Expand(text, 0)));
  std::u16string_view key = checked.Folder;
  if (!key.empty() && key.back() == u'\\') key.remove_suffix(1);
  checked.Key = std::u16string(key);
  return checked;
}

}  // namespace

std::vector<std::u16string> PathCheckPlan::Folders() const {
  std::vector<std::u16string> folders;
  folders.reserve(Items.size());
  for (const CheckedPathItem& item : Items) folders.push_back(item.Folder);
  return folders;
}

std::u16string ExpandAsNewProcess(std::u16string_view text, const EditList& sysList, const EditList& userList,
                                  const VariableLookup& programVariable) {
  return Expander(sysList, userList, programVariable).Expand(text, 0);
}

Expansion ExpandReferences(std::u16string_view text, const EditList& sysList, const EditList& userList,
                           const VariableLookup& programVariable) {
  const Expander expander(sysList, userList, programVariable);
  Expansion expansion;
  expansion.Text = expander.Expand(text, 0);
  expansion.HasReference = expander.HadReference();
  expansion.Undefined = expander.HadUndefined();
  return expansion;
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
                            const EditList& userList, const VariableLookup& programVariable) {
  const Expander expander(sysList, userList, programVariable);
  std::set<CollationKey> userKeys;
  if (const int userPath = userList.FindIgnoringCase(u"Path"); userPath >= 0) {
    for (const std::u16string& line : ItemsOfReadPath(userList.At(userPath).Data())) {
      for (const std::u16string_view item : ItemsOfPathLine(line)) {
        const CheckedPathItem checked = CheckedItem(item, expander);
        if (!checked.Empty) userKeys.insert(MakeCaseBlindKey(checked.Key));
      }
    }
  }
  // The comparisons are made once here, through keys, so that a Path of
  // thousands of items is not compared pair by pair.
  std::set<CollationKey> earlierKeys;
  PathCheckPlan plan;
  plan.Items.reserve(pathItems.size());
  for (std::size_t line = 0; line < pathItems.size(); ++line) {
    std::size_t start = 0;
    for (const std::u16string_view item : ItemsOfPathLine(pathItems[line])) {
      CheckedPathItem checked = CheckedItem(item, expander);
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
