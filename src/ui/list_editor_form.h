#pragma once

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "commands/editor_state.h"
#include "commands/list_editor_commands.h"
#include "commands/ports.h"
#include "model/main_model.h"
#include "ui/window_base.h"
#include "win32/unique_handle.h"

// The list editor ("一覧で編集 - Path (ユーザー)"): the selected value's items,
// one a row, with the Path check's findings beside them. The buttons and
// the list's keys (Ctrl+Up, Ctrl+Down, Ctrl+V, Delete) run the portable
// commands of list_editor_commands.h on the dialog's own copy of the items;
// OK writes the value back, キャンセル and Escape change nothing. Whether a
// folder exists is asked off the window's thread as the Path check asks it,
// and each folder once while the dialog is open.
namespace tallowin::ui {

class TListEditorForm final : public DialogBase<TListEditorForm> {
 public:
  TListEditorForm(HWND owner, MainModel& model, ListEditor editor, std::u16string& browseStart,
                  const CommandPorts& ports)
      : owner_(owner), model_(model), editor_(std::move(editor)), browseStart_(browseStart), ports_(ports) {}

  // Shows the editor and returns when it is closed; true when OK wrote.
  bool ShowModal();

 private:
  friend class DialogBase<TListEditorForm>;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void FormCreate();
  void LayOut(UINT dpi);
  void OnCommand(int id);
  // Runs a change of the items, then shows them and checks them again.
  template <typename Change>
  void Edit(Change change);
  void ShowItems();
  void ShowFindings();
  void StartChecks();
  void TakeAnswer(std::size_t index, FolderAnswer answer, unsigned run);
  void ListViewChange(const NMLISTVIEW& change);
  std::u16string FieldText() const;
  void Ok();

  HWND owner_;
  MainModel& model_;
  ListEditor editor_;
  std::u16string& browseStart_;
  const CommandPorts& ports_;
  ListCheck check_;
  // Each folder's answer once it came, kept across edits.
  std::map<std::u16string, FolderAnswer> known_;
  // The folders of the check running, and which run it is: answers of an
  // earlier run that were posted before it stopped are left alone.
  std::vector<std::u16string> asked_;
  unsigned run_ = 0;
  std::vector<std::u16string> shownFindings_;
  win32::UniqueFont font_;
  bool filling_ = false;
};

// Opens the editor over the selected row of the variable tab shown (nothing
// for the Path tab, no selection, or a value that is not a string); true
// when OK wrote the row.
bool ListEditorShow(HWND owner, MainModel& model, EditorState& state, const CommandPorts& ports);

}  // namespace tallowin::ui
