#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "commands/ports.h"

// The automatic backup that the window's Save and every writing run of the
// command line make before they change the registry: both keys as they hold
// at that moment, in the folder "Tallowin\Backups" under the user's local
// application data, which keeps the newest of them and the oldest of each
// recent day (model/backup_names.h).
namespace tallowin {

// The variable that names the user's local application data folder, and
// the backups' folder under it.
inline constexpr std::u16string_view kLocalAppDataVariable = u"LOCALAPPDATA";
inline constexpr std::u16string_view kBackupSubfolder = u"Tallowin\\Backups";

// The backup folder's path, or nothing when the program's environment does
// not name the local application data folder.
std::optional<std::u16string> AutomaticBackupFolder(EnvironmentPort& environment);

// Writes what the Backup command would write to a new file of the backup
// folder (made when missing), under a name no other run can take at the
// same time, then removes the backups the folder does not keep; a backup
// that cannot be removed stays, and the result is still success. Runs at
// the same time never remove each other's backups. Any step before that
// fails with its error code, and no file is left half written. Uses ports
// Registry, Files, Environment and System.
PortResult WriteAutomaticBackup(const CommandPorts& ports);

// Save's step after its warning, before anything is written: the automatic
// backup, and when it cannot be written, a warning that asks whether to
// write all the same, with Cancel as its default. True when Save goes on.
// Uses port Dialogs and Window besides those of WriteAutomaticBackup.
bool BackupBeforeSave(const CommandPorts& ports);

}  // namespace tallowin
