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

// Backups a minute apart, newest first.
Names MinuteBackups(int count) {
  Names names;
  for (int minute = count - 1; minute >= 0; --minute) names.push_back(BackupFileName({2026, 1, 1, 10, minute, 0}, {}));
  return names;
}

TEST(BackupNames, RotationKeepsTheNewestAndNeverTouchesOtherFiles) {
  const struct {
    const char* Case;
    Names Present;
    std::size_t Keep;
    Names Removed;
  } cases[] = {
      {"thirty stay", MinuteBackups(30), kBackupsKept, {}},
      {"the oldest go first", MinuteBackups(32), kBackupsKept, {u"env-20260101-100000.reg", u"env-20260101-100100.reg"}},
      {"other files neither count nor go",
       {u"env-20260101-100000.reg", u"readme.txt", u"ENV-20200101-000000.REG", u"env-20200101-000000.reg.bak",
        u"env-20260101-100100.reg"},
       1,
       {u"env-20260101-100000.reg"}},
      {"a larger suffix is newer",
       {u"env-20260101-100000-10.reg", u"env-20260101-100000-9.reg", u"env-20260101-100000.reg"},
       1,
       {u"env-20260101-100000.reg", u"env-20260101-100000-9.reg"}},
      {"the date counts before the time", {u"env-20260101-000000.reg", u"env-20251231-235959.reg"}, 1,
       {u"env-20251231-235959.reg"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Case);
    EXPECT_EQ(BackupsToRemove(c.Present, c.Keep), c.Removed);
  }
}

}  // namespace
}  // namespace tallowin
