#include "commands/outside_change_commands.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

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
  };
  for (const Case& c : cases) {
    for (const auto answer : {OutsideChangeAnswer::KeepOthers, OutsideChangeAnswer::Overwrite,
                              OutsideChangeAnswer::Cancel}) {
      SCOPED_TRACE(::testing::Message() << c.What << ", answer " << static_cast<int>(answer));
      SetKeyValue(c.AtLoad);
      Load();
      model.UserList.Clear();  // the window's row X: none, or showing c.Row
      if (c.Row) model.UserList.Add(VariableEntry::FromTexts(u"X", u"REG_SZ", *c.Row));
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
      const bool conflict = c.Asked && c.Edited && answer == OutsideChangeAnswer::KeepOthers;
      EXPECT_EQ(model.IsConflict(KeyScope::User, u"x"), conflict);
      // Save's own writes are no other program's change.
      if (answer == OutsideChangeAnswer::Overwrite) EXPECT_EQ(KeysChangedOutside(model, ports), !c.Row && c.Outside);

      outside.Asked.clear();
      Save();
      const bool stillKept = cancelled || (c.Asked && !c.Edited && answer == OutsideChangeAnswer::KeepOthers);
      EXPECT_EQ(outside.Asked.size(), stillKept ? 1u : 0u);
    }
  }
}

}  // namespace
}  // namespace tallowin
