#include "commands/value_write_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "model/path_value_edit.h"
#include "model/type_names.h"
#include "model/value_text.h"

namespace tallowin {
namespace {

// Path edits keep every byte they do not name: items, empty items and a
// closing ';'.
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
  };
  const EditList none;
  for (const Case& c : cases) {
    const std::vector<std::u16string> parts = SplitAtSemicolons(c.Value);
    EXPECT_EQ(JoinWithSemicolons(parts), c.Value);
    const std::vector<bool> anchor = PartsNamingFolder(parts, c.Anchor, none, none, nullptr);
    const std::optional<std::u16string> added = WithFolderAdded(parts, u"N", c.Place, anchor);
    EXPECT_EQ(added, c.Added) << std::string(c.Value.begin(), c.Value.end());
    if (!added || c.Value.empty()) continue;
    const std::vector<std::u16string> after = SplitAtSemicolons(*added);
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
  EXPECT_EQ(RefusalOfName(u""), NameRefusal::Empty);
  EXPECT_EQ(RefusalOfName(u"A=B"), NameRefusal::ForbiddenCharacter);
  EXPECT_EQ(RefusalOfName(std::u16string(256, u'a')), NameRefusal::TooLong);
}

// Applying a file: values of the same name in another letter case pair up,
// an equal value gives no row, and the system Path is never deleted.
TEST(ValueWriteRules, RowsForFilePairsNamesAndKeepsTheSystemPath) {
  regfile::ParsedFile file;
  file.IsRegistrationFile = true;
  file.Sections.push_back({regfile::Scope::System, {{u"path", TextToValue(kRegSz, u"C:\\new")},
                                                    {u"Same", TextToValue(kRegSz, u"s")}}});
  const std::vector<NamedValue> system = {{u"Path", TextToValue(kRegExpandSz, u"C:\\old")},
                                          {u"Same", TextToValue(kRegSz, u"s")},
                                          {u"Gone", TextToValue(kRegSz, u"g")}};
  const std::vector<NamedValue> user = {{u"Kept", TextToValue(kRegSz, u"k")}};
  const std::vector<ReviewRow> rows = RowsForFile(file, system, user, true);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].Kind, ReviewKind::TypeChanged);
  EXPECT_EQ(rows[0].Name, u"path");
  EXPECT_EQ(rows[1].Name, u"Gone");
  EXPECT_TRUE(rows[1].DeleteOnSave);
  EXPECT_FALSE(RowsHoldRefusedValue(rows));
  file.Sections[0].Values.erase(file.Sections[0].Values.begin());
  for (const ReviewRow& row : RowsForFile(file, system, user, true)) {
    EXPECT_FALSE(row.DeleteOnSave && row.Name == u"Path");
  }
}

}  // namespace
}  // namespace tallowin
