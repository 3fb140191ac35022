#include "commands/path_check_commands.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editing_bench.h"

namespace tallowin {
namespace {

using Lines = std::vector<std::u16string>;

class PathCheckCommandsTest : public ::testing::Test, protected testing::EditingBench {};

TEST_F(PathCheckCommandsTest, TheListsVariablesComeBeforeTheProgramsOwn) {
  ShowPath(u"%SystemRoot%\\bin;%TEMP%;%Nowhere%", 0);
  environment.Expansions = {{u"%SystemRoot%", u"C:\\Windows"}, {u"%TEMP%", u"C:\\ProgramTemp"}};
  // The user's TEMP (U) over the system's (T) and the program's.
  EXPECT_EQ(PathCheckExecute(model, ports).Folders(), (Lines{u"C:\\Windows\\bin", u"U", u"%Nowhere%"}));
  // A Path stored as a plain string keeps its references.
  model.SysList.SetTypeName(model.PathEntryIndex(), u"REG_SZ");
  EXPECT_EQ(PathCheckExecute(model, ports).Folders(), (Lines{u"%SystemRoot%\\bin", u"%TEMP%", u"%Nowhere%"}));
}

TEST_F(PathCheckCommandsTest, RemovingTheCheckedItemsIsOnePathEdit) {
  const struct {
    int Current;
    std::vector<std::size_t> Removed;
    Lines Left;
    int NowCurrent;
  } cases[] = {
      {2, {0, 4, 1}, {u"C;", u"D;"}, 0},            // the current item stays current
      {1, {1, 2}, {u"A;", u"D;", u"E;"}, 1},        // the next one that stays
      {3, {3, 4}, {u"A;", u"B;", u"C;"}, 2},        // or the new last
      {0, {4, 3, 2, 1, 0}, {}, -1},
      {4, {9, 1, 1}, {u"A;", u"C;", u"D;", u"E;"}, 3},  // outside the list, twice
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Current);
    ShowPath(u"A;B;C;D;E", c.Current);
    RemovePathItems(model, PathCheckExecute(model, ports), c.Removed);
    EXPECT_EQ(model.PathList, c.Left);
    EXPECT_EQ(model.PathListSelection(), c.NowCurrent);
    std::u16string joined;
    for (const std::u16string& item : c.Left) joined += item;
    EXPECT_EQ(model.Edit1, joined);
    EXPECT_EQ(model.Edit2, c.NowCurrent >= 0 ? c.Left[static_cast<std::size_t>(c.NowCurrent)] : u"");
    EXPECT_EQ(PathWritten(), TextToValue(kRegExpandSz, joined));
  }
  // Nothing to remove: the Path stays as it was read.
  ShowPath(u"A;B\r\nC", 1);
  RemovePathItems(model, PathCheckExecute(model, ports), {5});
  EXPECT_EQ(PathWritten(), TextToValue(kRegExpandSz, u"A;B\r\nC"));
}

// A line can hold several items of the stored value: a ';' carried over
// from an empty item, or directories typed into one line. Each is found and
// removed on its own, so the folders that share its line stay.
TEST_F(PathCheckCommandsTest, EachItemOfALineIsCheckedAndRemovedOnItsOwn) {
  ShowPath(u"C:\\windows;;C:\\p\\d0002;;;X;", 0);
  model.PathList.push_back(u"C:\\A; ;c:\\WINDOWS\\;");  // typed into one line
  const PathCheckPlan plan = PathCheckExecute(model, ports);
  const std::vector<std::optional<FolderAnswer>> answers(plan.Items.size(), FolderAnswer::Exists);
  std::vector<std::pair<std::size_t, std::u16string>> found;  // line, item
  std::vector<std::size_t> indices;
  for (const PathProblemRow& row : FindPathProblems(plan, answers)) {
    found.emplace_back(row.Line, row.Item + u" " + ProblemsText(row));
    indices.push_back(row.Index);
  }
  EXPECT_EQ(found, (std::vector<std::pair<std::size_t, std::u16string>>{
                       {1, u"; 空の項目です"}, {2, u"; 空の項目です"}, {2, u"; 空の項目です"},
                       {4, u" ; 空の項目です"}, {4, u"c:\\WINDOWS\\; 重複しています"}}));
  RemovePathItems(model, plan, indices);
  EXPECT_EQ(model.PathList, (Lines{u"C:\\windows;", u"C:\\p\\d0002;", u"X;", u"C:\\A;"}));
  EXPECT_EQ(PathWritten(), TextToValue(kRegExpandSz, u"C:\\windows;C:\\p\\d0002;X;C:\\A;"));

  // The value's last empty item is one item, found once and removed whole.
  ShowPath(u"C:\\windows;C:\\p\\d0002;;", 0);
  const PathCheckPlan last = PathCheckExecute(model, ports);
  const std::vector<PathProblemRow> empty =
      FindPathProblems(last, std::vector<std::optional<FolderAnswer>>(last.Items.size(), FolderAnswer::Exists));
  ASSERT_EQ(empty.size(), 1u);
  RemovePathItems(model, last, {empty[0].Index});
  EXPECT_EQ(PathWritten(), TextToValue(kRegExpandSz, u"C:\\windows;C:\\p\\d0002;"));

  // A quoted run that the Path list shows as two lines stays, or goes, whole.
  ShowPath(u"\"C:\\T;2\";C:\\G;C:\\G", 0);
  RemovePathItems(model, PathCheckExecute(model, ports), {2});
  EXPECT_EQ(model.PathList, (Lines{u"\"C:\\T;", u"2\";", u"C:\\G;"}));
  RemovePathItems(model, PathCheckExecute(model, ports), {0});
  EXPECT_EQ(model.PathList, (Lines{u"C:\\G;"}));
}

}  // namespace
}  // namespace tallowin
