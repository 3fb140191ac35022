#include "model/backup_names.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <tuple>

#include "model/text_scan.h"

namespace tallowin {
namespace {

constexpr std::u16string_view kPrefix = u"env-";
constexpr std::u16string_view kExtension = u".reg";
// "YYYYMMDD-HHMMSS"
constexpr std::size_t kStampLength = 15;
constexpr std::size_t kDateLength = 8;
// Nine digits keep every number, and the few tried after it, within 32 bits.
constexpr std::size_t kMostNumberDigits = 9;

std::u16string Ascii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

std::u16string Stamp(const LocalTime& time) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d%02d%02d-%02d%02d%02d", time.Year, time.Month, time.Day, time.Hour,
                time.Minute, time.Second);
  return Ascii(buffer);
}

// The date `count` days before the time's date, as a stamp begins with it.
std::u16string DateBefore(const LocalTime& time, int count) {
  using namespace std::chrono;
  const year_month_day date{sys_days{year{time.Year} / month{static_cast<unsigned>(time.Month)} /
                                     day{static_cast<unsigned>(time.Day)}} -
                            days{count}};
  const LocalTime shifted{static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
                          static_cast<int>(static_cast<unsigned>(date.day()))};
  return Stamp(shifted).substr(0, kDateLength);
}

bool IsDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

bool AllDigits(std::u16string_view text) { return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit); }

// A backup name split into its time stamp and its number (1 for the plain
// name); nothing for any other name.
struct BackupName {
  std::u16string_view Stamp;
  std::uint32_t Number = 1;
};

std::optional<BackupName> Parse(std::u16string_view name) {
  if (!name.starts_with(kPrefix) || !name.ends_with(kExtension)) return std::nullopt;
  std::u16string_view rest = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kExtension.size());
  if (rest.size() < kStampLength) return std::nullopt;
  const std::u16string_view stamp = rest.substr(0, kStampLength);
  if (!AllDigits(stamp.substr(0, kDateLength)) || stamp[kDateLength] != u'-' ||
      !AllDigits(stamp.substr(kDateLength + 1))) {
    return std::nullopt;
  }
  rest.remove_prefix(kStampLength);
  if (rest.empty()) return BackupName{stamp, 1};
  // A suffix is what BackupFileName writes: "-" and a number from 2 on,
  // without leading zeros.
  const std::u16string_view digits = rest.substr(1);
  if (rest[0] != u'-' || !AllDigits(digits) || digits[0] == u'0' || digits == u"1" ||
      digits.size() > kMostNumberDigits) {
    return std::nullopt;
  }
  std::uint32_t number = 0;
  for (const char16_t digit : digits) number = number * 10 + static_cast<std::uint32_t>(digit - u'0');
  return BackupName{stamp, number};
}

auto Moment(const LocalTime& t) { return std::tie(t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second); }

struct Backup {
  const std::u16string* Name;
  std::u16string_view Stamp;
  const LocalTime* Written;
  std::uint32_t Number;
  bool FromTheFuture;
};

bool IsOlder(const Backup& a, const Backup& b) {
  if (a.FromTheFuture != b.FromTheFuture) return a.FromTheFuture;
  if (a.Stamp != b.Stamp) return a.Stamp < b.Stamp;
  if (Moment(*a.Written) != Moment(*b.Written)) return Moment(*a.Written) < Moment(*b.Written);
  return a.Number < b.Number;
}

}  // namespace

std::u16string BackupFileName(const LocalTime& time, std::uint32_t number) {
  std::u16string name = std::u16string(kPrefix) + Stamp(time);
  if (number > 1) name += u"-" + DecimalText(number);
  return name + std::u16string(kExtension);
}

std::uint32_t FirstBackupNumber(const LocalTime& time, const std::vector<FileEntry>& filesInFolder) {
  const std::u16string stamp = Stamp(time);
  std::uint32_t highest = 0;
  for (const FileEntry& file : filesInFolder) {
    const std::optional<BackupName> parts = Parse(file.Name);
    if (parts && parts->Stamp == stamp) highest = std::max(highest, parts->Number);
  }
  return highest + 1;
}

bool IsBackupFileName(std::u16string_view name) { return Parse(name).has_value(); }

std::vector<std::u16string> BackupsToRemove(const std::vector<FileEntry>& filesInFolder,
                                            std::u16string_view justWritten, const LocalTime& now,
                                            std::size_t keep, int days) {
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
    backups.push_back({&file.Name, parts->Stamp, &file.Written, parts->Number, parts->Stamp > nowStamp});
  }
  std::sort(backups.begin(), backups.end(), IsOlder);

  const std::size_t newest = keep == 0 ? 0 : keep - (justWrittenListed ? 1 : 0);
  std::vector<bool> kept(backups.size(), false);
  for (std::size_t i = backups.size() - std::min(newest, backups.size()); i < backups.size(); ++i) kept[i] = true;
  // Oldest first, the real backups come in date order after those from the
  // future: the first of each date is that day's oldest.
  if (days > 0) {
    const std::u16string today = nowStamp.substr(0, kDateLength);
    const std::u16string firstDay = DateBefore(now, days - 1);
    std::u16string_view previousDay;
    for (std::size_t i = 0; i < backups.size(); ++i) {
      if (backups[i].FromTheFuture) continue;
      const std::u16string_view day = backups[i].Stamp.substr(0, kDateLength);
      if (day != previousDay && day >= firstDay && day <= today) kept[i] = true;
      previousDay = day;
    }
  }
  std::vector<std::u16string> removed;
  for (std::size_t i = 0; i < backups.size(); ++i) {
    if (!kept[i]) removed.push_back(*backups[i].Name);
  }
  return removed;
}

}  // namespace tallowin
