#include "commands/auto_backup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "commands/file_commands.h"
#include "model/backup_names.h"
#include "safety_bench.h"

namespace tallowin {
namespace {

using testing::DialogKind;
using testing::SafetyBench;
using testing::Sz;
using KindList = std::vector<DialogKind>;
using Names = std::vector<std::u16string>;

std::u16string InFolder(std::u16string_view name) {
  return std::u16string(SafetyBench::kBackupFolder) + u"\\" + std::u16string(name);
}

class AutoBackupTest : public ::testing::Test, protected SafetyBench {};

TEST_F(AutoBackupTest, SaveFirstWritesWhatBackupWouldOfTheKeysAsTheyAre) {
  Load();
  registry.Key(RootKey::CurrentUser, kUserSubkey).push_back({u"Meanwhile", Sz(u"m")});
  pickers.Answers = {u"manual.reg"};
  FileBuckupExecute(model, ports);
  dialogs.Shown.clear();
  model.SysList.SetData(model.SysList.FindIgnoringCase(u"OS"), u"edited");

  Save();
  EXPECT_EQ(Kinds(), (KindList{DialogKind::Warn, DialogKind::Inform, DialogKind::ConfirmCancelDefault}));
  EXPECT_EQ(files.NamesIn(kBackupFolder), Names{u"env-20261207-143005.reg"});
  EXPECT_EQ(files.Files[InFolder(u"env-20261207-143005.reg")], files.Files[u"manual.reg"]);
  EXPECT_EQ(registry.Key(RootKey::LocalMachine, kSystemSubkey)[1].second, Sz(u"edited"));
}

TEST(AutoBackupFailure, ABackupThatCannotBeWrittenAsksBeforeAnythingIsWritten) {
  const std::u16string target = InFolder(u"env-20261207-143005.reg");
  const struct {
    const char* Case;
    void (*Break)(SafetyBench&, const std::u16string& target);
    std::u16string_view Description;
  } cases[] = {
      {"no local application data", [](SafetyBench& b, const std::u16string&) { b.environment.Expansions.clear(); },
       u"error 203."},
      {"the folder cannot be made",
       [](SafetyBench& b, const std::u16string&) { b.files.FailingFolders[std::u16string(b.kBackupFolder)] = 5; },
       u"error 5."},
      {"the disk is full", [](SafetyBench& b, const std::u16string& file) { b.files.FailingWrites[file] = 112; },
       u"error 112."},
  };
  for (const auto& c : cases) {
    for (const bool goOn : {false, true}) {
      SCOPED_TRACE(::testing::Message() << c.Case << (goOn ? ", OK" : ", Cancel"));
      SafetyBench b;
      b.Load();
      b.model.UserList.Add(VariableEntry::FromTexts(u"NEW", u"REG_SZ", u"v"));
      c.Break(b, target);
      b.Save({goOn, false});

      ASSERT_GE(b.dialogs.Shown.size(), 2u);
      EXPECT_EQ(b.dialogs.Shown[1].Kind, DialogKind::WarnCancelDefault);
      EXPECT_EQ(b.dialogs.Shown[1].Text, u"自動バックアップを作成できませんでした。\n" + std::u16string(c.Description) +
                                             u"\n書き込みを続けますか？");
      EXPECT_EQ(b.dialogs.Shown[1].TopLeft, (ScreenPoint{180, 170}));
      EXPECT_EQ(b.files.Files.count(target), 0u);
      if (goOn) {
        EXPECT_EQ(b.Kinds(), (KindList{DialogKind::Warn, DialogKind::WarnCancelDefault, DialogKind::Inform,
                                    DialogKind::ConfirmCancelDefault}));
        EXPECT_EQ(b.registry.Key(RootKey::CurrentUser, kUserSubkey).back().first, u"NEW");
      } else {
        // Cancel: nothing written, nothing else reported.
        EXPECT_EQ(b.dialogs.Shown.size(), 2u);
        EXPECT_EQ(b.registry.Writes, 0);
        EXPECT_TRUE(b.broadcast.AtDialog.empty());
      }
    }
  }
}

TEST_F(AutoBackupTest, TheFolderKeepsTheNewestThirtyTheDaysOldestAndWhatElseItHolds) {
  for (int minute = 0; minute < 31; ++minute) files.Files[InFolder(BackupFileName({2026, 12, 7, 13, minute, 0}))] = {1};
  const Names others = {u"notes.txt", u"env-20000101-000000.reg.old", u"ENV-20000101-000000.REG"};
  for (const std::u16string& name : others) files.Files[InFolder(name)] = {2};
  files.Files[InFolder(u"env-20261207-143005.reg")] = {3};  // this very second
  // A backup that cannot be removed stays, and Save goes on.
  files.FailingRemovals[InFolder(u"env-20261207-130100.reg")] = 5;

  Load();
  Save();
  EXPECT_EQ(Kinds(), (KindList{DialogKind::Warn, DialogKind::Inform, DialogKind::ConfirmCancelDefault}));
  EXPECT_EQ(files.Files[InFolder(u"env-20261207-143005.reg")], std::vector<std::uint8_t>{3});
  EXPECT_EQ(files.Files.count(InFolder(u"env-20261207-143005-2.reg")), 1u);
  // 13:00 is the day's first backup.
  EXPECT_EQ(files.Removals, (Names{InFolder(u"env-20261207-130100.reg"), InFolder(u"env-20261207-130200.reg")}));
  const Names kept = files.NamesIn(kBackupFolder);
  EXPECT_EQ(kept.size(), 32u + others.size());
  for (const std::u16string& name : others) EXPECT_EQ(std::count(kept.begin(), kept.end(), name), 1);
}

// The name is taken by creating the file, from one past the highest number
// of its second on: never one another run holds, nor a number set free
// below a later backup's.
TEST(AutoBackupName, TheNewBackupTakesTheNextFreeNumberOfItsSecond) {
  const struct {
    Names Present;
    std::u16string_view Taken;
  } cases[] = {
      // The file system's names ignore case.
      {{u"ENV-20261207-143005.REG", u"env-20261207-143005-2.REG"}, u"env-20261207-143005-3.reg"},
      {{u"env-20261207-143005-2.reg"}, u"env-20261207-143005-3.reg"},
      {{u"env-20261207-143005-9.reg", u"env-20261207-143005-10.reg"}, u"env-20261207-143005-11.reg"},
  };
  for (const auto& c : cases) {
    SafetyBench b;
    b.files.Folders.emplace(SafetyBench::kBackupFolder);
    for (const std::u16string& name : c.Present) b.files.Files[InFolder(name)] = {2};
    ASSERT_TRUE(WriteAutomaticBackup(b.ports).Succeeded);
    Names expected = c.Present;
    expected.emplace_back(c.Taken);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(b.files.NamesIn(SafetyBench::kBackupFolder), expected);
  }
}

// A script's runs, many in one second: the backup of the run before is never
// the one a run removes, and the state before the first run stays all day.
TEST_F(AutoBackupTest, RunsInOneSecondNeverRemoveTheBackupOfTheRunBefore) {
  files.Folders.emplace(kBackupFolder);
  files.Files[InFolder(u"env-20261207-090000.reg")] = {1};  // this morning
  std::u16string previous;
  for (int run = 0; run < 70; ++run) {
    const Names before = files.NamesIn(kBackupFolder);
    ASSERT_TRUE(WriteAutomaticBackup(ports).Succeeded);
    const Names after = files.NamesIn(kBackupFolder);
    ASSERT_LE(after.size(), kBackupsKept + 1);
    EXPECT_EQ(after.front(), u"env-20261207-090000.reg");
    if (!previous.empty()) {
      EXPECT_EQ(std::count(after.begin(), after.end(), previous), 1) << run;
    }
    Names added;
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
    ASSERT_EQ(added.size(), 1u);
    previous = added[0];
  }
}

// Another run wrote its backup at a later second of the clock just before
// this run listed the folder: it is this run's newest other backup, not one
// from the future.
TEST_F(AutoBackupTest, ABackupAnotherRunWroteJustBeforeTheListingStays) {
  for (int minute = 0; minute < 31; ++minute) files.Files[InFolder(BackupFileName({2026, 12, 7, 13, minute, 0}))] = {1};
  files.BeforeListing = [this] {
    files.Files[InFolder(u"env-20261207-143006.reg")] = {2};
    system.Now.Second = 6;
  };
  ASSERT_TRUE(WriteAutomaticBackup(ports).Succeeded);
  EXPECT_EQ(files.Files.count(InFolder(u"env-20261207-143006.reg")), 1u);
  EXPECT_EQ(files.Files.count(InFolder(u"env-20261207-143006-2.reg")), 1u);
  EXPECT_EQ(files.Removals, (Names{InFolder(u"env-20261207-130100.reg"), InFolder(u"env-20261207-130200.reg")}));
}

// The clock was set back since thirty backups were written: their names and
// last writes lie after now. They go first, one with each backup written, so
// every backup written since stays.
TEST_F(AutoBackupTest, BackupsFromTheFutureGoBeforeAnyWrittenSince) {
  for (int minute = 0; minute < 30; ++minute) {
    const LocalTime later{2026, 12, 8, 10, minute, 0};
    const std::u16string path = InFolder(BackupFileName(later));
    files.Files[path] = {1};
    files.WriteTimes[path] = later;
  }
  Load();
  Save();
  system.Now.Minute = 31;
  Save();
  EXPECT_EQ(files.Files.count(InFolder(u"env-20261207-143005.reg")), 1u);
  EXPECT_EQ(files.Files.count(InFolder(u"env-20261207-143105.reg")), 1u);
  EXPECT_EQ(files.Removals, (Names{InFolder(u"env-20261208-100000.reg"), InFolder(u"env-20261208-100100.reg")}));
}

}  // namespace
}  // namespace tallowin
