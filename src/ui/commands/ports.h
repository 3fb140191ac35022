#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/clip_item.h"
#include "model/dialog_port.h"
#include "model/edit_list.h"
#include "model/environment_keys.h"

// The outside world as the command logic sees it. The window supplies the
// Win32 implementations; tests supply scripted ones.
namespace tallowin {

// Transfers between a registry key and the program's lists. Each returns true
// only when the whole transfer succeeded; on failure the system's last error
// code tells why (SystemPort::LastError, read right after the call).
class RegistryPort {
 public:
  virtual ~RegistryPort() = default;
  virtual bool ReadKeyToList(RootKey root, std::u16string_view subkey, EditList& list) = 0;
  virtual bool ReadKeyToItems(RootKey root, std::u16string_view subkey, std::vector<CClipItem>& items) = 0;
  virtual bool WriteListToKey(RootKey root, std::u16string_view subkey, const EditList& list) = 0;
};

// The calling thread's last error code and the system's description of a code.
class SystemPort {
 public:
  virtual ~SystemPort() = default;
  virtual std::uint32_t LastError() = 0;
  // Empty when the system has no description.
  virtual std::u16string DescribeError(std::uint32_t code) = 0;
};

// The power actions by their codes.
enum PowerAction : std::uint32_t {
  PS_SUSPEND = 0,
  PS_HIBERNATE = 1,
  PS_REBOOT = 2,
  PS_SHUTDOWN = 3,
  PS_POWEROFF = 4,
};

class PowerPort {
 public:
  virtual ~PowerPort() = default;
  virtual void ChangePowerState(std::uint32_t action) = 0;
};

// Defined with the file commands.
class FilePickerPort;
class FileSystemPort;

// Everything a command may need besides the model. A command uses only the
// ports it names; the others may be null for it.
struct CommandPorts {
  DialogPort* Dialogs = nullptr;
  const WindowPort* Window = nullptr;
  RegistryPort* Registry = nullptr;
  SystemPort* System = nullptr;
  PowerPort* Power = nullptr;
  FilePickerPort* Pickers = nullptr;
  FileSystemPort* Files = nullptr;
};

}  // namespace tallowin
