#include "commands/load_save_commands.h"

#include "model/texts.h"
#include "commands/dialog_offsets.h"
#include "commands/failure_report.h"

namespace tallowin {

CommandOutcome FileLoadExecute(MainModel& model, const CommandPorts& ports) {
  if (!model.Loading) {
    ports.Dialogs->Beep(SystemSound::Question);
    if (!ports.Dialogs->Confirm(texts::kLoadConfirm, OffsetFromOwner(ports.Window, kDialogX, kDialogY))) return {};
  }

  model.SysList.Clear();
  model.UserList.Clear();
  model.PathEntry.reset();

  if (const PortResult read = ports.Registry->ReadKeyToList(RootKey::LocalMachine, kSystemSubkey, model.SysList);
      !read.Succeeded) {
    ReportFailure(ports, texts::kLoadFailed, read.ErrorCode);
    return {};
  }
  // Without a Path entry the Path list and Edit1 keep what they held.
  const int pathRow = model.SysList.FindIgnoringCase(u"Path");
  if (pathRow >= 0) model.LinkPathEntry(pathRow);

  if (const PortResult read = ports.Registry->ReadKeyToList(RootKey::CurrentUser, kUserSubkey, model.UserList);
      !read.Succeeded) {
    ReportFailure(ports, texts::kLoadFailed, read.ErrorCode);
    return {};
  }

  model.RefreshPathView();
  return CommandOutcome::Status(texts::kLoadDone);
}

CommandOutcome FileSaveExecute(MainModel& model, const CommandPorts& ports) {
  ports.Dialogs->Beep(SystemSound::Exclamation);
  if (!ports.Dialogs->Warn(texts::kSaveWarning, OffsetFromOwner(ports.Window, kDialogX, kDialogY))) return {};

  // The user key is written only after the whole system key was.
  PortResult written =
      ports.Registry->WriteListToKey(RootKey::LocalMachine, kSystemSubkey, model.ValuesToWrite(model.SysList));
  if (written.Succeeded) {
    written = ports.Registry->WriteListToKey(RootKey::CurrentUser, kUserSubkey, model.ValuesToWrite(model.UserList));
  }
  if (!written.Succeeded) {
    ReportFailure(ports, texts::kSaveFailed, written.ErrorCode);
    return {};
  }
  ports.Broadcast->AnnounceEnvironmentChange();

  ports.Dialogs->Inform(texts::kSaveDone, OffsetFromOwner(ports.Window, kDialogX, kDialogY));
  if (ports.Dialogs->Confirm(texts::kRestartQuestion, OffsetFromOwner(ports.Window, kRestartX, kDialogY))) {
    ports.Power->ChangePowerState(PS_REBOOT);
  }
  return CommandOutcome::Status(texts::kSaveDone);
}

}  // namespace tallowin
