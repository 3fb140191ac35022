#include "commands/review_commands.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "commands/file_commands.h"
#include "commands/outside_change_commands.h"
#include "regfile/reg_file.h"
#include "safety_bench.h"

namespace tallowin {
namespace {

using testing::DialogKind;
using testing::Sz;
using Names = std::vector<std::u16string>;

class ReviewTest : public ::testing::Test, protected testing::SafetyBench {
 protected:
  std::vector<ReviewRow> Review() {
    return ReviewChangesExecute(model, ports).value_or(std::vector<ReviewRow>{});
  }

  // Each row as "key name change", with "[ ]" or "[x]" when it can be checked.
  Names Shown() {
    Names shown;
    for (const ReviewRow& row : Review()) {
      const auto texts = ReviewColumnTexts(row);
      shown.push_back(texts[0] + u" " + texts[1] + u" " + texts[2] +
                      (row.Deletable ? (row.DeleteOnSave ? u" [x]" : u" [ ]") : u""));
    }
    return shown;
  }

  void Check(KeyScope scope, std::u16string_view name, bool checked = true) {
    for (const ReviewRow& row : Review()) {
      if (row.Scope == scope && row.Name == name) SetDeleteOnSave(model, row, checked);
    }
  }

  void DeleteRow(EditList& list, std::u16string_view name) { list.Delete(list.FindIgnoringCase(name)); }

  Names KeyNames(RootKey root) {
    Names names;
    for (const auto& [name, value] : registry.Key(root, root == RootKey::LocalMachine ? kSystemSubkey : kUserSubkey)) {
      names.push_back(name);
    }
    return names;
  }

  void ImportSystemSection() {
    files.Files[u"system.reg"] = regfile::EncodeFile(
        {u"Windows Registry Editor Version 5.00", u"",
         u"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment]",
         u"\"OS\"=\"Windows_NT\""});
    pickers.Answers = {u"system.reg"};
    FileImportExecute(model, ports);
  }
};

TEST_F(ReviewTest, ReadsTheKeysAfreshAndOnlyWhatTheUserTookOutIsDeletable) {
  Load();
  EXPECT_TRUE(Review().empty());
  registry.Key(RootKey::LocalMachine, kSystemSubkey)[1].second = Sz(u"Other");  // changed by someone else
  registry.Key(RootKey::CurrentUser, kUserSubkey).push_back({u"Foreign", Sz(u"f")});
  DeleteRow(model.SysList, u"OLD");
  DeleteRow(model.SysList, u"Path");
  model.UserList.SetName(model.UserList.FindIgnoringCase(u"Tool"), u"Tool2");
  EXPECT_EQ(Shown(), (Names{u"システム OS 変更", u"システム Path 残ります", u"システム OLD 残ります [ ]",
                            u"ユーザー Tool2 追加", u"ユーザー Tool 残ります [ ]", u"ユーザー Foreign 残ります"}));

  // What an Import of the system section left out was not taken out by the user.
  Check(KeyScope::User, u"Tool");
  ImportSystemSection();
  EXPECT_TRUE(model.DeleteOnSave.empty());
  // The file gives the System list an OS and, without a Path of its own, a Path of the items shown.
  EXPECT_EQ(Shown(), (Names{u"システム OS 変更", u"システム Path 変更", u"システム OLD 残ります",
                            u"ユーザー Tool2 追加", u"ユーザー Tool 残ります [ ]", u"ユーザー Foreign 残ります"}));

  registry.ReadFailsAfter[{RootKey::CurrentUser, std::u16string(kUserSubkey)}] = 0;
  dialogs.Shown.clear();
  EXPECT_FALSE(ReviewChangesExecute(model, ports).has_value());
  ASSERT_EQ(dialogs.Shown.size(), 1u);
  EXPECT_EQ(dialogs.Shown[0].Text, u"レジストリからの環境変数の読み込みに失敗しました。\nerror 5.\r\n");
}

TEST_F(ReviewTest, SaveDeletesExactlyTheCheckedValuesAfterWriting) {
  Load();
  DeleteRow(model.SysList, u"OLD");
  DeleteRow(model.UserList, u"Tool");
  DeleteRow(model.UserList, u"TEMP");
  Check(KeyScope::System, u"OLD");
  Check(KeyScope::User, u"TEMP");
  Check(KeyScope::User, u"Tool");
  Check(KeyScope::User, u"Tool", false);
  EXPECT_EQ(model.DeleteOnSave, (std::vector<ScopedName>{{KeyScope::System, u"OLD"}, {KeyScope::User, u"TEMP"}}));

  registry.UndeletableNames = {u"TEMP"};
  Save();
  EXPECT_EQ(Kinds(), (std::vector<DialogKind>{DialogKind::Warn, DialogKind::Inform}));
  EXPECT_EQ(dialogs.Shown[1].Text, u"レジストリへ環境変数の書き込みに失敗しました。\nerror 5.\r\n");
  EXPECT_TRUE(broadcast.AtDialog.empty());

  registry.UndeletableNames.clear();
  dialogs.Shown.clear();
  Save();
  EXPECT_EQ(KeyNames(RootKey::LocalMachine), (Names{u"Path", u"OS"}));
  EXPECT_EQ(KeyNames(RootKey::CurrentUser), Names{u"Tool"});
  EXPECT_TRUE(model.DeleteOnSave.empty());
  // Save's own report; the deletions come before programs hear of the change.
  EXPECT_EQ(Kinds(), (std::vector<DialogKind>{DialogKind::Warn, DialogKind::Inform, DialogKind::ConfirmCancelDefault}));
  EXPECT_EQ(broadcast.AtDialog, std::vector<std::size_t>{1});

  // The keys now hold what was written: a value added and saved, then taken
  // out again, can be deleted like one that was read.
  model.UserList.Add(VariableEntry::FromTexts(u"New", u"REG_SZ", u"n"));
  Save();
  DeleteRow(model.UserList, u"New");
  EXPECT_EQ(Shown(), (Names{u"ユーザー Tool 残ります [ ]", u"ユーザー New 残ります [ ]"}));
}

// A name in both keys, taken out of both lists and ticked in one: Save's
// deletion is no other program's change, the other key's value stays
// deletable, and a value another program makes under the deleted name
// afterwards was not read, so it is not offered for deletion.
TEST_F(ReviewTest, SavesOwnDeletionIsNoOutsideChangeAndTouchesOneKey) {
  registry.Key(RootKey::LocalMachine, kSystemSubkey).push_back({u"Both", Sz(u"s")});
  registry.Key(RootKey::CurrentUser, kUserSubkey).push_back({u"Both", Sz(u"u")});
  Load();
  DeleteRow(model.SysList, u"Both");
  DeleteRow(model.UserList, u"Both");
  Check(KeyScope::System, u"Both");
  Save();
  EXPECT_FALSE(KeysChangedOutside(model, ports));
  EXPECT_EQ(Shown(), Names{u"ユーザー Both 残ります [ ]"});
  registry.Key(RootKey::LocalMachine, kSystemSubkey).push_back({u"BOTH", Sz(u"again")});
  EXPECT_EQ(Shown(), (Names{u"システム BOTH 残ります", u"ユーザー Both 残ります [ ]"}));
}

TEST_F(ReviewTest, AValuePutBackOrAFreshLoadOrImportUndoesTheMark) {
  // LoadAndDeleteAgain: a mark that outlived the Load would delete the
  // value once the row is deleted again without a new tick.
  enum class After { PutBack, Load, Import, LoadAndDeleteAgain };
  for (const After after : {After::PutBack, After::Load, After::Import, After::LoadAndDeleteAgain}) {
    SCOPED_TRACE(static_cast<int>(after));
    Load();
    DeleteRow(model.SysList, u"OLD");
    Check(KeyScope::System, u"OLD");
    ASSERT_EQ(model.DeleteOnSave.size(), 1u);
    if (after == After::PutBack) model.SysList.Add(VariableEntry::FromTexts(u"old", u"REG_SZ", u"old"));
    if (after == After::Load || after == After::LoadAndDeleteAgain) Load();
    if (after == After::LoadAndDeleteAgain) DeleteRow(model.SysList, u"OLD");
    if (after == After::Import) ImportSystemSection();
    Save();
    EXPECT_TRUE(registry.Deleted.empty());
  }
}

}  // namespace
}  // namespace tallowin
