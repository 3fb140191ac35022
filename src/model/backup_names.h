#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/file_entry.h"
#include "model/local_time.h"

// The names of the automatic backups that every writing run makes before it
// changes the registry, and which of them the folder keeps. A backup is
// named "env-YYYYMMDD-HHMMSS.reg" by the local time, with "-2", "-3" …
// before ".reg" for later backups of the same second. Only names of exactly
// this form are ever taken for backups, so a file the user put in the folder
// is never removed.
namespace tallowin {

// The folder keeps the newest kBackupsKept backups and, besides them, the
// oldest backup of each of the last kBackupDaysKept days, so that the state
// before a day's first change survives any number of runs that day.
inline constexpr std::size_t kBackupsKept = 30;
inline constexpr int kBackupDaysKept = 30;

// The name of the backup made at the time with this number among the
// backups of its second: the plain name for 1 (and 0), "-number" after it
// from 2 on.
std::u16string BackupFileName(const LocalTime& time, std::uint32_t number = 1);

// The number to try first for a backup made at the time: one past the
// highest of that second's backups in the folder, never a lower one that a
// removal set free, so that within a second a higher number is always a
// later backup.
std::uint32_t FirstBackupNumber(const LocalTime& time, const std::vector<FileEntry>& filesInFolder);

// Whether a file name is one a backup could have been given.
bool IsBackupFileName(std::u16string_view name);

// The backups to remove, oldest first. Backups are ordered by the time
// their names give, then by their last write, then by their number, so that
// of two backups of one second the one written last is the newer. A backup
// named after `now` (the clock was set back since) counts as older than
// every other and belongs to no day, so such backups are the first to go.
// What stays: the one just written (always, and as the newest), the newest
// `keep` with it, and the oldest backup of each day from `days` - 1 days
// before now's date up to that date. Other names are never among them.
std::vector<std::u16string> BackupsToRemove(const std::vector<FileEntry>& filesInFolder,
                                            std::u16string_view justWritten, const LocalTime& now,
                                            std::size_t keep = kBackupsKept, int days = kBackupDaysKept);

}  // namespace tallowin
