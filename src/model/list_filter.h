#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "model/collation.h"

// The filter over the list a tab shows: while the user has typed a text into
// the tab's filter field, the list shows only the rows whose name or data (a
// Path item's text) contains it. The filter only hides rows: the lists, their
// order, the selection and what every command works on stay those of the
// whole list. A row that an edit made stop matching stays shown until the
// text changes, so that an edit never takes away the row the user works on.
namespace tallowin {

// Whether a text contains the filter text, ignoring letter case and the
// width of kana and letters; an empty filter text is in every text.
bool MatchesFilter(std::u16string_view text, std::u16string_view filterText);

// "120件中3件を表示": how many rows of a list of `total` the filter shows.
std::u16string FilterCountText(int shown, int total);

// What identifies a row from one change of its list to the next.
using RowKey = std::uint64_t;

// A row as the filter sees it: its key and the texts it is found by.
struct FilterRow {
  RowKey Key = 0;
  std::u16string_view Name;
  std::u16string_view Data;
};

class ListFilter {
 public:
  // Takes the field's text; true when it differs from the text before, and
  // then the rows kept shown are forgotten.
  bool SetText(std::u16string_view text);
  const std::u16string& Text() const { return text_; }
  bool Active() const { return !text_.empty(); }

  // The indexes of the rows to show, in list order: every row while the text
  // is empty; otherwise each row that matches, that has been shown since the
  // text was set, or that is the current row (-1 for none).
  const std::vector<int>& Apply(std::span<const FilterRow> rows, int current);

 private:
  std::u16string text_;
  CollationKey key_;
  std::unordered_set<RowKey> kept_;
  std::vector<int> shown_;
};

// Keys for the items of the Path list, which holds plain texts. An item
// keeps its key while it stays in the list, whatever comes or goes around
// it; an item that takes the place of one that went (Replace, Paste, typing
// in Edit1) takes that one's key, as the same row edited.
class PathItemKeys {
 public:
  const std::vector<RowKey>& Follow(const std::vector<std::u16string>& items);

 private:
  std::vector<std::u16string> items_;
  std::vector<RowKey> keys_;
  RowKey next_ = 1;
};

}  // namespace tallowin
