// list, get, set and unset: the values of the keys one at a time.
#include <string>

#include "model/texts.h"
#include "model/type_names.h"
#include "model/value_text.h"
#include "commands/program_variable.h"
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

std::u16string ValueJson(KeyScope scope, const VariableEntry& entry, std::u16string_view data) {
  return JsonObject()
      .Text(u"scope", ScopeWord(scope))
      .Text(u"name", entry.Name)
      .Text(u"type", entry.TypeName())
      .Text(u"data", data)
      .Close();
}

}  // namespace

ExitCode RunList(const Arguments& arguments, Context& context) {
  KeyLists lists;
  if (const ExitCode read = ReadKeys(context, lists); read != ExitCode::Done) return read;
  std::vector<std::u16string> json;
  std::u16string text;
  for (const KeyScope scope : arguments.ScopesToShow()) {
    const EditList& list = lists.Of(scope);
    for (int i = 0; i < list.Count(); ++i) {
      const VariableEntry& entry = list.At(i);
      if (arguments.Has(kJson)) {
        json.push_back(ValueJson(scope, entry, entry.Data()));
        continue;
      }
      text += ScopeText(scope);
      for (const std::u16string_view column : {std::u16string_view(entry.Name), entry.TypeName(), entry.Data()}) {
        text += u'\t';
        text += column;
      }
      text += u"\r\n";
    }
  }
  context.Io.Out(arguments.Has(kJson) ? JsonArray(json) + u"\r\n" : text);
  return ExitCode::Done;
}

ExitCode RunGet(const Arguments& arguments, Context& context) {
  const std::u16string& name = arguments.Operands[0];
  KeyLists lists;
  if (const ExitCode read = ReadKeys(context, lists); read != ExitCode::Done) return read;
  const VariableLookup lookup = ProgramVariableLookup(*context.Ports.Environment);
  const std::vector<KeyScope> scopes = arguments.ScopesToShow();
  std::vector<std::u16string> json;
  std::u16string text;
  for (const KeyScope scope : scopes) {
    const VariableEntry* found = FindValue(lists, scope, name);
    if (found == nullptr) continue;
    const VariableEntry& entry = *found;
    const std::u16string data = arguments.Has(kExpand)
                                    ? ExpandValue(entry, lists.System, lists.User, lookup).Text
                                    : std::u16string(entry.Data());
    json.push_back(ValueJson(scope, entry, data));
    // With both keys shown, each line says whose value it is.
    if (scopes.size() > 1) text += std::u16string(ScopeText(scope)) + u'\t';
    text += data + u"\r\n";
  }
  if (json.empty()) {
    context.Io.Err(std::u16string(texts::kNoSuchValue) + name + u"\r\n");
    // A script that asked for JSON reads the answer, not the message.
    if (arguments.Has(kJson)) context.Io.Out(u"null\r\n");
    return ExitCode::No;
  }
  context.Io.Out(arguments.Has(kJson) ? JsonArray(json) + u"\r\n" : text);
  return ExitCode::Done;
}

ExitCode RunSet(const Arguments& arguments, Context& context) {
  const std::u16string& name = arguments.Operands[0];
  const KeyScope scope = *arguments.Scope();
  std::optional<std::uint32_t> asked;
  if (arguments.Has(kType)) {
    const int index = TypeIndexOf(arguments.TypeName);
    if (index != kRegSz && index != kRegExpandSz) {
      return UsageError(context, std::u16string(texts::kUsageBadType) + arguments.TypeName);
    }
    asked = static_cast<std::uint32_t>(index);
  }
  if (const WriteRefusal refusal = RefusalOfName(name); refusal != WriteRefusal::None) {
    return RefuseWrite(context, refusal, name);
  }
  WriteSession session(context, arguments);
  if (const ExitCode begun = session.Begin(); begun != ExitCode::Done) return begun;
  std::optional<RegistryValue> current;
  if (const ExitCode read = ReadCurrent(context, scope, name, current); read != ExitCode::Done) return read;
  const WritePlan plan = PlanSet(scope, name, arguments.Operands[1], asked, current);
  if (plan.Refusal != WriteRefusal::None) return RefuseWrite(context, plan.Refusal, name);
  if (session.EndsBeforeWriting(plan.Rows)) return ExitCode::Done;
  if (const ExitCode written = session.Write(scope, {*plan.ToWrite}); written != ExitCode::Done) return written;
  return session.Finish(std::u16string(texts::kWrittenAs) +
                        std::u16string(TypeNameOf(plan.ToWrite->Value.TypeCode)) + u": " + name);
}

ExitCode RunUnset(const Arguments& arguments, Context& context) {
  const std::u16string& name = arguments.Operands[0];
  const KeyScope scope = *arguments.Scope();
  if (name.empty()) return RefuseWrite(context, WriteRefusal::NameEmpty, {});
  WriteSession session(context, arguments);
  if (const ExitCode begun = session.Begin(); begun != ExitCode::Done) return begun;
  std::optional<RegistryValue> current;
  if (const ExitCode read = ReadCurrent(context, scope, name, current); read != ExitCode::Done) return read;
  const WritePlan plan = PlanUnset(scope, name, current);
  if (plan.Refusal != WriteRefusal::None) return RefuseWrite(context, plan.Refusal, name);
  if (session.EndsBeforeWriting(plan.Rows)) return ExitCode::Done;
  if (const ExitCode deleted = session.Delete(scope, name); deleted != ExitCode::Done) return deleted;
  return session.Finish(std::u16string(texts::kDeleted) + name);
}

}  // namespace tallowin::cli
