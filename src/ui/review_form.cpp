#include "ui/review_form.h"

#include <algorithm>
#include <array>
#include <vector>
#include <string>

#include "commands/review_commands.h"
#include "model/texts.h"
#include "ui/dialog_layout.h"
#include "ui/resources/resource.h"
#include "ui/window_metrics.h"
#include "win32/wide_text.h"

namespace tallowin::ui {
namespace {

constexpr SIZE kClientSize{640, 372};

constexpr DialogPlace kPlaces[] = {
    {IDC_REVIEW_LIST, 8, 8, 624, 280},   {IDC_REVIEW_EMPTY, 8, 8, 624, 20}, {IDC_REVIEW_DELETE, 8, 294, 300, 20},
    {IDC_REVIEW_STATUS, 8, 318, 624, 20}, {IDOK, 552, 344, 80, 24},
};

// A cell shows at most this many characters; the line under the list shows
// the whole value.
constexpr std::size_t kLongestCell = 256;

std::u16string Shortened(std::u16string text) {
  if (text.size() > kLongestCell) {
    text.resize(kLongestCell);
    text += u"…";
  }
  return text;
}

// The list's columns: the check box column first, so that the rows without
// a check box start under their headers as the others do, then the texts of
// ReviewColumnTexts.
constexpr int kCheckColumn = 0;
constexpr int kFirstTextColumn = 1;
constexpr int kChangeColumn = kFirstTextColumn + 2;

UINT CheckBoxImage(const ReviewRow& row) {
  if (!row.Deletable) return INDEXTOSTATEIMAGEMASK(0);  // no check box
  return INDEXTOSTATEIMAGEMASK(row.DeleteOnSave ? 2 : 1);
}

}  // namespace

bool TReviewForm::ShowModal() {
  return RunModal(reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(owner_, GWLP_HINSTANCE)), IDD_REVIEW, owner_) >= 0;
}

INT_PTR TReviewForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      FormCreate();
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(dialog_, IDOK);  // OK, Escape and the close box
      } else if (LOWORD(wParam) == IDC_REVIEW_DELETE && HIWORD(wParam) == BN_CLICKED) {
        DeleteCheckClick();
      }
      return TRUE;
    case WM_NOTIFY: {
      const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.idFrom == IDC_REVIEW_LIST && header.code == LVN_ITEMCHANGED) {
        ListViewChange(reinterpret_cast<const NMLISTVIEW&>(header));
      }
      return TRUE;
    }
    default:
      return FALSE;
  }
}

void TReviewForm::FormCreate() {
  SetDialogText(dialog_, 0, texts::kReviewCaption);
  SetDialogText(dialog_, IDC_REVIEW_DELETE, texts::kReviewDeleteOnSave);
  SetDialogText(dialog_, IDC_REVIEW_EMPTY, texts::kReviewNoChanges);
  const UINT dpi = DpiOf(dialog_);
  const ListColumn columns[] = {{u"", 0},
                                {texts::kReviewColumnKey, 70},
                                {texts::kColumnName, 120},
                                {texts::kReviewColumnChange, 110},
                                {texts::kReviewColumnCurrent, 150},
                                {texts::kReviewColumnToWrite, 150}};
  SetUpReportList(::GetDlgItem(dialog_, IDC_REVIEW_LIST), columns, dpi, true);
  LayOut(dpi);
  FitColumns(dpi);
  CentreOverOwner(dialog_, owner_);
  FillRows();
  ShowSelectedRow();
}

void TReviewForm::LayOut(UINT dpi) {
  font_ = LayOutDialogInProgramFont(dialog_, kPlaces, kClientSize, dpi);
}

void TReviewForm::FitColumns(UINT dpi) {
  const HWND list = ::GetDlgItem(dialog_, IDC_REVIEW_LIST);
  const bool anyCheckBox = std::any_of(rows_.begin(), rows_.end(), [](const ReviewRow& row) { return row.Deletable; });
  ListView_SetColumnWidth(list, kCheckColumn, anyCheckBox ? CheckBoxColumnWidth(list, dpi) : 0);
  // The key and change columns hold a few fixed texts: each is as wide as
  // its longest, at the list's font for this DPI.
  const std::u16string longestChange = std::u16string(texts::kChangeTypeChanged) + u" " +
                                       std::u16string(texts::kChangeTooLong);
  FitColumnToTexts(list, kFirstTextColumn, {texts::kReviewColumnKey, texts::kTabSystem, texts::kTabUser}, dpi);
  FitColumnToTexts(list, kChangeColumn,
                   {texts::kReviewColumnChange, longestChange, texts::kChangeRemains, texts::kChangeDeleted}, dpi);
}

void TReviewForm::FillRows() {
  const HWND list = ::GetDlgItem(dialog_, IDC_REVIEW_LIST);
  // Nothing differs: the one line says so in the list's place.
  ::ShowWindow(list, rows_.empty() ? SW_HIDE : SW_SHOW);
  ::ShowWindow(::GetDlgItem(dialog_, IDC_REVIEW_EMPTY), rows_.empty() ? SW_SHOW : SW_HIDE);
  filling_ = true;
  for (const ReviewRow& row : rows_) {
    std::vector<std::u16string> cells{u""};
    for (std::u16string& cell : ReviewColumnTexts(row)) cells.push_back(Shortened(std::move(cell)));
    const int index = AppendReportRow(list, cells);
    ListView_SetItemState(list, index, CheckBoxImage(row), LVIS_STATEIMAGEMASK);
  }
  if (!rows_.empty()) ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  filling_ = false;
}

void TReviewForm::ListViewChange(const NMLISTVIEW& change) {
  if ((change.uChanged & LVIF_STATE) == 0 || change.iItem < 0 || change.iItem >= static_cast<int>(rows_.size())) {
    return;
  }
  if (((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0) ShowSelectedRow();
  if (filling_ || ((change.uOldState ^ change.uNewState) & LVIS_STATEIMAGEMASK) == 0) return;
  // A click on a row's check box; a row that may not be deleted has none
  // and keeps none.
  const bool checked = (change.uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
  SetDeleteOnSave(change.iItem, checked);
}

void TReviewForm::ShowSelectedRow() {
  const HWND list = ::GetDlgItem(dialog_, IDC_REVIEW_LIST);
  const int selected = ListView_GetNextItem(list, -1, LVNI_SELECTED);
  const bool any = selected >= 0 && selected < static_cast<int>(rows_.size());
  const HWND check = ::GetDlgItem(dialog_, IDC_REVIEW_DELETE);
  ::EnableWindow(check, any && rows_[static_cast<std::size_t>(selected)].Deletable);
  ::SendMessageW(check, BM_SETCHECK, any && rows_[static_cast<std::size_t>(selected)].DeleteOnSave, 0);
  std::u16string whole;
  if (any) {
    const std::array<std::u16string, 5> cells = ReviewColumnTexts(rows_[static_cast<std::size_t>(selected)]);
    whole = cells[3].empty() || cells[4].empty() ? cells[3] + cells[4] : cells[3] + u" → " + cells[4];
  }
  SetDialogText(dialog_, IDC_REVIEW_STATUS, whole);
}

void TReviewForm::DeleteCheckClick() {
  const int selected = ListView_GetNextItem(::GetDlgItem(dialog_, IDC_REVIEW_LIST), -1, LVNI_SELECTED);
  if (selected < 0 || selected >= static_cast<int>(rows_.size())) return;
  SetDeleteOnSave(selected, ::IsDlgButtonChecked(dialog_, IDC_REVIEW_DELETE) == BST_CHECKED);
}

void TReviewForm::SetDeleteOnSave(int row, bool checked) {
  ReviewRow& reviewed = rows_[static_cast<std::size_t>(row)];
  if (reviewed.Deletable) {
    tallowin::SetDeleteOnSave(model_, reviewed, checked);
    reviewed.DeleteOnSave = checked;
  }
  const HWND list = ::GetDlgItem(dialog_, IDC_REVIEW_LIST);
  filling_ = true;
  ListView_SetItemState(list, row, CheckBoxImage(reviewed), LVIS_STATEIMAGEMASK);
  filling_ = false;
  // "残ります" reads "削除します" while ticked.
  SetReportCell(list, row, kChangeColumn, ReviewColumnTexts(reviewed)[kChangeColumn - kFirstTextColumn]);
  ShowSelectedRow();
}

void ReviewChangesShow(HWND owner, MainModel& model, const CommandPorts& ports) {
  std::optional<std::vector<ReviewRow>> rows = ReviewChangesExecute(model, ports);
  if (!rows) return;
  TReviewForm form(owner, model, std::move(*rows));
  form.ShowModal();
}

}  // namespace tallowin::ui
