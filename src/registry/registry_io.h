#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

#include "model/clip_item.h"
#include "model/edit_list.h"
#include "model/environment_keys.h"

// Transfers between a registry key and the program's lists, through the
// wide-character registry API. Each returns ERROR_SUCCESS only when the whole
// transfer succeeded, and otherwise the registry's status of the step that
// failed.
namespace tallowin::registry {

// The predefined key a root stands for.
HKEY RootKeyHandle(RootKey root);

// Appends one entry per value (name, type name, data text, and the exact
// bytes read) and, when the read succeeds and the list holds any entry,
// selects its first. A key that cannot be opened leaves the list as it was;
// a read that fails part-way keeps what it appended.
LSTATUS ReadKeyToList(RootKey root, std::u16string_view subkey, EditList& list);

// Appends one entry buffer per value, in enumeration order, each holding the
// value's name, type name and data text under CI_ALL_FIELDS and the exact
// bytes read.
LSTATUS ReadKeyToItems(RootKey root, std::u16string_view subkey, std::vector<CClipItem>& items);

// Sets the values in order and stops at the first that fails: the values
// set before it stay set. No value is ever deleted and no key created.
LSTATUS WriteListToKey(RootKey root, std::u16string_view subkey, const std::vector<NamedValue>& values);

// Reads one value of the key: its type code and exact bytes.
// ERROR_FILE_NOT_FOUND when the key holds no value of that name.
LSTATUS ReadValue(RootKey root, std::u16string_view subkey, std::u16string_view name, RegistryValue& value);

// Deletes one value of the key. A value that is not there counts as deleted;
// a key that cannot be opened does not.
LSTATUS DeleteValue(RootKey root, std::u16string_view subkey, std::u16string_view name);

}  // namespace tallowin::registry
