#pragma once

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "commands/ports.h"
#include "model/main_model.h"
#include "model/save_review.h"
#include "ui/window_base.h"
#include "win32/unique_handle.h"

// The review of what Save would change ("変更点の確認"): one row per value
// that Save would add or change, or that stays in a key although the list no
// longer holds it. A value the user took out of the list since the last
// Load has a check box "書き込み時に削除する": Save deletes the values
// checked. A long value is cut short in its cell and shown whole in the line
// under the list when its row is selected.
namespace tallowin::ui {

class TReviewForm final : public DialogBase<TReviewForm> {
 public:
  TReviewForm(HWND owner, MainModel& model, std::vector<ReviewRow> rows)
      : owner_(owner), model_(model), rows_(std::move(rows)) {}

  // Shows the review and returns when it is closed; false when it could not
  // be shown.
  bool ShowModal();

 private:
  friend class DialogBase<TReviewForm>;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void FormCreate();
  void LayOut(UINT dpi);
  void FitColumns(UINT dpi);
  void FillRows();
  void ListViewChange(const NMLISTVIEW& change);
  void ShowSelectedRow();
  void DeleteCheckClick();
  void SetDeleteOnSave(int row, bool checked);

  HWND owner_;
  MainModel& model_;
  std::vector<ReviewRow> rows_;
  win32::UniqueFont font_;
  // Set while the form itself sets the rows' check boxes.
  bool filling_ = false;
};

// Reads both keys afresh and shows over the owner what Save would change.
// When a key cannot be read the failure has been reported and nothing opens.
void ReviewChangesShow(HWND owner, MainModel& model, const CommandPorts& ports);

}  // namespace tallowin::ui
