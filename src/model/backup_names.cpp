#include "model/backup_names.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "model/collation.h"
#include "model/text_scan.h"

namespace tallowin {
namespace {

constexpr std::u16string_view kPrefix = u"env-";
constexpr std::u16string_view kExtension = u".reg";
// "YYYYMMDD-HHMMSS"
constexpr std::size_t kStampLength = 15;

std::u16string Ascii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

std::u16string Stamp(const LocalTime& time) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d%02d%02d-%02d%02d%02d", time.Year, time.Month, time.Day, time.Hour,
                time.Minute, time.Second);
  return Ascii(buffer);
}

bool IsDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

bool AllDigits(std::u16string_view text) { return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit); }

// A backup name split into its time stamp and its suffix number's digits
// ("1" for the plain name); nothing for any other name.
struct BackupName {
  std::u16string_view Stamp;
  std::u16string_view Number;
};

std::optional<BackupName> Parse(std::u16string_view name) {
  if (!name.starts_with(kPrefix) || !name.ends_with(kExtension)) return std::nullopt;
  std::u16string_view rest = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kExtension.size());
  if (rest.size() < kStampLength) return std::nullopt;
  const std::u16string_view stamp = rest.substr(0, kStampLength);
  if (!AllDigits(stamp.substr(0, 8)) || stamp[8] != u'-' || !AllDigits(stamp.substr(9))) return std::nullopt;
  rest.remove_prefix(kStampLength);
  if (rest.empty()) return BackupName{stamp, u"1"};
  // A suffix is what BackupFileName writes: "-" and a number from 2 on,
  // without leading zeros.
  const std::u16string_view number = rest.substr(1);
  if (rest[0] != u'-' || !AllDigits(number) || number[0] == u'0' || number == u"1") return std::nullopt;
  return BackupName{stamp, number};
}

// Newer first: the later number of two suffix numbers without leading
// zeros compares by length first.
bool IsLargerNumber(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return a.size() > b.size();
  return a > b;
}

bool IsTaken(const std::u16string& name, const std::vector<std::u16string>& namesInFolder) {
  return std::any_of(namesInFolder.begin(), namesInFolder.end(),
                     [&name](const std::u16string& existing) { return EqualsIgnoringCase(existing, name); });
}

}  // namespace

std::u16string BackupFileName(const LocalTime& time, const std::vector<std::u16string>& namesInFolder) {
  const std::u16string base = std::u16string(kPrefix) + Stamp(time);
  std::u16string name = base + std::u16string(kExtension);
  for (unsigned suffix = 2; IsTaken(name, namesInFolder); ++suffix) {
    name = base + u"-" + DecimalText(suffix) + std::u16string(kExtension);
  }
  return name;
}

bool IsBackupFileName(std::u16string_view name) { return Parse(name).has_value(); }

std::vector<std::u16string> BackupsToRemove(const std::vector<FileEntry>& filesInFolder,
                                            std::u16string_view justWritten, const LocalTime& now,
                                            std::size_t keep) {
  struct Backup {
    const std::u16string* Name;
    std::u16string Time;     // the name's, or the last write's for a name from the future
    std::u16string Written;  // the last write's
    std::u16string_view Number;
  };
  const std::u16string nowStamp = Stamp(now);
  std::vector<Backup> backups;
  bool justWrittenListed = false;
  for (const FileEntry& file : filesInFolder) {
    if (file.Name == justWritten) {
      justWrittenListed = true;
      continue;
    }
    const std::optional<BackupName> parts = Parse(file.Name);
    if (!parts) continue;
    std::u16string written = Stamp(file.Written);
    std::u16string time = parts->Stamp > nowStamp ? written : std::u16string(parts->Stamp);
    backups.push_back({&file.Name, std::move(time), std::move(written), parts->Number});
  }
  const std::size_t others = keep == 0 ? 0 : keep - (justWrittenListed ? 1 : 0);
  if (backups.size() <= others) return {};
  // Oldest first.
  std::sort(backups.begin(), backups.end(), [](const Backup& a, const Backup& b) {
    if (a.Time != b.Time) return a.Time < b.Time;
    if (a.Written != b.Written) return a.Written < b.Written;
    return IsLargerNumber(b.Number, a.Number);
  });
  std::vector<std::u16string> removed;
  for (std::size_t i = 0; i < backups.size() - others; ++i) removed.push_back(*backups[i].Name);
  return removed;
}

}  // namespace tallowin
