#include "commands/value_write_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "model/path_value_edit.h"
#include "model/type_names.h"
#include "model/value_text.h"
#include "commands/deployment_plan.h"

namespace tallowin {
namespace {

// Path edits keep every byte they do not name: items, empty items, line
// breaks (which end an item as ';' does) and a closing separator.
TEST(PathValueEdit, AddAndRemoveKeepTheRest) {
  struct Case {
    std::u16string Value;
    PathPlace Place;
    std::u16string Anchor;  // for Before and After
    std::optional<std::u16string> Added;
  };
  const Case cases[] = {
      {u"", PathPlace::Last, u"", u"N"},
      {u"", PathPlace::Before, u"A", std::nullopt},
      {u"A;;B;", PathPlace::Last, u"", u"A;;B;N;"},
      {u"A;;B", PathPlace::Last, u"", u"A;;B;N"},
      {u"A;B;", PathPlace::First, u"", u"N;A;B;"},
      {u"A;B", PathPlace::Before, u"b\\", u"A;N;B"},
      {u"A;B", PathPlace::After, u"\"a\"", u"A;N;B"},
      {u"A;B", PathPlace::After, u"C", std::nullopt},
      {u"A;B\r\nC;D", PathPlace::After, u"B", u"A;B\r\nN;C;D"},
      {u"A\nB", PathPlace::Before, u"b", u"A\nN;B"},
      {u"A\rB", PathPlace::First, u"", u"N;A\rB"},
      {u"A;B\r\n", PathPlace::Last, u"", u"A;B\r\nN;"},
      // Half of a quoted run names nothing; the run stays whole.
      {u"\"A;B\";C", PathPlace::After, u"B\"", std::nullopt},
      {u"\"A;B\";C", PathPlace::Before, u"c", u"\"A;B\";N;C"},
  };
  const EditList none;
  for (const Case& c : cases) {
    const StoredPathParts parts = SplitStoredPath(c.Value);
    EXPECT_EQ(JoinStoredPath(parts), c.Value);
    const std::vector<bool> anchor = PartsNamingFolder(parts, c.Anchor, none, none, nullptr);
    const std::optional<std::u16string> added = WithFolderAdded(parts, u"N", c.Place, anchor);
    EXPECT_EQ(added, c.Added) << std::string(c.Value.begin(), c.Value.end());
    if (!added || c.Value.empty()) continue;
    const StoredPathParts after = SplitStoredPath(*added);
    EXPECT_EQ(WithoutParts(after, PartsNamingFolder(after, u"n\\", none, none, nullptr)), c.Value);
  }
}

TEST(ValueWriteRules, TypeAndReferenceTable) {
  const RegistryValue expand = TextToValue(kRegExpandSz, u"x");
  const RegistryValue dword{kRegDword, {1, 0, 0, 0}};
  EXPECT_EQ(TypeForSet(std::nullopt, std::nullopt, u"%A%\\b"), kRegExpandSz);
  EXPECT_EQ(TypeForSet(std::nullopt, std::nullopt, u"100%"), kRegSz);
  EXPECT_EQ(TypeForSet(std::nullopt, std::nullopt, u"%%"), kRegSz);
  EXPECT_EQ(TypeForSet(std::nullopt, std::nullopt, u"%%A%"), kRegExpandSz);
  EXPECT_EQ(TypeForSet(std::nullopt, expand, u"plain"), kRegExpandSz);
  EXPECT_EQ(TypeForSet(std::nullopt, dword, u"1"), std::nullopt);
  EXPECT_EQ(TypeForSet(kRegSz, dword, u"1"), kRegSz);
}

// Each refused row says why (a name the window refuses, but the default
// value's empty name is a value like any other); a write that shortens an over-long value is
// allowed, and the system Path is neither deleted nor emptied.
TEST(ValueWriteRules, RefusalOfRowTable) {
  const auto text = [](std::size_t length) { return TextToValue(kRegSz, std::u16string(length, u'x')); };
  struct Case {
    KeyScope Scope;
    std::u16string Name;
    std::optional<RegistryValue> Current;
    std::optional<RegistryValue> ToWrite;  // none: the row deletes
    WriteRefusal Refusal;
  };
  const Case cases[] = {
      {KeyScope::User, u"", std::nullopt, text(1), WriteRefusal::None},  // the key's default value
      {KeyScope::User, u"A=B", std::nullopt, text(1), WriteRefusal::NameForbiddenCharacter},
      {KeyScope::User, u"A\x1F", std::nullopt, text(1), WriteRefusal::NameForbiddenCharacter},
      {KeyScope::User, std::u16string(256, u'a'), std::nullopt, text(1), WriteRefusal::NameTooLong},
      {KeyScope::User, std::u16string(255, u'a'), std::nullopt, text(32767), WriteRefusal::None},
      {KeyScope::User, u"Long", std::nullopt, text(32768), WriteRefusal::ValueTooLong},
      {KeyScope::User, u"Long", text(40919), text(40918), WriteRefusal::None},
      {KeyScope::User, u"Long", text(40919), text(40919), WriteRefusal::ValueTooLong},
      {KeyScope::User, u"Long", text(32768), text(32769), WriteRefusal::ValueTooLong},
      {KeyScope::System, u"PATH", text(3), TextToValue(kRegExpandSz, u""), WriteRefusal::SystemPathKept},
      {KeyScope::System, u"path", text(3), std::nullopt, WriteRefusal::SystemPathKept},
      {KeyScope::User, u"Path", text(3), std::nullopt, WriteRefusal::None},
      {KeyScope::User, u"Path", text(3), TextToValue(kRegSz, u""), WriteRefusal::None},
      {KeyScope::System, u"Paths", text(3), std::nullopt, WriteRefusal::None},
  };
  for (const Case& c : cases) {
    ReviewRow row;
    row.Scope = c.Scope;
    row.Name = c.Name;
    row.Current = c.Current;
    row.ToWrite = c.ToWrite;
    row.DeleteOnSave = !c.ToWrite;
    EXPECT_EQ(RefusalOfRow(row), c.Refusal) << std::string(c.Name.begin(), c.Name.end());
  }
}

// A section's values as the key holds them: one value per name as the
// registry compares names, with the first spelling and the last value.
TEST(ValueWriteRules, SectionValuesAsTheKeyHoldsThem) {
  const std::vector<regfile::ParsedValue> values = {{u"DUPX", TextToValue(kRegSz, u"1")},
                                                    {u"Other", TextToValue(kRegSz, u"o")},
                                                    {u"dupx", TextToValue(kRegExpandSz, u"2")},
                                                    {u"\u00e9", TextToValue(kRegSz, u"e")},
                                                    {u"\u00e8", TextToValue(kRegSz, u"E")}};
  const std::vector<NamedValue> held = ValuesAsKeyHolds(values);
  ASSERT_EQ(held.size(), 4u);
  EXPECT_EQ(held[0].Name, u"DUPX");
  EXPECT_EQ(held[0].Value, TextToValue(kRegExpandSz, u"2"));
  EXPECT_EQ(held[3].Value, TextToValue(kRegSz, u"E"));
}

// Applying a file: values of the same name in another letter case pair up,
// an equal value gives no row, and the system Path is never deleted: not by
// --delete-missing, and a line that deletes it refuses the file.
TEST(ValueWriteRules, PlanPairsNamesAndKeepsTheSystemPath) {
  regfile::DeploymentFile file;
  file.HasSystemSection = true;
  file.System = {{u"path", TextToValue(kRegSz, u"C:\\new"), 4}, {u"Same", TextToValue(kRegSz, u"s"), 5}};
  const std::vector<NamedValue> system = {{u"Path", TextToValue(kRegExpandSz, u"C:\\old")},
                                          {u"Same", TextToValue(kRegSz, u"s")},
                                          {u"Gone", TextToValue(kRegSz, u"g")}};
  const std::vector<NamedValue> user = {{u"Kept", TextToValue(kRegSz, u"k")}};
  const DeploymentPlan plan = PlanDeployment(file, system, user, true);
  ASSERT_EQ(plan.Rows.size(), 2u);
  EXPECT_EQ(plan.Rows[0].Kind, ReviewKind::TypeChanged);
  EXPECT_EQ(plan.Rows[0].Name, u"path");
  EXPECT_EQ(plan.Rows[1].Name, u"Gone");
  EXPECT_TRUE(plan.Rows[1].DeleteOnSave);
  EXPECT_EQ(plan.Refusal, WriteRefusal::None);
  file.System.erase(file.System.begin());
  for (const ReviewRow& row : PlanDeployment(file, system, user, true).Rows) {
    EXPECT_FALSE(row.DeleteOnSave && row.Name == u"Path");
  }
  file.System.push_back({u"PATH", std::nullopt, 9});
  const DeploymentPlan refused = PlanDeployment(file, system, user, false);
  EXPECT_EQ(refused.Refusal, WriteRefusal::SystemPathKept);
  EXPECT_EQ(refused.RefusedLine, 9u);
}

}  // namespace
}  // namespace tallowin
