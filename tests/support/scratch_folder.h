#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"

// A fresh folder of its own for a test, under the temporary folder (in the
// Wine prefix when run under Wine), removed with everything in it when the
// object goes. Named by process and by a count, so that test programs
// running side by side and several folders in one test never meet.
//
// Another process can keep a folder from being removed: the file dialogs
// open in the folder a file was last picked in, by any process of the same
// program name, and make it that process's working folder. What could not
// be removed is removed by a later scratch folder, once its process has
// ended.
namespace tallowin::testing {

class ScratchFolder {
 public:
  ScratchFolder() {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    EXPECT_TRUE(length > 0 && length <= MAX_PATH) << "no temporary folder: " << ::GetLastError();
    temp_ = std::wstring(temp, length <= MAX_PATH ? length : 0);
    RemoveLeftovers();
    path_ = temp_ + std::wstring(kPrefix) + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++count_);
    // A folder of this name can only be left over from an earlier process
    // with the same identifier.
    RemoveTree(path_);
    EXPECT_TRUE(::CreateDirectoryW(path_.c_str(), nullptr)) << ::GetLastError();
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    // A process's working folder cannot be removed, by it or by another
    // process: leave any scratch folder that the file dialogs made it.
    wchar_t current[MAX_PATH + 1];
    const DWORD length = ::GetCurrentDirectoryW(MAX_PATH + 1, current);
    const std::wstring scratchFolders = temp_ + std::wstring(kPrefix);
    if (length <= MAX_PATH && ::_wcsnicmp(current, scratchFolders.c_str(), scratchFolders.size()) == 0) {
      ::SetCurrentDirectoryW(temp_.c_str());
    }
    RemoveTree(path_);
  }

  // The folder's own path, without a trailing backslash.
  std::u16string Path() const { return win32::FromWide(path_); }

  // The path of an entry in the folder; nothing is created.
  std::u16string File(std::u16string_view name) const { return Path() + u"\\" + std::u16string(name); }

  // The names of what the folder holds directly, sorted.
  std::vector<std::u16string> Names() const {
    std::vector<std::u16string> names;
    for (const auto& [name, isFolder] : Entries(path_)) names.push_back(win32::FromWide(name));
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  static constexpr std::wstring_view kPrefix = L"tallowin-scratch-";

  // The names in a folder, each with whether it is a folder itself.
  static std::vector<std::pair<std::wstring, bool>> Entries(const std::wstring& folder) {
    std::vector<std::pair<std::wstring, bool>> entries;
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = folder + L"\\*";
    const win32::UniqueFind search(::FindFirstFileW(pattern.c_str(), &found));
    if (!search) return entries;
    do {
      const std::wstring_view name = found.cFileName;
      if (name != L"." && name != L"..") {
        entries.emplace_back(name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
      }
    } while (::FindNextFileW(search.get(), &found));
    return entries;
  }

  // Read-only files and folders included: tests make those on purpose. The
  // entries are listed before any goes, so no listing is read while it
  // changes.
  static void RemoveTree(const std::wstring& folder) {
    for (const auto& [name, isFolder] : Entries(folder)) {
      const std::wstring entry = folder + L"\\" + name;
      ::SetFileAttributesW(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (isFolder) {
        RemoveTree(entry);
      } else {
        ::DeleteFileW(entry.c_str());
      }
    }
    ::SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryW(folder.c_str());
  }

  // Scratch folders whose process has ended: left over from a process that
  // crashed, or held by another one at the time.
  void RemoveLeftovers() const {
    for (const auto& [name, isFolder] : Entries(temp_)) {
      if (!isFolder || name.compare(0, kPrefix.size(), kPrefix) != 0) continue;
      const std::wstring rest = name.substr(kPrefix.size());
      const std::size_t dash = rest.find(L'-');
      if (dash == 0 || dash == std::wstring::npos ||
          !std::all_of(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(dash),
                       [](wchar_t c) { return std::iswdigit(c) != 0; })) {
        continue;
      }
      const DWORD process = static_cast<DWORD>(std::wcstoul(rest.c_str(), nullptr, 10));
      if (process != ::GetCurrentProcessId() && !IsRunning(process)) RemoveTree(temp_ + name);
    }
  }

  static bool IsRunning(DWORD processId) {
    const win32::UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return ::GetLastError() == ERROR_ACCESS_DENIED;
    DWORD exitCode = 0;
    return ::GetExitCodeProcess(process.get(), &exitCode) && exitCode == STILL_ACTIVE;
  }

  std::wstring temp_;
  std::wstring path_;
  static inline int count_ = 0;
};

}  // namespace tallowin::testing
