#include "commands/auto_backup.h"

#include <string>
#include <vector>

#include "model/backup_names.h"
#include "model/text_scan.h"
#include "model/texts.h"
#include "commands/dialog_offsets.h"
#include "commands/file_commands.h"
#include "commands/program_variable.h"

namespace tallowin {
namespace {

// ERROR_ENVVAR_NOT_FOUND: what the system reports for a variable it lacks.
constexpr std::uint32_t kErrorVariableNotFound = 203;

}  // namespace

std::optional<std::u16string> AutomaticBackupFolder(EnvironmentPort& environment) {
  std::optional<std::u16string> folder = ProgramVariable(environment, kLocalAppDataVariable);
  if (!folder) return std::nullopt;
  if (folder->back() != u'\\') *folder += u'\\';
  return *folder + std::u16string(kBackupSubfolder);
}

PortResult WriteAutomaticBackup(const CommandPorts& ports) {
  const std::optional<std::u16string> folder = AutomaticBackupFolder(*ports.Environment);
  if (!folder) return PortResult::Failure(kErrorVariableNotFound);
  const FileContents file = RegistrationFileOfKeys(ports);
  if (!file.Result.Succeeded) return file.Result;
  if (const PortResult made = ports.Files->CreateFolderWithParents(*folder); !made.Succeeded) return made;
  FileListing present = ports.Files->ListFiles(*folder);
  if (!present.Result.Succeeded) return present.Result;

  const LocalTime now = ports.System->LocalNow();
  std::vector<std::u16string> names;
  for (const FileEntry& entry : present.Files) names.push_back(entry.Name);
  const std::u16string name = BackupFileName(now, names);
  if (const PortResult written = ports.Files->ReplaceWholeFile(*folder + u"\\" + name, file.Bytes);
      !written.Succeeded) {
    return written;
  }
  present.Files.push_back({name, now, file.Bytes.size()});
  // The new backup is safe whatever happens to the old ones.
  for (const std::u16string& old : BackupsToRemove(present.Files, name, now)) {
    ports.Files->RemoveFile(*folder + u"\\" + old);
  }
  return PortResult::Success();
}

bool BackupBeforeSave(const CommandPorts& ports) {
  const PortResult backup = WriteAutomaticBackup(ports);
  if (backup.Succeeded) return true;
  std::u16string question(texts::kAutoBackupFailed);
  question += u'\n';
  // The system's descriptions end with a line break of their own.
  question += WithoutTrailingLineBreaks(ports.System->DescribeError(backup.ErrorCode));
  question += u'\n';
  question += texts::kContinueWriting;
  ports.Dialogs->Beep(SystemSound::Exclamation);
  return ports.Dialogs->WarnCancelDefault(question, OffsetFromOwner(ports.Window, kDialogX, kDialogY));
}

}  // namespace tallowin
