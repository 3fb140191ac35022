#include "model/path_check.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/expansion_line.h"

namespace tallowin {
namespace {

using Problems = std::vector<PathProblem>;
using Answer = std::optional<FolderAnswer>;

std::u16string Digits(int number) {
  const std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string Repeated(std::u16string_view text, int times) {
  std::u16string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

constexpr std::u16string_view kSixFold = u"%AA6%%AA6%%AA6%%AA6%%AA6%%AA6%";
// The start of a chain of ten variables that each double the one before.
const std::u16string kDoubled = u"%SystemRoot%" + std::u16string(200, u'd');
const std::u16string kDoubledOut = u"C:\\Windows" + std::u16string(200, u'd');

enum Notes { kNone = 0, kUndefined = 1, kLoop = 2, kCut = 4 };
int NotesOf(const Expansion& expansion) {
  return (expansion.Undefined ? kUndefined : 0) | (expansion.Loop ? kLoop : 0) | (expansion.Cut ? kCut : 0);
}

class PathCheckTest : public ::testing::Test {
 protected:
  PathCheckTest() {
    sysList.Add(VariableEntry::FromTexts(u"TOOLS", u"REG_EXPAND_SZ", u"%ProgramFiles%\\Tools"));
    sysList.Add(VariableEntry::FromTexts(u"SHARED", u"REG_SZ", u"C:\\Sys"));
    sysList.Add(VariableEntry::FromTexts(u"LITERAL", u"REG_SZ", u"%SHARED%\\x"));
    sysList.Add(VariableEntry::FromTexts(u"LOOP1", u"REG_EXPAND_SZ", u"%LOOP2%"));
    sysList.Add(VariableEntry::FromTexts(u"LOOP2", u"REG_EXPAND_SZ", u"%LOOP1%"));
    sysList.Add(VariableEntry::FromTexts(u"B1", u"REG_EXPAND_SZ", u"%B2%\\b1"));
    sysList.Add(VariableEntry::FromTexts(u"B2", u"REG_EXPAND_SZ", u"%B1%\\b2"));
    sysList.Add(VariableEntry::FromTexts(u"AA6", u"REG_EXPAND_SZ", std::u16string(kSixFold)));
    sysList.Add(VariableEntry::FromTexts(u"NESTED", u"REG_EXPAND_SZ", u"%NOPE%\\y"));
    sysList.Add(VariableEntry::FromTexts(u"DOUBLE0", u"REG_EXPAND_SZ", kDoubled));
    for (int level = 1; level <= 10; ++level) {
      const std::u16string below = u"%DOUBLE" + Digits(level - 1) + u"%";
      sysList.Add(VariableEntry::FromTexts(u"DOUBLE" + Digits(level), u"REG_EXPAND_SZ", below + below));
    }
    userList.Add(VariableEntry::FromTexts(u"SHARED", u"REG_SZ", u"C:\\User"));
    userList.Add(VariableEntry::FromTexts(u"path", u"REG_EXPAND_SZ", u"C:\\UserBin;%TOOLS%\\bin\\;;  ;"));
  }

  std::map<std::u16string, std::u16string> program{
      {u"ProgramFiles", u"C:\\Program Files"}, {u"SystemRoot", u"C:\\Windows"}, {u"SHARED", u"C:\\Program"}};
  // How often each name was asked of the program's environment.
  std::map<std::u16string, int> asked;
  const VariableLookup lookup = [this](std::u16string_view name) -> std::optional<std::u16string> {
    ++asked[std::u16string(name)];
    const auto found = program.find(std::u16string(name));
    return found == program.end() ? std::nullopt : std::optional<std::u16string>(found->second);
  };
  EditList sysList;
  EditList userList;
};

TEST_F(PathCheckTest, ReferencesResolveAsANewProcessSeesThem) {
  const struct {
    std::u16string_view Name;  // the variable whose value Text is
    std::u16string_view Text;
    std::u16string Expanded;
    int Notes;
  } cases[] = {
      {u"", u"%SystemRoot%\\system32", u"C:\\Windows\\system32", kNone},  // the program's environment
      {u"", u"%shared%\\bin", u"C:\\User\\bin", kNone},             // the user's over the system's and the program's
      {u"", u"%TOOLS%", u"C:\\Program Files\\Tools", kNone},        // an expandable value is expanded in turn
      {u"", u"%LITERAL%", u"%SHARED%\\x", kNone},                   // a plain string is not
      {u"", u"%UNKNOWN%SHARED%", u"%UNKNOWN%SHARED%", kUndefined},  // scanning goes on after an unknown reference
      {u"", u"a%SHARED%b%SHARED%", u"aC:\\UserbC:\\User", kNone},
      {u"", u"50% %%", u"50% %%", kNone},
      {u"", u"%NESTED%;%NESTED%", u"%NOPE%\\y;%NOPE%\\y", kUndefined},  // a variable's notes come with it
      // A reference back into a variable still being worked out stays as written.
      {u"", u"%LOOP1%", u"%LOOP1%", kLoop},
      {u"", u"%B1%", u"%B1%\\b2\\b1", kLoop},
      {u"", kSixFold, Repeated(kSixFold, 6), kLoop},
      {u"Path", u"C:\\UserBin;%PATH%", u"C:\\UserBin;%PATH%", kLoop},
      // Ten doublings would make 1024 copies; each is worked out once and the text stops at the limit.
      {u"", u"%DOUBLE9%%DOUBLE9%", Repeated(kDoubledOut, 1024).substr(0, kExpansionLimit), kCut},
  };
  for (const auto& c : cases) {
    const Expansion expansion = ExpandValue(c.Name, u"REG_EXPAND_SZ", c.Text, sysList, userList, lookup);
    EXPECT_EQ(expansion.Text, c.Expanded) << std::string(c.Text.begin(), c.Text.end());
    EXPECT_EQ(NotesOf(expansion), c.Notes) << std::string(c.Text.begin(), c.Text.end());
  }
  // Once a run, however often the chain names it: the first row's and the doubling one's.
  EXPECT_EQ(asked[u"SystemRoot"], 2);

  // An entry's own value: a plain string's references are never expanded,
  // and an expandable one's own name is a loop inside it.
  const VariableEntry& literal = sysList.At(sysList.FindIgnoringCase(u"LITERAL"));
  EXPECT_EQ(ExpandValue(literal, sysList, userList, lookup).Text, u"%SHARED%\\x");
  const Expansion sixFold = ExpandValue(sysList.At(sysList.FindIgnoringCase(u"aa6")), sysList, userList, lookup);
  EXPECT_EQ(sixFold.Text, kSixFold);
  EXPECT_TRUE(sixFold.Loop);

  // A long chain of variables that each add to the one before holds, all
  // told, no more than the run's budget.
  const int levels = static_cast<int>(kExpansionRunBudget / kExpansionLimit) + 2;
  EditList chain;
  chain.Add(VariableEntry::FromTexts(u"LONG0", u"REG_SZ", std::u16string(kExpansionLimit - 100, u'x')));
  for (int level = 1; level <= levels; ++level) {
    const std::u16string below = u"%LONG" + Digits(level - 1) + u"%+";
    chain.Add(VariableEntry::FromTexts(u"LONG" + Digits(level), u"REG_EXPAND_SZ", below));
  }
  const Expansion longest = ExpandValue(u"", u"REG_EXPAND_SZ", u"%LONG" + Digits(levels) + u"%", chain, {}, lookup);
  EXPECT_TRUE(longest.Cut);
  EXPECT_LT(longest.Text.size(), kExpansionLimit - 100);
}

// The line under the fields: only an expandable value, and a Path item,
// is shown expanded, and only when it holds a reference. The notes come
// before the text.
TEST_F(PathCheckTest, ExpansionLineShowsWhatAValueBecomes) {
  const struct {
    std::u16string_view Type;  // empty: a Path item
    std::u16string_view Name;
    std::u16string_view Text;
    std::u16string Line;
  } cases[] = {
      {u"REG_EXPAND_SZ", u"", u"%TOOLS%\\bin", u"展開後: C:\\Program Files\\Tools\\bin"},
      {u"reg_expand_sz", u"", u"%shared%", u"展開後: C:\\User"},
      {u"REG_SZ", u"", u"%TOOLS%\\bin", u""},
      {u"REG_EXPAND_SZ", u"", u"C:\\Plain;50% %%", u""},
      {u"REG_EXPAND_SZ", u"", u"%NOPE%\\x;%SystemRoot%", u"展開後: （未定義の変数があります）%NOPE%\\x;C:\\Windows"},
      {u"REG_EXPAND_SZ", u"", u"%NOPE%%B1%", u"展開後: （未定義の変数があります）（循環参照）%NOPE%%B1%\\b2\\b1"},
      {u"REG_EXPAND_SZ", u"Path", u"C:\\UserBin;%PATH%", u"展開後: （循環参照）C:\\UserBin;%PATH%"},
      {u"REG_EXPAND_SZ", u"", u"%DOUBLE10%",
       u"展開後: （長すぎるため途中で打ち切りました）" + Repeated(kDoubledOut, 1024).substr(0, kExpansionLimit)},
      {u"", u"", u"%SystemRoot%\\system32;", u"展開後: C:\\Windows\\system32"},
      {u"", u"", u"\"%NOPE%\";", u"展開後: （未定義の変数があります）\"%NOPE%\""},
      {u"", u"", u"C:\\Tools;", u""},
      {u"", u"", u"%PATH%;", u"展開後: （循環参照）%PATH%"},  // inside the Path itself
  };
  for (const auto& c : cases) {
    const std::u16string line = c.Type.empty()
                                    ? PathItemExpansionLine(c.Text, sysList, userList, lookup)
                                    : VariableExpansionLine(c.Type, c.Text, sysList, userList, lookup, c.Name);
    EXPECT_EQ(line, c.Line) << std::string(c.Text.begin(), c.Text.end());
  }
  // The items of a Path stored as a plain string stay as written.
  sysList.Add(VariableEntry::FromTexts(u"Path", u"REG_SZ", u"%SystemRoot%"));
  EXPECT_EQ(PathItemExpansionLine(u"%SystemRoot%;", sysList, userList, lookup), u"");
}

TEST_F(PathCheckTest, EachRuleFindsItsItems) {
  const Answer exists = FolderAnswer::Exists;
  const Answer missing = FolderAnswer::Missing;
  const Answer noAnswer = FolderAnswer::NoAnswer;
  const struct {
    std::u16string Item;
    Answer Reply;
    std::u16string_view Folder;  // what the existence check is asked about
    Problems Expected;
  } cases[] = {
      /* 0 */ {u"C:\\Windows;", exists, u"C:\\Windows", {}},
      /* 1 */ {u"c:\\windows\\;", exists, u"c:\\windows\\", {PathProblem::Duplicate}},  // case, one backslash
      /* 2 */ {u"\"C:\\Windows\";", exists, u"C:\\Windows", {PathProblem::Duplicate}},  // quotes
      /* 3 */ {u"%SystemRoot%;", exists, u"C:\\Windows", {PathProblem::Duplicate}},     // expanded
      /* 4 */ {u"C:\\Windows\\\\;", exists, u"C:\\Windows\\\\", {}},  // only one backslash is ignored
      /* 5 */ {u"C:\\Missing;", missing, u"C:\\Missing", {PathProblem::Missing}},
      /* 6 */ {u" \t;", std::nullopt, u"", {PathProblem::Empty}},
      /* 7 */ {u";", missing, u"", {PathProblem::Empty}},
      /* 8 */ {u"%TOOLS%\\bin;", exists, u"C:\\Program Files\\Tools\\bin", {PathProblem::AlsoInUserPath}},
      /* 9 */ {u"\\\\server\\share;", noAnswer, u"\\\\server\\share", {PathProblem::NoAnswer}},
      /* 10 */ {u"c:\\MISSING;", missing, u"c:\\MISSING", {PathProblem::Duplicate, PathProblem::Missing}},
      /* 11 */ {u"C:\\userbin\\;", noAnswer, u"C:\\userbin\\", {PathProblem::AlsoInUserPath, PathProblem::NoAnswer}},
      /* 12 */ {u"C:\\NotYet;", std::nullopt, u"C:\\NotYet", {}},  // its answer has not come
      // An unbalanced quote is checked as written, not cut.
      /* 13 */ {u"\"C:\\Windows;", exists, u"\"C:\\Windows", {}},
      /* 14 */ {u"C:\\Win\"dows\";", exists, u"C:\\Win\"dows\"", {}},
      /* 15 */ {u"%Path%;", exists, u"%Path%", {}},  // a loop inside the Path
  };
  std::vector<std::u16string> items;
  std::vector<Answer> answers;
  std::vector<PathProblemRow> expected;
  for (const auto& c : cases) {
    if (!c.Expected.empty()) expected.push_back({items.size(), items.size(), c.Item, c.Expected});
    items.push_back(c.Item);
    answers.push_back(c.Reply);
  }
  const PathCheckPlan plan = PlanPathCheck(items, sysList, userList, lookup);
  const std::vector<std::u16string> folders = plan.Folders();
  ASSERT_EQ(folders.size(), items.size());
  for (std::size_t i = 0; i < items.size(); ++i) EXPECT_EQ(folders[i], cases[i].Folder) << i;
  EXPECT_EQ(FindPathProblems(plan, answers), expected);

  // Before the answers of item 5 on came: no existence problems there yet.
  answers.resize(5);
  const std::vector<PathProblemRow> early = FindPathProblems(plan, answers);
  std::vector<std::size_t> indices;
  for (const PathProblemRow& row : early) indices.push_back(row.Index);
  ASSERT_EQ(indices, (std::vector<std::size_t>{1, 2, 3, 6, 7, 8, 10, 11}));
  EXPECT_EQ(early[6].Problems, Problems{PathProblem::Duplicate});
  EXPECT_EQ(ProblemsText(expected.back()), u"ユーザーのPathにもあります、確認できませんでした");

  // A Path stored as a plain string keeps its items' references, and so
  // does the user's Path when it is one.
  EXPECT_EQ(PlanPathCheck(items, sysList, userList, lookup, u"REG_SZ").Items[3].Folder, u"%SystemRoot%");
  userList.SetTypeName(userList.FindIgnoringCase(u"Path"), u"REG_SZ");
  EXPECT_FALSE(PlanPathCheck(items, sysList, userList, lookup).Items[8].InUserPath);
  EXPECT_TRUE(PlanPathCheck(items, sysList, userList, lookup, u"REG_SZ").Items[8].InUserPath);
}

// A ';' inside double quotes separates nothing, across the lines the Path
// list splits such an item into too; a quote nothing closes is a character.
TEST_F(PathCheckTest, AQuotedRunIsOneItem) {
  const std::vector<std::u16string> lines{u"\"C:\\Tools;", u"2\\bin\";C:\\A;", u"x\"a;b\"y;\"C:\\Open;", u"C:\\B;"};
  const struct {
    std::u16string Item;
    std::size_t Line, Start, LastLine;
    std::u16string Folder;
  } expected[] = {
      {u"\"C:\\Tools;2\\bin\";", 0, 0, 1, u"C:\\Tools;2\\bin"}, {u"C:\\A;", 1, 7, 1, u"C:\\A"},
      {u"x\"a;b\"y;", 2, 0, 2, u"x\"a;b\"y"},  {u"\"C:\\Open;", 2, 8, 2, u"\"C:\\Open"},
      {u"C:\\B;", 3, 0, 3, u"C:\\B"},
  };
  const PathCheckPlan plan = PlanPathCheck(lines, sysList, userList, lookup);
  ASSERT_EQ(plan.Items.size(), std::size(expected));
  for (std::size_t i = 0; i < plan.Items.size(); ++i) {
    const CheckedPathItem& item = plan.Items[i];
    EXPECT_EQ(item.Item, expected[i].Item) << i;
    EXPECT_EQ((std::vector<std::size_t>{item.Line, item.Start, item.LastLine}),
              (std::vector<std::size_t>{expected[i].Line, expected[i].Start, expected[i].LastLine})) << i;
    EXPECT_EQ(item.Folder, expected[i].Folder) << i;
  }
  EXPECT_EQ(ItemsOfPathLine(u"a;\"b;c\";d"), (std::vector<std::u16string_view>{u"a;", u"\"b;c\";", u"d"}));
}

}  // namespace
}  // namespace tallowin
