#pragma once

#include <windows.h>

#include <vector>

#include "commands/ports.h"
#include "ui/window_base.h"
#include "win32/unique_handle.h"

// Save's question when other programs changed values since Load: a warning
// dialog ("警告") that lists them (key, name, what the other program did,
// whether the window edited the value too) and offers "他の変更を残す"
// (the default), "上書きする" and "キャンセル" (also Escape and the close
// box).
namespace tallowin::ui {

class TOutsideChangeForm final : public DialogBase<TOutsideChangeForm> {
 public:
  TOutsideChangeForm(HWND owner, const std::vector<OutsideChange>& changes, ScreenPoint topLeft)
      : owner_(owner), changes_(changes), topLeft_(topLeft) {}

  // The user's answer; Cancel when the dialog could not be shown, so that
  // nothing is written unasked.
  OutsideChangeAnswer ShowModal();

 private:
  friend class DialogBase<TOutsideChangeForm>;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void FormCreate();
  void LayOut(UINT dpi);

  HWND owner_;
  const std::vector<OutsideChange>& changes_;
  ScreenPoint topLeft_;
  win32::UniqueFont font_;
};

// The port through which Save asks, over the main window.
class Win32OutsideChangeDialog final : public OutsideChangePort {
 public:
  explicit Win32OutsideChangeDialog(HWND owner) : owner_(owner) {}
  OutsideChangeAnswer AskAboutOutsideChanges(const std::vector<OutsideChange>& changes, ScreenPoint topLeft) override;

 private:
  HWND owner_;
};

}  // namespace tallowin::ui
