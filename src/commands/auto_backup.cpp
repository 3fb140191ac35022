#include "commands/auto_backup.h"

#include <cstdint>
#include <span>
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
// ERROR_FILE_EXISTS: another run took the name first.
constexpr std::uint32_t kErrorFileExists = 80;
// Each try that fails was beaten by another run's backup of the same second;
// this many runs in one second do not happen.
constexpr int kNameTries = 100;

// Writes the backup as a new file, under the first name from `number` on
// that no file takes: a name is taken by creating the file, so no two runs
// ever write the same one. The name taken, or the failure.
PortResult CreateBackupFile(FileSystemPort& files, const std::u16string& folder, const LocalTime& time,
                            std::uint32_t number, std::span<const std::uint8_t> bytes, std::u16string& name) {
  for (int tries = 0; tries < kNameTries; ++tries, ++number) {
    name = BackupFileName(time, number);
    const PortResult created = files.CreateNewFile(folder + u"\\" + name, bytes);
    if (created.Succeeded || created.ErrorCode != kErrorFileExists) return created;
  }
  return PortResult::Failure(kErrorFileExists);
}

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

  // The clock is read after the listing: every backup listed, another
  // run's too, was named before now, so none of them counts as one from
  // the future.
  const LocalTime now = ports.System->LocalNow();
  std::u16string name;
  if (const PortResult created = CreateBackupFile(*ports.Files, *folder, now, FirstBackupNumber(now, present.Files),
                                                  file.Bytes, name);
      !created.Succeeded) {
    return created;
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
