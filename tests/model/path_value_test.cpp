#include "model/path_value.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/value_text.h"
#include "odd_path_values.h"

namespace tallowin {
namespace {

using Lines = std::vector<std::u16string>;

TEST(SplitPathItems, SplitTable) {
  struct Case {
    std::u16string Value;
    Lines Items;
  };
  const Case cases[] = {
      {u"", {}},
      {u"C:\\A;C:\\B", {u"C:\\A;", u"C:\\B;"}},
      {u"C:\\A;C:\\B;", {u"C:\\A;", u"C:\\B;"}},
      {u"C:\\A;;C:\\B", {u"C:\\A;", u";C:\\B;"}},
      {u";C:\\A", {u";C:\\A;"}},
      // A value's last empty item is closed already: no ';' is added to it.
      {u";", {u";"}},
      {u"C:\\A;;", {u"C:\\A;", u";"}},
      {u";;;", {u";;", u";"}},
      {u"C:\\A;;;;", {u"C:\\A;", u";;", u";"}},
      // Blanks are no separators and are kept.
      {u"C:\\A ; C:\\B", {u"C:\\A ;", u" C:\\B;"}},
      // Characters beyond ASCII and surrogate pairs pass through whole.
      {u"C:\\ツール;D:\\\U0001F600", {u"C:\\ツール;", u"D:\\\U0001F600;"}},
  };
  for (const Case& c : cases) {
    const std::u16string itemText = SplitPathItems(c.Value);
    EXPECT_EQ(SplitLines(itemText), c.Items) << "value size " << c.Value.size();
    // Every item is followed by CR LF.
    EXPECT_EQ(itemText, JoinLines(c.Items));
    // Splitting the joined value again gives the same items.
    EXPECT_EQ(SplitLines(SplitPathItems(RemoveLineBreaks(itemText))), c.Items);
    // A value that ends with its separator is joined back as it was.
    if (c.Value.empty() || c.Value.back() == u';') EXPECT_EQ(JoinPathItems(SplitPathValue(c.Value)), c.Value);
  }
}

TEST(SplitPathItems, LineBreakInsideTheDataEndsAnItemInTheList) {
  // Load splits without removing line breaks: the list box then shows them
  // as separate lines.
  EXPECT_EQ(SplitLines(SplitPathItems(u"C:\\A\r\nC:\\B;C:\\C")), (Lines{u"C:\\A", u"C:\\B;", u"C:\\C;"}));
}

TEST(ItemsOfReadPath, TheQuickComparisonsAgreeWithTheItemsMade) {
  for (const testing::OddPathValue& c : testing::OddPathValues()) {
    SCOPED_TRACE(c.Name);
    const std::u16string data = DataTextOf(c.Value);
    Lines items = ItemsOfReadPath(data);
    EXPECT_TRUE(IsItemsOfReadPath(data, items));
    EXPECT_TRUE(IsJoinedPathItems(JoinPathItems(items), items));
    EXPECT_FALSE(IsJoinedPathItems(JoinPathItems(items) + u"x", items));
    items.push_back(u"C:\\More;");
    EXPECT_FALSE(IsItemsOfReadPath(data, items));
    items.pop_back();
    if (items.empty()) continue;
    items.back().pop_back();  // the same text without its closing ';'
    EXPECT_FALSE(IsItemsOfReadPath(data, items));
  }
}

TEST(RemoveLineBreaks, DropsEveryCrAndLf) {
  EXPECT_EQ(RemoveLineBreaks(u"a;\r\nb;\r\n"), u"a;b;");
  EXPECT_EQ(RemoveLineBreaks(u"\r\r\n\n"), u"");
  EXPECT_EQ(RemoveLineBreaks(u"a\rb\nc"), u"abc");
}

TEST(EnsureTrailingSemicolon, TrimsOnlyWhatItCompletes) {
  EXPECT_EQ(EnsureTrailingSemicolon(u"  C:\\Tools "), u"C:\\Tools;");
  EXPECT_EQ(EnsureTrailingSemicolon(u"C:\\Tools;"), u"C:\\Tools;");
  EXPECT_EQ(EnsureTrailingSemicolon(u" C:\\Tools;"), u" C:\\Tools;");
  EXPECT_EQ(EnsureTrailingSemicolon(u"\tC:\\Tools\r\n"), u"C:\\Tools;");
  EXPECT_EQ(EnsureTrailingSemicolon(u"C:\\Program Files"), u"C:\\Program Files;");
  EXPECT_EQ(EnsureTrailingSemicolon(u";"), u";");
  // Nothing to make an item of: no item at all, not a lone ';'.
  EXPECT_EQ(EnsureTrailingSemicolon(u""), u"");
  EXPECT_EQ(EnsureTrailingSemicolon(u"   "), u"");
  EXPECT_EQ(EnsureTrailingSemicolon(u"\t\r\n"), u"");
}

TEST(SplitLines, LineEnds) {
  EXPECT_EQ(SplitLines(u""), Lines{});
  EXPECT_EQ(SplitLines(u"a"), Lines{u"a"});
  EXPECT_EQ(SplitLines(u"a\r\n"), Lines{u"a"});
  EXPECT_EQ(SplitLines(u"a\rb\nc\r\nd"), (Lines{u"a", u"b", u"c", u"d"}));
  EXPECT_EQ(SplitLines(u"a\n\nb"), (Lines{u"a", u"", u"b"}));
  EXPECT_EQ(SplitLines(u"\r\n"), Lines{u""});
}

}  // namespace
}  // namespace tallowin
