#include "commands/file_commands.h"

#include <new>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/clip_item.h"
#include "model/environment_keys.h"
#include "model/text_scan.h"
#include "model/texts.h"
#include "regfile/reg_file.h"
#include "commands/dialog_offsets.h"
#include "commands/failure_report.h"
#include "commands/value_write_rules.h"

namespace tallowin {
namespace {

// ERROR_NOT_ENOUGH_MEMORY: how running out of memory is reported.
constexpr std::uint32_t kErrorNotEnoughMemory = 8;

// An import takes effect by moving a finished model into place, which cannot
// fail half-way.
static_assert(std::is_nothrow_move_assignable_v<MainModel>);

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

// Writes the file and reports the outcome; the target is replaced only as a
// whole, so a failure leaves an existing file as it was.
void WriteAndReport(const MainModel& model, const CommandPorts& ports, const std::u16string& path,
                    const std::vector<std::uint8_t>& bytes, std::u16string_view doneText,
                    std::u16string_view failedText) {
  const PortResult written = ports.Files->ReplaceWholeFile(path, bytes);
  if (!written.Succeeded) {
    ReportFailure(ports, failedText, written.ErrorCode);
    return;
  }
  ports.Dialogs->Inform(WrittenReport(doneText, model), OffsetFromOwner(ports.Window, kDialogX, kDialogY));
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

// The model after importing the file's sections, with its Path view
// refreshed, and the report's text. A section replaces its whole list; a
// scope without a section keeps its list.
MainModel ImportSections(const MainModel& model, const regfile::ParsedFile& parsed, std::u16string& report,
                         ImportedScopes& scopes) {
  MainModel imported = model;
  bool& systemImported = scopes.System;
  bool& userImported = scopes.User;
  for (const regfile::ParsedSection& section : parsed.Sections) {
    const bool isSystem = section.Target == regfile::Scope::System;
    EditList& list = isSystem ? imported.SysList : imported.UserList;
    (isSystem ? systemImported : userImported) = true;
    // What the file leaves out was not taken out by the user: Save may
    // not delete it.
    (isSystem ? imported.SysNamesAtLoad : imported.UserNamesAtLoad).clear();
    imported.DeleteOnSave.clear();
    imported.Conflicts.clear();
    list.Clear();
    for (NamedValue& value : ValuesAsKeyHolds(section.Values)) {
      list.Add(VariableEntry::FromValue(std::move(value.Name), std::move(value.Value)));
    }
  }
  if (systemImported) LinkImportedPathEntry(imported);

  report = texts::kImportDone;
  if (systemImported) report += CountLine(texts::kSystemCountPrefix, imported.SysList.Count());
  if (userImported) report += CountLine(texts::kUserCountPrefix, imported.UserList.Count());
  imported.RefreshPathView();
  return imported;
}

// Reads the file that `pick` names and imports it into the model: the
// scopes imported, with the report's text in `report`. Nothing when the pick
// was cancelled or the import failed, which is then reported.
//
// The import is built on a copy of the model, which takes the model's place
// only once nothing can fail any more: whatever fails, running out of memory
// included, leaves the lists, the Path list and Edit1 as they were.
template <typename Pick>
std::optional<ImportedScopes> ImportPickedFile(MainModel& model, const CommandPorts& ports, Pick pick,
                                               std::u16string& report) {
  PortResult outcome = PortResult::Success();
  std::optional<MainModel> imported;
  ImportedScopes scopes;
  try {
    const std::optional<std::u16string> path = pick();
    if (!path) return std::nullopt;
    const FileContents contents = ports.Files->ReadWholeFile(*path);
    outcome = contents.Result;
    if (outcome.Succeeded) {
      FileSystemPort& files = *ports.Files;
      const regfile::ParsedFile parsed = regfile::ParseFile(
          contents.Bytes.data(), contents.Bytes.size(),
          [&files](std::string_view text) { return files.DecodeAnsi(text); });
      if (parsed.IsRegistrationFile) imported = ImportSections(model, parsed, report, scopes);
    }
  } catch (const std::bad_alloc&) {
    outcome = PortResult::Failure(kErrorNotEnoughMemory);
  } catch (const std::length_error&) {
    // A size beyond what can be allocated at all.
    outcome = PortResult::Failure(kErrorNotEnoughMemory);
  }
  if (!outcome.Succeeded) {
    ReportFailure(ports, texts::kImportFailed, outcome.ErrorCode);
    return std::nullopt;
  }
  if (!imported) {
    ReportRefusal(ports, texts::kImportFailed, texts::kNotRegistrationFile);
    return std::nullopt;
  }
  model = std::move(*imported);
  return scopes;
}

}  // namespace

void FileExportExecute(MainModel& model, const CommandPorts& ports) {
  const std::optional<std::u16string> path = ports.Pickers->PickFileToSave(texts::kExportTitle);
  if (!path) return;
  WriteAndReport(model, ports, *path, RegistrationFileOfLists(model), texts::kExportDone, texts::kExportFailed);
}

void FileBuckupExecute(MainModel& model, const CommandPorts& ports) {
  const std::optional<std::u16string> path = ports.Pickers->PickFileToSave(texts::kBackupTitle);
  if (!path) return;

  // A key that cannot be read leaves no file behind, not even a partial one.
  const FileContents file = RegistrationFileOfKeys(ports);
  if (!file.Result.Succeeded) {
    ReportFailure(ports, texts::kBackupFailed, file.Result.ErrorCode);
    return;
  }
  WriteAndReport(model, ports, *path, file.Bytes, texts::kBackupDone, texts::kBackupFailed);
}

void FileImportExecute(MainModel& model, const CommandPorts& ports) {
  std::u16string report;
  if (!ImportPickedFile(model, ports, [&ports] { return ports.Pickers->PickFileToOpen(texts::kImportTitle); },
                        report)) {
    return;
  }
  // The view was refreshed on the copy; the window shows it once the report
  // is closed and the command returns.
  ports.Dialogs->Inform(report, OffsetFromOwner(ports.Window, kDialogX, kDialogY));
}

std::optional<ImportedScopes> ImportFileAt(MainModel& model, const CommandPorts& ports, std::u16string_view path) {
  std::u16string report;
  return ImportPickedFile(model, ports, [path] { return std::optional<std::u16string>(path); }, report);
}

}  // namespace tallowin
