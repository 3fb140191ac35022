// path list, has, add, remove and check: a key's Path value as its items.
#include <optional>
#include <string>

#include "model/path_value.h"
#include "model/collation.h"
#include "model/path_value_edit.h"
#include "model/type_names.h"
#include "model/text_scan.h"
#include "commands/folder_answers.h"
#include "commands/program_variable.h"
#include "commands/value_write_rules.h"
#include "commands/write_plans.h"
#include "cli/cli_texts.h"
#include "cli/json.h"
#include "cli/keys.h"
#include "cli/review_output.h"
#include "cli/value_access.h"
#include "cli/verbs.h"
#include "cli/write_session.h"

namespace tallowin::cli {
namespace {

// --name's variable: refused as set refuses a name, before any key is read.
std::optional<ExitCode> RefusedListName(const Arguments& arguments, Context& context) {
  const WriteRefusal refusal = RefusalOfName(arguments.Name);
  if (refusal == WriteRefusal::None) return std::nullopt;
  return RefuseWrite(context, refusal, arguments.Name);
}

// The command's message about the list: "Path" in it names the variable
// edited, so that the default's messages stay as they were.
std::u16string AboutList(std::u16string_view text, const Arguments& arguments) {
  std::u16string message(text);
  if (const std::size_t at = message.find(u"Path"); at != std::u16string::npos) message.replace(at, 4, arguments.Name);
  return message;
}

// Runs one edit of the Path of the scope given: the folder checked, the
// turn taken, the keys read, and the plan's value written.
ExitCode EditPath(const Arguments& arguments, Context& context, bool add) {
  PathEditRequest request;
  request.Scope = *arguments.Scope();
  request.Name = arguments.Name;
  request.Folder = arguments.Operands[0];
  request.Add = add;
  request.Place = arguments.Place();
  request.Anchor = arguments.Anchor;
  if (const std::optional<ExitCode> refused = RefusedListName(arguments, context)) return *refused;
  if (!IsSingleFolder(request.Folder)) return Refuse(context, std::u16string(texts::kNotSingleFolder) + request.Folder);
  WriteSession session(context, arguments);
  if (const ExitCode begun = session.Begin(); begun != ExitCode::Done) return begun;
  KeyLists lists;
  if (const ExitCode read = ReadKeys(context, lists); read != ExitCode::Done) return read;
  const PathPlan plan = PlanPathEdit(lists, request, ProgramVariableLookup(*context.Ports.Environment));
  if (plan.Refusal == WriteRefusal::AnchorMissing) {
    return Refuse(context, AboutList(texts::kAnchorMissing, arguments) + request.Anchor);
  }
  if (plan.Refusal != WriteRefusal::None) return RefuseWrite(context, plan.Refusal, request.Folder);
  if (!plan.ToWrite && plan.Rows.empty() && add == plan.Named) {
    return session.Finish(AboutList(add ? texts::kAlreadyInPath : texts::kNotInPath, arguments) + request.Folder);
  }
  if (session.EndsBeforeWriting(plan.Rows)) return ExitCode::Done;
  if (const ExitCode written = session.Write(request.Scope, {*plan.ToWrite}); written != ExitCode::Done) {
    return written;
  }
  return session.Finish(AboutList(add ? texts::kAddedToPath : texts::kRemovedFromPath, arguments) + request.Folder);
}

}  // namespace

ExitCode RunPathList(const Arguments& arguments, Context& context) {
  if (const std::optional<ExitCode> refused = RefusedListName(arguments, context)) return *refused;
  KeyLists lists;
  if (const ExitCode read = ReadKeys(context, lists); read != ExitCode::Done) return read;
  const std::vector<KeyScope> scopes = arguments.ScopesToShow();
  std::vector<std::u16string> json;
  std::u16string text;
  for (const KeyScope scope : scopes) {
    std::vector<std::u16string> quoted;
    for (const std::u16string& item : ListedPathItems(lists, scope, arguments.Name)) {
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
  if (const std::optional<ExitCode> refused = RefusedListName(arguments, context)) return *refused;
  if (!IsSingleFolder(folder)) return Refuse(context, std::u16string(texts::kNotSingleFolder) + folder);
  KeyLists lists;
  if (const ExitCode read = ReadKeys(context, lists); read != ExitCode::Done) return read;
  const bool has =
      PathNamesFolder(lists, *arguments.Scope(), folder, ProgramVariableLookup(*context.Ports.Environment), arguments.Name);
  return has ? ExitCode::Done : ExitCode::No;
}

ExitCode RunPathAdd(const Arguments& arguments, Context& context) { return EditPath(arguments, context, true); }

ExitCode RunPathRemove(const Arguments& arguments, Context& context) { return EditPath(arguments, context, false); }

ExitCode RunPathCheck(const Arguments& arguments, Context& context) {
  if (const std::optional<ExitCode> refused = RefusedListName(arguments, context)) return *refused;
  KeyLists lists;
  if (const ExitCode read = ReadKeys(context, lists); read != ExitCode::Done) return read;
  const VariableLookup lookup = ProgramVariableLookup(*context.Ports.Environment);
  bool anyProblem = false;
  std::vector<std::u16string> json;
  std::u16string text;
  for (const KeyScope scope : arguments.ScopesToShow()) {
    const VariableEntry* entry = FindValue(lists, scope, arguments.Name);
    const std::vector<std::u16string> items =
        ItemsOfReadPath(entry == nullptr ? std::u16string_view() : entry->Data());
    PathCheckPlan plan = PlanPathCheck(items, lists.System, lists.User, lookup,
                                       entry == nullptr ? kTypeNames[kRegExpandSz] : entry->TypeName());
    // The user's own Path is not "also in the user's Path", nor is another list.
    if (scope == KeyScope::User || !EqualsIgnoringCase(arguments.Name, u"Path")) {
      for (CheckedPathItem& item : plan.Items) item.InUserPath = false;
    }
    const std::vector<std::optional<FolderAnswer>> answers = AnswersOfFolders(*context.Ports.FolderChecks, plan.Folders());
    std::vector<std::u16string> rows;
    for (const PathProblemRow& row : FindPathProblems(plan, answers)) {
      anyProblem = true;
      std::vector<std::u16string> problems;
      for (const PathProblem problem : row.Problems) problems.push_back(JsonQuoted(ProblemText(problem)));
      rows.push_back(JsonObject()
                         .Raw(u"index", DecimalText(row.Index))
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
