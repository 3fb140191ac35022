#include "cli/dsc_resource.h"

#include <algorithm>
#include <string>

#include "cli/cli_texts.h"

namespace tallowin::cli {
namespace {

std::optional<DscOperation> OperationNamed(std::u16string_view word) {
  if (word == u"get") return DscOperation::Get;
  if (word == u"set") return DscOperation::Set;
  if (word == u"test") return DscOperation::Test;
  return std::nullopt;
}

// The refusal of the first property that does not fit, if one does not.
std::optional<std::u16string> PropertyProblem(const JsonValue& desired, std::span<const DscProperty> properties) {
  if (desired.Kind != JsonKind::Object) return std::u16string(texts::kDscNotObject);
  for (const auto& [name, value] : desired.Members) {
    const auto known = std::find_if(properties.begin(), properties.end(),
                                    [&](const DscProperty& property) { return property.Name == name; });
    if (known == properties.end()) return std::u16string(texts::kDscUnknownProperty) + name;
    if (known->ReadOnly) continue;
    if (value.Kind != known->Kind) return std::u16string(texts::kDscWrongKind) + name;
    if (!known->Allowed.empty() &&
        std::find(known->Allowed.begin(), known->Allowed.end(), value.Text) == known->Allowed.end()) {
      return std::u16string(texts::kDscNotAllowed) + name + u": " + value.Text;
    }
  }
  for (const DscProperty& property : properties) {
    if (property.Required && desired.Member(property.Name) == nullptr) {
      return std::u16string(texts::kDscMissingProperty) + std::u16string(property.Name);
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::u16string> DscRequest::Text(std::u16string_view name) const {
  const JsonValue* value = Desired.Member(name);
  if (value == nullptr) return std::nullopt;
  return value->Text;
}

std::u16string_view DscScopeName(KeyScope scope) { return scope == KeyScope::System ? u"System" : u"User"; }

ExitCode BeginDscRequest(const Arguments& arguments, Context& context, std::span<const DscProperty> properties,
                         DscRequest& request) {
  context.Io.ErrorsAsJsonLines();
  const std::optional<DscOperation> operation = OperationNamed(arguments.Operands[0]);
  if (!operation) return UsageError(context, std::u16string(texts::kDscUnknownOperation) + arguments.Operands[0]);
  request.Operation = *operation;

  const InputText input = context.Io.ReadAllInput();
  if (!input.Read) return ReportFailure(context, texts::kDscInputUnreadable, input.ErrorCode);
  if (!input.Text) return Refuse(context, texts::kDscInputNotUtf8);
  std::u16string message;
  std::optional<JsonValue> desired = ParseJson(*input.Text, message);
  if (!desired) return Refuse(context, message);
  if (const auto problem = PropertyProblem(*desired, properties)) return Refuse(context, *problem);
  request.Desired = std::move(*desired);
  request.Scope = *request.Text(u"scope") == u"System" ? KeyScope::System : KeyScope::User;
  const JsonValue* exist = request.Desired.Member(u"_exist");
  request.Exist = exist == nullptr || exist->Boolean;
  return ExitCode::Done;
}

void PrintDscResult(Context& context, const DscRequest& request, JsonObject state,
                    const std::vector<std::u16string_view>& differing) {
  if (request.Operation == DscOperation::Test) state.Raw(u"_inDesiredState", JsonBoolean(differing.empty()));
  std::u16string lines = state.Close() + u"\n";
  if (request.Operation != DscOperation::Get) {
    std::vector<std::u16string> names;
    for (const std::u16string_view name : differing) names.push_back(JsonQuoted(name));
    lines += JsonArray(names) + u"\n";
  }
  context.Io.Out(lines);
}

}  // namespace tallowin::cli
