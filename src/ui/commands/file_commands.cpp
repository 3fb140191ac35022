#include "ui/commands/file_commands.h"

#include <string>
#include <utility>
#include <vector>

#include "model/clip_item.h"
#include "model/environment_keys.h"
#include "model/texts.h"
#include "regfile/reg_file.h"
#include "ui/commands/failure_report.h"

namespace tallowin {
namespace {

std::u16string DecimalText(int number) {
  const std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string CountLine(std::u16string_view prefix, int count) {
  std::u16string line(prefix);
  line += DecimalText(count);
  line += texts::kCountLineEnd;
  return line;
}

// Both counts are the edit lists' own, for Backup too.
std::u16string WrittenReport(std::u16string_view firstLine, const MainModel& model) {
  std::u16string text(firstLine);
  text += CountLine(texts::kSystemCountPrefix, model.SysList.Count());
  text += CountLine(texts::kUserCountPrefix, model.UserList.Count());
  return text;
}

// A failure that no system call reported: the same report with our own
// second line instead of the system's description.
void ReportRefusal(const CommandPorts& ports, std::u16string_view firstLine, std::u16string_view reason) {
  ports.Dialogs->Beep(SystemSound::Hand);
  std::u16string text(firstLine);
  text += reason;
  ports.Dialogs->Inform(text, OffsetFromOwner(ports.Window, kFailureX, kDialogY));
}

std::vector<std::u16string> ListValueLines(const EditList& list) {
  std::vector<std::u16string> lines;
  lines.reserve(static_cast<std::size_t>(list.Count()));
  for (int i = 0; i < list.Count(); ++i) {
    const VariableEntry& entry = list.At(i);
    lines.push_back(regfile::MakeValueLine(entry.Name, ValueToWrite(entry)));
  }
  return lines;
}

// Items read from a key carry the value they were read with; an item's
// value goes out by the same rule as an edit list entry's.
std::vector<std::u16string> ItemValueLines(std::vector<CClipItem>& items) {
  std::vector<std::u16string> lines;
  lines.reserve(items.size());
  for (CClipItem& item : items) {
    VariableEntry entry;
    entry.Name = std::move(item.Name);
    entry.SubItems = {std::move(item.TypeName), std::move(item.Data)};
    entry.Stored = std::move(item.Stored);
    lines.push_back(regfile::MakeValueLine(entry.Name, ValueToWrite(entry)));
  }
  items.clear();
  return lines;
}

// Writes the file and reports the outcome; the target is replaced only as a
// whole, so a failure leaves an existing file as it was.
void WriteAndReport(const MainModel& model, const CommandPorts& ports, const std::u16string& path,
                    const std::vector<std::u16string>& systemLines, const std::vector<std::u16string>& userLines,
                    std::u16string_view doneText, std::u16string_view failedText) {
  const std::vector<std::uint8_t> bytes = regfile::EncodeFile(regfile::MakeFileLines(systemLines, userLines));
  const FileResult written = ports.Files->ReplaceWholeFile(path, bytes);
  if (!written.Succeeded) {
    ReportFailure(ports, failedText, written.ErrorCode);
    return;
  }
  ports.Dialogs->Inform(WrittenReport(doneText, model), OffsetFromOwner(ports.Window, kDialogX, kDialogY));
}

// Reads one key for Backup. The error code is taken right after the failing
// read, before any other call can change it.
bool ReadKeyForBackup(const CommandPorts& ports, RootKey root, std::u16string_view subkey,
                      std::vector<CClipItem>& items, std::uint32_t& errorCode) {
  if (ports.Registry->ReadKeyToItems(root, subkey, items)) return true;
  errorCode = ports.System->LastError();
  return false;
}

// After a system section: the System list's Path entry (any letter case) is
// linked and shown; a section without one gets an empty REG_EXPAND_SZ Path.
// For an added entry the Path list keeps its items, so the closing refresh
// joins them into the new entry: a later Save then keeps the Path value
// instead of writing an empty one over it.
void LinkImportedPathEntry(MainModel& model) {
  const int found = model.SysList.FindIgnoringCase(u"Path");
  if (found >= 0) {
    model.LinkPathEntry(found);
    return;
  }
  const int added = model.SysList.Add(VariableEntry::FromTexts(u"Path", u"REG_EXPAND_SZ", u""));
  std::vector<std::u16string> keptItems = std::move(model.PathList);
  model.LinkPathEntry(added);
  model.PathList = std::move(keptItems);
}

}  // namespace

void FileExportExecute(MainModel& model, const CommandPorts& ports) {
  const std::optional<std::u16string> path = ports.Pickers->PickFileToSave(texts::kExportTitle);
  if (!path) return;
  WriteAndReport(model, ports, *path, ListValueLines(model.SysList), ListValueLines(model.UserList),
                 texts::kExportDone, texts::kExportFailed);
}

void FileBuckupExecute(MainModel& model, const CommandPorts& ports) {
  const std::optional<std::u16string> path = ports.Pickers->PickFileToSave(texts::kBackupTitle);
  if (!path) return;

  // A key that cannot be read leaves no file behind, not even a partial one.
  std::uint32_t errorCode = 0;
  std::vector<CClipItem> systemItems;
  if (!ReadKeyForBackup(ports, RootKey::LocalMachine, kSystemSubkey, systemItems, errorCode)) {
    ReportFailure(ports, texts::kBackupFailed, errorCode);
    return;
  }
  std::vector<CClipItem> userItems;
  if (!ReadKeyForBackup(ports, RootKey::CurrentUser, kUserSubkey, userItems, errorCode)) {
    ReportFailure(ports, texts::kBackupFailed, errorCode);
    return;
  }
  WriteAndReport(model, ports, *path, ItemValueLines(systemItems), ItemValueLines(userItems), texts::kBackupDone,
                 texts::kBackupFailed);
}

void FileImportExecute(MainModel& model, const CommandPorts& ports) {
  const std::optional<std::u16string> path = ports.Pickers->PickFileToOpen(texts::kImportTitle);
  if (!path) return;

  const FileContents contents = ports.Files->ReadWholeFile(*path);
  if (!contents.Succeeded) {
    ReportFailure(ports, texts::kImportFailed, contents.ErrorCode);
    return;
  }
  FileSystemPort& files = *ports.Files;
  const regfile::ParsedFile parsed = regfile::ParseFile(
      contents.Bytes.data(), contents.Bytes.size(), [&files](std::string_view text) { return files.DecodeAnsi(text); });
  if (!parsed.IsRegistrationFile) {
    ReportRefusal(ports, texts::kImportFailed, texts::kNotRegistrationFile);
    return;
  }

  bool systemImported = false;
  bool userImported = false;
  for (const regfile::ParsedSection& section : parsed.Sections) {
    const bool isSystem = section.Target == regfile::Scope::System;
    EditList& list = isSystem ? model.SysList : model.UserList;
    (isSystem ? systemImported : userImported) = true;
    list.Clear();
    for (const regfile::ParsedValue& value : section.Values) list.Add(VariableEntry::FromValue(value.Name, value.Value));
  }
  if (systemImported) LinkImportedPathEntry(model);

  std::u16string report(texts::kImportDone);
  if (systemImported) report += CountLine(texts::kSystemCountPrefix, model.SysList.Count());
  if (userImported) report += CountLine(texts::kUserCountPrefix, model.UserList.Count());
  ports.Dialogs->Inform(report, OffsetFromOwner(ports.Window, kDialogX, kDialogY));

  model.RefreshPathView();
  model.AcceptJoinedPathAsStored();
}

}  // namespace tallowin
