// path list, has, add, remove and check: a key's Path value as its items.
#include <algorithm>
#include <functional>
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
#include "cli/path_key.h"
#include "cli/review_output.h"
#include "cli/verbs.h"
#include "cli/write_session.h"

namespace tallowin::cli {
namespace {

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
  std::optional<RegistryValue> current;
  const NamedValue value = PathValueFor(lists, scope, text, current);
  const std::vector<ReviewRow> rows = RowsForValue(scope, value, current);
  if (RowsHoldRefusedValue(rows)) return Refuse(context, texts::kValueTooLong);
  if (session.EndsBeforeWriting(rows)) return ExitCode::Done;
  return session.Write(scope, {value});
}

// A key's Path as an edit meets it, read within the writers' turn.
struct PathItems {
  const KeyLists& Lists;
  std::vector<std::u16string> Parts;
  std::vector<bool> Naming;  // the parts that name the operand's folder
};

// What an edit makes of the Path: a new value; or none, with the line that
// says why nothing needs doing; or a refusal.
struct PathEdit {
  std::optional<std::u16string> Value;
  std::u16string_view Unchanged;
  std::u16string Refusal;
};

// Runs one edit of the Path of the scope given: the folder checked, the
// turn taken, the keys read, and the edit's value written.
ExitCode EditPath(const Arguments& arguments, Context& context, std::u16string_view doneText,
                  const std::function<PathEdit(const PathItems&)>& edit) {
  const std::u16string& folder = arguments.Operands[0];
  if (!IsSingleFolder(folder)) return Refuse(context, std::u16string(texts::kNotSingleFolder) + folder);
  const KeyScope scope = *arguments.Scope();
  WriteSession session(context, arguments);
  if (const ExitCode begun = session.Begin(); begun != ExitCode::Done) return begun;
  KeyLists lists;
  if (const ExitCode read = ReadKeys(context, lists); read != ExitCode::Done) return read;
  PathItems path{lists, PathParts(lists, scope), {}};
  path.Naming = PartsNaming(lists, path.Parts, folder, context);
  const PathEdit edited = edit(path);
  if (!edited.Refusal.empty()) return Refuse(context, edited.Refusal);
  if (!edited.Value) {
    SayLine(context, edited.Unchanged, folder);
    return ExitCode::Done;
  }
  if (const ExitCode written = WritePath(session, context, lists, scope, *edited.Value); written != ExitCode::Done) {
    return written;
  }
  if (!session.IsDryRun()) SayLine(context, doneText, folder);
  return ExitCode::Done;
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
  return EditPath(arguments, context, texts::kAddedToPath, [&](const PathItems& path) {
    PathEdit edit;
    if (Any(path.Naming)) {
      edit.Unchanged = texts::kAlreadyInPath;
      return edit;
    }
    const PathPlace place = arguments.Place();
    std::vector<bool> anchor;
    if (place == PathPlace::Before || place == PathPlace::After) {
      anchor = PartsNaming(path.Lists, path.Parts, arguments.Anchor, context);
    }
    edit.Value = WithFolderAdded(path.Parts, arguments.Operands[0], place, anchor);
    if (!edit.Value) edit.Refusal = std::u16string(texts::kAnchorMissing) + arguments.Anchor;
    return edit;
  });
}

ExitCode RunPathRemove(const Arguments& arguments, Context& context) {
  return EditPath(arguments, context, texts::kRemovedFromPath, [](const PathItems& path) {
    PathEdit edit;
    if (Any(path.Naming)) {
      edit.Value = WithoutParts(path.Parts, path.Naming);
    } else {
      edit.Unchanged = texts::kNotInPath;
    }
    return edit;
  });
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
    if (scope == KeyScope::User) {
      for (CheckedPathItem& item : plan.Items) item.InUserPath = false;
    }
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
