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

// One ';'-separated piece of the Path list, with its closing ';'.
struct PathPiece {
  std::u16string_view Text;
  std::size_t Line = 0;
  std::size_t Start = 0;
};

void AppendPiecesOfLine(std::u16string_view line, std::size_t lineIndex, std::vector<PathPiece>& pieces) {
  std::size_t start = 0;
  for (std::size_t position = 0; position < line.size(); ++position) {
    if (line[position] != u';') continue;
    pieces.push_back({line.substr(start, position + 1 - start), lineIndex, start});
    start = position + 1;
  }
  if (start < line.size()) pieces.push_back({line.substr(start), lineIndex, start});
}

bool OpensOrClosesQuote(std::u16string_view text) { return std::count(text.begin(), text.end(), u'"') % 2 != 0; }

// The pieces each item spans, first and last: a piece that leaves a quote
// open runs on to the piece that closes it. Once a quote is left open to
// the end, no later piece can open one that closes, so this stays linear.
std::vector<std::pair<std::size_t, std::size_t>> ItemSpans(const std::vector<PathPiece>& pieces) {
  std::vector<std::pair<std::size_t, std::size_t>> spans;
  for (std::size_t first = 0; first < pieces.size(); ++first) {
    std::size_t last = first;
    if (OpensOrClosesQuote(pieces[first].Text)) {
      bool open = true;
      for (std::size_t next = first + 1; next < pieces.size() && open; ++next) {
        if (OpensOrClosesQuote(pieces[next].Text)) {
          open = false;
          last = next;
        }
      }
    }
    spans.emplace_back(first, last);
    first = last;
  }
  return spans;
}

// The items of the Path list's lines, each placed where its first piece is.
std::vector<CheckedPathItem> ReadPathItems(const std::vector<std::u16string>& lines) {
  std::vector<PathPiece> pieces;
  for (std::size_t line = 0; line < lines.size(); ++line) AppendPiecesOfLine(lines[line], line, pieces);
  std::vector<CheckedPathItem> items;
  for (const auto& [first, last] : ItemSpans(pieces)) {
    CheckedPathItem& item = items.emplace_back();
    for (std::size_t piece = first; piece <= last; ++piece) item.Item += pieces[piece].Text;
    item.Line = pieces[first].Line;
    item.Start = pieces[first].Start;
    item.LastLine = pieces[last].Line;
  }
  return items;
}

// Fills in what the check reads of an item. A null expander: the Path is a
// plain string, whose items stay as written.
void ReadItem(CheckedPathItem& checked, ReferenceExpander* expander) {
  const std::u16string_view text = WithoutClosingSemicolon(checked.Item);
  checked.Empty = SkipBlanks(text).empty();
  if (checked.Empty) return;
  const std::u16string expanded = expander != nullptr ? expander->Expand(text).Text : std::u16string(text);
  checked.Folder = std::u16string(WithoutSurroundingQuotes(expanded));
  std::u16string_view key = checked.Folder;
  if (!key.empty() && key.back() == u'\\') key.remove_suffix(1);
  checked.Key = std::u16string(key);
}

// What the user Path's items are compared by.
std::set<CollationKey> UserPathKeys(const EditList& userList, ReferenceExpander& expander) {
  std::set<CollationKey> keys;
  const int userPath = userList.FindIgnoringCase(u"Path");
  if (userPath < 0) return keys;
  const VariableEntry& entry = userList.At(userPath);
  ReferenceExpander* itemExpander = IsExpandable(entry.TypeName()) ? &expander : nullptr;
  for (CheckedPathItem& item : ReadPathItems(ItemsOfReadPath(entry.Data()))) {
    ReadItem(item, itemExpander);
    if (!item.Empty) keys.insert(MakeCaseBlindKey(item.Key));
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
  std::vector<PathPiece> pieces;
  AppendPiecesOfLine(line, 0, pieces);
  std::vector<std::u16string_view> items;
  for (const auto& [first, last] : ItemSpans(pieces)) {
    const std::size_t start = pieces[first].Start;
    items.push_back(line.substr(start, pieces[last].Start + pieces[last].Text.size() - start));
  }
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
  plan.Items = ReadPathItems(pathItems);
  for (CheckedPathItem& checked : plan.Items) {
    ReadItem(checked, itemExpander);
    if (!checked.Empty) {
      CollationKey key = MakeCaseBlindKey(checked.Key);
      checked.InUserPath = userKeys.count(key) != 0;
      checked.Duplicate = !earlierKeys.insert(std::move(key)).second;
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
