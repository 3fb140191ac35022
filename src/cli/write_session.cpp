#include "cli/write_session.h"

#include "model/texts.h"
#include "commands/auto_backup.h"
#include "cli/cli_texts.h"
#include "cli/json.h"
#include "cli/keys.h"
#include "cli/review_output.h"

namespace tallowin::cli {

WriteSession::WriteSession(Context& context, const Arguments& arguments)
    : context_(context),
      dryRun_(arguments.Has(kDryRun)),
      backUp_(!arguments.Has(kNoBackup)),
      broadcast_(!arguments.Has(kNoBroadcast)),
      json_(arguments.Has(kJson)) {}

WriteSession::~WriteSession() {
  // Other writers need not wait while running programs answer.
  if (turnHeld_) context_.Ports.WriteTurn->Release();
  if (wrote_ && broadcast_) context_.Ports.Broadcast->AnnounceEnvironmentChange();
}

ExitCode WriteSession::Begin() {
  if (dryRun_ || turnHeld_) return ExitCode::Done;
  const PortResult taken = context_.Ports.WriteTurn->Take();
  if (!taken.Succeeded) return ReportFailure(context_, tallowin::texts::kSaveFailed, taken.ErrorCode);
  turnHeld_ = true;
  return ExitCode::Done;
}

bool WriteSession::EndsBeforeWriting(const std::vector<ReviewRow>& rows) {
  // Only the JSON document shows them again; a run of thousands of rows
  // need not copy them otherwise.
  if (json_) rows_ = rows;
  if (rows.empty()) {
    Finish(texts::kNothingToDo);
    return true;
  }
  if (!dryRun_) return false;
  if (json_) {
    PrintDocument();
  } else {
    PrintReviewRows(context_.Io, rows, false);
  }
  return true;
}

ExitCode WriteSession::Finish(std::u16string_view line) {
  if (json_) {
    PrintDocument();
  } else {
    context_.Io.Out(std::u16string(line) + u"\r\n");
  }
  return ExitCode::Done;
}

void WriteSession::PrintDocument() {
  context_.Io.Out(JsonObject()
                      .Raw(u"changed", wrote_ ? u"true" : u"false")
                      .Raw(u"dryRun", dryRun_ ? u"true" : u"false")
                      .Raw(u"values", ReviewRowsJson(rows_))
                      .Close() +
                  u"\r\n");
}

ExitCode WriteSession::BackUpOnce() {
  if (!backUp_ || backedUp_) return ExitCode::Done;
  const PortResult backup = WriteAutomaticBackup(context_.Ports);
  if (!backup.Succeeded) {
    std::u16string firstLine(tallowin::texts::kAutoBackupFailed);
    return ReportFailure(context_, firstLine + u'\n', backup.ErrorCode);
  }
  backedUp_ = true;
  return ExitCode::Done;
}

ExitCode WriteSession::Write(KeyScope scope, const std::vector<NamedValue>& values) {
  if (dryRun_ || values.empty()) return ExitCode::Done;
  if (const ExitCode backup = BackUpOnce(); backup != ExitCode::Done) return backup;
  const KeyPlace place = PlaceOf(scope);
  const PortResult written = context_.Ports.Registry->WriteListToKey(place.Root, place.Subkey, values);
  // A value is set in one call: each is whole, old or new, even when a later
  // one failed; the ones set were written and are announced.
  wrote_ = true;
  if (!written.Succeeded) return ReportWriteFailure(context_, tallowin::texts::kSaveFailed, written.ErrorCode);
  return ExitCode::Done;
}

ExitCode WriteSession::Delete(KeyScope scope, std::u16string_view name) {
  if (dryRun_) return ExitCode::Done;
  if (const ExitCode backup = BackUpOnce(); backup != ExitCode::Done) return backup;
  const KeyPlace place = PlaceOf(scope);
  const PortResult deleted = context_.Ports.Registry->DeleteValue(place.Root, place.Subkey, name);
  wrote_ = true;
  if (!deleted.Succeeded) return ReportWriteFailure(context_, tallowin::texts::kSaveFailed, deleted.ErrorCode);
  return ExitCode::Done;
}

}  // namespace tallowin::cli
