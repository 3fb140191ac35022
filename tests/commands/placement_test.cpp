#include "commands/placement.h"

#include <gtest/gtest.h>

#include <string>

#include "support/scripted_dialogs.h"

namespace tallowin {
namespace {

using testing::DialogKind;
using testing::FixedWindow;
using testing::ScriptedDialogs;

// The refusal texts as the user reads them.
const std::u16string kPathGuardText = u"ここで\"Path\"に対する操作はできません。";
const std::u16string kDuplicateText = u"キー名が重複しています。";
const std::u16string kTypeText = u"\nREG_SZ、REG_EXPAND_SZ以外は設定できません。";

class PlacementTest : public ::testing::Test {
 protected:
  PlacementTest() {
    sys.Add(VariableEntry::FromTexts(u"Path", u"REG_EXPAND_SZ", u"C:\\A;"));
    sys.Add(VariableEntry::FromTexts(u"TEMP", u"REG_EXPAND_SZ", u"%USERPROFILE%\\Temp"));
    sys.Add(VariableEntry::FromTexts(u"OS", u"REG_SZ", u"Windows_NT"));
  }

  int Check(std::u16string name, std::u16string type, int mask) {
    item.SetValues(name, type, u"data", CI_ALL_FIELDS);
    return CheckPlacement(item, sys, mask, ports);
  }

  void SelectByName(std::u16string_view name) { sys.Select(sys.FindIgnoringCase(name)); }

  FixedWindow window{ScreenRect{200, 100, 700, 600}};
  ScriptedDialogs dialogs;
  CommandPorts ports{.Dialogs = &dialogs, .Window = &window};
  CClipItem item;
  EditList sys;
};

TEST_F(PlacementTest, ResultsMessagesAndPositions) {
  constexpr int kAdd = CI_NAME | CI_TYPE;
  constexpr int kReplace = CI_REPLACE | CI_NAME | CI_TYPE;
  struct Case {
    std::u16string Selected;
    std::u16string Name;
    std::u16string Type;
    int Mask;
    int Result;
    std::u16string Message;  // empty: no message
    ScreenPoint At;
  };
  const Case cases[] = {
      {u"OS", u"NEW", u"REG_SZ", kAdd, 0, u"", {}},
      // Names compare as the registry's do, ignoring case.
      {u"OS", u"PATH", u"REG_SZ", kAdd, CI_NAME, kDuplicateText, {360, 230}},
      {u"OS", u"temp", u"REG_SZ", kReplace, CI_NAME, kDuplicateText, {360, 230}},
      {u"OS", u"os", u"REG_SZ", kReplace, CI_REPLACE, u"", {}},
      {u"OS", u"NEW", u"reg_expand_sz", kAdd, 0, u"", {}},
      {u"OS", u"OS", u"REG_SZ", kReplace, CI_REPLACE, u"", {}},
      {u"OS", u"TEMP", u"REG_SZ", kAdd, CI_NAME, kDuplicateText, {360, 230}},
      {u"OS", u"TEMP", u"REG_SZ", kReplace, CI_NAME, kDuplicateText, {360, 230}},
      {u"OS", u"NEW", u"REG_DWORD", kAdd, CI_TYPE, kTypeText, {280, 230}},
      {u"OS", u"OS", u"REG_DWORD", kReplace, CI_REPLACE | CI_TYPE, kTypeText, {280, 230}},
      {u"OS", u"TEMP", u"REG_BINARY", kAdd, CI_NAME | CI_TYPE, kDuplicateText + kTypeText, {280, 230}},
      {u"Path", u"TEMP", u"REG_BINARY", kReplace | CI_PATH_GUARD, CI_PATH_GUARD, kPathGuardText, {330, 230}},
      {u"Path", u"X", u"REG_SZ", CI_PATH_GUARD | CI_TYPE, CI_PATH_GUARD, kPathGuardText, {330, 230}},
      {u"OS", u"X", u"", CI_PATH_GUARD | CI_TYPE, CI_TYPE, kTypeText, {280, 230}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "mask " << c.Mask << ", expected " << c.Result);
    SelectByName(c.Selected);
    dialogs.Shown.clear();
    EXPECT_EQ(Check(c.Name, c.Type, c.Mask), c.Result);
    if (c.Message.empty()) {
      EXPECT_TRUE(dialogs.Shown.empty());
    } else {
      ASSERT_EQ(dialogs.Shown.size(), 1u);
      EXPECT_EQ(dialogs.Shown[0].Kind, DialogKind::Inform);
      EXPECT_EQ(dialogs.Shown[0].Text, c.Message);
      EXPECT_EQ(dialogs.Shown[0].TopLeft, c.At);
    }
  }
}

TEST_F(PlacementTest, PathGuardIsCaseSensitiveAndLeavesListAlone) {
  sys.Add(VariableEntry::FromTexts(u"path", u"REG_SZ", u""));
  sys.Add(VariableEntry::FromTexts(u"PATH", u"REG_SZ", u""));
  for (int i = 0; i < sys.Count(); ++i) {
    if (sys.At(i).Name != u"path" && sys.At(i).Name != u"PATH") continue;
    sys.Select(i);
    EXPECT_EQ(Check(u"X", u"REG_SZ", CI_PATH_GUARD), 0);
  }
  EXPECT_TRUE(dialogs.Shown.empty());
  EXPECT_EQ(sys.Count(), 5);
  // No selection at all: the guard has nothing to protect.
  sys.Select(-1);
  EXPECT_EQ(Check(u"X", u"REG_SZ", CI_PATH_GUARD | CI_NAME | CI_TYPE), 0);
}

// A file can bring in two entries of one name; only the first of them
// decides whether the name may replace the selected entry.
TEST_F(PlacementTest, FirstEntryOfAnEqualNameDecides) {
  sys.Add(VariableEntry::FromTexts(u"TEMP", u"REG_SZ", u"second"));
  int first = -1;
  int second = -1;
  for (int i = 0; i < sys.Count(); ++i) {
    if (sys.At(i).Name != u"TEMP") continue;
    (first < 0 ? first : second) = i;
  }
  ASSERT_GE(second, 0);

  sys.Select(first);
  EXPECT_EQ(Check(u"TEMP", u"REG_SZ", CI_REPLACE | CI_NAME), CI_REPLACE);
  EXPECT_TRUE(dialogs.Shown.empty());

  sys.Select(second);
  EXPECT_EQ(Check(u"TEMP", u"REG_SZ", CI_REPLACE | CI_NAME), CI_NAME);
  ASSERT_EQ(dialogs.Shown.size(), 1u);
  EXPECT_EQ(dialogs.Shown[0].Text, kDuplicateText);
}

// A name Windows cannot take back is refused in the duplicate line's place,
// even when it is a duplicate as well.
TEST_F(PlacementTest, ForbiddenNameCharacters) {
  struct Case {
    std::u16string Name;
    bool Forbidden;
  };
  const Case cases[] = {
      {u"", false},         {u"Path", false},    {u"A B", false},     {u"名前", false},
      {u"\u00A0", false},   {u"A=B", true},      {u"=", true},        {u"A\tB", true},
      {u"\x1F", true},      {u"X\x7F", true},    {u"\u0085", true},   {u"\u009F", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "name of " << c.Name.size() << " units, first " << int(c.Name[0]));
    EXPECT_EQ(HasForbiddenNameCharacter(c.Name), c.Forbidden);
  }

  sys.Add(VariableEntry::FromTexts(u"A=B", u"REG_SZ", u""));
  SelectByName(u"OS");
  EXPECT_EQ(Check(u"A=B", u"REG_SZ", CI_NAME | CI_TYPE | CI_NAME_CHARS), CI_NAME_CHARS);
  EXPECT_EQ(Check(u"A=B", u"REG_SZ", CI_NAME | CI_TYPE), CI_NAME);  // the rule runs only when asked
  SelectByName(u"A=B");
  EXPECT_EQ(Check(u"A=B", u"REG_SZ", CI_REPLACE | CI_NAME | CI_NAME_CHARS), CI_NAME_CHARS);
  ASSERT_EQ(dialogs.Shown.size(), 3u);
  EXPECT_EQ(dialogs.Shown[0].Text, u"変数名に'='や制御文字は使用できません。");
  EXPECT_EQ(dialogs.Shown[0].TopLeft, (ScreenPoint{360, 230}));
}

}  // namespace
}  // namespace tallowin
