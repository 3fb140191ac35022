// list, get, set and unset: the values of the keys one at a time.
#include <string>

#include "model/collation.h"
#include "model/texts.h"
#include "model/type_names.h"
#include "model/value_text.h"
#include "commands/value_write_rules.h"
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
  const VariableLookup lookup = ProgramLookup(*context.Ports.Environment);
  const std::vector<KeyScope> scopes = arguments.ScopesToShow();
  std::vector<std::u16string> json;
  std::u16string text;
  for (const KeyScope scope : scopes) {
    const int row = lists.Of(scope).FindIgnoringCase(name);
    if (row < 0) continue;
    const VariableEntry& entry = lists.Of(scope).At(row);
    const std::u16string data = arguments.Has(kExpand)
                                    ? ExpandAsNewProcess(entry.Data(), lists.System, lists.User, lookup)
                                    : std::u16string(entry.Data());
    json.push_back(ValueJson(scope, entry, data));
    // With both keys shown, each line says whose value it is.
    if (scopes.size() > 1) text += std::u16string(ScopeText(scope)) + u'\t';
    text += data + u"\r\n";
  }
  if (json.empty()) {
    context.Io.Err(std::u16string(texts::kNoSuchValue) + name + u"\r\n");
    return ExitCode::No;
  }
  context.Io.Out(arguments.Has(kJson) ? JsonArray(json) + u"\r\n" : text);
  return ExitCode::Done;
}

ExitCode RunSet(const Arguments& arguments, Context& context) {
  const std::u16string& name = arguments.Operands[0];
  const std::u16string& text = arguments.Operands[1];
  const KeyScope scope = *arguments.Scope();
  std::optional<std::uint32_t> asked;
  if (arguments.Has(kType)) {
    const int index = TypeIndexOf(arguments.TypeName);
    if (index != kRegSz && index != kRegExpandSz) {
      return UsageError(context, std::u16string(texts::kUsageBadType) + arguments.TypeName);
    }
    asked = static_cast<std::uint32_t>(index);
  }
  if (const auto problem = NameProblem(name)) return Refuse(context, *problem);

  WriteSession session(context, arguments);
  if (const ExitCode begun = session.Begin(); begun != ExitCode::Done) return begun;
  std::optional<RegistryValue> current;
  if (const ExitCode read = ReadCurrent(context, scope, name, current); read != ExitCode::Done) return read;
  const std::optional<std::uint32_t> type = TypeForSet(asked, current, text);
  if (!type) return Refuse(context, std::u16string(texts::kNotStringValue) + name);
  const NamedValue value{name, TextToValue(*type, text)};
  const std::vector<ReviewRow> rows = RowsForValue(scope, value, current);
  if (RowsHoldRefusedValue(rows)) return Refuse(context, texts::kValueTooLong);
  if (session.EndsBeforeWriting(rows)) return ExitCode::Done;
  if (const ExitCode written = session.Write(scope, {value}); written != ExitCode::Done) return written;
  context.Io.Out(std::u16string(texts::kWrittenAs) + std::u16string(TypeNameOf(*type)) + u": " + name + u"\r\n");
  return ExitCode::Done;
}

ExitCode RunUnset(const Arguments& arguments, Context& context) {
  const std::u16string& name = arguments.Operands[0];
  const KeyScope scope = *arguments.Scope();
  if (name.empty()) return Refuse(context, texts::kNameEmpty);
  if (scope == KeyScope::System && EqualsIgnoringCase(name, u"Path")) return Refuse(context, texts::kSystemPathKept);

  WriteSession session(context, arguments);
  if (const ExitCode begun = session.Begin(); begun != ExitCode::Done) return begun;
  std::optional<RegistryValue> current;
  if (const ExitCode read = ReadCurrent(context, scope, name, current); read != ExitCode::Done) return read;
  if (!current) {
    context.Io.Out(std::u16string(texts::kNothingToDo) + u"\r\n");
    return ExitCode::Done;
  }
  if (session.IsDryRun()) {
    ReviewRow row;
    row.Scope = scope;
    row.Name = name;
    row.Kind = ReviewKind::Remains;
    row.Current = current;
    row.Deletable = row.DeleteOnSave = true;
    PrintReviewRows(context.Io, {row}, false);
    return ExitCode::Done;
  }
  if (const ExitCode deleted = session.Delete(scope, name); deleted != ExitCode::Done) return deleted;
  context.Io.Out(std::u16string(texts::kDeleted) + name + u"\r\n");
  return ExitCode::Done;
}

}  // namespace tallowin::cli
