#pragma once

#include <cstdint>
#include <string>

#include "registry/power_api.h"
#include "model/power_action.h"

// Restart, shut down, power off, suspend or hibernate the computer, after
// enabling the shutdown privilege in the process's own token.
namespace tallowin::registry {

// Sets a privilege of the process's token to enabled or disabled; true when
// it now has that state. An empty system name means the local computer.
bool EnablePrivilege(PowerApi& api, const std::u16string& privilegeName, const std::u16string& systemName, bool enable);
bool EnablePrivilege(const std::u16string& privilegeName, const std::u16string& systemName, bool enable);

// Performs one PowerAction. Nothing happens when the privilege cannot be
// enabled or the code is none of the actions; nothing is reported either.
void ChangePowerState(PowerApi& api, std::uint32_t action);
void ChangePowerState(std::uint32_t action);

}  // namespace tallowin::registry
