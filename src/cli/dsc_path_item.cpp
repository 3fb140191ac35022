// The DSC resource Tallowin.Environment/PathItem: one folder in a key's
// Path, added as `path add` adds it and removed as `path remove` removes it.
#include <algorithm>
#include <string>

#include "model/path_value_edit.h"
#include "commands/value_write_rules.h"
#include "cli/cli_texts.h"
#include "cli/dsc_resource.h"
#include "cli/keys.h"
#include "cli/path_key.h"
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

// Whether some item names the folder, and the Path that set would write:
// none when the Path is as desired.
struct PathItemPlan {
  bool Present = false;
  std::optional<std::u16string> NewValue;
};

PathItemPlan PlanPathItem(const DscRequest& request, const std::u16string& folder, const KeyLists& lists,
                          Context& context) {
  const std::vector<std::u16string> parts = PathParts(lists, request.Scope);
  const std::vector<bool> naming =
      PartsNamingFolder(parts, folder, lists.System, lists.User, ProgramLookup(*context.Ports.Environment));
  PathItemPlan plan;
  plan.Present = std::find(naming.begin(), naming.end(), true) != naming.end();
  if (plan.Present && !request.Exist) plan.NewValue = WithoutParts(parts, naming);
  if (!plan.Present && request.Exist) {
    const PathPlace place = request.Text(u"position") == u"first" ? PathPlace::First : PathPlace::Last;
    plan.NewValue = WithFolderAdded(parts, folder, place, {});
  }
  return plan;
}

JsonObject PathItemState(const DscRequest& request, const std::u16string& folder, bool present) {
  JsonObject state;
  state.Text(u"scope", DscScopeName(request.Scope)).Text(u"item", folder).Raw(u"_exist", JsonBoolean(present));
  return state;
}

std::vector<std::u16string_view> Differing(const PathItemPlan& plan) {
  if (plan.NewValue) return {u"_exist"};
  return {};
}

ExitCode SetPathItem(const DscRequest& request, const std::u16string& folder, Context& context) {
  WriteSession session(context, Arguments{});
  if (const ExitCode begun = session.Begin(); begun != ExitCode::Done) return begun;
  KeyLists lists;
  if (const ExitCode read = ReadKeys(context, lists); read != ExitCode::Done) return read;
  const PathItemPlan plan = PlanPathItem(request, folder, lists, context);
  if (plan.NewValue) {
    std::optional<RegistryValue> current;
    const NamedValue value = PathValueFor(lists, request.Scope, *plan.NewValue, current);
    if (RowsHoldRefusedValue(RowsForValue(request.Scope, value, current))) return Refuse(context, texts::kValueTooLong);
    if (const ExitCode written = session.Write(request.Scope, {value}); written != ExitCode::Done) return written;
    KeyLists after;
    if (const ExitCode read = ReadKeys(context, after); read != ExitCode::Done) return read;
    const bool present = PlanPathItem(request, folder, after, context).Present;
    PrintDscResult(context, request, PathItemState(request, folder, present), Differing(plan));
    return ExitCode::Done;
  }
  PrintDscResult(context, request, PathItemState(request, folder, plan.Present), {});
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
  const PathItemPlan plan = PlanPathItem(request, folder, lists, context);
  PrintDscResult(context, request, PathItemState(request, folder, plan.Present),
                 request.Operation == DscOperation::Test ? Differing(plan) : std::vector<std::u16string_view>{});
  return ExitCode::Done;
}

}  // namespace tallowin::cli
