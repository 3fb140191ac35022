#include "registry/power_api.h"

#include "registry/user32_calls.h"

namespace tallowin::registry {

HANDLE Win32PowerApi::GetCurrentProcess() { return ::GetCurrentProcess(); }

BOOL Win32PowerApi::OpenProcessToken(HANDLE process, DWORD desiredAccess, HANDLE* token) {
  return ::OpenProcessToken(process, desiredAccess, token);
}

BOOL Win32PowerApi::LookupPrivilegeValueW(const wchar_t* systemName, const wchar_t* name, LUID* luid) {
  return ::LookupPrivilegeValueW(systemName, name, luid);
}

BOOL Win32PowerApi::AdjustTokenPrivileges(HANDLE token, BOOL disableAllPrivileges, TOKEN_PRIVILEGES* newState,
                                          DWORD bufferLength, TOKEN_PRIVILEGES* previousState, DWORD* returnLength) {
  return ::AdjustTokenPrivileges(token, disableAllPrivileges, newState, bufferLength, previousState, returnLength);
}

DWORD Win32PowerApi::GetLastError() { return ::GetLastError(); }

BOOL Win32PowerApi::ExitWindowsEx(UINT flags, DWORD reason) { return user32::ExitWindowsEx(flags, reason); }

BOOL Win32PowerApi::SetSystemPowerState(BOOL suspend, BOOL force) { return ::SetSystemPowerState(suspend, force); }

}  // namespace tallowin::registry
