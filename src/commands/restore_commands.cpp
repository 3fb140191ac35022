#include "commands/restore_commands.h"

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>

#include "model/environment_keys.h"
#include "model/registry_names.h"
#include "model/text_scan.h"
#include "model/texts.h"
#include "commands/auto_backup.h"
#include "commands/failure_report.h"
#include "commands/file_commands.h"
#include "commands/key_values.h"

namespace tallowin {
namespace {

// ERROR_PATH_NOT_FOUND: no backup was ever written.
constexpr std::uint32_t kErrorPathNotFound = 3;

auto Moment(const LocalTime& t) { return std::tie(t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second); }

std::u16string Digits(std::uint64_t number, std::size_t width = 0) {
  const std::u16string digits = DecimalText(number);
  return std::u16string(width > digits.size() ? width - digits.size() : 0, u'0') + digits;
}

}  // namespace

BackupListing ListAutomaticBackups(const CommandPorts& ports) {
  BackupListing listing;
  const std::optional<std::u16string> folder = AutomaticBackupFolder(*ports.Environment);
  if (!folder) return listing;
  listing.Folder = *folder;
  FileListing files = ports.Files->ListFiles(*folder);
  if (!files.Result.Succeeded) {
    if (files.Result.ErrorCode == kErrorPathNotFound) return listing;
    ReportFailure(ports, texts::kRestoreListFailed, files.Result.ErrorCode);
    listing.Readable = false;
    return listing;
  }
  listing.Backups = std::move(files.Files);
  std::sort(listing.Backups.begin(), listing.Backups.end(), [](const FileEntry& a, const FileEntry& b) {
    if (Moment(a.Written) != Moment(b.Written)) return Moment(a.Written) > Moment(b.Written);
    return a.Name > b.Name;
  });
  return listing;
}

std::u16string BackupTimeText(const LocalTime& time) {
  return Digits(static_cast<std::uint64_t>(time.Year), 4) + u"/" + Digits(static_cast<std::uint64_t>(time.Month), 2) +
         u"/" + Digits(static_cast<std::uint64_t>(time.Day), 2) + u" " +
         Digits(static_cast<std::uint64_t>(time.Hour), 2) + u":" + Digits(static_cast<std::uint64_t>(time.Minute), 2) +
         u":" + Digits(static_cast<std::uint64_t>(time.Second), 2);
}

std::u16string BackupSizeText(std::uint64_t bytes) {
  const std::u16string digits = Digits(bytes);
  std::u16string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i != 0 && (digits.size() - i) % 3 == 0) text += u',';
    text += digits[i];
  }
  return text + std::u16string(texts::kByteSuffix);
}

bool RestoreAutomaticBackup(MainModel& model, const CommandPorts& ports, std::u16string_view path) {
  // What the keys hold now is read first: a key that cannot be read leaves
  // the lists as they were.
  std::vector<NamedValue> systemNow;
  std::vector<NamedValue> userNow;
  PortResult read = ReadKeyValues(*ports.Registry, KeyScope::System, systemNow);
  if (read.Succeeded) read = ReadKeyValues(*ports.Registry, KeyScope::User, userNow);
  if (!read.Succeeded) {
    ReportFailure(ports, texts::kLoadFailed, read.ErrorCode);
    return false;
  }
  const std::optional<ImportedScopes> imported = ImportFileAt(model, ports, path);
  if (!imported) return false;
  // A restore sets a key back from what it holds now, which the review then
  // shows: its values count as the ones read, so that every value the backup
  // holds otherwise is written, and one it lacks may be deleted.
  if (imported->System) {
    model.SysNamesAtLoad = NamesOf(systemNow);
    model.SysKeyAtLoad = std::move(systemNow);
  }
  if (imported->User) {
    model.UserNamesAtLoad = NamesOf(userNow);
    model.UserKeyAtLoad = std::move(userNow);
  }
  return true;
}

}  // namespace tallowin
