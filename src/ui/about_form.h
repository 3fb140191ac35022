#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "ui/window_base.h"
#include "win32/unique_handle.h"

// The about box: the program's title, its file version and copyright from
// the version resource of its own file, and the note that writing needs
// administrator rights.
namespace tallowin::ui {

// The strings of a version resource that the about box shows, taken from
// the string table of the first translation the resource lists. A string the
// resource lacks stays empty.
struct VersionStrings {
  std::optional<std::wstring> LegalCopyright;
  std::optional<std::wstring> FileVersion;
};

// From a version block as GetFileVersionInfoW returns it.
VersionStrings ReadVersionStrings(const void* versionBlock);
// From the version resource of a file; nothing when it has none.
VersionStrings ReadFileVersionStrings(const std::wstring& path);

// The full path of a module's file, however long; empty when it cannot be
// had.
std::wstring ModuleFileName(HMODULE module);

class TAboutForm final : public DialogBase<TAboutForm> {
 public:
  explicit TAboutForm(HWND owner) noexcept : owner_(owner) {}

  // Shows the box centred over the owner, which it disables until the box
  // is closed, and returns then. False when the box could not be shown.
  bool ShowModal() noexcept;

 private:
  friend class DialogBase<TAboutForm>;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

  // Fills the product and copyright lines from the program's own version
  // resource; every failure leaves the texts of the dialog template.
  void FormCreate() noexcept;
  void OKButtonClick() noexcept;
  // Places the controls at their design pixels scaled to the DPI and gives
  // them fonts of that DPI.
  void LayOut(UINT dpi) noexcept;
  INT_PTR OnCtlColorStatic(HDC dc, HWND control) noexcept;

  HWND owner_;
  win32::UniqueFont formFont_;
  win32::UniqueFont titleFont_;
  win32::UniqueFont productFont_;
};

// Opens a fresh about box over the owner and returns when it is closed.
// False when the box could not be shown.
bool HelpAboutExecute(HWND owner) noexcept;

}  // namespace tallowin::ui
