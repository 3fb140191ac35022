#include "registry/power_state.h"

#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace tallowin::registry {
namespace {

// Other programs are asked to close; only those that hang are forced, so
// that none loses unsaved work to a restart it did not expect.
constexpr UINT kCloseHungPrograms = EWX_FORCEIFHUNG;
// Recorded in the system's shutdown log: a planned restart after a
// configuration change.
constexpr DWORD kReconfigurationReason =
    SHTDN_REASON_MAJOR_OPERATINGSYSTEM | SHTDN_REASON_MINOR_RECONFIG | SHTDN_REASON_FLAG_PLANNED;

}  // namespace

bool EnablePrivilege(PowerApi& api, const std::u16string& privilegeName, const std::u16string& systemName,
                     bool enable) {
  win32::UniqueKernelHandle token;
  if (!api.OpenProcessToken(api.GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put())) {
    return false;
  }
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  const wchar_t* system = systemName.empty() ? nullptr : win32::Wide(systemName);
  if (!api.LookupPrivilegeValueW(system, win32::Wide(privilegeName), &privileges.Privileges[0].Luid)) return false;
  // The adjustment succeeds even when the token lacks the privilege; only
  // the last error (ERROR_NOT_ALL_ASSIGNED) tells.
  const BOOL adjusted = api.AdjustTokenPrivileges(token.get(), FALSE, &privileges,
                                                  static_cast<DWORD>(sizeof privileges), nullptr, nullptr);
  const DWORD error = api.GetLastError();
  return adjusted && error == ERROR_SUCCESS;
}

bool EnablePrivilege(const std::u16string& privilegeName, const std::u16string& systemName, bool enable) {
  Win32PowerApi api;
  return EnablePrivilege(api, privilegeName, systemName, enable);
}

void ChangePowerState(PowerApi& api, std::uint32_t action) {
  if (!EnablePrivilege(api, u"SeShutdownPrivilege", u"", true)) return;
  switch (action) {
    case PS_SUSPEND:
      api.SetSystemPowerState(TRUE, FALSE);
      break;
    case PS_HIBERNATE:
      api.SetSystemPowerState(FALSE, FALSE);
      break;
    case PS_REBOOT:
      api.ExitWindowsEx(EWX_REBOOT | kCloseHungPrograms, kReconfigurationReason);
      break;
    case PS_SHUTDOWN:
      api.ExitWindowsEx(EWX_SHUTDOWN | kCloseHungPrograms, kReconfigurationReason);
      break;
    case PS_POWEROFF:
      api.ExitWindowsEx(EWX_POWEROFF | kCloseHungPrograms, kReconfigurationReason);
      break;
    default:
      break;
  }
}

void ChangePowerState(std::uint32_t action) {
  Win32PowerApi api;
  ChangePowerState(api, action);
}

}  // namespace tallowin::registry
