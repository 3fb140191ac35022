// The DSC resource Tallowin.Environment/Variable: one value of one key,
// written as `set` writes it and deleted as `unset` deletes it.
#include <string>

#include "model/collation.h"
#include "model/type_names.h"
#include "model/value_text.h"
#include "commands/value_write_rules.h"
#include "cli/cli_texts.h"
#include "cli/dsc_resource.h"
#include "cli/value_access.h"
#include "cli/verbs.h"
#include "cli/write_session.h"

namespace tallowin::cli {
namespace {

constexpr std::u16string_view kWritableTypes[] = {u"REG_SZ", u"REG_EXPAND_SZ"};

constexpr DscProperty kProperties[] = {
    {u"scope", JsonKind::String, true, kDscScopes},
    {u"name", JsonKind::String, true},
    {u"value", JsonKind::String},
    {u"type", JsonKind::String, false, kWritableTypes},
    {u"_exist", JsonKind::Boolean},
    {u"_inDesiredState", JsonKind::Boolean, false, {}, true},
};

// How the key's value differs from the desired state, and what set does
// about it. Test and set both decide from this one plan, so that a set
// leaves nothing for the next test or set to find.
struct VariablePlan {
  std::vector<std::u16string_view> Differing;
  std::optional<NamedValue> ToWrite;
  bool ToDelete = false;
  std::u16string Refusal;  // why set cannot reach the desired state
};

VariablePlan PlanVariable(const DscRequest& request, const std::u16string& name,
                          const std::optional<RegistryValue>& current) {
  VariablePlan plan;
  const std::optional<std::u16string> value = request.Text(u"value");
  const std::optional<std::u16string> typeName = request.Text(u"type");
  if (!request.Exist) {
    if (!current) return plan;
    plan.Differing.push_back(u"_exist");
    plan.ToDelete = true;
    if (request.Scope == KeyScope::System && EqualsIgnoringCase(name, u"Path")) plan.Refusal = texts::kSystemPathKept;
    return plan;
  }
  if (!current) plan.Differing.push_back(u"_exist");
  if (current && !value && !typeName) return plan;
  std::optional<std::uint32_t> asked;
  if (typeName) asked = static_cast<std::uint32_t>(TypeIndexOf(*typeName));
  // Without a value, a type alone retypes the text the key holds.
  const std::u16string text = value ? *value : current ? DataTextOf(*current) : std::u16string();
  const std::optional<std::uint32_t> type = TypeForSet(asked, current, text);
  if (current) {
    if (value && *value != DataTextOf(*current)) plan.Differing.push_back(u"value");
    if (!type || *type != current->TypeCode) plan.Differing.push_back(u"type");
  }
  if (!type) {
    plan.Refusal = std::u16string(texts::kNotStringValue) + name;
    return plan;
  }
  if (!current && !value) {
    plan.Refusal = std::u16string(texts::kDscValueNeeded) + name;
    return plan;
  }
  const NamedValue toWrite{name, TextToValue(*type, text)};
  const std::vector<ReviewRow> rows = RowsForValue(request.Scope, toWrite, current);
  if (rows.empty()) {
    plan.Differing.clear();
    return plan;
  }
  // The same text and type in other bytes (a value stored without its
  // closing NUL, say) still differs.
  if (plan.Differing.empty()) plan.Differing.push_back(u"value");
  if (RowsHoldRefusedValue(rows)) plan.Refusal = texts::kValueTooLong;
  plan.ToWrite = toWrite;
  return plan;
}

JsonObject VariableState(const DscRequest& request, const std::u16string& name,
                         const std::optional<RegistryValue>& current) {
  JsonObject state;
  state.Text(u"scope", DscScopeName(request.Scope))
      .Text(u"name", name)
      .Raw(u"_exist", JsonBoolean(current.has_value()));
  if (!current) return state;
  if (const std::u16string_view type = TypeNameOf(current->TypeCode); !type.empty()) state.Text(u"type", type);
  state.Text(u"value", DataTextOf(*current));
  return state;
}

ExitCode SetVariable(const DscRequest& request, const std::u16string& name, Context& context) {
  WriteSession session(context, Arguments{});
  if (const ExitCode begun = session.Begin(); begun != ExitCode::Done) return begun;
  std::optional<RegistryValue> current;
  if (const ExitCode read = ReadCurrent(context, request.Scope, name, current); read != ExitCode::Done) return read;
  const VariablePlan plan = PlanVariable(request, name, current);
  if (!plan.Refusal.empty() && !plan.Differing.empty()) return Refuse(context, plan.Refusal);
  if (plan.ToDelete) {
    if (const ExitCode deleted = session.Delete(request.Scope, name); deleted != ExitCode::Done) return deleted;
  } else if (plan.ToWrite) {
    if (const ExitCode written = session.Write(request.Scope, {*plan.ToWrite}); written != ExitCode::Done) {
      return written;
    }
  }
  if (!plan.Differing.empty()) {
    if (const ExitCode read = ReadCurrent(context, request.Scope, name, current); read != ExitCode::Done) return read;
  }
  PrintDscResult(context, request, VariableState(request, name, current), plan.Differing);
  return ExitCode::Done;
}

}  // namespace

ExitCode RunDscVariable(const Arguments& arguments, Context& context) {
  DscRequest request;
  if (const ExitCode begun = BeginDscRequest(arguments, context, kProperties, request); begun != ExitCode::Done) {
    return begun;
  }
  const std::u16string name = *request.Text(u"name");
  if (const auto problem = NameProblem(name)) return Refuse(context, *problem);
  // A NUL would end the text every reader of the variable sees.
  if (request.Text(u"value").value_or(u"").find(u'\0') != std::u16string::npos) {
    return Refuse(context, std::u16string(texts::kDscValueHoldsNul) + name);
  }
  if (request.Operation == DscOperation::Set) return SetVariable(request, name, context);
  std::optional<RegistryValue> current;
  if (const ExitCode read = ReadCurrent(context, request.Scope, name, current); read != ExitCode::Done) return read;
  PrintDscResult(context, request, VariableState(request, name, current),
                 request.Operation == DscOperation::Test ? PlanVariable(request, name, current).Differing
                                                         : std::vector<std::u16string_view>{});
  return ExitCode::Done;
}

}  // namespace tallowin::cli
