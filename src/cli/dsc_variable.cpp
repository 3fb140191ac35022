// The DSC resource Tallowin.Environment/Variable: one value of one key,
// written as `set` writes it and deleted as `unset` deletes it.
#include <string>

#include "model/type_names.h"
#include "model/value_text.h"
#include "commands/write_plans.h"
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
  WritePlan Write;
  std::u16string Refusal;  // why set cannot reach the desired state
};

// The properties the key's value differs in, for a value that exists.
std::vector<std::u16string_view> DifferingProperties(const std::optional<std::u16string>& value,
                                                     const WritePlan& write, const RegistryValue& current) {
  std::vector<std::u16string_view> differing;
  if (write.Rows.empty() && write.Refusal == WriteRefusal::None) return differing;
  const std::u16string text = DataTextOf(current);
  if (value && *value != text) differing.push_back(u"value");
  if (!write.ToWrite || write.ToWrite->Value.TypeCode != current.TypeCode) differing.push_back(u"type");
  // The same text and type in other bytes (a value stored without its
  // closing NUL, say) still differs.
  if (differing.empty()) differing.push_back(u"value");
  return differing;
}

VariablePlan PlanVariable(const DscRequest& request, const std::u16string& name,
                          const std::optional<RegistryValue>& current) {
  VariablePlan plan;
  if (!request.Exist) {
    plan.Write = PlanUnset(request.Scope, name, current);
    if (current) plan.Differing.push_back(u"_exist");
  } else {
    const std::optional<std::u16string> value = request.Text(u"value");
    const std::optional<std::u16string> typeName = request.Text(u"type");
    if (current && !value && !typeName) return plan;
    if (!current && !value) {
      plan.Differing.push_back(u"_exist");
      plan.Refusal = std::u16string(texts::kDscValueNeeded) + name;
      return plan;
    }
    std::optional<std::uint32_t> asked;
    if (typeName) asked = static_cast<std::uint32_t>(TypeIndexOf(*typeName));
    // Without a value, a type alone retypes the text the key holds.
    plan.Write = PlanSet(request.Scope, name, value ? *value : DataTextOf(*current), asked, current);
    plan.Differing = current ? DifferingProperties(value, plan.Write, *current)
                             : std::vector<std::u16string_view>{u"_exist"};
  }
  if (plan.Write.Refusal != WriteRefusal::None) plan.Refusal = RefusalMessage(plan.Write.Refusal, name);
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
  if (plan.Write.ToDelete) {
    if (const ExitCode deleted = session.Delete(request.Scope, name); deleted != ExitCode::Done) return deleted;
  } else if (plan.Write.ToWrite) {
    if (const ExitCode written = session.Write(request.Scope, {*plan.Write.ToWrite}); written != ExitCode::Done) {
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
  if (const WriteRefusal refusal = RefusalOfName(name); refusal != WriteRefusal::None) {
    return RefuseWrite(context, refusal, name);
  }
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
