#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/edit_list.h"
#include "model/expansion.h"
#include "model/type_names.h"

// The Path check: the items of the Path list that have a problem. An item
// names a folder once it is expanded (expansion.h), rid of its closing ';'
// and of the double quotes around it. Two items name the same folder when those
// texts are equal ignoring case and one trailing backslash. A ';' between
// double quotes separates nothing, as in Windows' own search of the Path:
// "C:\Tools;2\bin" is one folder, even when the Path list shows it as two
// lines; a quote that nothing closes is an ordinary character.
//
// Whether a folder exists is asked off the window's thread; the rules take
// the answers as they have come so far, so the window can show the rows
// again after each.
namespace tallowin {

// What the existence check says of one folder.
enum class FolderAnswer { Exists, Missing, NoAnswer };

// The problems, in the order a row lists them.
enum class PathProblem {
  Empty,           // "空の項目です"
  Duplicate,       // "重複しています"
  AlsoInUserPath,  // "ユーザーのPathにもあります"
  Missing,         // "フォルダが存在しません"
  NoAnswer,        // "確認できませんでした"
};

// One item of the stored Path value as the check sees it. A line of the
// Path list usually holds one item, but it can hold more: a ';' that the
// splitting carried over into the next line is an empty item of its own
// (";C:\B;" is an empty item and C:\B), and a typed line may hold several
// directories. Each is checked, and removed, on its own.
struct CheckedPathItem {
  std::u16string Item;      // its text in the line, with its closing ';'
  std::size_t Line = 0;     // the Path list line that holds it
  std::size_t Start = 0;    // where Item starts in that line
  std::size_t LastLine = 0; // the line that holds its end: a quoted run can span lines
  bool Empty = false;       // nothing but blanks before its closing ';'
  std::u16string Folder;    // what the existence check asks about
  std::u16string Key;       // what the comparisons compare (ignoring case)
  bool Duplicate = false;   // an earlier item names the same folder
  bool InUserPath = false;  // an item of the user's Path names it too
};

struct PathCheckPlan {
  std::vector<CheckedPathItem> Items;

  // The folders to ask about, one per item, in item order.
  std::vector<std::u16string> Folders() const;
};

// The items of one line, each with its closing ';' (the last one without,
// when the line does not end with ';'), as the stored value holds them; a
// quoted run within the line is one item.
std::vector<std::u16string_view> ItemsOfPathLine(std::u16string_view line);

// pathTypeName is the checked Path's type: the items of a plain string
// (REG_SZ) are not expanded, and neither are the user Path's when it is
// one. A reference to Path inside a Path is a loop and stays as written.
PathCheckPlan PlanPathCheck(const std::vector<std::u16string>& pathItems, const EditList& sysList,
                            const EditList& userList, const VariableLookup& programVariable,
                            std::u16string_view pathTypeName = kTypeNames[kRegExpandSz]);

struct PathProblemRow {
  std::size_t Index = 0;  // in plan.Items
  std::size_t Line = 0;   // in the Path list
  std::u16string Item;
  std::vector<PathProblem> Problems;

  bool operator==(const PathProblemRow&) const = default;
};

// The items with a problem, in item order. answers[i] is the existence
// check's answer for plan.Items[i], nothing while it has not come (then the
// item has no existence problem yet); missing entries count as not come.
std::vector<PathProblemRow> FindPathProblems(const PathCheckPlan& plan,
                                             std::span<const std::optional<FolderAnswer>> answers);

std::u16string_view ProblemText(PathProblem problem);
// The row's "問題" column: its problems' texts joined by "、".
std::u16string ProblemsText(const PathProblemRow& row);

}  // namespace tallowin
