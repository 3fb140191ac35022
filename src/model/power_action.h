#pragma once

#include <cstdint>

// The power actions the program can ask for, by their codes: shared by the
// command that offers the restart and the registry layer that performs it.
namespace tallowin {

enum PowerAction : std::uint32_t {
  PS_SUSPEND = 0,
  PS_HIBERNATE = 1,
  PS_REBOOT = 2,
  PS_SHUTDOWN = 3,
  PS_POWEROFF = 4,
};

}  // namespace tallowin
