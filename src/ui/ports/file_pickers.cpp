#include "ui/ports/file_pickers.h"

#include <commdlg.h>

#include <vector>

#include "model/texts.h"
#include "win32/wide_text.h"

namespace tallowin::ports {

using win32::ToWide;
using win32::FromWide;
namespace {

// Room for the longest path the file system takes, so that a long chosen
// path is never cut short.
constexpr std::size_t kPathCapacity = 32768;

void AppendFilterPart(std::wstring& filter, std::u16string_view part) {
  filter += ToWide(part);
  filter.push_back(L'\0');
}

}  // namespace

std::wstring RegistrationFileFilter() {
  std::wstring filter;
  AppendFilterPart(filter, texts::kRegFilter);
  AppendFilterPart(filter, texts::kRegFilterPattern);
  AppendFilterPart(filter, texts::kAllFilesFilter);
  AppendFilterPart(filter, texts::kAllFilesFilterPattern);
  filter.push_back(L'\0');
  return filter;
}

std::optional<std::u16string> Win32FilePickers::PickFileToSave(std::u16string_view title) {
  return Pick(title, true);
}

std::optional<std::u16string> Win32FilePickers::PickFileToOpen(std::u16string_view title) {
  return Pick(title, false);
}

std::optional<std::u16string> Win32FilePickers::Pick(std::u16string_view title, bool forSaving) {
  const std::wstring filter = RegistrationFileFilter();
  const std::wstring titleText = ToWide(title);
  const std::wstring defaultExtension = ToWide(texts::kDefaultExtension);
  std::vector<wchar_t> path(kPathCapacity, L'\0');
  const std::wstring initialName = ToWide(texts::kDefaultFileName);
  initialName.copy(path.data(), initialName.size());

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrDefExt = defaultExtension.c_str();
  dialog.lpstrTitle = titleText.c_str();
  dialog.Flags = forSaving ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;

  // Zero is a cancel, or a dialog that could not be shown at all; either way
  // no file was chosen and the command ends as on a cancel.
  const BOOL chosen = forSaving ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  path.back() = L'\0';
  return FromWide(std::wstring_view(path.data()));
}

}  // namespace tallowin::ports
