#include "commands/restore_commands.h"

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>

#include "model/environment_keys.h"
#include "model/texts.h"
#include "commands/auto_backup.h"
#include "commands/failure_report.h"
#include "commands/file_commands.h"

namespace tallowin {
namespace {

// ERROR_PATH_NOT_FOUND: no backup was ever written.
constexpr std::uint32_t kErrorPathNotFound = 3;

auto Moment(const LocalTime& t) { return std::tie(t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second); }

std::u16string Digits(std::uint64_t number, std::size_t width = 0) {
  const std::string digits = std::to_string(number);
  std::u16string text(width > digits.size() ? width - digits.size() : 0, u'0');
  return text.append(digits.begin(), digits.end());
}

std::vector<std::u16string> NamesOf(std::vector<CClipItem>& items) {
  std::vector<std::u16string> names;
  names.reserve(items.size());
  for (CClipItem& item : items) names.push_back(std::move(item.Name));
  return names;
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
  // The names the keys hold now are read first: a key that cannot be read
  // leaves the lists as they were.
  std::vector<CClipItem> systemItems;
  std::vector<CClipItem> userItems;
  PortResult read = ports.Registry->ReadKeyToItems(RootKey::LocalMachine, kSystemSubkey, systemItems);
  if (read.Succeeded) read = ports.Registry->ReadKeyToItems(RootKey::CurrentUser, kUserSubkey, userItems);
  if (!read.Succeeded) {
    ReportFailure(ports, texts::kLoadFailed, read.ErrorCode);
    return false;
  }
  const std::optional<ImportedScopes> imported = ImportFileAt(model, ports, path);
  if (!imported) return false;
  // What the review lets Save delete: a name the list held "at Load" and
  // holds no more.
  if (imported->System) model.SysNamesAtLoad = NamesOf(systemItems);
  if (imported->User) model.UserNamesAtLoad = NamesOf(userItems);
  return true;
}

}  // namespace tallowin
