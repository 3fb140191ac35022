#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/edit_list.h"
#include "model/environment_keys.h"
#include "model/variable_entry.h"

// Names found again as the registry finds value names: ignoring letter case
// (SameRegistryName), in constant time on average however many there are,
// so that comparing two keys of ten thousand values stays quick.
namespace tallowin {

class RegistryNameIndex {
 public:
  // The position held for the name, or for a name the registry takes for
  // the same; nothing when there is none.
  std::optional<std::size_t> Find(std::u16string_view name) const;
  // Holds the name at the position unless it holds one of the same value
  // already; returns the position held for the name either way.
  std::size_t Insert(std::u16string_view name, std::size_t position);

 private:
  struct Held {
    std::u16string Name;
    std::size_t Position;
  };
  // By the name's shape: names of one value always have the same shape.
  std::unordered_multimap<std::u16string, Held> byShape_;
};

// The names of a key's values, or of an edit list's rows, in order.
std::vector<std::u16string> NamesOf(const std::vector<NamedValue>& values);
std::vector<std::u16string> NamesOf(const EditList& list);

// The names of a key's values, or a list of names, each at its position.
RegistryNameIndex IndexOfNames(const std::vector<NamedValue>& values);
RegistryNameIndex IndexOfNames(const std::vector<std::u16string>& names);

// The values to write whose type or bytes differ from what the key holds
// (`held`), in the order of `toWrite`; names compare as the registry's do.
std::vector<NamedValue> ValuesDifferingFrom(const std::vector<NamedValue>& toWrite,
                                            const std::vector<NamedValue>& held);

// Whether the value is the system Path, which is never removed from its key
// nor emptied: every program's search for commands starts from it.
bool IsSystemPath(KeyScope scope, std::u16string_view name);

}  // namespace tallowin
