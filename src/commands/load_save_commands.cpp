#include "commands/load_save_commands.h"

#include <algorithm>
#include <utility>

#include "model/collation.h"
#include "model/registry_names.h"
#include "model/texts.h"
#include "commands/auto_backup.h"
#include "commands/dialog_offsets.h"
#include "commands/failure_report.h"
#include "commands/outside_change_commands.h"
#include "commands/review_commands.h"

namespace tallowin {
namespace {

std::vector<std::u16string> NamesOf(const EditList& list) {
  std::vector<std::u16string> names;
  names.reserve(static_cast<std::size_t>(list.Count()));
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.At(i).Name);
  return names;
}

// After a Save the keys hold what was written, besides the values the user
// took out of the list and did not have deleted: from now on those are what
// the list held "at Load", so that a value added and saved can be deleted
// like one that was read.
std::vector<std::u16string> NamesAfterSave(const std::vector<NamedValue>& written,
                                           const std::vector<std::u16string>& before, KeyScope scope,
                                           const std::vector<ScopedName>& deleted) {
  // Names found as the registry finds them, each in constant time: a Save
  // of ten thousand values must not compare every pair.
  std::vector<std::u16string> names;
  RegistryNameIndex listed;
  for (const NamedValue& value : written) {
    listed.Insert(value.Name, names.size());
    names.push_back(value.Name);
  }
  RegistryNameIndex gone;
  for (std::size_t i = 0; i < deleted.size(); ++i) {
    if (deleted[i].Scope == scope) gone.Insert(deleted[i].Name, i);
  }
  for (const std::u16string& name : before) {
    if (gone.Find(name) || listed.Find(name)) continue;
    listed.Insert(name, names.size());
    names.push_back(name);
  }
  return names;
}

}  // namespace

CommandOutcome FileLoadExecute(MainModel& model, const CommandPorts& ports) {
  if (!model.Loading) {
    ports.Dialogs->Beep(SystemSound::Question);
    if (!ports.Dialogs->Confirm(texts::kLoadConfirm, OffsetFromOwner(ports.Window, kDialogX, kDialogY))) return {};
  }

  // Both keys are read into a copy of the model, which takes the model's
  // place only once both were read whole: a key that is missing or fails
  // part-way leaves the lists, the Path list and Edit1 as they were.
  MainModel loaded = model;
  loaded.SysList.Clear();
  loaded.UserList.Clear();
  loaded.PathEntry.reset();
  loaded.SysNamesAtLoad.clear();
  loaded.UserNamesAtLoad.clear();
  loaded.DeleteOnSave.clear();
  loaded.Conflicts.clear();

  if (const PortResult read = ports.Registry->ReadKeyToList(RootKey::LocalMachine, kSystemSubkey, loaded.SysList);
      !read.Succeeded) {
    ReportFailure(ports, texts::kLoadFailed, read.ErrorCode);
    return {};
  }
  loaded.SysNamesAtLoad = NamesOf(loaded.SysList);
  loaded.SysKeyAtLoad = ValuesToWrite(loaded.SysList);  // rows just read write what they were read with
  // Without a Path entry the Path list and Edit1 keep what they held.
  const int pathRow = loaded.SysList.FindIgnoringCase(u"Path");
  if (pathRow >= 0) loaded.LinkPathEntry(pathRow);

  if (const PortResult read = ports.Registry->ReadKeyToList(RootKey::CurrentUser, kUserSubkey, loaded.UserList);
      !read.Succeeded) {
    ReportFailure(ports, texts::kLoadFailed, read.ErrorCode);
    return {};
  }
  loaded.UserNamesAtLoad = NamesOf(loaded.UserList);
  loaded.UserKeyAtLoad = ValuesToWrite(loaded.UserList);

  loaded.RefreshPathView();
  model = std::move(loaded);
  return CommandOutcome::Status(texts::kLoadDone);
}

CommandOutcome FileSaveExecute(MainModel& model, const CommandPorts& ports) {
  ports.Dialogs->Beep(SystemSound::Exclamation);
  if (!ports.Dialogs->Warn(texts::kSaveWarning, OffsetFromOwner(ports.Window, kDialogX, kDialogY))) return {};
  if (!BackupBeforeSave(ports)) return {};
  // Values other programs changed since Load are not written over unasked.
  const std::optional<SaveValues> values = ValuesToSave(model, ports);
  if (!values) return {};
  const std::vector<ScopedName> marked = model.DeleteOnSave;

  // The user key is written only after the whole system key was, and
  // values are deleted only after both were. The user key is opened for
  // writing first, by a write of no values, so that a user key that is
  // missing or cannot be written stops Save before the system key changed.
  PortResult written = ports.Registry->WriteListToKey(RootKey::CurrentUser, kUserSubkey, {});
  if (written.Succeeded) {
    written = ports.Registry->WriteListToKey(RootKey::LocalMachine, kSystemSubkey, values->System);
  }
  if (written.Succeeded) {
    written = ports.Registry->WriteListToKey(RootKey::CurrentUser, kUserSubkey, values->User);
  }
  if (written.Succeeded) written = DeleteMarkedValues(model, ports);
  if (!written.Succeeded) {
    ReportFailure(ports, texts::kSaveFailed, written.ErrorCode);
    return {};
  }
  // Before anything lets the window handle messages again, so that the
  // notice of changes by other programs does not take Save's own for one.
  NoteSaved(model, *values, marked);
  model.SysNamesAtLoad = NamesAfterSave(values->System, model.SysNamesAtLoad, KeyScope::System, marked);
  model.UserNamesAtLoad = NamesAfterSave(values->User, model.UserNamesAtLoad, KeyScope::User, marked);
  ports.Broadcast->AnnounceEnvironmentChange();

  ports.Dialogs->Inform(texts::kSaveDone, OffsetFromOwner(ports.Window, kDialogX, kDialogY));
  if (ports.Dialogs->Confirm(texts::kRestartQuestion, OffsetFromOwner(ports.Window, kRestartX, kDialogY))) {
    ports.Power->ChangePowerState(PS_REBOOT);
  }
  return CommandOutcome::Status(texts::kSaveDone);
}

}  // namespace tallowin
