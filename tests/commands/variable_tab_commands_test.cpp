#include "commands/variable_tab_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editing_bench.h"

namespace tallowin {
namespace {

using testing::Rows;

// The refusal texts as the user reads them.
const std::u16string kPathGuardText = u"ここで\"Path\"に対する操作はできません。";
const std::u16string kDuplicateText = u"キー名が重複しています。";
const std::u16string kTypeText = u"\nREG_SZ、REG_EXPAND_SZ以外は設定できません。";
const std::u16string kForbiddenText = u"変数名に'='や制御文字は使用できません。";

// The owner window's top-left is (100, 50): refusals stand at y 180, the
// Path guard at x 230, a refused name alone at x 260, anything with the
// type line at x 180.
constexpr ScreenPoint kAtGuard{230, 180};
constexpr ScreenPoint kAtName{260, 180};
constexpr ScreenPoint kAtType{180, 180};

class VariableTabTest : public ::testing::Test, protected testing::EditingBench {
 protected:
  VariableFields& FieldsOf(Tab tab) { return tab == Tab::System ? state.SysFields : state.UserFields; }

  void ExpectMessage(const std::u16string& text, ScreenPoint at) {
    ASSERT_EQ(dialogs.Shown.size(), 1u);
    EXPECT_EQ(dialogs.Shown[0].Text, text);
    EXPECT_EQ(dialogs.Shown[0].TopLeft, at);
  }
};

struct FieldCase {
  const char* What;
  Tab On;
  std::u16string Selected;
  VariableFields Fields;
  std::u16string Message;  // empty: accepted, no message
  ScreenPoint At;
};

TEST_F(VariableTabTest, AddChecksNameAndType) {
  const FieldCase cases[] = {
      {"new name", Tab::System, u"TEMP", {u"NEW", u"REG_SZ", u"n"}, u"", {}},
      {"no row selected", Tab::User, u"", {u"FIRST", u"REG_SZ", u"f"}, u"", {}},
      {"no row selected, duplicate", Tab::User, u"", {u"TMP", u"REG_SZ", u""}, kDuplicateText, kAtName},
      {"PATH is Path to the registry", Tab::System, u"TEMP", {u"PATH", u"REG_EXPAND_SZ", u"p"}, kDuplicateText, kAtName},
      {"Path on the user tab", Tab::User, u"tmp", {u"Path", u"REG_EXPAND_SZ", u"p"}, u"", {}},
      {"duplicate", Tab::System, u"TEMP", {u"Path", u"REG_SZ", u""}, kDuplicateText, kAtName},
      {"type", Tab::User, u"tmp", {u"NEW", u"REG_DWORD", u"1"}, kTypeText, kAtType},
      {"no type chosen", Tab::User, u"tmp", {u"NEW", u"", u"1"}, kTypeText, kAtType},
      {"duplicate and type", Tab::User, u"tmp", {u"TEMP", u"REG_BINARY", u""}, kDuplicateText + kTypeText, kAtType},
      {"'=' in the name", Tab::System, u"OS", {u"A=B", u"REG_SZ", u""}, kForbiddenText, kAtName},
      {"tab in the name", Tab::User, u"TEMP", {u"A\tB", u"REG_SZ", u""}, kForbiddenText, kAtName},
      {"'=' and type", Tab::User, u"TEMP", {u"=C:", u"REG_DWORD", u""}, kForbiddenText + kTypeText, kAtType},
  };
  for (const FieldCase& c : cases) {
    SCOPED_TRACE(c.What);
    Show(c.On, c.Selected);
    dialogs.Shown.clear();
    FieldsOf(c.On) = c.Fields;
    const std::vector<std::u16string> before = Rows(ListOf(c.On));
    EditAddBtnExecute(model, state, ports);

    const std::vector<std::u16string> after = Rows(ListOf(c.On));
    if (c.Message.empty()) {
      EXPECT_TRUE(dialogs.Shown.empty());
      const std::u16string added = c.Fields.Name + u"=" + c.Fields.TypeName + u":" + c.Fields.Data;
      EXPECT_EQ(std::count(after.begin(), after.end(), added), 1);
      EXPECT_EQ(after.size(), before.size() + 1);
      EXPECT_TRUE(std::is_sorted(after.begin(), after.end(), [](const auto& a, const auto& b) {
        return CompareNames(a.substr(0, a.find(u'=')), b.substr(0, b.find(u'='))) < 0;
      }));
    } else {
      ExpectMessage(c.Message, c.At);
      EXPECT_EQ(after, before);
    }
    // The selection stays on the entry selected before; the count follows.
    EXPECT_EQ(SelectedName(c.On), c.Selected.empty() ? u"(none)" : c.Selected);
    EXPECT_EQ(model.CountText, ItemCountText(ListOf(c.On).Count()));
  }
}

// An empty name equals the new row's own empty name: the row is not sorted
// and stays where the selected entry was.
TEST_F(VariableTabTest, AddWithEmptyNameStaysAtTheSelectedPlace) {
  Show(Tab::System, u"TEMP");
  const int at = model.SysList.Selected();
  state.SysFields = {u"", u"REG_SZ", u"x"};
  EditAddBtnExecute(model, state, ports);
  EXPECT_EQ(model.SysList.At(at).Name, u"");
  EXPECT_EQ(model.SysList.At(at + 1).Name, u"TEMP");
  EXPECT_EQ(SelectedName(Tab::System), u"TEMP");
}

TEST_F(VariableTabTest, ReplaceChecksGuardTypeAndOtherRowsNames) {
  const FieldCase cases[] = {
      {"Path entry on the system tab", Tab::System, u"Path", {u"X", u"REG_SZ", u""}, kPathGuardText, kAtGuard},
      {"Path entry, bad type too", Tab::System, u"Path", {u"X", u"REG_NONE", u""}, kPathGuardText, kAtGuard},
      {"type", Tab::System, u"OS", {u"OS", u"REG_QWORD", u""}, kTypeText, kAtType},
      {"'=' in the name", Tab::User, u"tmp", {u"tmp=", u"REG_SZ", u"V"}, kForbiddenText, kAtName},
      {"control character", Tab::User, u"tmp", {u"t\x7Fmp", u"REG_SZ", u"V"}, kForbiddenText, kAtName},
      {"renamed to another entry's name", Tab::System, u"OS", {u"TEMP", u"REG_SZ", u"dup"}, kDuplicateText, kAtName},
      {"another entry's name in another case", Tab::System, u"OS", {u"temp", u"REG_SZ", u"dup"}, kDuplicateText, kAtName},
      {"its own name in another case", Tab::User, u"tmp", {u"TMP", u"REG_SZ", u"V"}, u"", {}},
      {"unchanged fields", Tab::User, u"tmp", {u"tmp", u"REG_SZ", u"V"}, u"", {}},
      {"an entry named Path on the user tab", Tab::User, u"TEMP", {u"Path", u"REG_SZ", u"P"}, u"", {}},
  };
  for (const FieldCase& c : cases) {
    SCOPED_TRACE(c.What);
    Show(c.On, c.Selected);
    dialogs.Shown.clear();
    FieldsOf(c.On) = c.Fields;
    const std::vector<std::u16string> before = Rows(ListOf(c.On));
    EditReplaseBtnExecute(model, state, ports);

    if (c.Message.empty()) {
      EXPECT_TRUE(dialogs.Shown.empty());
      // The replaced entry stays selected wherever its name sorted it.
      const VariableEntry& replaced = ListOf(c.On).At(ListOf(c.On).Selected());
      EXPECT_EQ(replaced.Name, c.Fields.Name);
      EXPECT_EQ(replaced.TypeName(), c.Fields.TypeName);
      EXPECT_EQ(replaced.Data(), c.Fields.Data);
      EXPECT_EQ(ListOf(c.On).Count(), static_cast<int>(before.size()));
    } else {
      ExpectMessage(c.Message, c.At);
      EXPECT_EQ(Rows(ListOf(c.On)), before);
      EXPECT_EQ(SelectedName(c.On), c.Selected);
    }
  }
  EXPECT_EQ(Rows(model.SysList), (std::vector<std::u16string>{u"OS=REG_SZ:Windows_NT", u"Path=REG_EXPAND_SZ:C:\\A;C:\\B;C:\\C;",
                                                              u"TEMP=REG_EXPAND_SZ:T"}));
}

TEST_F(VariableTabTest, DeleteAndCutNeverTakeThePathEntry) {
  Show(Tab::System, u"Path");
  EditDeleteBtnExecute(model, state, ports);
  ExpectMessage(kPathGuardText, kAtGuard);
  dialogs.Shown.clear();
  EditCutExecute(model, state, ports);
  ExpectMessage(kPathGuardText, kAtGuard);
  EXPECT_EQ(model.SysList.Count(), 3);
  EXPECT_FALSE(state.ClipItem.IsSet);

  // The row linked as the Path entry is guarded whatever the case of its
  // name (Wine's machine key says PATH): Replace and Paste would otherwise
  // give it another variable's name while the Path tab goes on writing its
  // items into it, and the typed data would be lost. An unlinked PATH row
  // has no guard.
  const int row = model.SysList.Add(VariableEntry::FromTexts(u"PATH", u"REG_SZ", u"x"));
  model.LinkPathEntry(row);
  Show(Tab::System, u"");
  model.SysList.Select(model.SysList.IndexOf(*model.PathEntry));
  state.SysFields = {u"OTHER", u"REG_SZ", u"typed"};
  state.ClipItem.SetValues(u"OTHER", u"REG_SZ", u"clip", CI_ALL_FIELDS);
  for (const auto command : {EditDeleteExecute, EditCutExecute, EditReplaseBtnExecute, EditPasteExecute}) {
    dialogs.Shown.clear();
    command(model, state, ports);
    ExpectMessage(kPathGuardText, kAtGuard);
  }
  EXPECT_EQ(model.SysList.At(model.PathEntryIndex()).Name, u"PATH");
  model.PathEntry.reset();
  dialogs.Shown.clear();
  EditDeleteExecute(model, state, ports);
  EXPECT_TRUE(dialogs.Shown.empty());
  EXPECT_EQ(model.SysList.Count(), 3);
  EXPECT_EQ(model.SysList.Selected(), -1);
  EXPECT_EQ(model.CountText, u"3 項目");

  Show(Tab::User, u"TEMP");
  EditCutExecute(model, state, ports);
  EXPECT_EQ(Rows(model.UserList), std::vector<std::u16string>{u"tmp=REG_SZ:V"});
  EXPECT_EQ(state.ClipItem.Name, u"TEMP");
  EXPECT_EQ(model.UserList.Selected(), -1);
  EXPECT_EQ(model.CountText, u"1 項目");
}

TEST_F(VariableTabTest, PasteOverwritesTheSelectedEntry) {
  struct Case {
    const char* What;
    Tab CopyOn;
    std::u16string Copied;
    Tab PasteOn;
    std::u16string Target;
    std::u16string Message;  // empty: accepted
    ScreenPoint At;
  };
  const Case cases[] = {
      {"onto itself", Tab::System, u"OS", Tab::System, u"OS", u"", {}},
      {"another entry's name", Tab::System, u"OS", Tab::System, u"TEMP", kDuplicateText, kAtName},
      {"over the Path entry", Tab::User, u"tmp", Tab::System, u"Path", kPathGuardText, kAtGuard},
      {"Path entry to the user tab", Tab::System, u"Path", Tab::User, u"tmp", u"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    Show(c.CopyOn, c.Copied);
    EditCopyExecute(model, state, ports);
    const VariableEntry copied = ListOf(c.CopyOn).At(ListOf(c.CopyOn).Selected());
    Show(c.PasteOn, c.Target);
    const std::vector<std::u16string> before = Rows(ListOf(c.PasteOn));
    dialogs.Shown.clear();
    EditPasteExecute(model, state, ports);
    if (c.Message.empty()) {
      EXPECT_TRUE(dialogs.Shown.empty());
      const VariableEntry& pasted = ListOf(c.PasteOn).At(ListOf(c.PasteOn).Selected());
      EXPECT_EQ(pasted.Name, copied.Name);
      EXPECT_EQ(pasted.Data(), copied.Data());
      EXPECT_EQ(ListOf(c.PasteOn).Count(), static_cast<int>(before.size()));
    } else {
      ExpectMessage(c.Message, c.At);
      EXPECT_EQ(Rows(ListOf(c.PasteOn)), before);
    }
  }
  EXPECT_EQ(Rows(model.UserList),
            (std::vector<std::u16string>{u"Path=REG_EXPAND_SZ:C:\\A;C:\\B;C:\\C;", u"TEMP=REG_EXPAND_SZ:U"}));
}

// A file can bring in a name Windows cannot use; it can be copied, but not
// pasted anywhere.
TEST_F(VariableTabTest, PasteRefusesAForbiddenName) {
  model.UserList.Add(VariableEntry::FromTexts(u"=C:", u"REG_SZ", u"C:\\"));
  Show(Tab::User, u"=C:");
  EditCopyExecute(model, state, ports);
  Show(Tab::User, u"tmp");
  EditPasteExecute(model, state, ports);
  ExpectMessage(kForbiddenText, kAtName);
  EXPECT_EQ(model.UserList.Count(), 3);
  EXPECT_EQ(SelectedName(Tab::User), u"tmp");
}

// Shortcuts reach the commands whatever is enabled: without a selected
// entry, or before anything was cut or copied, they do nothing at all (Add
// needs no row).
TEST_F(VariableTabTest, NothingSelectedOrNothingCopiedDoesNothing) {
  using Command = CommandOutcome (*)(MainModel&, EditorState&, const CommandPorts&);
  const Command commands[] = {EditReplaseBtnExecute, EditDeleteExecute, EditCutExecute, EditCopyExecute,
                              EditPasteExecute};
  state.SysFields = {u"NEW", u"REG_SZ", u""};
  state.UserFields = {u"NEW", u"REG_SZ", u""};
  for (const Tab tab : {Tab::System, Tab::User}) {
    Show(tab, u"");
    model.CountText = u"unchanged";
    for (const Command command : commands) command(model, state, ports);
    Show(tab, u"TEMP");
    model.CountText = u"unchanged";
    EditPasteExecute(model, state, ports);
  }
  EXPECT_TRUE(dialogs.Shown.empty());
  EXPECT_EQ(model.CountText, u"unchanged");
  EXPECT_EQ(model.SysList.Count(), 3);
  EXPECT_EQ(model.UserList.Count(), 2);
  EXPECT_FALSE(state.ClipItem.IsSet);
}

TEST(VariableFieldsTest, FillTakesOnlyAnExactTypeName) {
  VariableFields fields{u"old", u"REG_SZ", u"old"};
  FillFieldsFromEntry(fields, VariableEntry::FromTexts(u"A", u"REG_EXPAND_SZ", u"a"));
  EXPECT_EQ(fields.TypeName, u"REG_EXPAND_SZ");
  FillFieldsFromEntry(fields, VariableEntry::FromTexts(u"B", u"reg_sz", u"b"));
  EXPECT_EQ(fields.Name, u"B");
  EXPECT_EQ(fields.TypeName, u"REG_EXPAND_SZ");
  EXPECT_EQ(fields.Data, u"b");
}

}  // namespace
}  // namespace tallowin
