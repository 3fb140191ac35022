#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "commands/ports.h"
#include "commands/restore_commands.h"
#include "model/main_model.h"
#include "ui/window_base.h"
#include "win32/unique_handle.h"

// "自動バックアップから復元": the backups Save wrote, newest first, with
// their time and size. "復元", Enter or a double click restores the
// selected one; "キャンセル" and Escape close without a change.
namespace tallowin::ui {

class TRestoreForm final : public DialogBase<TRestoreForm> {
 public:
  TRestoreForm(HWND owner, BackupListing listing) : owner_(owner), listing_(std::move(listing)) {}

  // Shows the list; the path of the backup chosen, or nothing.
  std::optional<std::u16string> ShowModal();

 private:
  friend class DialogBase<TRestoreForm>;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void FormCreate();
  void LayOut(UINT dpi);
  void RestoreSelected();

  HWND owner_;
  BackupListing listing_;
  std::optional<std::u16string> chosen_;
  win32::UniqueFont font_;
};

// Lists the backups and shows them over the owner; restores the one the
// user chose. True when the lists now hold a backup's values.
bool RestoreShow(HWND owner, MainModel& model, const CommandPorts& ports);

}  // namespace tallowin::ui
