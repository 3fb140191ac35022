#pragma once

#include <cstdint>
#include <string_view>

#include "commands/ports.h"

namespace tallowin {

// Reports a failed command: the failure sound, then a message whose fixed
// first line is followed directly by the system's description of the error
// code of the step that failed.
void ReportFailure(const CommandPorts& ports, std::u16string_view firstLine, std::uint32_t errorCode);

// A failure that no system call reported: the same report with the
// program's own second line instead of the system's description.
void ReportRefusal(const CommandPorts& ports, std::u16string_view firstLine, std::u16string_view reason);

}  // namespace tallowin
