#include "commands/outside_change_commands.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "commands/review_commands.h"
#include "safety_bench.h"

namespace tallowin {
namespace {

using testing::Sz;
using Text = std::optional<std::u16string>;  // a value's data, or none

class OutsideChangeTest : public ::testing::Test, protected testing::SafetyBench {
 protected:
  // The user key's value X: its data, or none.
  Text KeyValue() {
    for (const auto& [name, value] : registry.Key(RootKey::CurrentUser, kUserSubkey)) {
      if (name == u"X") return DataTextOf(value);
    }
    return std::nullopt;
  }
  void SetKeyValue(const Text& data) {
    auto& key = registry.Key(RootKey::CurrentUser, kUserSubkey);
    std::erase_if(key, [](const auto& value) { return value.first == u"X"; });
    if (data) key.emplace_back(u"X", Sz(*data));
  }
};

// The key at Load, what another program left there, what the window's row
// would write, and what each answer leaves in the key; a second Save asks
// again only about a change that the first one kept.
TEST_F(OutsideChangeTest, SaveKeepsOtherProgramsChangesToValuesTheUserDidNotEdit) {
  using Kind = OutsideChangeKind;
  struct Case {
    const char* What;
    Text AtLoad, Outside, Row;
    std::optional<Kind> Asked;  // none: Save asks nothing
    bool Edited;
    Text Kept, Overwritten;
    bool Ticked = false;  // the window has no row X, and X is ticked for deletion
  };
  const Case cases[] = {
      {"untouched", u"a", u"a", u"a", std::nullopt, false, u"a", u"a"},
      {"changed outside", u"a", u"b", u"a", Kind::Changed, false, u"b", u"a"},
      {"deleted outside", u"a", std::nullopt, u"a", Kind::Deleted, false, std::nullopt, u"a"},
      {"added on both sides", std::nullopt, u"b", u"c", Kind::Added, true, u"c", u"c"},
      {"changed on both sides", u"a", u"b", u"c", Kind::Changed, true, u"c", u"c"},
      {"changed alike on both sides", u"a", u"b", u"b", std::nullopt, true, u"b", u"b"},
      {"edited in the window", u"a", u"a", u"c", std::nullopt, true, u"c", u"c"},
      {"added outside, no row", std::nullopt, u"b", std::nullopt, std::nullopt, false, u"b", u"b"},
      {"added in the window only", std::nullopt, std::nullopt, u"c", std::nullopt, true, u"c", u"c"},
      // Deleting is an edit like any other.
      {"ticked, changed outside", u"a", u"b", std::nullopt, Kind::Changed, true, std::nullopt, std::nullopt, true},
      {"ticked, deleted outside", u"a", std::nullopt, std::nullopt, std::nullopt, false, std::nullopt, std::nullopt,
       true},
      {"ticked, untouched", u"a", u"a", std::nullopt, std::nullopt, false, std::nullopt, std::nullopt, true},
  };
  for (const Case& c : cases) {
    for (const auto answer : {OutsideChangeAnswer::KeepOthers, OutsideChangeAnswer::Overwrite,
                              OutsideChangeAnswer::Cancel}) {
      SCOPED_TRACE(::testing::Message() << c.What << ", answer " << static_cast<int>(answer));
      SetKeyValue(c.AtLoad);
      Load();
      model.UserList.Clear();  // the window's row X: none, or showing c.Row
      if (c.Row) model.UserList.Add(VariableEntry::FromTexts(u"X", u"REG_SZ", *c.Row));
      if (c.Ticked) SetDeleteOnSave(model, {KeyScope::User, u"X", ReviewKind::Remains, false, {}, {}, true}, true);
      SetKeyValue(c.Outside);
      EXPECT_EQ(KeysChangedOutside(model, ports), c.AtLoad != c.Outside);
      testing::ScriptedOutsideChanges outside(answer);
      ports.OutsideChanges = &outside;
      Save();
      std::vector<std::vector<OutsideChange>> asked;
      if (c.Asked) asked.push_back({{KeyScope::User, u"X", *c.Asked, c.Edited}});
      EXPECT_EQ(outside.Asked, asked);
      const bool cancelled = c.Asked && answer == OutsideChangeAnswer::Cancel;
      EXPECT_EQ(KeyValue(), cancelled ? c.Outside : answer == OutsideChangeAnswer::Overwrite ? c.Overwritten : c.Kept);
      // Marked: the user's edit kept beside other programs' changes, or any
      // row written over one.
      const bool conflict = c.Row && c.Asked &&
                            ((c.Edited && answer == OutsideChangeAnswer::KeepOthers) ||
                             answer == OutsideChangeAnswer::Overwrite);
      EXPECT_EQ(model.IsConflict(KeyScope::User, u"x"), conflict);
      // Save's own writes are no other program's change.
      if (answer == OutsideChangeAnswer::Overwrite) {
        EXPECT_EQ(KeysChangedOutside(model, ports), !c.Row && !c.Ticked && c.Outside);
      }

      outside.Asked.clear();
      Save();
      const bool stillKept = cancelled || (c.Asked && !c.Edited && answer == OutsideChangeAnswer::KeepOthers);
      EXPECT_EQ(outside.Asked.size(), stillKept ? 1u : 0u);
    }
  }
}

// Dialogs and Save's question, each noted in the log of the turn and the
// registry: 'i' a message, '?' the question.
class LoggedDialogs : public testing::ScriptedDialogs {
 public:
  explicit LoggedDialogs(std::string& log) : log_(log) {}
  bool Confirm(std::u16string_view text, ScreenPoint at) override {
    return log_ += 'i', ScriptedDialogs::Confirm(text, at);
  }
  bool ConfirmCancelDefault(std::u16string_view text, ScreenPoint at) override {
    return log_ += 'i', ScriptedDialogs::ConfirmCancelDefault(text, at);
  }
  bool Warn(std::u16string_view text, ScreenPoint at) override { return log_ += 'i', ScriptedDialogs::Warn(text, at); }
  void Inform(std::u16string_view text, ScreenPoint at) override { log_ += 'i', ScriptedDialogs::Inform(text, at); }

 private:
  std::string& log_;
};

class LoggedQuestion : public testing::ScriptedOutsideChanges {
 public:
  LoggedQuestion(std::string& log, OutsideChangeAnswer answer) : ScriptedOutsideChanges(answer), log_(log) {}
  OutsideChangeAnswer AskAboutOutsideChanges(const std::vector<OutsideChange>& changes, ScreenPoint at) override {
    log_ += '?';
    return ScriptedOutsideChanges::AskAboutOutsideChanges(changes, at);
  }

 private:
  std::string& log_;
};

// Save under the writers' turn, as the log shows it (Save writes only what
// differs from the keys, the user key opened first by a write of nothing
// when it has changes): besides the dialogs,
// 'r' a key read, 'w' a list written, 'd' a value deleted, '[' and ']' the
// turn taken and given back, '!' the turn not had. It is held from the
// reading for other programs' changes to the last write, and released for
// every dialog; what another writer changed while the question was open is
// asked about again.
TEST_F(OutsideChangeTest, SaveHoldsTheWritersTurnFromItsReadingToItsLastWriteAndNeverInADialog) {
  using Asked = std::vector<std::vector<OutsideChange>>;
  using Kind = OutsideChangeKind;
  const OutsideChange x{KeyScope::User, u"X", Kind::Changed, false};
  const OutsideChange temp{KeyScope::User, u"TEMP", Kind::Changed, false};
  const auto changeTemp = [this] { registry.Key(RootKey::CurrentUser, kUserSubkey)[0].second = Sz(u"T2"); };
  const auto changeX = [this](testing::FakeWriteTurn&) { SetKeyValue(u"b"); };
  const struct {
    const char* What;
    std::function<void(testing::FakeWriteTurn&)> Before;
    OutsideChangeAnswer Answer;
    std::string Log;
    Asked Questions;
    Text Left;                         // what X holds after Save
    std::u16string_view Report = u"";  // the failure's description
  } cases[] = {
      {"nothing changed outside", nullptr, OutsideChangeAnswer::Overwrite, "irr[rr]ii", {}, u"a"},
      {"a ticked value deleted under it",
       [this](testing::FakeWriteTurn&) {
         model.UserList.Delete(model.UserList.FindIgnoringCase(u"X"));
         SetDeleteOnSave(model, {KeyScope::User, u"X", ReviewKind::Remains, false, {}, {}, true}, true);
       },
       OutsideChangeAnswer::Overwrite, "irr[rrwd]ii", {}, std::nullopt},
      {"asked outside the turn", changeX, OutsideChangeAnswer::KeepOthers, "irr[rr]?[rr]ii", {{x}}, u"b"},
      {"cancelled", changeX, OutsideChangeAnswer::Cancel, "irr[rr]?", {{x}}, u"b"},
      {"changed again while asked",
       [&](testing::FakeWriteTurn& turn) { changeX(turn), turn.OtherWriterBefore[2] = changeTemp; },
       OutsideChangeAnswer::Overwrite, "irr[rr]?[rr]?[rrww]ii", {{x}, {temp, x}}, u"a"},
      {"the turn not had", [](testing::FakeWriteTurn& turn) { turn.TakeFails = 258; }, OutsideChangeAnswer::Overwrite,
       "irr!i", {}, u"a", u"error 258.\r\n"},
      {"a key not read under the turn",
       [this](testing::FakeWriteTurn& turn) {
         turn.OtherWriterBefore[1] = [this] { registry.ReadFailsAfter[{RootKey::CurrentUser, u"Environment"}] = 0; };
       },
       OutsideChangeAnswer::Overwrite, "irr[rr]i", {}, u"a", u"error 5.\r\n"},
      {"a write refused",
       [&](testing::FakeWriteTurn& turn) { changeX(turn), registry.RefusedNames = {u"X"}; },
       OutsideChangeAnswer::Overwrite, "irr[rr]?[rrww]i", {{x}}, u"b", u"error 87.\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    std::string log;
    testing::FakeWriteTurn turn(log);
    LoggedDialogs logged(log);
    LoggedQuestion question(log, c.Answer);
    SetKeyValue(u"a");
    Load();
    registry.Log = &log;
    ports.Dialogs = &logged;
    ports.WriteTurn = &turn;
    ports.OutsideChanges = &question;
    if (c.Before) c.Before(turn);
    logged.Answers = {true, false};  // OK to the warning, no restart
    FileSaveExecute(model, ports);
    EXPECT_EQ(log, c.Log);
    EXPECT_EQ(question.Asked, c.Questions);
    EXPECT_EQ(KeyValue(), c.Left);
    EXPECT_FALSE(turn.Held);
    if (!c.Report.empty()) {
      EXPECT_EQ(logged.Shown.back().Text,
                u"レジストリへ環境変数の書き込みに失敗しました。\n" + std::u16string(c.Report));
    }
    // The next case starts from the bench's ports and a registry that works.
    registry.Log = nullptr, registry.ReadFailsAfter.clear(), registry.RefusedNames.clear();
    ports.Dialogs = &dialogs, ports.WriteTurn = nullptr, ports.OutsideChanges = nullptr;
  }
}

}  // namespace
}  // namespace tallowin
