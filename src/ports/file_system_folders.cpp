#include <windows.h>

#include <cstdint>
#include <string>

#include "ports/file_system.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace tallowin::ports {
namespace {

using UniqueSearch = win32::UniqueFind;

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Creates the folder; an existing folder is success, an existing file is
// ERROR_ALREADY_EXISTS.
DWORD CreateOne(const std::wstring& path) {
  if (::CreateDirectoryW(path.c_str(), nullptr)) return ERROR_SUCCESS;
  const DWORD error = ::GetLastError();
  if (error == ERROR_ALREADY_EXISTS && IsFolder(path)) return ERROR_SUCCESS;
  return error;
}

// The parents are made only when the folder cannot be made for want of
// one, so a path whose folders all exist costs a single call.
DWORD CreateWithParents(std::wstring path) {
  while (path.size() > 1 && IsSeparator(path.back())) path.pop_back();
  const DWORD error = CreateOne(path);
  if (error != ERROR_PATH_NOT_FOUND) return error;
  const std::size_t cut = path.find_last_of(L"\\/");
  // Nothing above to make: a drive or share that is not there.
  if (cut == std::wstring::npos || cut == 0 || path.find_first_not_of(L"\\/", 0) >= cut) return error;
  const DWORD parent = CreateWithParents(path.substr(0, cut));
  if (parent != ERROR_SUCCESS) return parent;
  return CreateOne(path);
}

// A file time by the local clock and time zone; the zero time when the
// system cannot convert it.
LocalTime LocalTimeOf(const FILETIME& time) {
  SYSTEMTIME universal{};
  SYSTEMTIME local{};
  if (!::FileTimeToSystemTime(&time, &universal) || !::SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) {
    return {};
  }
  return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

}  // namespace

PortResult Win32FileSystem::CreateFolderWithParents(std::u16string_view path) {
  if (path.empty()) return PortResult::Failure(ERROR_PATH_NOT_FOUND);
  const DWORD error = CreateWithParents(win32::ToWide(path));
  return error == ERROR_SUCCESS ? PortResult::Success() : PortResult::Failure(error);
}

FileListing Win32FileSystem::ListFiles(std::u16string_view folder) {
  FileListing listing{PortResult::Success(), {}};
  const std::wstring pattern = win32::ToWide(folder) + L"\\*";
  WIN32_FIND_DATAW found{};
  const UniqueSearch search(::FindFirstFileW(pattern.c_str(), &found));
  if (!search) {
    const DWORD error = ::GetLastError();
    // A folder with nothing in it, not even "." and ".." (a drive's root).
    if (error != ERROR_FILE_NOT_FOUND) listing.Result = PortResult::Failure(error);
    return listing;
  }
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    listing.Files.push_back({win32::FromWide(found.cFileName), LocalTimeOf(found.ftLastWriteTime),
                             (std::uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow});
  } while (::FindNextFileW(search.get(), &found));
  if (const DWORD error = ::GetLastError(); error != ERROR_NO_MORE_FILES) {
    listing = {PortResult::Failure(error), {}};
  }
  return listing;
}

PortResult Win32FileSystem::RemoveFile(std::u16string_view path) {
  const std::u16string file(path);
  if (!::DeleteFileW(win32::Wide(file))) return PortResult::Failure(::GetLastError());
  return PortResult::Success();
}

}  // namespace tallowin::ports
