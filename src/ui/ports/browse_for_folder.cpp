#include "ui/ports/browse_for_folder.h"

#include <shlobj.h>

#include <cwchar>

#include "win32/unique_handle.h"

namespace tallowin::ui {
namespace {

using ItemList = win32::UniqueHandle<win32::CoTaskMemTraits<ITEMIDLIST>>;
using UniqueShellFolder = win32::UniqueHandle<win32::ComTraits<IShellFolder>>;

struct FlagOfOption {
  TBifFlug Option;
  UINT Flag;
};

constexpr FlagOfOption kFlagsOfOptions[] = {
    {TBifFlug::bifReturnOnlyFSDirs, BIF_RETURNONLYFSDIRS},
    {TBifFlug::bifDontGoBelowDomain, BIF_DONTGOBELOWDOMAIN},
    {TBifFlug::bifStatusText, BIF_STATUSTEXT},
    {TBifFlug::bifReturnFSAncestors, BIF_RETURNFSANCESTORS},
    {TBifFlug::bifEditBox, BIF_EDITBOX},
    {TBifFlug::bifValidate, BIF_VALIDATE},
    {TBifFlug::bifBrowseForComputer, BIF_BROWSEFORCOMPUTER},
    {TBifFlug::bifBrowseForPrinter, BIF_BROWSEFORPRINTER},
    {TBifFlug::bifBrowseIncludeFiles, BIF_BROWSEINCLUDEFILES},
};

// The root folder as an item list of the desktop's namespace; none when the
// text names nothing the desktop folder can parse, and the dialog then
// offers the whole namespace.
ItemList ParseRootFolder(HWND owner, const std::wstring& rootFolder) {
  UniqueShellFolder desktop;
  if (FAILED(::SHGetDesktopFolder(desktop.put()))) return {};
  // ParseDisplayName takes a writable text.
  std::wstring name = rootFolder;
  ItemList root;
  if (FAILED(desktop.get()->ParseDisplayName(owner, nullptr, name.data(), nullptr, root.put(), nullptr))) return {};
  return root;
}

}  // namespace

TBrowseForFolder::TBrowseForFolder(HWND owner) noexcept : owner_(owner) {
  SetOptions({TBifFlug::bifReturnOnlyFSDirs});
}

bool TBrowseForFolder::Execute() {
  // The shell's folder browser needs COM on this thread while it is open;
  // the program starts it here rather than at start-up, so that neither COM
  // nor the shell is loaded before a folder is browsed for.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  struct ComScope {
    bool Initialized;
    ~ComScope() {
      if (Initialized) ::CoUninitialize();
    }
  } const comScope{SUCCEEDED(com)};
  const ItemList root = rootFolder_.empty() ? ItemList() : ParseRootFolder(owner_, rootFolder_);
  wchar_t displayName[MAX_PATH] = {};
  BROWSEINFOW info{};
  info.hwndOwner = owner_;
  info.pidlRoot = root.get();
  info.pszDisplayName = displayName;
  info.lpszTitle = caption_.c_str();
  info.ulFlags = dialogFlags_;
  info.lpfn = BrowseCallbackProc;
  info.lParam = reinterpret_cast<LPARAM>(this);
  info.iImage = 0;
  const ItemList chosen(::SHBrowseForFolderW(&info));
  if (!chosen) return false;
  // Without bifReturnOnlyFSDirs the user may confirm an item that is no
  // folder of the file system; its display name is no path to hand back.
  wchar_t path[MAX_PATH] = {};
  if (!::SHGetPathFromIDListW(chosen.get(), path)) return false;
  folder_.assign(path, ::wcsnlen(path, MAX_PATH));
  return true;
}

void TBrowseForFolder::SetRootFolder(std::wstring rootFolder) {
  if (!rootFolder.empty() && rootFolder.back() != L'\\') rootFolder.push_back(L'\\');
  rootFolder_ = std::move(rootFolder);
}

void TBrowseForFolder::SetOptions(TBifFlugs options) noexcept {
  options_ = options;
  dialogFlags_ = 0;
  for (const FlagOfOption& entry : kFlagsOfOptions) {
    if (options.Contains(entry.Option)) dialogFlags_ |= entry.Flag;
  }
}

TBifFlugs TBrowseForFolder::GetOptions() const noexcept {
  TBifFlugs options;
  for (const FlagOfOption& entry : kFlagsOfOptions) {
    if ((dialogFlags_ & entry.Flag) != 0) options.Include(entry.Option);
  }
  return options;
}

int CALLBACK TBrowseForFolder::BrowseCallbackProc(HWND dialog, UINT message, LPARAM, LPARAM data) noexcept {
  const auto* self = reinterpret_cast<const TBrowseForFolder*>(data);
  // An empty path would select nothing; the dialog keeps its own choice.
  if (message == BFFM_INITIALIZED && self != nullptr && !self->startFolder_.empty()) {
    ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(self->startFolder_.c_str()));
  }
  return 0;
}

}  // namespace tallowin::ui
