#include "commands/restore_commands.h"

#include <gtest/gtest.h>

#include "commands/auto_backup.h"
#include "commands/edit_history.h"
#include "commands/key_values.h"
#include "commands/outside_change_commands.h"
#include "commands/review_commands.h"
#include "regfile/reg_file.h"
#include "safety_bench.h"

namespace tallowin {
namespace {

using testing::Sz;
using Names = std::vector<std::u16string>;

class RestoreTest : public ::testing::Test, protected testing::SafetyBench {
 protected:
  Names Listed() {
    Names names;
    for (const FileEntry& file : ListAutomaticBackups(ports).Backups) names.push_back(file.Name);
    return names;
  }
  void PutBackup(std::u16string name, LocalTime written) {
    const std::u16string path = std::u16string(kBackupFolder) + u"\\" + name;
    files.Files[path] = {1, 2, 3};
    files.WriteTimes[path] = written;
  }
};

TEST_F(RestoreTest, ListsTheBackupFolderNewestFirst) {
  EXPECT_EQ(Listed(), Names{}) << "no folder yet";
  files.Folders.emplace(kBackupFolder);
  EXPECT_EQ(Listed(), Names{});
  PutBackup(u"env-20261201-090000.reg", {2026, 12, 1, 9, 0, 0});
  PutBackup(u"env-20261207-143005.reg", {2026, 12, 7, 14, 30, 5});
  PutBackup(u"env-20261207-143005-2.reg", {2026, 12, 7, 14, 30, 5});
  // A clock set back: the last write decides, not the name.
  PutBackup(u"env-20300101-000000.reg", {2026, 11, 30, 23, 59, 59});
  EXPECT_EQ(Listed(), (Names{u"env-20261207-143005.reg", u"env-20261207-143005-2.reg", u"env-20261201-090000.reg",
                             u"env-20300101-000000.reg"}));
  environment.Expansions.clear();
  EXPECT_EQ(Listed(), Names{}) << "no local application data folder";
  EXPECT_TRUE(dialogs.Shown.empty());
}

TEST(RestoreTexts, TimeAndSizeAsTheListShowsThem) {
  EXPECT_EQ(BackupTimeText({2026, 1, 7, 4, 3, 9}), u"2026/01/07 04:03:09");
  const std::pair<std::uint64_t, std::u16string_view> sizes[] = {
      {0, u"0 バイト"}, {999, u"999 バイト"}, {1000, u"1,000 バイト"}, {1234567, u"1,234,567 バイト"}};
  for (const auto& [bytes, text] : sizes) EXPECT_EQ(BackupSizeText(bytes), text);
}

// After a restore the review offers to delete what the keys gained since
// the backup, and a Save with those ticked brings the keys back whole.
TEST_F(RestoreTest, RestoreAndSaveBringTheKeysBackToTheBackup) {
  Load();
  ASSERT_TRUE(WriteAutomaticBackup(ports).Succeeded);
  const auto systemThen = registry.Key(RootKey::LocalMachine, kSystemSubkey);
  const auto userThen = registry.Key(RootKey::CurrentUser, kUserSubkey);
  registry.Key(RootKey::LocalMachine, kSystemSubkey)[1].second = Sz(u"changed");
  registry.Key(RootKey::LocalMachine, kSystemSubkey).push_back({u"GAINED", Sz(u"g")});
  registry.Key(RootKey::CurrentUser, kUserSubkey).push_back({u"LATER", Sz(u"l")});

  ASSERT_EQ(Listed().size(), 1u);
  ASSERT_TRUE(RestoreAutomaticBackup(model, ports, std::u16string(kBackupFolder) + u"\\" + Listed()[0]));
  EXPECT_TRUE(dialogs.Shown.empty()) << "no report besides the review";
  Names shown;
  const std::vector<ReviewRow> rows = ReviewChangesExecute(model, ports).value_or(std::vector<ReviewRow>{});
  for (const ReviewRow& row : rows) {
    shown.push_back(row.Name + (row.Deletable ? u" [ ]" : u""));
    SetDeleteOnSave(model, row, true);
  }
  EXPECT_EQ(shown, (Names{u"OS", u"GAINED [ ]", u"LATER [ ]"}));

  Save();
  EXPECT_EQ(registry.Key(RootKey::LocalMachine, kSystemSubkey), systemThen);
  EXPECT_EQ(registry.Key(RootKey::CurrentUser, kUserSubkey), userThen);
}

// A restore moves what the keys are known to hold, for the keys its file
// holds a section of, and its undo moves that back: Save then asks about a
// value another program changed since Load as about any other. A restore
// whose key cannot be read changes nothing, and says so.
TEST_F(RestoreTest, ARestoreMovesWhatTheKeysAreKnownToHoldAndItsUndoMovesItBack) {
  using Kind = OutsideChangeKind;
  const OutsideChange os{KeyScope::System, u"OS", Kind::Changed, false};
  const OutsideChange tool{KeyScope::User, u"Tool", Kind::Changed, false};
  const struct {
    const char* What;
    bool System, User;  // the sections of the file
    std::optional<KeyScope> Unreadable;
    bool Undone;
    std::vector<std::vector<OutsideChange>> Asked;
  } cases[] = {
      {"both sections", true, true, std::nullopt, false, {}},
      {"the system section only", true, false, std::nullopt, false, {{tool}}},
      {"the user section only", false, true, std::nullopt, false, {{os}}},
      {"undone", true, true, std::nullopt, true, {{os, tool}}},
      {"the system key unreadable", true, true, KeyScope::System, false, {{os, tool}}},
      {"the user key unreadable", true, true, KeyScope::User, false, {{os, tool}}},
  };
  const auto atLoad = registry.Keys;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    registry.Keys = atLoad;
    Load();
    std::vector<std::u16string> lines[2];
    for (const auto& [name, value] : registry.Key(RootKey::LocalMachine, kSystemSubkey)) {
      if (c.System) lines[0].push_back(regfile::MakeValueLine(name, value));
    }
    for (const auto& [name, value] : registry.Key(RootKey::CurrentUser, kUserSubkey)) {
      if (c.User) lines[1].push_back(regfile::MakeValueLine(name, value));
    }
    std::vector<std::u16string> file = regfile::MakeFileLines(lines[0], lines[1]);
    if (!c.System) std::erase(file, regfile::MakeKeyLine(RootKey::LocalMachine, kSystemSubkey));
    if (!c.User) std::erase(file, regfile::MakeKeyLine(RootKey::CurrentUser, kUserSubkey));
    files.Files[u"backup.reg"] = regfile::EncodeFile(file);
    registry.Key(RootKey::LocalMachine, kSystemSubkey)[1].second = Sz(u"other");  // OS
    registry.Key(RootKey::CurrentUser, kUserSubkey)[1].second = Sz(u"other");     // Tool
    if (c.Unreadable) {
      const KeyPlace place = PlaceOf(*c.Unreadable);
      registry.ReadFailsAfter[{place.Root, std::u16string(place.Subkey)}] = 0;
    }

    dialogs.Shown.clear();
    EditHistory history;
    const bool restored = RunRecorded(model, history, EditStep::Restore,
                                      [&] { return RestoreAutomaticBackup(model, ports, u"backup.reg"); });
    EXPECT_EQ(restored, !c.Unreadable);
    if (c.Unreadable) {
      ASSERT_EQ(dialogs.Shown.size(), 1u);
      EXPECT_EQ(dialogs.Shown[0].Text, u"レジストリからの環境変数の読み込みに失敗しました。\nerror 5.\r\n");
    }
    if (c.Undone) history.Undo(model);
    registry.ReadFailsAfter.clear();
    testing::ScriptedOutsideChanges outside(OutsideChangeAnswer::KeepOthers);
    ports.OutsideChanges = &outside;
    Save();
    ports.OutsideChanges = nullptr;
    EXPECT_EQ(outside.Asked, c.Asked);
  }
}

}  // namespace
}  // namespace tallowin
