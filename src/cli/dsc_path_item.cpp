// The DSC resource Tallowin.Environment/PathItem: one folder in a key's
// Path, added as `path add` adds it and removed as `path remove` removes it.
#include <string>

#include "model/path_value_edit.h"
#include "commands/program_variable.h"
#include "commands/write_plans.h"
#include "cli/cli_texts.h"
#include "cli/dsc_resource.h"
#include "cli/keys.h"
#include "cli/value_access.h"
#include "cli/verbs.h"
#include "cli/write_session.h"

namespace tallowin::cli {
namespace {

constexpr std::u16string_view kPositions[] = {u"first", u"last"};

constexpr DscProperty kProperties[] = {
    {u"scope", JsonKind::String, true, kDscScopes},
    {u"item", JsonKind::String, true},
    {u"position", JsonKind::String, false, kPositions},
    {u"_exist", JsonKind::Boolean},
    {u"_inDesiredState", JsonKind::Boolean, false, {}, true},
};

// The edit that set makes: the folder added (first or last) when it is to
// exist, else every item that names it removed.
PathPlan PlanPathItem(const DscRequest& request, const std::u16string& folder, const KeyLists& lists,
                      Context& context) {
  PathEditRequest edit;
  edit.Scope = request.Scope;
  edit.Folder = folder;
  edit.Add = request.Exist;
  edit.Place = request.Text(u"position") == u"first" ? PathPlace::First : PathPlace::Last;
  return PlanPathEdit(lists, edit, ProgramVariableLookup(*context.Ports.Environment));
}

JsonObject PathItemState(const DscRequest& request, const std::u16string& folder, bool present) {
  JsonObject state;
  state.Text(u"scope", DscScopeName(request.Scope)).Text(u"item", folder).Raw(u"_exist", JsonBoolean(present));
  return state;
}

std::vector<std::u16string_view> Differing(const PathPlan& plan) {
  if (plan.ToWrite || plan.Refusal != WriteRefusal::None) return {u"_exist"};
  return {};
}

ExitCode SetPathItem(const DscRequest& request, const std::u16string& folder, Context& context) {
  WriteSession session(context, Arguments{});
  if (const ExitCode begun = session.Begin(); begun != ExitCode::Done) return begun;
  KeyLists lists;
  if (const ExitCode read = ReadKeys(context, lists); read != ExitCode::Done) return read;
  const PathPlan plan = PlanPathItem(request, folder, lists, context);
  if (plan.Refusal != WriteRefusal::None) return RefuseWrite(context, plan.Refusal, folder);
  if (!plan.ToWrite) {
    PrintDscResult(context, request, PathItemState(request, folder, plan.Named), {});
    return ExitCode::Done;
  }
  if (const ExitCode written = session.Write(request.Scope, {*plan.ToWrite}); written != ExitCode::Done) return written;
  KeyLists after;
  if (const ExitCode read = ReadKeys(context, after); read != ExitCode::Done) return read;
  const bool present = PlanPathItem(request, folder, after, context).Named;
  PrintDscResult(context, request, PathItemState(request, folder, present), Differing(plan));
  return ExitCode::Done;
}

}  // namespace

ExitCode RunDscPathItem(const Arguments& arguments, Context& context) {
  DscRequest request;
  if (const ExitCode begun = BeginDscRequest(arguments, context, kProperties, request); begun != ExitCode::Done) {
    return begun;
  }
  const std::u16string folder = *request.Text(u"item");
  if (!IsSingleFolder(folder)) return Refuse(context, std::u16string(texts::kNotSingleFolder) + folder);
  if (request.Operation == DscOperation::Set) return SetPathItem(request, folder, context);
  KeyLists lists;
  if (const ExitCode read = ReadKeys(context, lists); read != ExitCode::Done) return read;
  const PathPlan plan = PlanPathItem(request, folder, lists, context);
  PrintDscResult(context, request, PathItemState(request, folder, plan.Named),
                 request.Operation == DscOperation::Test ? Differing(plan) : std::vector<std::u16string_view>{});
  return ExitCode::Done;
}

}  // namespace tallowin::cli
