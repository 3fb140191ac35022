#include "ui/list_editor_form.h"

#include <commctrl.h>

#include <algorithm>
#include <set>
#include <stdexcept>

#include "commands/dialog_offsets.h"
#include "model/texts.h"
#include "ui/dialog_layout.h"
#include "ui/resources/resource.h"
#include "ui/window_metrics.h"
#include "win32/wide_text.h"
#include "win32/window_text.h"

namespace tallowin::ui {
namespace {

constexpr SIZE kClientSize{640, 358};

constexpr DialogPlace kPlaces[] = {
    {IDC_LIST_EDITOR_LIST, 8, 8, 510, 272},      {IDC_LIST_EDITOR_ITEM, 8, 290, 420, 22},
    {IDC_LIST_EDITOR_BROWSE, 434, 288, 84, 26},  {IDC_LIST_EDITOR_ADD, 526, 8, 106, 26},
    {IDC_LIST_EDITOR_REPLACE, 526, 38, 106, 26}, {IDC_LIST_EDITOR_DELETE, 526, 68, 106, 26},
    {IDC_LIST_EDITOR_UP, 526, 104, 106, 26},     {IDC_LIST_EDITOR_DOWN, 526, 134, 106, 26},
    {IDC_LIST_EDITOR_PASTE, 526, 170, 106, 40},  {IDOK, 466, 324, 80, 26},
    {IDCANCEL, 552, 324, 80, 26},
};

// An answer of the existence check, posted from its thread: wParam is the
// folder's index in the run, lParam the run shifted past the answer.
constexpr UINT kAnswerMessage = WM_APP + 1;
constexpr int kRunShift = 8;

// The list's own keys: Ctrl+Up and Ctrl+Down move the item (plain arrows
// only move the selection), Ctrl+V pastes lines, Delete deletes. They are
// taken before the list view's own handling, which would otherwise move
// its focus rectangle away from the moved item.
LRESULT CALLBACK ListKeys(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_KEYDOWN) {
    const bool control = ::GetKeyState(VK_CONTROL) < 0;
    int command = 0;
    if (control && wParam == VK_UP) command = IDC_LIST_EDITOR_UP;
    if (control && wParam == VK_DOWN) command = IDC_LIST_EDITOR_DOWN;
    if (control && wParam == 'V') command = IDC_LIST_EDITOR_PASTE;
    if (!control && wParam == VK_DELETE) command = IDC_LIST_EDITOR_DELETE;
    if (command != 0) {
      ::SendMessageW(::GetParent(list), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
      return 0;
    }
  }
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(list, ListKeys, 0);
  return ::DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace

bool TListEditorForm::ShowModal() {
  return RunModal(reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(owner_, GWLP_HINSTANCE)), IDD_LIST_EDITOR,
                  owner_) == IDOK;
}

INT_PTR TListEditorForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      FormCreate();
      return TRUE;
    case kAnswerMessage:
      TakeAnswer(static_cast<std::size_t>(wParam), static_cast<FolderAnswer>(lParam & ((1 << kRunShift) - 1)),
                 static_cast<unsigned>(lParam >> kRunShift));
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
      return TRUE;
    case WM_NOTIFY: {
      const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.idFrom == IDC_LIST_EDITOR_LIST && header.code == LVN_ITEMCHANGED) {
        ListViewChange(reinterpret_cast<const NMLISTVIEW&>(header));
      }
      return TRUE;
    }
    case WM_DESTROY:
      ports_.FolderChecks->StopChecks();
      return FALSE;
    default:
      return FALSE;
  }
}

void TListEditorForm::FormCreate() {
  SetDialogText(dialog_, 0, ListEditorCaption(editor_));
  const std::pair<int, std::u16string_view> labels[] = {
      {IDC_LIST_EDITOR_ADD, texts::kListEditAdd},       {IDC_LIST_EDITOR_REPLACE, texts::kListEditReplace},
      {IDC_LIST_EDITOR_DELETE, texts::kListEditDelete}, {IDC_LIST_EDITOR_UP, texts::kListEditUp},
      {IDC_LIST_EDITOR_DOWN, texts::kListEditDown},     {IDC_LIST_EDITOR_BROWSE, texts::kListEditBrowse},
      {IDC_LIST_EDITOR_PASTE, texts::kListEditPaste},   {IDCANCEL, texts::kCancelButton},
  };
  for (const auto& [id, text] : labels) SetDialogText(dialog_, id, text);
  const UINT dpi = DpiOf(dialog_);
  const HWND list = ::GetDlgItem(dialog_, IDC_LIST_EDITOR_LIST);
  const ListColumn columns[] = {{texts::kPathCheckColumnItem, 230}, {texts::kPathCheckColumnProblem, 256}};
  SetUpReportList(list, columns, dpi, false);
  if (!::SetWindowSubclass(list, ListKeys, 0, 0)) throw std::runtime_error("SetWindowSubclass");
  LayOut(dpi);
  CentreOverOwner(dialog_, owner_);
  ShowItems();
  StartChecks();
  ::SetFocus(list);
}

void TListEditorForm::LayOut(UINT dpi) {
  font_ = LayOutDialogInProgramFont(dialog_, kPlaces, kClientSize, dpi);
}

std::u16string TListEditorForm::FieldText() const {
  return win32::FromWide(win32::WindowText(::GetDlgItem(dialog_, IDC_LIST_EDITOR_ITEM)));
}

void TListEditorForm::OnCommand(int id) {
  switch (id) {
    case IDOK:
      Ok();
      break;
    case IDCANCEL:
      ::EndDialog(dialog_, IDCANCEL);
      break;
    case IDC_LIST_EDITOR_ADD:
      Edit([this] { AddListItem(editor_, FieldText()); });
      break;
    case IDC_LIST_EDITOR_REPLACE:
      Edit([this] { ReplaceListItem(editor_, FieldText()); });
      break;
    case IDC_LIST_EDITOR_DELETE:
      Edit([this] { DeleteListItem(editor_); });
      break;
    case IDC_LIST_EDITOR_UP:
    case IDC_LIST_EDITOR_DOWN:
      Edit([this, id] { MoveListItem(editor_, id == IDC_LIST_EDITOR_UP); });
      break;
    case IDC_LIST_EDITOR_PASTE: {
      const ClipboardText text = ports_.Clipboard->ReadText();
      if (!text.Result.Succeeded) {
        ports_.Dialogs->Inform(texts::kClipboardReadFailed, OffsetFromOwner(ports_.Window, kFailureX, kDialogY));
      } else if (text.Text) {
        Edit([&] { PasteListLines(editor_, *text.Text); });
      }
      break;
    }
    case IDC_LIST_EDITOR_BROWSE:
      if (const std::optional<std::u16string> item = BrowseListFolder(FieldText(), browseStart_, ports_)) {
        SetDialogText(dialog_, IDC_LIST_EDITOR_ITEM, *item);
      }
      break;
    default:
      break;
  }
}

template <typename Change>
void TListEditorForm::Edit(Change change) {
  change();
  ShowItems();
  StartChecks();
}

void TListEditorForm::ShowItems() {
  const HWND list = ::GetDlgItem(dialog_, IDC_LIST_EDITOR_LIST);
  filling_ = true;
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(list);
  for (const std::u16string& item : editor_.Items) {
    const std::u16string cells[] = {item, u""};
    AppendReportRow(list, cells);
  }
  shownFindings_.assign(editor_.Items.size(), u"");
  if (editor_.Current >= 0) {
    ListView_SetItemState(list, editor_.Current, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, editor_.Current, FALSE);
    SetDialogText(dialog_, IDC_LIST_EDITOR_ITEM, editor_.Items[static_cast<std::size_t>(editor_.Current)]);
  }
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
  filling_ = false;
}

void TListEditorForm::StartChecks() {
  check_ = PlanListCheck(model_, editor_, ports_);
  // Only the folders not answered yet are asked, each once.
  asked_.clear();
  std::set<std::u16string> asking;
  for (const CheckedPathItem& item : check_.Plan.Items) {
    if (!item.Empty && known_.count(item.Folder) == 0 && asking.insert(item.Folder).second) {
      asked_.push_back(item.Folder);
    }
  }
  ++run_;
  ShowFindings();
  if (asked_.empty()) {
    ports_.FolderChecks->StopChecks();
    return;
  }
  const HWND dialog = dialog_;
  const LPARAM run = static_cast<LPARAM>(run_ & 0xFFFF) << kRunShift;
  // Posted, never sent, so that stopping the check from this thread cannot
  // wait on it.
  ports_.FolderChecks->StartChecks(asked_, [dialog, run](std::size_t index, FolderAnswer answer) {
    ::PostMessageW(dialog, kAnswerMessage, index, run | static_cast<LPARAM>(answer));
  });
}

void TListEditorForm::TakeAnswer(std::size_t index, FolderAnswer answer, unsigned run) {
  if (run != (run_ & 0xFFFF) || index >= asked_.size()) return;
  known_[asked_[index]] = answer;
  ShowFindings();
}

void TListEditorForm::ShowFindings() {
  std::vector<std::optional<FolderAnswer>> answers;
  answers.reserve(check_.Plan.Items.size());
  for (const CheckedPathItem& item : check_.Plan.Items) {
    const auto known = known_.find(item.Folder);
    answers.push_back(known != known_.end() ? std::optional<FolderAnswer>(known->second) : std::nullopt);
  }
  const std::vector<std::u16string> findings = ListFindings(check_, editor_.Items.size(), answers);
  const HWND list = ::GetDlgItem(dialog_, IDC_LIST_EDITOR_LIST);
  for (std::size_t row = 0; row < findings.size() && row < shownFindings_.size(); ++row) {
    if (findings[row] == shownFindings_[row]) continue;
    SetReportCell(list, static_cast<int>(row), 1, findings[row]);
    shownFindings_[row] = findings[row];
  }
}

void TListEditorForm::ListViewChange(const NMLISTVIEW& change) {
  if (filling_ || (change.uChanged & LVIF_STATE) == 0 || (change.uNewState & LVIS_SELECTED) == 0 ||
      change.iItem < 0 || change.iItem >= static_cast<int>(editor_.Items.size())) {
    return;
  }
  editor_.Current = change.iItem;
  SetDialogText(dialog_, IDC_LIST_EDITOR_ITEM, editor_.Items[static_cast<std::size_t>(change.iItem)]);
}

void TListEditorForm::Ok() {
  // The refusal's message box belongs to the main window; this dialog takes
  // no input meanwhile.
  ::EnableWindow(dialog_, FALSE);
  const bool written = ApplyListEditor(model_, editor_, ports_);
  ::EnableWindow(dialog_, TRUE);
  if (written) ::EndDialog(dialog_, IDOK);
}

bool ListEditorShow(HWND owner, MainModel& model, EditorState& state, const CommandPorts& ports) {
  std::optional<ListEditor> editor = OpenListEditor(model);
  if (!editor) return false;
  TListEditorForm form(owner, model, std::move(*editor), state.BrowseStartFolder, ports);
  return form.ShowModal();
}

}  // namespace tallowin::ui
