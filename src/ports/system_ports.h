#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/ports.h"

// The registry transfers, the system's error texts and clock, and power
// control as the commands reach them: thin forwarders to the registry and Win32 layers.
namespace tallowin::ports {

// Each write and delete waits for the writers' turn (registry/write_turn.h),
// and only for as long as the write takes: never while a dialog is open.
class Win32Registry final : public RegistryPort {
 public:
  PortResult ReadKeyToList(RootKey root, std::u16string_view subkey, EditList& list) override;
  PortResult ReadKeyToItems(RootKey root, std::u16string_view subkey, std::vector<CClipItem>& items) override;
  PortResult WriteListToKey(RootKey root, std::u16string_view subkey, const std::vector<NamedValue>& values) override;
  PortResult DeleteValue(RootKey root, std::u16string_view subkey, std::u16string_view name) override;
  PortResult ReadValue(RootKey root, std::u16string_view subkey, std::u16string_view name,
                       std::optional<RegistryValue>& value) override;
};

// The named mutex of registry/write_turn.h, held between Take and Release
// (or the port's end).
class Win32WriteTurn final : public WriteTurnPort {
 public:
  Win32WriteTurn();
  ~Win32WriteTurn() override;
  Win32WriteTurn(const Win32WriteTurn&) = delete;
  Win32WriteTurn& operator=(const Win32WriteTurn&) = delete;
  PortResult Take() override;
  void Release() override;

 private:
  struct Held;
  std::unique_ptr<Held> held_;
};

class Win32System final : public SystemPort {
 public:
  std::u16string DescribeError(std::uint32_t code) override;
  LocalTime LocalNow() override;
};

// WM_SETTINGCHANGE with "Environment" to every top-level window, as the
// system's own environment editor sends it: Explorer then starts programs
// with the new values. Hung windows are skipped and each answer is awaited
// for a bounded time, so a program that does not answer cannot stall Save.
class Win32EnvironmentBroadcast final : public EnvironmentBroadcastPort {
 public:
  void AnnounceEnvironmentChange() override;
};

class Win32Power final : public PowerPort {
 public:
  void ChangePowerState(std::uint32_t action) override;
};

}  // namespace tallowin::ports
