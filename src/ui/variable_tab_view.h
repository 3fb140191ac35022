#pragma once

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "commands/editor_state.h"
#include "model/edit_list.h"
#include "ui/filter_field.h"
#include "ui/list_view.h"
#include "ui/main_window_layout.h"
#include "ui/status_hints.h"

// A variable tab ("システム" or "ユーザー"): the filter field, the list view
// of its edit list, the three fields under it (name, type drop-down, data)
// that hold the entry to add or replace, and the line that shows what the
// data becomes. The view owns these controls, lays them out, shows the rows
// of its list the filter lets through, reads its fields, and handles its own
// notifications: a row's selection (which fills the fields), the cells the
// list view asks for, the filter's text, and the width of the opened type
// list. One class serves both tabs. Its controls are made when the tab is
// first needed, not at start.
namespace tallowin::ui {

// The controls of one variable tab by their IDs.
struct VariableTabIds {
  Parent Page;
  int ListView;
  int NameEdit;
  int TypeCombo;
  int DataEdit;
  int FilterEdit;
  int ExpansionLine;
  // The two tabs word the type drop-down's hint differently.
  std::u16string_view TypeHint;
};

class VariableTabView {
 public:
  explicit VariableTabView(const VariableTabIds& ids) : ids_(ids) {}

  void Create(HWND page, StatusHints& hints);
  bool Created() const { return page_ != nullptr; }
  void Layout(UINT dpi);

  // Shows the list: the rows the filter lets through, the marks of the rows
  // named in `conflicts`, and its selection.
  void Mirror(const EditList& list, std::vector<std::u16string> conflicts);
  // The fields as the user left them.
  void ReadFields(VariableFields& fields) const;

  // A notification of the view's list view, applied to the list. True when
  // the user changed the list's selection with it; the view's own changes
  // of the control change nothing. `shown` tells whether this tab is the
  // one shown: only then does a row's selection fill the fields.
  bool OnNotify(const NMHDR& header, EditList& list, bool shown);
  // A notification of the view's other controls.
  ViewHandled OnCommand(HWND control, int code, HFONT font, UINT dpi);
  // The line under the fields.
  void ShowExpansion(std::u16string_view line);

  // Fills the fields from a row of the list, as a click on it does; no row
  // (-1) leaves them as they are.
  void FillFieldsFromRow(const EditList& list, int row);

  HWND ListHandle() const { return listView_.Handle(); }
  std::array<HWND, 3> EditFields() const { return {nameEdit_, dataEdit_, filter_.Handle()}; }
  FilterField& Filter() { return filter_; }

 private:
  bool ListViewChange(const NMLISTVIEW& change, EditList& list, bool shown);
  void ComboBoxOnDropDownActionExecute(HFONT font, UINT dpi);

  VariableTabIds ids_;
  HWND page_ = nullptr;
  ListView listView_;
  HWND nameEdit_ = nullptr;
  HWND typeCombo_ = nullptr;
  HWND dataEdit_ = nullptr;
  HWND expansion_ = nullptr;
  FilterField filter_;
  // The list's rows the list view shows, in order: row i of the control
  // is the list's shownRows_[i].
  std::vector<int> shownRows_;
  // Set while the view shows the list, whose selection changes then are the
  // program's, not the user's.
  bool mirroring_ = false;
  std::vector<std::u16string> conflicts_;
};

}  // namespace tallowin::ui
