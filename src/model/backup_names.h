#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/file_entry.h"
#include "model/local_time.h"

// The names of the automatic backups that Save writes before it changes the
// registry: "env-YYYYMMDD-HHMMSS.reg" by the local time, with "-2", "-3" …
// before ".reg" when a backup of that second exists already. Only names of
// exactly this form are ever taken for backups, so a file the user put in
// the folder is never removed.
namespace tallowin {

// How many automatic backups the folder keeps.
inline constexpr std::size_t kBackupsKept = 30;

// The name for a backup made at the time: the plain name, or the first
// suffixed one that no name in the folder takes (names compare ignoring
// case, as the file system does).
std::u16string BackupFileName(const LocalTime& time, const std::vector<std::u16string>& namesInFolder);

// Whether a file name is one a backup could have been given.
bool IsBackupFileName(std::u16string_view name);

// The backups to remove so that the newest `keep` stay, oldest first. A
// backup's time is the one its name gives, unless that lies after `now`
// (the clock was set back since): then its last write's. Backups of the
// same time are told apart by their last write, then by their suffix. The
// backup just written is never removed and counts among the newest. Other
// names are never among them.
std::vector<std::u16string> BackupsToRemove(const std::vector<FileEntry>& filesInFolder,
                                            std::u16string_view justWritten, const LocalTime& now,
                                            std::size_t keep = kBackupsKept);

}  // namespace tallowin
