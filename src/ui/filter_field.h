#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/list_filter.h"
#include "ui/status_hints.h"

// The one-line filter field above a tab's list, and the read-only line
// under its fields that shows what a value becomes. A tab's view owns one of
// each; the rules of both live in the model (list_filter.h,
// expansion_line.h).
namespace tallowin::ui {

// What a notification of a tab view's control did: nothing of the view's,
// nothing to show again, a change of the fields (whose expansion line
// follows them), of the model, or of the filter's text.
enum class ViewHandled { NotMine, Mine, FieldsChanged, ModelChanged, FilterChanged };

class FilterField {
 public:
  void Create(HWND page, int id, StatusHints& hints);
  HWND Handle() const { return edit_; }

  // EN_CHANGE of the field takes its text as the filter's.
  ViewHandled OnCommand(HWND control, int code);
  // Whether the text now set hides a row of this name and data.
  bool Hides(std::u16string_view name, std::u16string_view data) const {
    return filter_.Active() && !MatchesFilter(name, filter_.Text()) && !MatchesFilter(data, filter_.Text());
  }
  // Escape: the field empties, and the list shows every row again.
  void Clear();

  // The rows of the list to show (indexes into rows), as the filter
  // finds them now; the current row is always among them.
  const std::vector<int>& Apply(std::span<const FilterRow> rows, int current);
  // "120件中3件を表示" while the filter hides rows of the list it was last
  // applied to; nothing while its text is empty.
  std::optional<std::u16string> CountText() const;

 private:
  HWND edit_ = nullptr;
  ListFilter filter_;
  int shown_ = 0;
  int total_ = 0;
};

// Creates the read-only line that shows what a value becomes.
HWND CreateExpansionLine(HWND page, int id);

}  // namespace tallowin::ui
