#include "ui/path_check_form.h"

#include <algorithm>
#include <string>

#include "commands/path_check_commands.h"
#include "model/texts.h"
#include "ui/dialog_layout.h"
#include "ui/resources/resource.h"
#include "ui/window_metrics.h"
#include "win32/wide_text.h"

namespace tallowin::ui {
namespace {

constexpr SIZE kClientSize{560, 330};

constexpr DialogPlace kPlaces[] = {
    {IDC_PATH_CHECK_LIST, 8, 8, 544, 272},
    {IDC_PATH_CHECK_EMPTY, 8, 8, 544, 20},
    {IDC_PATH_CHECK_REMOVE, 8, 292, 160, 26},
    {IDCANCEL, 472, 292, 80, 26},
};

// An answer of the existence check, posted from its thread: wParam is the
// folder's index, lParam the answer.
constexpr UINT kAnswerMessage = WM_APP + 1;

// Answers that come in quick succession are shown together, at most this
// often, so that a Path of thousands of items does not redraw the list for
// each; the last answer is shown at once.
constexpr UINT_PTR kShowTimer = 1;
constexpr UINT kShowEveryMs = 100;

}  // namespace

bool TPathCheckForm::ShowModal() {
  return RunModal(reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(owner_, GWLP_HINSTANCE)), IDD_PATH_CHECK, owner_) ==
         IDOK;
}

INT_PTR TPathCheckForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      FormCreate();
      return TRUE;
    case kAnswerMessage:
      TakeAnswer(static_cast<std::size_t>(wParam), static_cast<FolderAnswer>(lParam));
      return TRUE;
    case WM_TIMER:
      if (wParam == kShowTimer) {
        ::KillTimer(dialog_, kShowTimer);
        showPending_ = false;
        ShowRows();
      }
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) ::EndDialog(dialog_, IDCANCEL);  // 閉じる, Escape, the close box
      if (LOWORD(wParam) == IDC_PATH_CHECK_REMOVE && HIWORD(wParam) == BN_CLICKED) RemoveCheckedItems();
      return TRUE;
    case WM_NOTIFY: {
      const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.idFrom == IDC_PATH_CHECK_LIST && header.code == LVN_ITEMCHANGED) {
        ListViewChange(reinterpret_cast<const NMLISTVIEW&>(header));
      }
      return TRUE;
    }
    case WM_DESTROY:
      // No answer comes after this; those already posted die with the box.
      checks_.StopChecks();
      return FALSE;
    default:
      return FALSE;
  }
}

void TPathCheckForm::FormCreate() {
  SetDialogText(dialog_, 0, texts::kPathCheckCaption);
  SetDialogText(dialog_, IDC_PATH_CHECK_EMPTY, texts::kPathCheckNoProblems);
  SetDialogText(dialog_, IDC_PATH_CHECK_REMOVE, texts::kPathCheckRemoveChecked);
  SetDialogText(dialog_, IDCANCEL, texts::kPathCheckClose);
  const UINT dpi = DpiOf(dialog_);
  const ListColumn columns[] = {{texts::kPathCheckColumnItem, 300}, {texts::kPathCheckColumnProblem, 224}};
  SetUpReportList(::GetDlgItem(dialog_, IDC_PATH_CHECK_LIST), columns, dpi, true);
  LayOut(dpi);
  CentreOverOwner(dialog_, owner_);
  ShowRows();
  StartChecks();
}

void TPathCheckForm::LayOut(UINT dpi) {
  font_ = LayOutDialogInProgramFont(dialog_, kPlaces, kClientSize, dpi);
}

void TPathCheckForm::StartChecks() {
  const HWND dialog = dialog_;
  // The answers come on the check's thread: posted, never sent, so that
  // stopping the check from this thread cannot wait on it.
  checks_.StartChecks(plan_.Folders(), [dialog](std::size_t index, FolderAnswer answer) {
    ::PostMessageW(dialog, kAnswerMessage, index, static_cast<LPARAM>(answer));
  });
}

void TPathCheckForm::TakeAnswer(std::size_t index, FolderAnswer answer) {
  if (index >= answers_.size() || answers_[index]) return;
  answers_[index] = answer;
  if (++answered_ == answers_.size()) {
    ::KillTimer(dialog_, kShowTimer);
    showPending_ = false;
    ShowRows();
  } else if (!showPending_) {
    showPending_ = ::SetTimer(dialog_, kShowTimer, kShowEveryMs, nullptr) != 0;
    if (!showPending_) ShowRows();
  }
}

void TPathCheckForm::ShowRows() {
  const std::vector<PathProblemRow> rows = FindPathProblems(plan_, answers_);
  const bool allAnswered = answered_ == answers_.size();
  const HWND list = ::GetDlgItem(dialog_, IDC_PATH_CHECK_LIST);
  ::ShowWindow(::GetDlgItem(dialog_, IDC_PATH_CHECK_EMPTY), rows.empty() && allAnswered ? SW_SHOW : SW_HIDE);
  filling_ = true;
  // Redrawn once afterwards: the list view otherwise lays itself out again
  // for every row that comes.
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  MergeRows(list, rows);
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
  filling_ = false;
  ::ShowWindow(list, rows_.empty() && allAnswered ? SW_HIDE : SW_SHOW);
  ::EnableWindow(::GetDlgItem(dialog_, IDC_PATH_CHECK_REMOVE), !checked_.empty());
}

void TPathCheckForm::MergeRows(HWND list, const std::vector<PathProblemRow>& rows) {
  // Only the rows that came, went or changed are touched: the selection, the
  // scroll position and the check boxes of the others stay as they were.
  std::size_t shown = 0;
  for (const PathProblemRow& row : rows) {
    while (shown < rows_.size() && rows_[shown].Index < row.Index) {
      ListView_DeleteItem(list, static_cast<int>(shown));
      rows_.erase(rows_.begin() + static_cast<long>(shown));
    }
    const int at = static_cast<int>(shown);
    if (shown < rows_.size() && rows_[shown].Index == row.Index) {
      if (rows_[shown].Problems != row.Problems) {
        SetReportCell(list, at, 1, ProblemsText(row));
        rows_[shown] = row;
      }
    } else {
      const std::u16string cells[] = {row.Item, ProblemsText(row)};
      InsertReportRow(list, at, cells);
      const bool checked = checked_.count(row.Index) != 0;
      ListView_SetItemState(list, at, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
      rows_.insert(rows_.begin() + static_cast<long>(shown), row);
    }
    ++shown;
  }
  while (rows_.size() > shown) {
    ListView_DeleteItem(list, static_cast<int>(rows_.size()) - 1);
    rows_.pop_back();
  }
}

void TPathCheckForm::ListViewChange(const NMLISTVIEW& change) {
  if (filling_ || (change.uChanged & LVIF_STATE) == 0 || change.iItem < 0 ||
      change.iItem >= static_cast<int>(rows_.size()) ||
      ((change.uOldState ^ change.uNewState) & LVIS_STATEIMAGEMASK) == 0) {
    return;
  }
  const std::size_t item = rows_[static_cast<std::size_t>(change.iItem)].Index;
  if ((change.uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2)) {
    checked_.insert(item);
  } else {
    checked_.erase(item);
  }
  ::EnableWindow(::GetDlgItem(dialog_, IDC_PATH_CHECK_REMOVE), !checked_.empty());
}

void TPathCheckForm::RemoveCheckedItems() {
  // Only items that still show a problem are removed.
  std::vector<std::size_t> indices;
  for (const PathProblemRow& row : rows_) {
    if (checked_.count(row.Index) != 0) indices.push_back(row.Index);
  }
  if (indices.empty()) return;
  RemovePathItems(model_, plan_, indices);
  ::EndDialog(dialog_, IDOK);
}

bool PathCheckShow(HWND owner, MainModel& model, const CommandPorts& ports) {
  TPathCheckForm form(owner, model, PathCheckExecute(model, ports), *ports.FolderChecks);
  return form.ShowModal();
}

}  // namespace tallowin::ui
