#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "win32/unique_handle.h"

namespace tallowin::testing {

// Runs a program (by its full path) with its arguments, waits until it has
// ended and returns its exit code; nothing when it could not be started or
// waited for.
inline std::optional<DWORD> RunProgram(const std::wstring& path, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + path + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &started)) {
    return std::nullopt;
  }
  const win32::UniqueKernelHandle process(started.hProcess);
  const win32::UniqueKernelHandle thread(started.hThread);
  if (::WaitForSingleObject(process.get(), INFINITE) != WAIT_OBJECT_0) return std::nullopt;
  DWORD exitCode = 0;
  if (!::GetExitCodeProcess(process.get(), &exitCode)) return std::nullopt;
  return exitCode;
}

// The same for a program of the Windows folder (e.g. "system32\\reg.exe").
// The peer tests and the benchmarks drive Wine's reg.exe and regedit.exe
// with it.
inline std::optional<DWORD> RunWindowsProgram(const std::wstring& program, const std::wstring& arguments) {
  wchar_t folder[MAX_PATH];
  const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::nullopt;
  return RunProgram(std::wstring(folder, length) + L"\\" + program, arguments);
}

}  // namespace tallowin::testing
