#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "model/variable_entry.h"

// Enumerates the values of an open key into two buffers that are sized once
// per key and reused for every value.
namespace tallowin::registry {

struct ReadBuffers {
  std::vector<wchar_t> Name;
  std::vector<BYTE> Data;
};

// Sizes the buffers for the key's longest value name and data.
LSTATUS SizeBuffersForKey(HKEY key, ReadBuffers& buffers);

// Reads the value at an index: its name, type code and exact bytes.
// ERROR_NO_MORE_ITEMS past the last value. A value that outgrew the buffers
// since they were sized (another program wrote to the key meanwhile) grows
// them and is read again.
LSTATUS ReadValueAt(HKEY key, DWORD index, ReadBuffers& buffers, std::u16string& name, RegistryValue& value);

}  // namespace tallowin::registry
