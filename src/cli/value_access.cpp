#include "cli/value_access.h"

#include "model/texts.h"
#include "commands/value_write_rules.h"
#include "registry/registry_io.h"
#include "cli/cli_texts.h"
#include "cli/keys.h"

namespace tallowin::cli {

std::optional<std::u16string_view> NameProblem(std::u16string_view name) {
  switch (RefusalOfName(name)) {
    case NameRefusal::None:
      return std::nullopt;
    case NameRefusal::Empty:
      return texts::kNameEmpty;
    case NameRefusal::ForbiddenCharacter:
      return tallowin::texts::kForbiddenNameCharacter;
    case NameRefusal::TooLong:
      break;
  }
  return texts::kNameTooLong;
}

ExitCode ReadCurrent(Context& context, KeyScope scope, std::u16string_view name,
                     std::optional<RegistryValue>& current) {
  RegistryValue value;
  const LSTATUS read = registry::ReadValue(RootOf(scope), SubkeyOf(scope), name, value);
  if (read == ERROR_FILE_NOT_FOUND) {
    current.reset();
    return ExitCode::Done;
  }
  if (read != ERROR_SUCCESS) return ReportFailure(context, tallowin::texts::kLoadFailed, static_cast<std::uint32_t>(read));
  current = std::move(value);
  return ExitCode::Done;
}

}  // namespace tallowin::cli
