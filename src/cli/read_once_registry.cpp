#include "cli/read_once_registry.h"

namespace tallowin::cli {

PortResult ReadOnceRegistry::ReadKeyToList(RootKey root, std::u16string_view subkey, EditList& list) {
  std::vector<CClipItem> items;
  const PortResult read = ReadKeyToItems(root, subkey, items);
  if (!read.Succeeded) return read;
  for (CClipItem& item : items) {
    list.Add(VariableEntry::FromValue(std::move(item.Name), std::move(item.Stored->Value)));
  }
  if (list.Count() > 0) list.Select(0);
  return read;
}

PortResult ReadOnceRegistry::ReadKeyToItems(RootKey root, std::u16string_view subkey, std::vector<CClipItem>& items) {
  const Key key{root, std::u16string(subkey)};
  auto found = read_.find(key);
  if (found == read_.end()) {
    std::vector<CClipItem> read;
    const PortResult result = real_.ReadKeyToItems(root, subkey, read);
    if (!result.Succeeded) return result;
    found = read_.emplace(key, std::move(read)).first;
  }
  items.insert(items.end(), found->second.begin(), found->second.end());
  return PortResult::Success();
}

PortResult ReadOnceRegistry::WriteListToKey(RootKey root, std::u16string_view subkey,
                                            const std::vector<NamedValue>& values) {
  read_.erase({root, std::u16string(subkey)});
  return real_.WriteListToKey(root, subkey, values);
}

PortResult ReadOnceRegistry::DeleteValue(RootKey root, std::u16string_view subkey, std::u16string_view name) {
  read_.erase({root, std::u16string(subkey)});
  return real_.DeleteValue(root, subkey, name);
}

}  // namespace tallowin::cli
