#include "commands/path_check_commands.h"

#include <gtest/gtest.h>

#include <string>
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
    RemovePathItems(model, c.Removed);
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
  RemovePathItems(model, {5});
  EXPECT_EQ(PathWritten(), TextToValue(kRegExpandSz, u"A;B\r\nC"));
}

}  // namespace
}  // namespace tallowin
