#pragma once

#include <cstdint>
#include <string_view>

#include "commands/ports.h"
#include "cli/console.h"
#include "cli/exit_codes.h"

// What every command of the command line works with: the console and the
// ports it shares with the window (registry, files, environment, system,
// broadcast), and the ways a run ends other than with success.
namespace tallowin::cli {

struct Context {
  Console& Io;
  CommandPorts Ports;
};

// Both write the text as a line to standard error and return the code.
ExitCode UsageError(Context& context, std::u16string_view message);
ExitCode Refuse(Context& context, std::u16string_view message);

// A failed step: exit 5, with the first line (or, for a writer's turn that
// never came, a line that says so) and the system's description of the code.
ExitCode ReportFailure(Context& context, std::u16string_view firstLine, std::uint32_t code);

// A failed write to a key: as ReportFailure, but access denied is exit 3 and
// says to run as administrator.
ExitCode ReportWriteFailure(Context& context, std::u16string_view firstLine, std::uint32_t code);

}  // namespace tallowin::cli
