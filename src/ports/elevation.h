#pragma once

#include <windows.h>

#include <string_view>

#include "commands/ports.h"

// The command line beside the running program, started as administrator
// for Save's hand-off of the machine key.
namespace tallowin::ports {

class Win32Elevation final : public ElevationPort {
 public:
  // The owner window (null for none) parents the consent dialog and takes
  // no input until the command line has ended.
  explicit Win32Elevation(HWND owner) : owner_(owner) {}

  // Starts tallowin-cli.exe from the running program's folder with the
  // "runas" verb and its console hidden, and waits for it while the
  // thread's messages keep being dispatched, so the window stays painted.
  ElevatedRun RunCommandLineElevated(std::u16string_view arguments) override;

 private:
  HWND owner_;
};

}  // namespace tallowin::ports
