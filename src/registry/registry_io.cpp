#include "registry/registry_io.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "registry/value_reader.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace tallowin::registry {
namespace {

using win32::UniqueKey;

LSTATUS OpenKey(RootKey root, std::u16string_view subkey, REGSAM access, UniqueKey& key) {
  const std::u16string path(subkey);
  return ::RegOpenKeyExW(RootKeyHandle(root), win32::Wide(path), 0, access, key.put());
}

// Opens the key for reading and hands every value, in enumeration order, to
// the sink. The key is closed before the status is returned.
template <typename Sink>
LSTATUS ReadKey(RootKey root, std::u16string_view subkey, Sink&& sink) {
  UniqueKey key;
  LSTATUS status = OpenKey(root, subkey, KEY_READ, key);
  if (status != ERROR_SUCCESS) return status;
  ReadBuffers buffers;
  status = SizeBuffersForKey(key.get(), buffers);
  if (status != ERROR_SUCCESS) return status;
  std::u16string name;
  RegistryValue value;
  for (DWORD index = 0;; ++index) {
    status = ReadValueAt(key.get(), index, buffers, name, value);
    if (status == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS) return status;
    sink(std::move(name), std::move(value));
  }
}

// `data` is scratch room that the values of one batch share, so that a
// batch of thousands of values is not a copy and a reallocation each.
LSTATUS WriteValue(HKEY key, const NamedValue& named, std::vector<BYTE>& data) {
  // The registry takes a value name up to its first zero: a name holding
  // one would silently set some other value.
  if (named.Name.find(u'\0') != std::u16string::npos) return ERROR_INVALID_PARAMETER;
  const std::vector<std::uint8_t>& bytes = named.Value.Bytes;
  if (bytes.size() > std::numeric_limits<DWORD>::max()) return ERROR_INVALID_PARAMETER;
  // RegSetValueExW lengthens string data by one character when the data
  // does not end with a zero but a zero follows it in memory. Non-zero
  // bytes behind the data keep the count exact.
  data.assign(bytes.begin(), bytes.end());
  data.insert(data.end(), {0xff, 0xff});
  return ::RegSetValueExW(key, win32::Wide(named.Name), 0, named.Value.TypeCode, data.data(),
                          static_cast<DWORD>(bytes.size()));
}

}  // namespace

HKEY RootKeyHandle(RootKey root) {
  switch (root) {
    case RootKey::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RootKey::CurrentUser:
      return HKEY_CURRENT_USER;
    case RootKey::LocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RootKey::Users:
      return HKEY_USERS;
  }
  return nullptr;
}

LSTATUS ReadKeyToList(RootKey root, std::u16string_view subkey, EditList& list) {
  std::vector<VariableEntry> entries;
  const LSTATUS status = ReadKey(root, subkey, [&entries](std::u16string name, RegistryValue value) {
    entries.push_back(VariableEntry::FromValue(std::move(name), std::move(value)));
  });
  // What was read before a failure is kept, as the caller was promised.
  list.AddAll(std::move(entries));
  if (status == ERROR_SUCCESS && list.Count() > 0) list.Select(0);
  return status;
}

LSTATUS ReadKeyToItems(RootKey root, std::u16string_view subkey, std::vector<CClipItem>& items) {
  return ReadKey(root, subkey, [&items](std::u16string name, RegistryValue value) {
    items.emplace_back().SetReadValue(std::move(name), std::move(value));
  });
}

LSTATUS WriteListToKey(RootKey root, std::u16string_view subkey, const std::vector<NamedValue>& values) {
  UniqueKey key;
  LSTATUS status = OpenKey(root, subkey, KEY_WRITE, key);
  if (status != ERROR_SUCCESS) return status;
  std::vector<BYTE> data;
  for (const NamedValue& value : values) {
    status = WriteValue(key.get(), value, data);
    if (status != ERROR_SUCCESS) return status;
  }
  return ERROR_SUCCESS;
}

LSTATUS ReadValue(RootKey root, std::u16string_view subkey, std::u16string_view name, RegistryValue& value) {
  if (name.find(u'\0') != std::u16string_view::npos) return ERROR_INVALID_PARAMETER;
  UniqueKey key;
  const LSTATUS status = OpenKey(root, subkey, KEY_QUERY_VALUE, key);
  if (status != ERROR_SUCCESS) return status;
  const std::u16string valueName(name);
  // Room for a terminator the registry may append; a value that grew since
  // its size was asked is asked again with the size it has now.
  DWORD size = 256;
  for (int attempt = 0; attempt < 8; ++attempt) {
    value.Bytes.resize(std::size_t{size} + 2);
    DWORD type = REG_NONE;
    DWORD got = size;
    const LSTATUS read = ::RegQueryValueExW(key.get(), win32::Wide(valueName), nullptr, &type, value.Bytes.data(), &got);
    if (read == ERROR_MORE_DATA) {
      size = got;
      continue;
    }
    if (read != ERROR_SUCCESS) return read;
    value.TypeCode = type;
    value.Bytes.resize(got);
    return ERROR_SUCCESS;
  }
  return ERROR_MORE_DATA;
}

LSTATUS DeleteValue(RootKey root, std::u16string_view subkey, std::u16string_view name) {
  // As for a write: a name holding a zero would stand for another value.
  if (name.find(u'\0') != std::u16string_view::npos) return ERROR_INVALID_PARAMETER;
  UniqueKey key;
  const LSTATUS status = OpenKey(root, subkey, KEY_SET_VALUE, key);
  if (status != ERROR_SUCCESS) return status;
  const std::u16string valueName(name);
  const LSTATUS deleted = ::RegDeleteValueW(key.get(), win32::Wide(valueName));
  return deleted == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : deleted;
}

}  // namespace tallowin::registry
