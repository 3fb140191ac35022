#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "model/collation.h"
#include "model/type_names.h"
#include "model/value_text.h"
#include "ui/commands/ports.h"

// In-memory stand-ins for the registry, the system's error texts and power
// control, behaving as the Win32 ones do: whole-transfer results, the failing
// status left as the last error, values in enumeration order.
namespace tallowin::testing {

class FakeSystem : public SystemPort {
 public:
  std::uint32_t Error = 0;
  std::uint32_t LastError() override { return Error; }
  std::u16string DescribeError(std::uint32_t code) override {
    std::u16string text = u"error ";
    for (char c : std::to_string(code)) text.push_back(static_cast<char16_t>(c));
    return text + u".\r\n";
  }
};

class FakeRegistry : public RegistryPort {
 public:
  using Values = std::vector<std::pair<std::u16string, RegistryValue>>;
  using KeyPath = std::pair<RootKey, std::u16string>;

  explicit FakeRegistry(FakeSystem& system) : system_(system) {}

  // Keys that exist, with their values in enumeration order.
  std::map<KeyPath, Values> Keys;
  // Value names whose write is refused (ERROR_INVALID_PARAMETER).
  std::set<std::u16string> RefusedNames;
  // Keys whose reading fails part-way (ERROR_ACCESS_DENIED after this many values).
  std::map<KeyPath, std::size_t> ReadFailsAfter;
  int Writes = 0;

  static constexpr std::uint32_t kFileNotFound = 2;
  static constexpr std::uint32_t kAccessDenied = 5;
  static constexpr std::uint32_t kInvalidParameter = 87;

  Values& Key(RootKey root, std::u16string_view subkey) { return Keys[{root, std::u16string(subkey)}]; }

  bool ReadKeyToList(RootKey root, std::u16string_view subkey, EditList& list) override {
    const bool read = Read(root, subkey, [&](const std::u16string& name, const RegistryValue& value) {
      list.Add(VariableEntry::FromValue(name, value));
    });
    if (read && list.Count() > 0) list.Select(0);
    return read;
  }

  bool ReadKeyToItems(RootKey root, std::u16string_view subkey, std::vector<CClipItem>& items) override {
    return Read(root, subkey, [&](const std::u16string& name, const RegistryValue& value) {
      items.emplace_back(nullptr, nullptr).SetReadValue(name, value);
    });
  }

  bool WriteListToKey(RootKey root, std::u16string_view subkey, const EditList& list) override {
    auto key = Keys.find({root, std::u16string(subkey)});
    if (key == Keys.end()) return Fail(kFileNotFound);
    for (int i = 0; i < list.Count(); ++i) {
      const VariableEntry& entry = list.At(i);
      if (RefusedNames.count(entry.Name) != 0) return Fail(kInvalidParameter);
      ++Writes;
      Set(key->second, entry.Name, ValueToWrite(entry));
    }
    return true;
  }

 private:
  template <typename Sink>
  bool Read(RootKey root, std::u16string_view subkey, Sink sink) {
    const KeyPath path{root, std::u16string(subkey)};
    auto key = Keys.find(path);
    if (key == Keys.end()) return Fail(kFileNotFound);
    const auto limit = ReadFailsAfter.find(path);
    for (std::size_t i = 0; i < key->second.size(); ++i) {
      if (limit != ReadFailsAfter.end() && i == limit->second) return Fail(kAccessDenied);
      sink(key->second[i].first, key->second[i].second);
    }
    return true;
  }

  static void Set(Values& values, const std::u16string& name, RegistryValue value) {
    for (auto& [existing, stored] : values) {
      if (EqualsIgnoringCase(existing, name)) {  // value names ignore case
        stored = std::move(value);
        return;
      }
    }
    values.emplace_back(name, std::move(value));
  }

  bool Fail(std::uint32_t code) {
    system_.Error = code;
    return false;
  }

  FakeSystem& system_;
};

class RecordingPower : public PowerPort {
 public:
  std::vector<std::uint32_t> Actions;
  void ChangePowerState(std::uint32_t action) override { Actions.push_back(action); }
};

}  // namespace tallowin::testing
