#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/commands/ports.h"

namespace tallowin {

// Where the commands place their dialogs, from the owner window's top-left.
inline constexpr int kDialogY = 130;
inline constexpr int kDialogX = 130;
inline constexpr int kFailureX = 100;
inline constexpr int kRestartX = 70;

// Reports a failed command: the failure sound, then a message whose fixed
// first line is followed directly by the system's description of the error
// code (which the caller captured right after the call that failed).
void ReportFailure(const CommandPorts& ports, std::u16string_view firstLine, std::uint32_t errorCode);

}  // namespace tallowin
