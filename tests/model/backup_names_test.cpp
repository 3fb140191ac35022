#include "model/backup_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallowin {
namespace {

using Names = std::vector<std::u16string>;

TEST(BackupNames, NameFromTheLocalTimeWithASuffixWhenTaken) {
  const struct {
    LocalTime Time;
    Names Present;
    std::u16string Expected;
  } cases[] = {
      {{2026, 12, 7, 14, 30, 5}, {u"env-20261207-143006.reg", u"x.txt"}, u"env-20261207-143005.reg"},
      {{987, 1, 2, 3, 4, 5}, {}, u"env-09870102-030405.reg"},
      {{2026, 12, 7, 14, 30, 5}, {u"ENV-20261207-143005.REG"}, u"env-20261207-143005-2.reg"},  // case ignored
      {{2026, 12, 7, 14, 30, 5}, {u"env-20261207-143005-2.reg", u"env-20261207-143005.reg"}, u"env-20261207-143005-3.reg"},
  };
  for (const auto& c : cases) EXPECT_EQ(BackupFileName(c.Time, c.Present), c.Expected);
}

TEST(BackupNames, OnlyNamesABackupCouldHaveAreBackups) {
  for (const std::u16string_view name : {u"env-20261207-143005.reg", u"env-20261207-143005-2.reg",
                                         u"env-20261207-143005-10.reg"}) {
    EXPECT_TRUE(IsBackupFileName(name));
  }
  for (const std::u16string_view name :
       {u"env-20261207-143005-1.reg", u"env-20261207-143005-02.reg", u"env-20261207-143005-.reg",
        u"env-20261207-143005.reg.bak", u"ENV-20261207-143005.REG", u"env-2026120a-143005.reg",
        u"env-20261207_143005.reg", u"env-20261207-1430055.reg", u"my-env-20261207-143005.reg", u""}) {
    EXPECT_FALSE(IsBackupFileName(name)) << std::string(name.begin(), name.end());
  }
}

using Files = std::vector<FileEntry>;

// Backups a minute apart, newest first, each written at its name's time.
Files MinuteBackups(int count) {
  Files files;
  for (int minute = count - 1; minute >= 0; --minute) {
    const LocalTime time{2026, 1, 1, 10, minute, 0};
    files.push_back({BackupFileName(time, {}), time});
  }
  return files;
}

Files Named(const Names& names) {
  Files files;
  for (const std::u16string& name : names) files.push_back({name});
  return files;
}

// What a clock set back leaves: thirty backups named in 2099, written one
// second apart just before now.
Files FromTheFuture() {
  Files files;
  for (int second = 10; second < 40; ++second) {
    files.push_back({BackupFileName({2099, 12, 31, 23, 59, second}, {}), {2026, 12, 7, 14, 59, second}});
  }
  return files;
}

TEST(BackupNames, RotationKeepsTheNewestAndTheOneJustWrittenAndNeverTouchesOtherFiles) {
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
      {"a larger suffix is newer",
       Named({u"env-20260101-100000-10.reg", u"env-20260101-100000-9.reg", u"env-20260101-100000.reg"}),
       2,
       {u"env-20260101-100000.reg", u"env-20260101-100000-9.reg"}},
      {"the date counts before the time", Named({u"env-20260101-000000.reg", u"env-20251231-235959.reg"}), 2,
       {u"env-20251231-235959.reg"}},
      {"names from the future go by their last write", FromTheFuture(), kBackupsKept, {u"env-20991231-235910.reg"}},
      {"the same name's time goes by the last write",
       {{u"env-20260101-100000-2.reg", {2026, 1, 1, 10, 0, 0}}, {u"env-20260101-100000.reg", {2026, 1, 1, 10, 0, 5}}},
       2,
       {u"env-20260101-100000-2.reg"}},
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

}  // namespace
}  // namespace tallowin
