#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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

// The backups to remove so that the newest `keep` stay: every backup name
// but the newest `keep` by time and suffix, oldest first. Other names are
// never among them.
std::vector<std::u16string> BackupsToRemove(const std::vector<std::u16string>& namesInFolder,
                                            std::size_t keep = kBackupsKept);

}  // namespace tallowin
