// path list, has, add, remove and check: a key's Path value as its items.
#include <algorithm>
#include <string>

#include "model/collation.h"
#include "model/path_value.h"
#include "model/path_value_edit.h"
#include "model/type_names.h"
#include "model/value_text.h"
#include "commands/value_write_rules.h"
#include "cli/cli_texts.h"
#include "cli/json.h"
#include "cli/keys.h"
#include "cli/review_output.h"
#include "cli/verbs.h"
#include "cli/write_session.h"

namespace tallowin::cli {
namespace {

// A key's Path value: its entry (any letter case of the name), or none.
const VariableEntry* PathEntryOf(const KeyLists& lists, KeyScope scope) {
  const int row = lists.Of(scope).FindIgnoringCase(u"Path");
  return row < 0 ? nullptr : &lists.Of(scope).At(row);
}

std::vector<std::u16string> PathParts(const KeyLists& lists, KeyScope scope) {
  const VariableEntry* entry = PathEntryOf(lists, scope);
  return SplitAtSemicolons(entry == nullptr ? std::u16string_view() : entry->Data());
}

std::vector<bool> PartsNaming(const KeyLists& lists, const std::vector<std::u16string>& parts,
                              std::u16string_view folder, Context& context) {
  return PartsNamingFolder(parts, folder, lists.System, lists.User, ProgramLookup(*context.Ports.Environment));
}

bool Any(const std::vector<bool>& marks) { return std::find(marks.begin(), marks.end(), true) != marks.end(); }

void SayLine(Context& context, std::u16string_view prefix, std::u16string_view text) {
  context.Io.Out(std::u16string(prefix) + std::u16string(text) + u"\r\n");
}

// Writes the key's Path with the new text: an existing value keeps its name
// and type, a new one is REG_EXPAND_SZ. A dry run shows the row instead.
ExitCode WritePath(WriteSession& session, Context& context, const KeyLists& lists, KeyScope scope,
                   const std::u16string& text) {
  const VariableEntry* entry = PathEntryOf(lists, scope);
  std::optional<RegistryValue> current;
  if (entry != nullptr && entry->Stored) current = entry->Stored->Value;
  const std::uint32_t type = current ? current->TypeCode : kRegExpandSz;
  const NamedValue value{entry != nullptr ? entry->Name : u"Path", TextToValue(type, text)};
  const std::vector<ReviewRow> rows = RowsForValue(scope, value, current);
  if (RowsHoldRefusedValue(rows)) return Refuse(context, texts::kValueTooLong);
  if (session.IsDryRun()) {
    PrintReviewRows(context.Io, rows, false);
    return ExitCode::Done;
  }
  return session.Write(scope, {value});
}

// The folders of a Path: the parts that name one.
std::vector<std::u16string> ListedItems(const KeyLists& lists, KeyScope scope) {
  std::vector<std::u16string> items = PathParts(lists, scope);
  std::erase_if(items, [](const std::u16string& item) { return !IsSingleFolder(item); });
  return items;
}

}  // namespace

ExitCode RunPathList(const Arguments& arguments, Context& context) {
  KeyLists lists;
  if (const ExitCode read = ReadKeys(context, lists); read != ExitCode::Done) return read;
  const std::vector<KeyScope> scopes = arguments.ScopesToShow();
  std::vector<std::u16string> json;
  std::u16string text;
  for (const KeyScope scope : scopes) {
    const std::vector<std::u16string> items = ListedItems(lists, scope);
    std::vector<std::u16string> quoted;
    for (const std::u16string& item : items) {
      quoted.push_back(JsonQuoted(item));
      if (scopes.size() > 1) text += std::u16string(ScopeText(scope)) + u'\t';
      text += item + u"\r\n";
    }
    json.push_back(JsonObject().Text(u"scope", ScopeWord(scope)).Raw(u"items", JsonArray(quoted)).Close());
  }
  context.Io.Out(arguments.Has(kJson) ? JsonArray(json) + u"\r\n" : text);
  return ExitCode::Done;
}

ExitCode RunPathHas(const Arguments& arguments, Context& context) {
  const std::u16string& folder = arguments.Operands[0];
  if (!IsSingleFolder(folder)) return Refuse(context, std::u16string(texts::kNotSingleFolder) + folder);
  KeyLists lists;
  if (const ExitCode read = ReadKeys(context, lists); read != ExitCode::Done) return read;
  const KeyScope scope = *arguments.Scope();
  if (Any(PartsNaming(lists, PathParts(lists, scope), folder, context))) return ExitCode::Done;
  return ExitCode::No;
}

ExitCode RunPathAdd(const Arguments& arguments, Context& context) {
  const std::u16string& folder = arguments.Operands[0];
  if (!IsSingleFolder(folder)) return Refuse(context, std::u16string(texts::kNotSingleFolder) + folder);
  const KeyScope scope = *arguments.Scope();
  WriteSession session(context, arguments);
  if (const ExitCode begun = session.Begin(); begun != ExitCode::Done) return begun;
  KeyLists lists;
  if (const ExitCode read = ReadKeys(context, lists); read != ExitCode::Done) return read;
  const std::vector<std::u16string> parts = PathParts(lists, scope);
  if (Any(PartsNaming(lists, parts, folder, context))) {
    SayLine(context, texts::kAlreadyInPath, folder);
    return ExitCode::Done;
  }
  const PathPlace place = arguments.Place();
  std::vector<bool> anchor;
  if (place == PathPlace::Before || place == PathPlace::After) {
    anchor = PartsNaming(lists, parts, arguments.Anchor, context);
  }
  const std::optional<std::u16string> added = WithFolderAdded(parts, folder, place, anchor);
  if (!added) return Refuse(context, std::u16string(texts::kAnchorMissing) + arguments.Anchor);
  if (const ExitCode written = WritePath(session, context, lists, scope, *added); written != ExitCode::Done) {
    return written;
  }
  if (!session.IsDryRun()) SayLine(context, texts::kAddedToPath, folder);
  return ExitCode::Done;
}

ExitCode RunPathRemove(const Arguments& arguments, Context& context) {
  const std::u16string& folder = arguments.Operands[0];
  if (!IsSingleFolder(folder)) return Refuse(context, std::u16string(texts::kNotSingleFolder) + folder);
  const KeyScope scope = *arguments.Scope();
  WriteSession session(context, arguments);
  if (const ExitCode begun = session.Begin(); begun != ExitCode::Done) return begun;
  KeyLists lists;
  if (const ExitCode read = ReadKeys(context, lists); read != ExitCode::Done) return read;
  const std::vector<std::u16string> parts = PathParts(lists, scope);
  const std::vector<bool> naming = PartsNaming(lists, parts, folder, context);
  if (!Any(naming)) {
    SayLine(context, texts::kNotInPath, folder);
    return ExitCode::Done;
  }
  if (const ExitCode written = WritePath(session, context, lists, scope, WithoutParts(parts, naming));
      written != ExitCode::Done) {
    return written;
  }
  if (!session.IsDryRun()) SayLine(context, texts::kRemovedFromPath, folder);
  return ExitCode::Done;
}

ExitCode RunPathCheck(const Arguments& arguments, Context& context) {
  KeyLists lists;
  if (const ExitCode read = ReadKeys(context, lists); read != ExitCode::Done) return read;
  const VariableLookup lookup = ProgramLookup(*context.Ports.Environment);
  bool anyProblem = false;
  std::vector<std::u16string> json;
  std::u16string text;
  for (const KeyScope scope : arguments.ScopesToShow()) {
    const VariableEntry* entry = PathEntryOf(lists, scope);
    const std::vector<std::u16string> items =
        ItemsOfReadPath(entry == nullptr ? std::u16string_view() : entry->Data());
    PathCheckPlan plan = PlanPathCheck(items, lists.System, lists.User, lookup);
    // The user's own Path is not "also in the user's Path".
    if (scope == KeyScope::User) plan.UserPathKeys.clear();
    std::vector<std::optional<FolderAnswer>> answers;
    for (const std::u16string& folder : plan.Folders()) {
      answers.push_back(!folder.empty() && context.Ports.Environment->IsExistingDirectory(folder)
                            ? FolderAnswer::Exists
                            : FolderAnswer::Missing);
    }
    std::vector<std::u16string> rows;
    for (const PathProblemRow& row : FindPathProblems(plan, answers)) {
      anyProblem = true;
      std::vector<std::u16string> problems;
      for (const PathProblem problem : row.Problems) problems.push_back(JsonQuoted(ProblemText(problem)));
      const std::string index = std::to_string(row.Index);
      rows.push_back(JsonObject()
                         .Raw(u"index", std::u16string(index.begin(), index.end()))
                         .Text(u"item", row.Item)
                         .Raw(u"problems", JsonArray(problems))
                         .Close());
      text += std::u16string(ScopeText(scope)) + u'\t' + row.Item + u'\t' + ProblemsText(row) + u"\r\n";
    }
    json.push_back(JsonObject().Text(u"scope", ScopeWord(scope)).Raw(u"problems", JsonArray(rows)).Close());
  }
  context.Io.Out(arguments.Has(kJson) ? JsonArray(json) + u"\r\n" : text);
  return anyProblem ? ExitCode::No : ExitCode::Done;
}

}  // namespace tallowin::cli
