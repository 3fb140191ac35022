#include "cli/value_access.h"

#include "model/texts.h"
#include "commands/key_values.h"
#include "cli/cli_texts.h"

namespace tallowin::cli {
namespace {

std::u16string_view ReasonText(WriteRefusal refusal) {
  switch (refusal) {
    case WriteRefusal::None:
      break;
    case WriteRefusal::NameEmpty:
      return texts::kNameEmpty;
    case WriteRefusal::NameForbiddenCharacter:
      return tallowin::texts::kForbiddenNameCharacter;
    case WriteRefusal::NameTooLong:
      return texts::kNameTooLong;
    case WriteRefusal::ValueTooLong:
      return texts::kValueTooLong;
    case WriteRefusal::SystemPathKept:
      return texts::kSystemPathKept;
    case WriteRefusal::NotString:
      return texts::kNotStringValue;
    case WriteRefusal::AnchorMissing:
      return texts::kAnchorMissing;
  }
  return {};
}

}  // namespace

std::u16string RefusalMessage(WriteRefusal refusal, std::u16string_view subject) {
  std::u16string message(ReasonText(refusal));
  if (subject.empty()) return message;
  // The reasons that end in ": " name their subject themselves.
  if (!message.ends_with(u": ")) message += u": ";
  return message + std::u16string(subject);
}

ExitCode RefuseWrite(Context& context, WriteRefusal refusal, std::u16string_view subject) {
  return Refuse(context, RefusalMessage(refusal, subject));
}

ExitCode ReadCurrent(Context& context, KeyScope scope, std::u16string_view name,
                     std::optional<RegistryValue>& current) {
  const KeyPlace place = PlaceOf(scope);
  const PortResult read = context.Ports.Registry->ReadValue(place.Root, place.Subkey, name, current);
  if (!read.Succeeded) return ReportFailure(context, tallowin::texts::kLoadFailed, read.ErrorCode);
  return ExitCode::Done;
}

}  // namespace tallowin::cli
