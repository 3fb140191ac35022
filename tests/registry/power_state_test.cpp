#include "registry/power_state.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "win32/wide_text.h"

namespace tallowin::registry {
namespace {

const HANDLE kProcess = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));
constexpr LUID kShutdownLuid = {19, 0};

std::string Narrow(const wchar_t* text) {
  if (text == nullptr) return "null";
  std::string result;
  for (; *text != 0; ++text) result.push_back(static_cast<char>(*text));
  return "\"" + result + "\"";
}

std::string Hex(unsigned long long number) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%llx", number);
  return buffer;
}

// Records each call with its arguments and answers as the test says. The
// token it hands out is a real event handle, so that its closing can be
// checked.
class RecordingPowerApi final : public PowerApi {
 public:
  std::vector<std::string> Calls;
  BOOL OpenResult = TRUE;
  BOOL LookupResult = TRUE;
  DWORD ErrorAfterAdjust = ERROR_SUCCESS;
  HANDLE Token = nullptr;

  HANDLE GetCurrentProcess() override {
    Calls.push_back("GetCurrentProcess");
    return kProcess;
  }
  BOOL OpenProcessToken(HANDLE process, DWORD desiredAccess, HANDLE* token) override {
    Calls.push_back("OpenProcessToken(" + std::string(process == kProcess ? "process" : "?") + ", " +
                    Hex(desiredAccess) + ")");
    if (!OpenResult) return FALSE;
    Token = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    *token = Token;
    return TRUE;
  }
  BOOL LookupPrivilegeValueW(const wchar_t* systemName, const wchar_t* name, LUID* luid) override {
    Calls.push_back("LookupPrivilegeValueW(" + Narrow(systemName) + ", " + Narrow(name) + ")");
    if (!LookupResult) return FALSE;
    *luid = kShutdownLuid;
    return TRUE;
  }
  BOOL AdjustTokenPrivileges(HANDLE token, BOOL disableAllPrivileges, TOKEN_PRIVILEGES* newState, DWORD bufferLength,
                             TOKEN_PRIVILEGES* previousState, DWORD* returnLength) override {
    const LUID_AND_ATTRIBUTES& entry = newState->Privileges[0];
    Calls.push_back("AdjustTokenPrivileges(" + std::string(token == Token ? "token" : "?") + ", " +
                    std::to_string(disableAllPrivileges) + ", {" + std::to_string(newState->PrivilegeCount) +
                    ", luid " + std::to_string(entry.Luid.LowPart) + ":" + std::to_string(entry.Luid.HighPart) + ", " +
                    Hex(entry.Attributes) + "}, " + std::to_string(bufferLength) + ", " +
                    (previousState == nullptr ? "null" : "?") + ", " + (returnLength == nullptr ? "null" : "?") + ")");
    return TRUE;
  }
  DWORD GetLastError() override {
    Calls.push_back("GetLastError");
    return ErrorAfterAdjust;
  }
  BOOL ExitWindowsEx(UINT flags, DWORD reason) override {
    Calls.push_back("ExitWindowsEx(" + Hex(flags) + ", " + Hex(reason) + ")");
    return TRUE;
  }
  BOOL SetSystemPowerState(BOOL suspend, BOOL force) override {
    Calls.push_back("SetSystemPowerState(" + std::to_string(suspend) + ", " + std::to_string(force) + ")");
    return TRUE;
  }
};

const std::vector<std::string> kEnableShutdownPrivilege = {
    "GetCurrentProcess",
    "OpenProcessToken(process, 0x28)",
    "LookupPrivilegeValueW(null, \"SeShutdownPrivilege\")",
    "AdjustTokenPrivileges(token, 0, {1, luid 19:0, 0x2}, 16, null, null)",
    "GetLastError",
};

std::vector<std::string> Then(std::vector<std::string> calls, const std::vector<std::string>& more) {
  calls.insert(calls.end(), more.begin(), more.end());
  return calls;
}

bool IsOpenHandle(HANDLE handle) {
  DWORD flags = 0;
  return ::GetHandleInformation(handle, &flags) != FALSE;
}

TEST(ChangePowerState, EnablesTheShutdownPrivilegeThenMakesTheActionsOneCall) {
  // Restarts and shutdowns ask programs to close and force only hung ones,
  // and record a planned reconfiguration as their reason.
  const struct {
    std::uint32_t Action;
    std::vector<std::string> PowerCalls;
  } cases[] = {
      {PS_SUSPEND, {"SetSystemPowerState(1, 0)"}},        {PS_HIBERNATE, {"SetSystemPowerState(0, 0)"}},
      {PS_REBOOT, {"ExitWindowsEx(0x12, 0x80020004)"}},   {PS_SHUTDOWN, {"ExitWindowsEx(0x11, 0x80020004)"}},
      {PS_POWEROFF, {"ExitWindowsEx(0x18, 0x80020004)"}}, {7, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Action);
    RecordingPowerApi api;
    ChangePowerState(api, c.Action);
    EXPECT_EQ(api.Calls, Then(kEnableShutdownPrivilege, c.PowerCalls));
    EXPECT_FALSE(IsOpenHandle(api.Token)) << "the token handle was not closed";
  }
}

TEST(ChangePowerState, MakesNoPowerCallWhenThePrivilegeCannotBeEnabled) {
  RecordingPowerApi noToken;
  noToken.OpenResult = FALSE;
  ChangePowerState(noToken, PS_REBOOT);
  EXPECT_EQ(noToken.Calls,
            std::vector<std::string>(kEnableShutdownPrivilege.begin(), kEnableShutdownPrivilege.begin() + 2));

  RecordingPowerApi lookupFails;
  lookupFails.LookupResult = FALSE;
  ChangePowerState(lookupFails, PS_REBOOT);
  EXPECT_EQ(lookupFails.Calls,
            std::vector<std::string>(kEnableShutdownPrivilege.begin(), kEnableShutdownPrivilege.begin() + 3));
  EXPECT_FALSE(IsOpenHandle(lookupFails.Token));

  RecordingPowerApi notAssigned;
  notAssigned.ErrorAfterAdjust = ERROR_NOT_ALL_ASSIGNED;
  ChangePowerState(notAssigned, PS_REBOOT);
  EXPECT_EQ(notAssigned.Calls, kEnableShutdownPrivilege);
  EXPECT_FALSE(IsOpenHandle(notAssigned.Token));
}

TEST(EnablePrivilege, PassesTheSystemNameAndTheRequestedStateAndReportsTheResult) {
  RecordingPowerApi api;
  EXPECT_TRUE(EnablePrivilege(api, u"SeBackupPrivilege", u"HOST", false));
  EXPECT_EQ(api.Calls.at(2), "LookupPrivilegeValueW(\"HOST\", \"SeBackupPrivilege\")");
  EXPECT_EQ(api.Calls.at(3), "AdjustTokenPrivileges(token, 0, {1, luid 19:0, 0x0}, 16, null, null)");

  RecordingPowerApi notAssigned;
  notAssigned.ErrorAfterAdjust = ERROR_NOT_ALL_ASSIGNED;
  EXPECT_FALSE(EnablePrivilege(notAssigned, u"SeBackupPrivilege", u"", true));
}

// The system's own token under Wine: a privilege that exists can be enabled
// and disabled again; a name that is none fails at the lookup.
TEST(EnablePrivilege, WorksOnTheProcessesOwnToken) {
  EXPECT_TRUE(EnablePrivilege(u"SeShutdownPrivilege", u"", true));
  EXPECT_TRUE(EnablePrivilege(u"SeShutdownPrivilege", u"", false));
  ::SetLastError(0);
  EXPECT_FALSE(EnablePrivilege(u"SeNoSuchPrivilege", u"", true));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NO_SUCH_PRIVILEGE));
}

}  // namespace
}  // namespace tallowin::registry
