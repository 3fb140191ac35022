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

class PathCheckTest : public ::testing::Test {
 protected:
  PathCheckTest() {
    sysList.Add(VariableEntry::FromTexts(u"TOOLS", u"REG_EXPAND_SZ", u"%ProgramFiles%\\Tools"));
    sysList.Add(VariableEntry::FromTexts(u"SHARED", u"REG_SZ", u"C:\\Sys"));
    sysList.Add(VariableEntry::FromTexts(u"LITERAL", u"REG_SZ", u"%SHARED%\\x"));
    sysList.Add(VariableEntry::FromTexts(u"LOOP1", u"REG_EXPAND_SZ", u"%LOOP2%"));
    sysList.Add(VariableEntry::FromTexts(u"LOOP2", u"REG_EXPAND_SZ", u"%LOOP1%"));
    userList.Add(VariableEntry::FromTexts(u"SHARED", u"REG_SZ", u"C:\\User"));
    userList.Add(VariableEntry::FromTexts(u"path", u"REG_EXPAND_SZ", u"C:\\UserBin;%TOOLS%\\bin\\;;  ;"));
  }

  std::map<std::u16string, std::u16string> program{
      {u"ProgramFiles", u"C:\\Program Files"}, {u"SystemRoot", u"C:\\Windows"}, {u"SHARED", u"C:\\Program"}};
  const VariableLookup lookup = [this](std::u16string_view name) -> std::optional<std::u16string> {
    const auto found = program.find(std::u16string(name));
    return found == program.end() ? std::nullopt : std::optional<std::u16string>(found->second);
  };
  EditList sysList;
  EditList userList;
};

TEST_F(PathCheckTest, ReferencesResolveAsANewProcessSeesThem) {
  const struct {
    std::u16string_view Text;
    std::u16string_view Expanded;
  } cases[] = {
      {u"%SystemRoot%\\system32", u"C:\\Windows\\system32"},  // the program's environment
      {u"%shared%\\bin", u"C:\\User\\bin"},                   // the user's over the system's and the program's
      {u"%TOOLS%", u"C:\\Program Files\\Tools"},              // an expandable value is expanded in turn
      {u"%LITERAL%", u"%SHARED%\\x"},                         // a plain string is not
      {u"%UNKNOWN%SHARED%", u"%UNKNOWN%SHARED%"},             // scanning goes on after an unknown reference
      {u"a%SHARED%b%SHARED%", u"aC:\\UserbC:\\User"},
      {u"50% %%", u"50% %%"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExpandAsNewProcess(c.Text, sysList, userList, lookup), c.Expanded)
        << std::string(c.Text.begin(), c.Text.end());
  }
  // Variables that refer to each other stop expanding, still showing a reference.
  EXPECT_EQ(ExpandAsNewProcess(u"%LOOP1%", sysList, userList, lookup).front(), u'%');
}

// The line under the fields: only an expandable value, and a Path item,
// is shown expanded, and only when it holds a reference.
TEST_F(PathCheckTest, ExpansionLineShowsWhatAValueBecomes) {
  const struct {
    std::u16string_view Type;  // empty: a Path item
    std::u16string_view Text;
    std::u16string_view Line;
  } cases[] = {
      {u"REG_EXPAND_SZ", u"%TOOLS%\\bin", u"展開後: C:\\Program Files\\Tools\\bin"},
      {u"reg_expand_sz", u"%shared%", u"展開後: C:\\User"},
      {u"REG_SZ", u"%TOOLS%\\bin", u""},
      {u"REG_EXPAND_SZ", u"C:\\Plain;50% %%", u""},
      {u"REG_EXPAND_SZ", u"%NOPE%\\x;%SystemRoot%", u"展開後: %NOPE%\\x;C:\\Windows（未定義の変数があります）"},
      {u"", u"%SystemRoot%\\system32;", u"展開後: C:\\Windows\\system32"},
      {u"", u"\"%NOPE%\";", u"展開後: \"%NOPE%\"（未定義の変数があります）"},
      {u"", u"C:\\Tools;", u""},
  };
  for (const auto& c : cases) {
    const std::u16string line = c.Type.empty() ? PathItemExpansionLine(c.Text, sysList, userList, lookup)
                                               : VariableExpansionLine(c.Type, c.Text, sysList, userList, lookup);
    EXPECT_EQ(line, c.Line) << std::string(c.Text.begin(), c.Text.end());
  }
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
      /* 14 */ {u"C:\\Windows\";", exists, u"C:\\Windows\"", {}},
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
}

}  // namespace
}  // namespace tallowin
