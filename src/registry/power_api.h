#pragma once

#include <windows.h>

// The token, privilege and power services that power control calls, behind
// one interface so that the calls can be checked without restarting anything.
namespace tallowin::registry {

class PowerApi {
 public:
  virtual ~PowerApi() = default;
  virtual HANDLE GetCurrentProcess() = 0;
  virtual BOOL OpenProcessToken(HANDLE process, DWORD desiredAccess, HANDLE* token) = 0;
  virtual BOOL LookupPrivilegeValueW(const wchar_t* systemName, const wchar_t* name, LUID* luid) = 0;
  virtual BOOL AdjustTokenPrivileges(HANDLE token, BOOL disableAllPrivileges, TOKEN_PRIVILEGES* newState,
                                     DWORD bufferLength, TOKEN_PRIVILEGES* previousState, DWORD* returnLength) = 0;
  virtual DWORD GetLastError() = 0;
  virtual BOOL ExitWindowsEx(UINT flags, DWORD reason) = 0;
  virtual BOOL SetSystemPowerState(BOOL suspend, BOOL force) = 0;
};

// The system's own services.
class Win32PowerApi final : public PowerApi {
 public:
  HANDLE GetCurrentProcess() override;
  BOOL OpenProcessToken(HANDLE process, DWORD desiredAccess, HANDLE* token) override;
  BOOL LookupPrivilegeValueW(const wchar_t* systemName, const wchar_t* name, LUID* luid) override;
  BOOL AdjustTokenPrivileges(HANDLE token, BOOL disableAllPrivileges, TOKEN_PRIVILEGES* newState, DWORD bufferLength,
                             TOKEN_PRIVILEGES* previousState, DWORD* returnLength) override;
  DWORD GetLastError() override;
  BOOL ExitWindowsEx(UINT flags, DWORD reason) override;
  BOOL SetSystemPowerState(BOOL suspend, BOOL force) override;
};

}  // namespace tallowin::registry
