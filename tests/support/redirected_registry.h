#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "commands/ports.h"
#include "ports/system_ports.h"

namespace tallowin::testing {

// The real registry, with the program's two keys moved to scratch keys under
// HKEY_CURRENT_USER so that a test can give them any content and break them
// at will. Either key may be moved again, or to a key that does not exist.
class RedirectedRegistry : public RegistryPort {
 public:
  RedirectedRegistry(std::u16string systemSubkey, std::u16string userSubkey)
      : System(std::move(systemSubkey)), User(std::move(userSubkey)) {}

  PortResult ReadKeyToList(RootKey root, std::u16string_view subkey, EditList& list) override {
    return real_.ReadKeyToList(RootKey::CurrentUser, Redirect(root, subkey), list);
  }
  PortResult ReadKeyToItems(RootKey root, std::u16string_view subkey, std::vector<CClipItem>& items) override {
    return real_.ReadKeyToItems(RootKey::CurrentUser, Redirect(root, subkey), items);
  }
  PortResult WriteListToKey(RootKey root, std::u16string_view subkey, const std::vector<NamedValue>& values) override {
    return real_.WriteListToKey(RootKey::CurrentUser, Redirect(root, subkey), values);
  }
  PortResult DeleteValue(RootKey root, std::u16string_view subkey, std::u16string_view name) override {
    return real_.DeleteValue(RootKey::CurrentUser, Redirect(root, subkey), name);
  }
  PortResult ReadValue(RootKey root, std::u16string_view subkey, std::u16string_view name,
                       std::optional<RegistryValue>& value) override {
    return real_.ReadValue(RootKey::CurrentUser, Redirect(root, subkey), name, value);
  }

  std::u16string System;
  std::u16string User;

 private:
  std::u16string Redirect(RootKey root, std::u16string_view subkey) const {
    EXPECT_EQ(subkey, root == RootKey::LocalMachine ? kSystemSubkey : kUserSubkey);
    return root == RootKey::LocalMachine ? System : User;
  }

  ports::Win32Registry real_;
};

}  // namespace tallowin::testing
