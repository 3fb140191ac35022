#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "commands/ports.h"

// The registry as one run of the command line sees it: a key is read once,
// and later reads of it (the automatic backup's, made just before the first
// write) get the same values until the run writes to that key. A run holds
// the writers' turn from before its first read, so what it read is what the
// key holds when the backup is made; reading a key of thousands of values
// twice would only cost time.
namespace tallowin::cli {

class ReadOnceRegistry final : public RegistryPort {
 public:
  explicit ReadOnceRegistry(RegistryPort& real) : real_(real) {}

  PortResult ReadKeyToList(RootKey root, std::u16string_view subkey, EditList& list) override;
  PortResult ReadKeyToItems(RootKey root, std::u16string_view subkey, std::vector<CClipItem>& items) override;
  PortResult WriteListToKey(RootKey root, std::u16string_view subkey, const std::vector<NamedValue>& values) override;
  PortResult DeleteValue(RootKey root, std::u16string_view subkey, std::u16string_view name) override;
  // Always the key as it is now.
  PortResult ReadValue(RootKey root, std::u16string_view subkey, std::u16string_view name,
                       std::optional<RegistryValue>& value) override {
    return real_.ReadValue(root, subkey, name, value);
  }

 private:
  using Key = std::pair<RootKey, std::u16string>;

  RegistryPort& real_;
  std::map<Key, std::vector<CClipItem>> read_;
};

}  // namespace tallowin::cli
