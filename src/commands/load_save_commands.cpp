#include "commands/load_save_commands.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "model/collation.h"
#include "model/registry_names.h"
#include "model/texts.h"
#include "commands/auto_backup.h"
#include "commands/dialog_offsets.h"
#include "commands/elevated_save.h"
#include "commands/failure_report.h"
#include "commands/key_values.h"
#include "commands/outside_change_commands.h"
#include "commands/review_commands.h"

namespace tallowin {
namespace {

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

// Reads both keys into the lists of a model whose lists are empty, and
// notes what each key held; links the Path entry. Without a Path entry the
// Path list and Edit1 keep what they held.
PortResult ReadBothKeys(MainModel& loaded, RegistryPort& registry) {
  KeyLists lists;
  if (const PortResult read = ReadKeyLists(registry, lists); !read.Succeeded) return read;
  loaded.SysList = std::move(lists.System);
  loaded.UserList = std::move(lists.User);
  for (const KeyScope scope : {KeyScope::System, KeyScope::User}) {
    const bool system = scope == KeyScope::System;
    const EditList& list = system ? loaded.SysList : loaded.UserList;
    (system ? loaded.SysNamesAtLoad : loaded.UserNamesAtLoad) = NamesOf(list);
    // Rows just read write what they were read with.
    (system ? loaded.SysKeyAtLoad : loaded.UserKeyAtLoad) = ValuesToWrite(list);
  }
  const int pathRow = loaded.SysList.FindIgnoringCase(u"Path");
  if (pathRow >= 0) loaded.LinkPathEntry(pathRow);
  return PortResult::Success();
}

// The values whose type or bytes differ from what the key holds: those
// alone are written, so that a key with nothing to change (for a standard
// user, the machine key) is never opened for writing. The registry ends as
// if every value were written.
PortResult ValuesThatDiffer(KeyScope scope, const std::vector<NamedValue>& toWrite,
                            const std::optional<std::vector<NamedValue>>& held, RegistryPort& registry,
                            std::vector<NamedValue>& differing) {
  std::vector<NamedValue> read;
  if (!held) {
    if (const PortResult result = ReadKeyValues(registry, scope, read); !result.Succeeded) return result;
  }
  differing = ValuesDifferingFrom(toWrite, held ? *held : read);
  return PortResult::Success();
}

std::vector<ScopedName> DeletionsOf(const std::vector<ScopedName>& deleted, KeyScope scope) {
  std::vector<ScopedName> ofScope;
  std::copy_if(deleted.begin(), deleted.end(), std::back_inserter(ofScope),
               [scope](const ScopedName& value) { return value.Scope == scope; });
  return ofScope;
}

// How Save's writes ended: a failure the system reported, or one the
// hand-off to the command line explains in its own words.
struct WriteOutcome {
  PortResult Result = PortResult::Success();
  std::u16string Reason;
};

// The machine key refused the user who runs the window: with the user's
// word, the command line run as administrator changes it instead. The turn
// is given up meanwhile, since that run takes it itself.
WriteOutcome HandOver(const MachineKeyChanges& changes, PortResult refused, const CommandPorts& ports,
                      SaveTurn& turn) {
  if (refused.ErrorCode != kErrorAccessDenied || ports.Elevation == nullptr) return {refused, {}};
  turn.Release();
  const HandOffResult handed = HandMachineKeyOver(changes, ports);
  if (!handed.Asked) return {refused, {}};
  if (!handed.Succeeded) return {refused, handed.Reason};
  return {turn.Take(), {}};
}

// The system key is changed first, and the user key only once the system
// key was changed whole. A user key with changes is opened first, by a write
// of no values, so that a user key that is missing or cannot be written
// stops Save before the system key changed.
WriteOutcome WriteValues(const SaveValues& values, const CommandPorts& ports, SaveTurn& turn) {
  MachineKeyChanges machine;
  std::vector<NamedValue> user;
  PortResult written = ValuesThatDiffer(KeyScope::System, values.System, values.SystemHeld, *ports.Registry,
                                        machine.Values);
  if (written.Succeeded) {
    written = ValuesThatDiffer(KeyScope::User, values.User, values.UserHeld, *ports.Registry, user);
  }
  const std::vector<ScopedName> systemDeletions = DeletionsOf(values.Deleted, KeyScope::System);
  const std::vector<ScopedName> userDeletions = DeletionsOf(values.Deleted, KeyScope::User);
  for (const ScopedName& deletion : systemDeletions) machine.Deletions.push_back(deletion.Name);
  const KeyPlace systemKey = PlaceOf(KeyScope::System);
  const KeyPlace userKey = PlaceOf(KeyScope::User);
  if (written.Succeeded && (!user.empty() || !userDeletions.empty())) {
    written = ports.Registry->WriteListToKey(userKey.Root, userKey.Subkey, {});
  }
  if (!written.Succeeded) return {written, {}};
  if (!machine.Values.empty()) written = ports.Registry->WriteListToKey(systemKey.Root, systemKey.Subkey, machine.Values);
  if (written.Succeeded) written = DeleteValues(systemDeletions, ports);
  if (!written.Succeeded) {
    const WriteOutcome handed = HandOver(machine, written, ports, turn);
    if (!handed.Result.Succeeded) return handed;
  }
  if (!user.empty()) written = ports.Registry->WriteListToKey(userKey.Root, userKey.Subkey, user);
  if (written.Succeeded) written = DeleteValues(userDeletions, ports);
  return {written, {}};
}

}  // namespace

CommandOutcome FileLoadExecute(MainModel& model, const CommandPorts& ports) {
  if (!model.Loading) {
    ports.Dialogs->Beep(SystemSound::Question);
    if (!ports.Dialogs->Confirm(texts::kLoadConfirm, OffsetFromOwner(ports.Window, kDialogX, kDialogY))) return {};
  }

  return FinishLoad(model, ReadForLoad(model, *ports.Registry), ports);
}

LoadReading ReadForLoad(const MainModel& model, RegistryPort& registry) {
  // Both keys are read into a copy of the model, which takes the model's
  // place only once both were read whole: a key that is missing or fails
  // part-way leaves the lists, the Path list and Edit1 as they were.
  LoadReading reading{model};
  MainModel& loaded = reading.Loaded;
  loaded.SysList.Clear();
  loaded.UserList.Clear();
  loaded.PathEntry.reset();
  loaded.DeleteOnSave.clear();
  loaded.Conflicts.clear();
  reading.Read = ReadBothKeys(loaded, registry);
  if (reading.Read.Succeeded) loaded.RefreshPathView();
  return reading;
}

CommandOutcome FinishLoad(MainModel& model, LoadReading reading, const CommandPorts& ports) {
  if (!reading.Read.Succeeded) {
    ReportFailure(ports, texts::kLoadFailed, reading.Read.ErrorCode);
    return {};
  }
  model = std::move(reading.Loaded);
  return CommandOutcome::Status(texts::kLoadDone);
}

CommandOutcome FileSaveExecute(MainModel& model, const CommandPorts& ports) {
  ports.Dialogs->Beep(SystemSound::Exclamation);
  if (!ports.Dialogs->Warn(texts::kSaveWarning, OffsetFromOwner(ports.Window, kDialogX, kDialogY))) return {};
  if (!BackupBeforeSave(ports)) return {};
  // From the reading that finds what other programs changed since Load to
  // the last write, no other writer comes between.
  SaveTurn turn(ports.WriteTurn);
  const std::optional<SaveValues> values = ValuesToSave(model, ports, turn);
  if (!values) return {};
  const WriteOutcome written = WriteValues(*values, ports, turn);
  turn.Release();
  if (!written.Reason.empty()) {
    ReportRefusal(ports, texts::kSaveFailed, written.Reason);
    return {};
  }
  if (!written.Result.Succeeded) {
    ReportFailure(ports, texts::kSaveFailed, written.Result.ErrorCode);
    return {};
  }
  // Before anything lets the window handle messages again, so that the
  // notice of changes by other programs does not take Save's own for one.
  NoteSaved(model, *values);
  model.SysNamesAtLoad = NamesAfterSave(values->System, model.SysNamesAtLoad, KeyScope::System, values->Deleted);
  model.UserNamesAtLoad = NamesAfterSave(values->User, model.UserNamesAtLoad, KeyScope::User, values->Deleted);
  model.DeleteOnSave.clear();
  ports.Broadcast->AnnounceEnvironmentChange();

  ports.Dialogs->Inform(texts::kSaveDone, OffsetFromOwner(ports.Window, kDialogX, kDialogY));
  // Enter through Save's dialogs must not restart the machine.
  if (ports.Dialogs->ConfirmCancelDefault(texts::kRestartQuestion, OffsetFromOwner(ports.Window, kRestartX, kDialogY))) {
    ports.Power->ChangePowerState(PS_REBOOT);
  }
  return CommandOutcome::Status(texts::kSaveDone);
}

bool CloseQuery(const MainModel& model, const CommandPorts& ports) {
  return !HasUnsavedEdits(model) ||
         ports.Dialogs->ConfirmCancelDefault(texts::kQuitUnsaved, OffsetFromOwner(ports.Window, kDialogX, kDialogY));
}

}  // namespace tallowin
