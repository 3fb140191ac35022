// export, backup, diff and apply: the keys and registration files.
#include <string>

#include "model/main_model.h"
#include "model/text_scan.h"
#include "model/texts.h"
#include "regfile/reg_file.h"
#include "commands/file_commands.h"
#include "commands/value_write_rules.h"
#include "cli/cli_texts.h"
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

// The file's sections; exit 4 for a file that is not a registration file.
ExitCode ReadRegistrationFile(Context& context, const std::u16string& path, regfile::ParsedFile& parsed) {
  const FileContents contents = context.Ports.Files->ReadWholeFile(path);
  if (!contents.Result.Succeeded) return ReportFailure(context, texts::kFileReadFailed, contents.Result.ErrorCode);
  FileSystemPort& files = *context.Ports.Files;
  parsed = regfile::ParseFile(contents.Bytes.data(), contents.Bytes.size(),
                              [&files](std::string_view text) { return files.DecodeAnsi(text); });
  if (!parsed.IsRegistrationFile) return Refuse(context, std::u16string(texts::kNotRegistrationFile) + path);
  return ExitCode::Done;
}

// What applying the file changes in the keys as they are now.
ExitCode RowsOfFile(const Arguments& arguments, Context& context, std::vector<ReviewRow>& rows) {
  regfile::ParsedFile parsed;
  if (const ExitCode read = ReadRegistrationFile(context, arguments.Operands[0], parsed); read != ExitCode::Done) {
    return read;
  }
  std::vector<NamedValue> system;
  std::vector<NamedValue> user;
  if (const ExitCode read = ReadValues(context, KeyScope::System, system); read != ExitCode::Done) return read;
  if (const ExitCode read = ReadValues(context, KeyScope::User, user); read != ExitCode::Done) return read;
  rows = RowsForFile(parsed, system, user, arguments.Has(kDeleteMissing));
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
  return WriteFile(context, arguments.Operands[0], RegistrationFileOfLists(model));
}

ExitCode RunBackup(const Arguments& arguments, Context& context) {
  const FileContents file = RegistrationFileOfKeys(context.Ports);
  if (!file.Result.Succeeded) return ReportFailure(context, tallowin::texts::kBackupFailed, file.Result.ErrorCode);
  return WriteFile(context, arguments.Operands[0], file.Bytes);
}

ExitCode RunDiff(const Arguments& arguments, Context& context) {
  std::vector<ReviewRow> rows;
  if (const ExitCode read = RowsOfFile(arguments, context, rows); read != ExitCode::Done) return read;
  // Rows that only say a value remains change nothing.
  std::erase_if(rows, [](const ReviewRow& row) { return row.Kind == ReviewKind::Remains && !row.DeleteOnSave; });
  PrintReviewRows(context.Io, rows, arguments.Has(kJson));
  return rows.empty() ? ExitCode::Done : ExitCode::No;
}

ExitCode RunApply(const Arguments& arguments, Context& context) {
  WriteSession session(context, arguments);
  if (const ExitCode begun = session.Begin(); begun != ExitCode::Done) return begun;
  std::vector<ReviewRow> rows;
  if (const ExitCode read = RowsOfFile(arguments, context, rows); read != ExitCode::Done) return read;
  std::erase_if(rows, [](const ReviewRow& row) { return row.Kind == ReviewKind::Remains && !row.DeleteOnSave; });
  if (const std::optional<RefusedRow> refused = FirstRefusedRow(rows)) {
    PrintReviewRows(context.Io, rows, false);
    return RefuseWrite(context, refused->Reason, refused->Row->Name);
  }
  if (session.EndsBeforeWriting(rows)) return ExitCode::Done;
  // One write per key, with the key opened once: the values in the order
  // the review lists them.
  std::size_t written = 0;
  std::size_t deleted = 0;
  for (const KeyScope scope : {KeyScope::System, KeyScope::User}) {
    std::vector<NamedValue> values;
    for (const ReviewRow& row : rows) {
      if (row.Scope == scope && row.ToWrite) values.push_back({row.Name, *row.ToWrite});
    }
    if (const ExitCode done = session.Write(scope, values); done != ExitCode::Done) return done;
    written += values.size();
  }
  for (const ReviewRow& row : rows) {
    if (!row.DeleteOnSave) continue;
    if (const ExitCode done = session.Delete(row.Scope, row.Name); done != ExitCode::Done) return done;
    ++deleted;
  }
  context.Io.Out(std::u16string(texts::kAppliedPrefix) + DecimalText(written) +
                 std::u16string(texts::kDeletedCountPrefix) + DecimalText(deleted) + u"\r\n");
  return ExitCode::Done;
}

}  // namespace tallowin::cli
