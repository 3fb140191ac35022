#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>

// The shell's folder picker as a component: the window sets its texts and
// options, runs Execute and reads the chosen folder's path.
namespace tallowin::ui {

// The options of the folder picker, in the order of their ordinals.
enum class TBifFlug {
  bifReturnOnlyFSDirs,
  bifDontGoBelowDomain,
  bifStatusText,
  bifReturnFSAncestors,
  bifEditBox,
  bifValidate,
  bifBrowseForComputer,
  bifBrowseForPrinter,
  bifBrowseIncludeFiles,
};

// A set of options, one bit per ordinal.
class TBifFlugs {
 public:
  constexpr TBifFlugs() noexcept = default;
  constexpr TBifFlugs(std::initializer_list<TBifFlug> members) noexcept {
    for (const TBifFlug member : members) Include(member);
  }

  constexpr bool Contains(TBifFlug member) const noexcept { return (bits_ & Bit(member)) != 0; }
  constexpr TBifFlugs& Include(TBifFlug member) noexcept {
    bits_ |= Bit(member);
    return *this;
  }
  friend constexpr bool operator==(TBifFlugs, TBifFlugs) noexcept = default;

 private:
  static constexpr unsigned Bit(TBifFlug member) noexcept { return 1u << static_cast<unsigned>(member); }

  unsigned bits_ = 0;
};

class TBrowseForFolder {
 public:
  // The dialog opens over the owner window and disables it while it is
  // shown. Options start as {bifReturnOnlyFSDirs}.
  explicit TBrowseForFolder(HWND owner = nullptr) noexcept;
  TBrowseForFolder(const TBrowseForFolder&) = delete;
  TBrowseForFolder& operator=(const TBrowseForFolder&) = delete;

  // Shows the dialog and waits for it. True when the user chose a folder
  // that has a file-system path; Folder then holds that path. False when
  // the user cancelled or chose an item outside the file system (a
  // computer, a printer, a virtual folder); Folder then keeps its text.
  // COM must be initialised on the calling thread.
  bool Execute();

  void SetOwner(HWND owner) noexcept { owner_ = owner; }

  // The text shown above the folder tree.
  const std::wstring& Caption() const noexcept { return caption_; }
  void SetCaption(std::wstring caption) { caption_ = std::move(caption); }

  // The path of the folder chosen last.
  const std::wstring& Folder() const noexcept { return folder_; }
  void SetFolder(std::wstring folder) { folder_ = std::move(folder); }

  // The folder the tree is confined to; empty for the whole namespace.
  const std::wstring& RootFolder() const noexcept { return rootFolder_; }
  // Stores the folder with a trailing '\' (an empty text stays empty).
  void SetRootFolder(std::wstring rootFolder);

  // The folder selected when the dialog opens; empty for the dialog's own
  // choice.
  const std::wstring& StartFolder() const noexcept { return startFolder_; }
  void SetStartFolder(std::wstring startFolder) { startFolder_ = std::move(startFolder); }

  TBifFlugs Options() const noexcept { return options_; }
  // Stores the options and sets the dialog's flag word from them.
  void SetOptions(TBifFlugs options) noexcept;
  // The options whose flags the dialog's flag word holds.
  TBifFlugs GetOptions() const noexcept;
  // The flag word the dialog is shown with (the shell's BIF_ values).
  UINT DialogFlags() const noexcept { return dialogFlags_; }

  // The dialog's callback; data is the component. Selects StartFolder when
  // the dialog has been initialised.
  static int CALLBACK BrowseCallbackProc(HWND dialog, UINT message, LPARAM lParam, LPARAM data) noexcept;

 private:
  HWND owner_;
  std::wstring caption_;
  std::wstring folder_;
  std::wstring rootFolder_;
  std::wstring startFolder_;
  TBifFlugs options_;
  UINT dialogFlags_ = 0;
};

}  // namespace tallowin::ui
