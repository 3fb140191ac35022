// export, backup, diff and apply: the keys and registration files.
#include <algorithm>
#include <string>

#include "model/main_model.h"
#include "model/sha256.h"
#include "model/text_scan.h"
#include "model/texts.h"
#include "regfile/deployment_file.h"
#include "commands/file_commands.h"
#include "commands/deployment_plan.h"
#include "cli/cli_texts.h"
#include "cli/deployment_texts.h"
#include "cli/keys.h"
#include "cli/value_access.h"
#include "cli/review_output.h"
#include "cli/verbs.h"
#include "cli/write_session.h"

namespace tallowin::cli {
namespace {

ExitCode WriteFile(Context& context, const std::u16string& path, const std::vector<std::uint8_t>& bytes) {
  const PortResult written = context.Ports.Files->ReplaceWholeFile(path, bytes);
  if (!written.Succeeded) return ReportFailure(context, texts::kFileWriteFailed, written.ErrorCode);
  context.Io.Out(std::u16string(texts::kWrittenFile) + path + u"\r\n");
  return ExitCode::Done;
}

std::u16string_view RuleText(regfile::FileRule rule) {
  switch (rule) {
    case regfile::FileRule::None:
      break;
    case regfile::FileRule::NotRegistrationFile:
      return texts::kFileNotRegistration;
    case regfile::FileRule::CutShort:
      return texts::kFileCutShort;
    case regfile::FileRule::TextAfterNul:
      return texts::kFileTextAfterNul;
    case regfile::FileRule::NotUtf8:
      return texts::kFileNotUtf8;
    case regfile::FileRule::UnreadableLine:
      return texts::kFileUnreadableLine;
    case regfile::FileRule::ValueOutsideKey:
      return texts::kFileValueOutsideKey;
    case regfile::FileRule::KeyDeleted:
      return texts::kFileKeyDeleted;
    case regfile::FileRule::NoEnvironmentKey:
      return texts::kFileNoEnvironmentKey;
  }
  return {};
}

// "(FILE の N 行目)", or ": FILE" for a rule of the whole file.
std::u16string WhereInFile(const std::u16string& path, std::size_t line) {
  if (line == 0) return u": " + path;
  return u" (" + path + std::u16string(texts::kAtLineOf) + DecimalText(line) + std::u16string(texts::kLineSuffix);
}

// Hexadecimal digits compare in either case.
bool SameDigest(std::u16string_view actual, std::u16string_view expected) {
  return actual.size() == expected.size() &&
         std::equal(actual.begin(), actual.end(), expected.begin(), [](char16_t a, char16_t e) {
           return a == (e >= u'A' && e <= u'F' ? static_cast<char16_t>(e - u'A' + u'a') : e);
         });
}

// What the file asks for that a deployment does not do, on standard error.
void WarnAbout(Context& context, const regfile::DeploymentFile& file) {
  if (!file.OtherKeys.empty()) {
    std::u16string line(texts::kOtherKeysLeftAlone);
    for (const std::u16string& key : file.OtherKeys) line += (&key == &file.OtherKeys.front() ? u"" : u", ") + key;
    context.Io.Err(line + u"\r\n");
  }
  if (file.AnsiLooksLikeUtf8) context.Io.Err(std::u16string(texts::kAnsiLooksLikeUtf8) + u"\r\n");
}

// The file read as reg.exe reads it and planned against the keys as they
// are now; exit 4 for a file or a change a deployment refuses.
ExitCode PlanOfFile(const Arguments& arguments, Context& context, DeploymentPlan& plan) {
  const std::u16string& path = arguments.Operands[0];
  const FileContents contents = context.Ports.Files->ReadWholeFile(path);
  if (!contents.Result.Succeeded) return ReportFailure(context, texts::kFileReadFailed, contents.Result.ErrorCode);
  // The digest of the very bytes that are read next: a file rewritten after
  // its digest was taken is refused, not applied.
  if (arguments.Has(kExpectSha256) && !SameDigest(Sha256Text(contents.Bytes), arguments.Sha256)) {
    return Refuse(context, std::u16string(texts::kDigestDiffers) + path);
  }
  FileSystemPort& files = *context.Ports.Files;
  const regfile::DeploymentFile file = regfile::ReadDeploymentFile(
      contents.Bytes, [&files](std::string_view text) { return files.DecodeAnsi(text); });
  WarnAbout(context, file);
  if (file.Refusal != regfile::FileRule::None) {
    return Refuse(context, std::u16string(RuleText(file.Refusal)) + WhereInFile(path, file.RefusalLine));
  }
  std::vector<NamedValue> system;
  std::vector<NamedValue> user;
  if (const ExitCode read = ReadValues(context, KeyScope::System, system); read != ExitCode::Done) return read;
  if (const ExitCode read = ReadValues(context, KeyScope::User, user); read != ExitCode::Done) return read;
  plan = PlanDeployment(file, system, user, arguments.Has(kDeleteMissing));
  if (plan.Refusal != WriteRefusal::None) {
    // The rows show what the refused line stands among; a script reads the exit code.
    if (!arguments.Has(kJson)) PrintReviewRows(context.Io, plan.Rows, false);
    return Refuse(context, RefusalMessage(plan.Refusal, plan.RefusedName) + WhereInFile(path, plan.RefusedLine));
  }
  return ExitCode::Done;
}

}  // namespace

ExitCode RunExport(const Arguments& arguments, Context& context) {
  // The lists as a Load leaves them: Export then writes every value as read.
  KeyLists lists;
  if (const ExitCode read = ReadKeys(context, lists); read != ExitCode::Done) return read;
  MainModel model;
  model.SysList = std::move(lists.System);
  model.UserList = std::move(lists.User);
  const std::optional<KeyScope> only = arguments.Scope();
  return WriteFile(context, arguments.Operands[0],
                   only ? RegistrationFileOfList(model, *only) : RegistrationFileOfLists(model));
}

ExitCode RunBackup(const Arguments& arguments, Context& context) {
  const FileContents file = RegistrationFileOfKeys(context.Ports);
  if (!file.Result.Succeeded) return ReportFailure(context, tallowin::texts::kBackupFailed, file.Result.ErrorCode);
  return WriteFile(context, arguments.Operands[0], file.Bytes);
}

ExitCode RunDiff(const Arguments& arguments, Context& context) {
  DeploymentPlan plan;
  if (const ExitCode planned = PlanOfFile(arguments, context, plan); planned != ExitCode::Done) return planned;
  PrintReviewRows(context.Io, plan.Rows, arguments.Has(kJson));
  return plan.Rows.empty() ? ExitCode::Done : ExitCode::No;
}

ExitCode RunApply(const Arguments& arguments, Context& context) {
  WriteSession session(context, arguments);
  if (const ExitCode begun = session.Begin(); begun != ExitCode::Done) return begun;
  DeploymentPlan plan;
  if (const ExitCode planned = PlanOfFile(arguments, context, plan); planned != ExitCode::Done) return planned;
  if (session.EndsBeforeWriting(plan.Rows)) return ExitCode::Done;
  // One write per key, with the key opened once: the values in the order
  // the review lists them.
  std::size_t written = 0;
  std::size_t deleted = 0;
  for (const KeyScope scope : {KeyScope::System, KeyScope::User}) {
    std::vector<NamedValue> values;
    for (const ReviewRow& row : plan.Rows) {
      if (row.Scope == scope && row.ToWrite) values.push_back({row.Name, *row.ToWrite});
    }
    if (const ExitCode done = session.Write(scope, values); done != ExitCode::Done) return done;
    written += values.size();
  }
  for (const ReviewRow& row : plan.Rows) {
    if (!row.DeleteOnSave) continue;
    if (const ExitCode done = session.Delete(row.Scope, row.Name); done != ExitCode::Done) return done;
    ++deleted;
  }
  return session.Finish(std::u16string(texts::kAppliedPrefix) + DecimalText(written) +
                        std::u16string(texts::kDeletedCountPrefix) + DecimalText(deleted));
}

}  // namespace tallowin::cli
