#pragma once

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "commands/editor_state.h"
#include "model/edit_list.h"
#include "ui/list_view.h"
#include "ui/main_window_layout.h"
#include "ui/status_hints.h"

// A variable tab ("システム" or "ユーザー"): the list view of its edit list
// and the three fields under it (name, type drop-down, data) that hold the
// entry to add or replace. The view owns these controls, lays them out,
// shows its list, reads its fields, and handles its own notifications: a
// row's selection (which fills the fields), the cells the list view asks
// for, and the width of the opened type list. One class serves both tabs.
namespace tallowin::ui {

// The controls of one variable tab by their IDs.
struct VariableTabIds {
  Parent Page;
  int ListView;
  int NameEdit;
  int TypeCombo;
  int DataEdit;
  // The two tabs word the type drop-down's hint differently.
  std::u16string_view TypeHint;
};

class VariableTabView {
 public:
  explicit VariableTabView(const VariableTabIds& ids) : ids_(ids) {}

  void Create(HWND page, StatusHints& hints);
  void Layout(UINT dpi);

  // Shows the list: its rows, the marks of the rows named in `conflicts`,
  // and its selection.
  void Mirror(const EditList& list, std::vector<std::u16string> conflicts);
  // The fields as the user left them.
  void ReadFields(VariableFields& fields) const;

  // A notification of the view's list view, applied to the list. True when
  // the user changed the list's selection with it; the view's own changes
  // of the control change nothing. `shown` tells whether this tab is the
  // one shown: only then does a row's selection fill the fields.
  bool OnNotify(const NMHDR& header, EditList& list, bool shown);
  // A notification of the view's other controls; true when it was theirs.
  bool OnCommand(HWND control, int code, HFONT font, UINT dpi);

  // Fills the fields from a row of the list, as a click on it does; no row
  // (-1) leaves them as they are.
  void FillFieldsFromRow(const EditList& list, int row);

  HWND ListHandle() const { return listView_.Handle(); }
  std::array<HWND, 2> EditFields() const { return {nameEdit_, dataEdit_}; }

 private:
  bool ListViewChange(const NMLISTVIEW& change, EditList& list, bool shown);
  void ComboBoxOnDropDownActionExecute(HFONT font, UINT dpi);

  VariableTabIds ids_;
  HWND page_ = nullptr;
  ListView listView_;
  HWND nameEdit_ = nullptr;
  HWND typeCombo_ = nullptr;
  HWND dataEdit_ = nullptr;
  // Set while the view shows the list, whose selection changes then are the
  // program's, not the user's.
  bool mirroring_ = false;
  std::vector<std::u16string> conflicts_;
};

}  // namespace tallowin::ui
