#include "commands/elevated_save.h"

#include <optional>

#include "model/environment_keys.h"
#include "model/sha256.h"
#include "model/text_scan.h"
#include "model/texts.h"
#include "regfile/reg_file.h"
#include "commands/dialog_offsets.h"
#include "commands/program_variable.h"

namespace tallowin {
namespace {

constexpr std::uint32_t kErrorFileExists = 80;
constexpr int kNamesTried = 100;

HandOffResult Failure(std::u16string reason) { return {true, false, std::move(reason)}; }

// The user's temporary folder, as the system finds it: TMP, else TEMP.
std::optional<std::u16string> TemporaryFolder(EnvironmentPort& environment) {
  std::optional<std::u16string> folder = ProgramVariable(environment, u"TMP");
  if (!folder) folder = ProgramVariable(environment, u"TEMP");
  if (folder && !folder->empty() && folder->back() != u'\\') *folder += u'\\';
  return folder;
}

// Takes a name no other file has, by creating the file under it.
std::optional<std::u16string> WriteNewFile(FileSystemPort& files, const std::u16string& folder,
                                           const std::vector<std::uint8_t>& bytes, PortResult& result) {
  for (int number = 1; number <= kNamesTried; ++number) {
    const std::u16string path = folder + u"Tallowin-machine-" + DecimalText(number) + u".reg";
    result = files.CreateNewFile(path, bytes);
    if (result.Succeeded) return path;
    if (result.ErrorCode != kErrorFileExists) return std::nullopt;
  }
  return std::nullopt;
}

std::u16string ReasonOf(const ElevatedRun& run, const CommandPorts& ports) {
  switch (run.How) {
    case ElevatedRun::End::Ran:
      return std::u16string(texts::kElevatedRunFailed) + DecimalText(run.ExitCode) + u")";
    case ElevatedRun::End::NotFound:
      return std::u16string(texts::kCommandLineNotFound);
    case ElevatedRun::End::Declined:
      return std::u16string(texts::kElevationDeclined);
    case ElevatedRun::End::Failed:
      break;
  }
  return std::u16string(texts::kElevationNotStarted) + ports.System->DescribeError(run.ErrorCode);
}

}  // namespace

std::vector<std::uint8_t> MachineChangesFile(const MachineKeyChanges& changes) {
  std::vector<std::u16string> lines;
  lines.reserve(changes.Values.size() + changes.Deletions.size());
  for (const NamedValue& value : changes.Values) lines.push_back(regfile::MakeValueLine(value.Name, value.Value));
  for (const std::u16string& name : changes.Deletions) lines.push_back(regfile::MakeDeletionLine(name));
  return regfile::EncodeFile(regfile::MakeSectionFileLines(RootKey::LocalMachine, kSystemSubkey, lines));
}

std::u16string ApplyArguments(std::u16string_view file, std::u16string_view sha256) {
  return u"apply \"" + std::u16string(file) + u"\" --expect-sha256 " + std::u16string(sha256) + u" --no-backup";
}

HandOffResult HandMachineKeyOver(const MachineKeyChanges& changes, const CommandPorts& ports) {
  ports.Dialogs->Beep(SystemSound::Exclamation);
  if (!ports.Dialogs->WarnCancelDefault(texts::kWriteAsAdministrator, OffsetFromOwner(ports.Window, kDialogX, kDialogY))) {
    return {};
  }
  const std::optional<std::u16string> folder = TemporaryFolder(*ports.Environment);
  if (!folder) return Failure(std::u16string(texts::kHandOffFileFailed));
  const std::vector<std::uint8_t> bytes = MachineChangesFile(changes);
  PortResult written = PortResult::Success();
  const std::optional<std::u16string> path = WriteNewFile(*ports.Files, *folder, bytes, written);
  if (!path) return Failure(std::u16string(texts::kHandOffFileFailed) + ports.System->DescribeError(written.ErrorCode));
  // The digest travels on the command line the consent dialog was given:
  // a file another program rewrote meanwhile is refused, not applied.
  const ElevatedRun run = ports.Elevation->RunCommandLineElevated(ApplyArguments(*path, Sha256Text(bytes)));
  ports.Files->RemoveFile(*path);
  if (run.How == ElevatedRun::End::Ran && run.ExitCode == 0) return {true, true, {}};
  return Failure(ReasonOf(run, ports));
}

}  // namespace tallowin
