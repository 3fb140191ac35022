#include "commands/deployment_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/registry_names.h"
#include "model/type_names.h"
#include "model/value_text.h"
#include "support/deployment_shapes.h"

namespace tallowin {
namespace {

using testing::Keys;
using testing::Listing;

regfile::DeploymentFile ReadShape(const testing::Shape& shape) {
  return regfile::ReadDeploymentFile(testing::DeployFileBytes(std::string("/shapes/") + shape.File),
                                     testing::DecodeWindows1252);
}

// With --delete-missing, a key with a section holds exactly what the file
// sets, and the system Path it held.
void ExpectOnlyWhatTheFileSets(const regfile::DeploymentFile& file, const Keys& start) {
  const Keys after = testing::KeysAfter(start, PlanDeployment(file, start.System, start.User, true).Rows);
  for (const KeyScope scope : {KeyScope::System, KeyScope::User}) {
    const bool hasSection = scope == KeyScope::System ? file.HasSystemSection : file.HasUserSection;
    const std::vector<NamedValue>& held = scope == KeyScope::System ? after.System : after.User;
    if (!hasSection) {
      EXPECT_EQ(Listing(held), Listing(scope == KeyScope::System ? start.System : start.User));
      continue;
    }
    std::size_t expected = 0;
    bool setsPath = false;
    for (const KeyChange& change : NetChangesOf(scope == KeyScope::System ? file.System : file.User)) {
      if (!change.Value) continue;
      ++expected;
      setsPath = setsPath || IsSystemPath(scope, change.Name);
      const RegistryValue* found = nullptr;
      for (const NamedValue& value : held) {
        if (SameRegistryName(value.Name, change.Name)) found = &value.Value;
      }
      EXPECT_TRUE(found != nullptr && *found == *change.Value);
    }
    if (scope == KeyScope::System && !setsPath) expected += 1;  // the start keys hold a system Path
    EXPECT_EQ(held.size(), expected);
  }
}

// Every shape against what reg import made of it, or the refusal, with the
// rule and the line. A file applied once more changes nothing.
TEST(Deployment, EachShapeLeavesTheKeysAsRegImportOrIsRefused) {
  const Keys start = testing::KeysOfExport("/start.reg");
  ASSERT_FALSE(start.System.empty());
  for (const testing::Shape& shape : testing::Shapes()) {
    SCOPED_TRACE(shape.File);
    const regfile::DeploymentFile file = ReadShape(shape);
    EXPECT_EQ(file.OtherKeys.size(), shape.OtherKeys);
    const testing::ShapeRefusal refused = shape.Refused.value_or(testing::ShapeRefusal{});
    EXPECT_EQ(file.Refusal, refused.File);
    if (file.Refusal != regfile::FileRule::None) {
      EXPECT_EQ(file.RefusalLine, refused.Line);
      EXPECT_TRUE(file.System.empty() && file.User.empty());
      continue;
    }
    const DeploymentPlan plan = PlanDeployment(file, start.System, start.User, false);
    EXPECT_EQ(plan.Refusal, refused.Write);
    if (plan.Refusal != WriteRefusal::None) {
      EXPECT_EQ(plan.RefusedLine, refused.Line);
      continue;
    }
    Keys expected = start;
    if (shape.UnlikeRegImport.empty()) {
      expected = testing::KeysOfExport(std::string("/reg-import/") + shape.File);
    } else {
      expected.User.insert(expected.User.end(), shape.UnlikeRegImport.begin(), shape.UnlikeRegImport.end());
    }
    const Keys after = testing::KeysAfter(start, plan.Rows);
    EXPECT_EQ(Listing(after.System), Listing(expected.System));
    EXPECT_EQ(Listing(after.User), Listing(expected.User));
    EXPECT_TRUE(PlanDeployment(file, after.System, after.User, false).Rows.empty());
    ExpectOnlyWhatTheFileSets(file, start);
  }
}

// 8-bit text beyond ASCII: a UTF-8 mark is taken at its word; without one
// the ANSI code page reads it, and a file that also reads as UTF-8 is said
// to; text that is not UTF-8 under the mark is refused at its line.
TEST(Deployment, EightBitTextIsReadByItsMarkOrTheAnsiCodePage) {
  const struct {
    std::string Bytes;
    std::u16string Data;
    bool LooksLikeUtf8;
  } rows[] = {
      {"\xef\xbb\xbfREGEDIT4\r\n[HKCU\\Environment]\r\n\"A\"=\"\xc3\xa9\xf0\x9f\x98\x80\"\r\n", u"\u00e9\U0001F600",
       false},
      {"REGEDIT4\r\n[HKCU\\Environment]\r\n\"A\"=\"\xc3\xa9\"\r\n", u"\u00c3\u00a9", true},
      {"REGEDIT4\r\n[HKCU\\Environment]\r\n\"A\"=\"\xe9\x80\"\r\n", u"\u00e9\u20ac", false},
  };
  for (const auto& row : rows) {
    const regfile::DeploymentFile file = regfile::ReadDeploymentFile(
        std::span(reinterpret_cast<const std::uint8_t*>(row.Bytes.data()), row.Bytes.size()),
        testing::DecodeWindows1252);
    ASSERT_EQ(file.User.size(), 1u) << row.Bytes;
    EXPECT_EQ(file.User[0].Value, TextToValue(kRegSz, row.Data));
    EXPECT_EQ(file.AnsiLooksLikeUtf8, row.LooksLikeUtf8);
  }
  // With no decoder each byte is the character of its number, in the text
  // and in the string types' hex data.
  const std::string latin = "REGEDIT4\r\n[HKCU\\Environment]\r\n\"\xe9\"=\"\xe9\"\r\n\"B\"=hex(2):e9,00\r\n";
  const regfile::DeploymentFile plain = regfile::ReadDeploymentFile(
      std::span(reinterpret_cast<const std::uint8_t*>(latin.data()), latin.size()), {});
  ASSERT_EQ(plain.User.size(), 2u);
  EXPECT_EQ(plain.User[0].Name, u"\u00e9");
  EXPECT_EQ(plain.User[0].Value, TextToValue(kRegSz, u"\u00e9"));
  EXPECT_EQ(plain.User[1].Value, (RegistryValue{kRegExpandSz, {0xe9, 0, 0, 0}}));
  for (const char* notUtf8 : {"\xc0\xaf", "\xe0\x80\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xe2\x82", "\x80"}) {
    const std::string bytes = std::string("\xef\xbb\xbfREGEDIT4\r\n[HKCU\\Environment]\r\n\r\n\"A\"=\"") + notUtf8 + "\"";
    const regfile::DeploymentFile file = regfile::ReadDeploymentFile(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), testing::DecodeWindows1252);
    EXPECT_EQ(file.Refusal, regfile::FileRule::NotUtf8) << notUtf8;
    EXPECT_EQ(file.RefusalLine, 4u) << notUtf8;
  }
}

}  // namespace
}  // namespace tallowin
