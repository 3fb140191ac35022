#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/file_entry.h"
#include "model/main_model.h"
#include "commands/ports.h"

// "自動バックアップから復元" (File menu): the automatic backups Save wrote,
// newest first, and the restore of one, which imports it as Import does so
// that the lists hold what the keys held then.
namespace tallowin {

struct BackupListing {
  // False when the folder could not be read (reported); a folder that is
  // missing, or no local application data folder, is an empty listing.
  bool Readable = true;
  std::u16string Folder;
  std::vector<FileEntry> Backups;  // newest first
};

// Lists the files of the backup folder, newest last write first (a name
// that is later in the alphabet first among those of the same second).
// Uses ports Environment and Files, and Dialogs, Window and System for the
// report of a folder that cannot be read.
BackupListing ListAutomaticBackups(const CommandPorts& ports);

// A backup's columns in the dialog: "2026/12/07 14:30:05" and "12,345 バイト".
std::u16string BackupTimeText(const LocalTime& time);
std::u16string BackupSizeText(std::uint64_t bytes);

// Imports the backup at the path as Import does (without Import's report).
// Besides, what the keys hold now counts as what was read (a value they
// hold that the backup lacks as one the user took out of the list), so that
// Save writes every value the backup holds otherwise, may be asked to
// delete the others, and the keys come back to what they held. False when nothing
// was restored; a failure has then been reported. Uses ports Registry,
// Files, Dialogs, Window and System.
bool RestoreAutomaticBackup(MainModel& model, const CommandPorts& ports, std::u16string_view path);

}  // namespace tallowin
