#include "model/backup_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace tallowin {
namespace {

using Names = std::vector<std::u16string>;

TEST(BackupNames, NamedByTheLocalTimeAndTheirNumberInTheSecond) {
  const LocalTime time{2026, 12, 7, 14, 30, 5};
  EXPECT_EQ(BackupFileName(time), u"env-20261207-143005.reg");
  EXPECT_EQ(BackupFileName({987, 1, 2, 3, 4, 5}), u"env-09870102-030405.reg");
  EXPECT_EQ(BackupFileName(time, 12), u"env-20261207-143005-12.reg");
}

TEST(BackupNames, OnlyNamesABackupCouldHaveAreBackups) {
  for (const std::u16string_view name : {u"env-20261207-143005.reg", u"env-20261207-143005-2.reg",
                                         u"env-20261207-143005-10.reg", u"env-20261207-143005-999999999.reg"}) {
    EXPECT_TRUE(IsBackupFileName(name));
  }
  for (const std::u16string_view name :
       {u"env-20261207-143005-1.reg", u"env-20261207-143005-02.reg", u"env-20261207-143005-.reg",
        u"env-20261207-143005.reg.bak", u"ENV-20261207-143005.REG", u"env-2026120a-143005.reg",
        u"env-20261207_143005.reg", u"env-20261207-1430055.reg", u"my-env-20261207-143005.reg",
        u"env-20261207-143005-1000000000.reg", u""}) {
    EXPECT_FALSE(IsBackupFileName(name)) << std::string(name.begin(), name.end());
  }
}

using Files = std::vector<FileEntry>;

// Backups a minute apart, newest first, each written at its name's time.
Files MinuteBackups(int count) {
  Files files;
  for (int minute = count - 1; minute >= 0; --minute) {
    const LocalTime time{2026, 1, 1, 10, minute, 0};
    files.push_back({BackupFileName(time), time});
  }
  return files;
}

Files Named(const Names& names) {
  Files files;
  for (const std::u16string& name : names) files.push_back({name, {}});
  return files;
}

// What a clock set back leaves: thirty backups named in 2099, written one
// second apart just before now.
Files FromTheFuture() {
  Files files;
  for (int second = 10; second < 40; ++second) {
    files.push_back({BackupFileName({2099, 12, 31, 23, 59, second}), {2026, 12, 7, 14, 59, second}});
  }
  return files;
}

TEST(BackupNames, RotationKeepsTheNewestTheOneJustWrittenAndEachRecentDaysOldest) {
  const LocalTime now{2026, 12, 7, 15, 0, 0};
  const std::u16string justWritten = u"env-20261207-150000.reg";
  const struct {
    const char* Case;
    Files Present;
    std::size_t Keep;
    Names Removed;
  } cases[] = {
      {"thirty stay", MinuteBackups(29), kBackupsKept, {}},
      {"the oldest go first", MinuteBackups(31), kBackupsKept, {u"env-20260101-100000.reg", u"env-20260101-100100.reg"}},
      {"other files neither count nor go",
       Named({u"env-20260101-100000.reg", u"readme.txt", u"ENV-20200101-000000.REG", u"env-20200101-000000.reg.bak",
              u"env-20260101-100100.reg"}),
       2,
       {u"env-20260101-100000.reg"}},
      {"a larger number is newer",
       Named({u"env-20260101-100000-10.reg", u"env-20260101-100000-9.reg", u"env-20260101-100000.reg"}),
       2,
       {u"env-20260101-100000.reg", u"env-20260101-100000-9.reg"}},
      {"the date counts before the time", Named({u"env-20260101-000000.reg", u"env-20251231-235959.reg"}), 2,
       {u"env-20251231-235959.reg"}},
      {"names from the future go first", FromTheFuture(), kBackupsKept, {u"env-20991231-235910.reg"}},
      {"of one second the last written is newer",
       {{u"env-20260101-100000-2.reg", {2026, 1, 1, 10, 0, 0}}, {u"env-20260101-100000.reg", {2026, 1, 1, 10, 0, 5}}},
       2,
       {u"env-20260101-100000-2.reg"}},
      {"the oldest of today and of the day 29 days back stay, of 30 days back not",
       Named({u"env-20261207-080000.reg", u"env-20261207-080000-2.reg", u"env-20261108-235959.reg",
              u"env-20261108-235959-2.reg", u"env-20261107-235959.reg"}),
       1,
       {u"env-20261107-235959.reg", u"env-20261108-235959-2.reg", u"env-20261207-080000-2.reg"}},
      {"the one just written stays even when nothing may", MinuteBackups(2), 0,
       {u"env-20260101-100000.reg", u"env-20260101-100100.reg"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Case);
    Files present = c.Present;
    present.push_back({justWritten, now});
    EXPECT_EQ(BackupsToRemove(present, justWritten, now, c.Keep), c.Removed);
  }
}

auto Moment(const LocalTime& t) { return std::make_tuple(t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second); }

std::chrono::sys_days DayOf(const LocalTime& t) {
  return std::chrono::year{t.Year} / t.Month / t.Day;
}

LocalTime SecondsFrom(const LocalTime& time, long offset) {
  using namespace std::chrono;
  const sys_seconds moment =
      DayOf(time) + hours{time.Hour} + minutes{time.Minute} + std::chrono::seconds{time.Second + offset};
  const sys_days day = floor<days>(moment);
  const year_month_day date{day};
  const hh_mm_ss clock{moment - day};
  return {int(date.year()), int(unsigned(date.month())), int(unsigned(date.day())), int(clock.hours().count()),
          int(clock.minutes().count()), int(clock.seconds().count())};
}

struct ModelBackup {
  std::u16string Name;
  LocalTime Time;
  LocalTime Written;
  std::uint32_t Number;
};

// Random folders checked against the rule read another way: days counted on
// the calendar rather than dates compared as text, and a backup's rank by
// how many others are newer rather than by a sorted list.
TEST(BackupNames, RotationOfRandomFoldersFollowsTheRule) {
  std::mt19937 random(20261207);
  const LocalTime nows[] = {{2026, 12, 7, 15, 0, 0}, {2024, 3, 1, 0, 0, 3}, {2027, 1, 1, 23, 59, 59}};
  const Names strangers = {u"notes.txt", u"env-20261207-150000-02.reg", u"ENV-20240301-000003.REG"};
  for (int round = 0; round < 400; ++round) {
    const LocalTime now = nows[round % 3];
    const std::size_t keep = round % 10 == 0 ? kBackupsKept : random() % 6;
    const int days = round % 10 == 0 ? kBackupDaysKept : static_cast<int>(random() % 8);
    // Up to forty backups over the last forty days and the next two, some of
    // them in the same second, written at their time or a little later.
    std::vector<ModelBackup> backups;
    Files files;
    for (std::size_t i = 0, count = random() % 40; i < count; ++i) {
      const LocalTime time = SecondsFrom(now, 2 * 86400 - static_cast<long>(random() % (42 * 86400)));
      const LocalTime at = random() % 3 == 0 ? now : time;
      const std::uint32_t number = FirstBackupNumber(at, files);
      const LocalTime written = SecondsFrom(at, static_cast<long>(random() % 3));
      backups.push_back({BackupFileName(at, number), at, written, number});
      files.push_back({backups.back().Name, written});
    }
    for (const std::u16string& name : strangers) files.push_back({name, now});
    std::shuffle(files.begin(), files.end(), random);
    const std::u16string justWritten = BackupFileName(now, FirstBackupNumber(now, files));
    files.push_back({justWritten, now});

    const auto future = [&](const ModelBackup& b) { return Moment(b.Time) > Moment(now); };
    const auto older = [&](const ModelBackup& a, const ModelBackup& b) {
      return std::make_tuple(!future(a), Moment(a.Time), Moment(a.Written), a.Number) <
             std::make_tuple(!future(b), Moment(b.Time), Moment(b.Written), b.Number);
    };
    const auto stays = [&](const ModelBackup& b) {
      const auto newer = std::count_if(backups.begin(), backups.end(), [&](const auto& o) { return older(b, o); });
      if (keep > 0 && static_cast<std::size_t>(newer) < keep - 1) return true;  // one place is the new one's
      const auto age = (DayOf(now) - DayOf(b.Time)).count();
      return !future(b) && age >= 0 && age < days && std::none_of(backups.begin(), backups.end(), [&](const auto& o) {
        return DayOf(o.Time) == DayOf(b.Time) && !future(o) && older(o, b);
      });
    };
    std::sort(backups.begin(), backups.end(), older);
    Names expected;
    for (const ModelBackup& b : backups) {
      if (!stays(b)) expected.push_back(b.Name);
    }
    ASSERT_EQ(BackupsToRemove(files, justWritten, now, keep, days), expected)
        << "round " << round << ", keep " << keep << ", days " << days;
  }
}

}  // namespace
}  // namespace tallowin
