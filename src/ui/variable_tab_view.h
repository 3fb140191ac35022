#pragma once

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "commands/editor_state.h"
#include "model/edit_list.h"
#include "model/environment_keys.h"
#include "model/expansion_line.h"
#include "model/main_model.h"
#include "ui/filter_field.h"
#include "ui/list_view.h"
#include "ui/main_window_layout.h"
#include "ui/status_hints.h"
#include "ui/tab_view.h"

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

// One variable tab: its place among the tabs, its key, its list and fields
// in the model and the editor state, and its controls by their IDs.
struct VariableTab {
  Tab Index;
  KeyScope Scope;
  EditList MainModel::*List;
  VariableFields EditorState::*Fields;
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

extern const VariableTab kSystemTab;
extern const VariableTab kUserTab;

class VariableTabView final : public TabView {
 public:
  // programVariable: what the expansion line takes for a variable that
  // neither key holds; it outlives the view.
  VariableTabView(const VariableTab& tab, const VariableLookup& programVariable)
      : tab_(tab), programVariable_(programVariable) {}

  void Create(HWND page, StatusHints& hints) override;
  bool Created() const override { return page_ != nullptr; }
  // Whether the name field holds a name: what Add needs.
  bool HoldsName() const { return Created() && ::GetWindowTextLengthW(nameEdit_) > 0; }
  void Layout(UINT dpi, HFONT font) override;

  // Shows the list: the rows the filter lets through, the marks of the rows
  // in conflict, and its selection.
  void Mirror(const MainModel& model) override;
  void ShowExpansion(const MainModel& model) override;
  // The fields as the user left them, into the editor state's fields of
  // this tab.
  void ReadFields(MainModel& model, EditorState& editor) const override;
  ViewHandled OnCommand(MainModel& model, EditHistory& history, HWND control, int code) override;
  // The fields show the selected row as the tab comes up.
  void Shown(const MainModel& model) override;

  // A notification of the view's list view, applied to the list. True when
  // the user changed the list's selection with it; the view's own changes
  // of the control change nothing. Only on the tab shown does a row's
  // selection fill the fields.
  bool OnNotify(const NMHDR& header, MainModel& model);

  HWND ListHandle() const override { return listView_.Handle(); }
  std::array<HWND, 3> EditFields() const override { return {nameEdit_, dataEdit_, filter_.Handle()}; }
  FilterField& Filter() override { return filter_; }

 private:
  VariableFields Fields() const;
  bool ListViewChange(const NMLISTVIEW& change, EditList& list, bool shown);
  // Fills the fields from a row of the list, as a click on it does; no row
  // (-1) leaves them as they are.
  void FillFieldsFromRow(const EditList& list, int row);
  void WidenTypeCombo();
  void DropHiddenSelection(EditList& list) const;
  void ComboBoxOnDropDownActionExecute();

  VariableTab tab_;
  const VariableLookup& programVariable_;
  HWND page_ = nullptr;
  UINT dpi_ = 96;
  HFONT font_ = nullptr;  // the window's, which outlives the view's use of it
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
