#pragma once

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <set>
#include <vector>

#include "commands/ports.h"
#include "model/main_model.h"
#include "model/path_check.h"
#include "ui/window_base.h"
#include "win32/unique_handle.h"

// The Path check ("Pathの点検"): the Path tab's items that have a problem,
// each with a check box. Whether each folder exists is asked off the
// window's thread, a folder off this machine at most about a second, and
// the list fills in as the answers come. "選択した項目を削除" removes the
// checked items as one Path edit; "閉じる" and Escape close without a
// change.
namespace tallowin::ui {

class TPathCheckForm final : public DialogBase<TPathCheckForm> {
 public:
  TPathCheckForm(HWND owner, MainModel& model, PathCheckPlan plan, FolderCheckPort& checks)
      : owner_(owner), model_(model), plan_(std::move(plan)), checks_(checks), answers_(plan_.Items.size()) {}

  // Shows the check and returns when it is closed; true when it removed
  // items.
  bool ShowModal();

 private:
  friend class DialogBase<TPathCheckForm>;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void FormCreate();
  void LayOut(UINT dpi);
  void StartChecks();
  void TakeAnswer(std::size_t index, FolderAnswer answer);
  void ShowRows();
  // Brings the list view's rows to `rows`, which become rows_.
  void MergeRows(HWND list, const std::vector<PathProblemRow>& rows);
  void ListViewChange(const NMLISTVIEW& change);
  void RemoveCheckedItems();

  HWND owner_;
  MainModel& model_;
  PathCheckPlan plan_;
  FolderCheckPort& checks_;
  std::vector<std::optional<FolderAnswer>> answers_;
  std::vector<PathProblemRow> rows_;
  // The checked rows by their items' places in the Path list, kept while
  // the rows are shown again.
  std::set<std::size_t> checked_;
  std::size_t answered_ = 0;
  // The answers that came since the rows were last shown wait for the timer.
  bool showPending_ = false;
  win32::UniqueFont font_;
  bool filling_ = false;
};

// Plans the check of the Path list as it stands and shows it over the
// owner; true when the user removed items.
bool PathCheckShow(HWND owner, MainModel& model, const CommandPorts& ports);

}  // namespace tallowin::ui
