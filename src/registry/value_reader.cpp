#include "registry/value_reader.h"

#include <algorithm>

#include "win32/wide_text.h"

namespace tallowin::registry {
namespace {

// The registry's limit on value names, in characters, plus the terminator.
constexpr std::size_t kLongestNameCapacity = 16383 + 1;
// Room for a terminator after string data, so that the longest value fits
// whether or not the registry appends one.
constexpr std::size_t kDataSlack = 2;
// A value that keeps outgrowing its buffer is being rewritten faster than it
// can be read; give up on it rather than loop for ever.
constexpr int kMaxRetries = 8;

void EnsureMinimumSizes(ReadBuffers& buffers) {
  // RegEnumValueW reads no data at all through a null data pointer, so both
  // buffers must have storage even for an empty key.
  if (buffers.Name.empty()) buffers.Name.resize(1);
  if (buffers.Data.size() < kDataSlack) buffers.Data.resize(kDataSlack);
}

struct LongestSizes {
  DWORD NameChars = 0;
  DWORD DataBytes = 0;
};

LSTATUS QueryLongestSizes(HKEY key, LongestSizes& sizes) {
  return ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &sizes.NameChars,
                            &sizes.DataBytes, nullptr, nullptr);
}

// Grows the buffers after ERROR_MORE_DATA. The call reports the data size
// it needed but not the name length, so the key's longest sizes are asked
// again; when they tell nothing new the name buffer doubles.
LSTATUS GrowBuffers(HKEY key, DWORD neededDataBytes, ReadBuffers& buffers) {
  LongestSizes sizes;
  const LSTATUS status = QueryLongestSizes(key, sizes);
  if (status != ERROR_SUCCESS) return status;
  const std::size_t oldName = buffers.Name.size();
  const std::size_t oldData = buffers.Data.size();
  std::size_t name = std::max<std::size_t>(oldName, std::size_t{sizes.NameChars} + 1);
  const std::size_t data =
      std::max({oldData, std::size_t{neededDataBytes} + kDataSlack, std::size_t{sizes.DataBytes} + kDataSlack});
  if (name == oldName && data == oldData) name = std::min(oldName * 2, kLongestNameCapacity);
  buffers.Name.resize(std::max(name, oldName));
  buffers.Data.resize(data);
  return ERROR_SUCCESS;
}

}  // namespace

LSTATUS SizeBuffersForKey(HKEY key, ReadBuffers& buffers) {
  LongestSizes sizes;
  const LSTATUS status = QueryLongestSizes(key, sizes);
  if (status != ERROR_SUCCESS) return status;
  buffers.Name.resize(std::size_t{sizes.NameChars} + 1);
  buffers.Data.resize(std::size_t{sizes.DataBytes} + kDataSlack);
  return ERROR_SUCCESS;
}

LSTATUS ReadValueAt(HKEY key, DWORD index, ReadBuffers& buffers, std::u16string& name, RegistryValue& value) {
  EnsureMinimumSizes(buffers);
  for (int attempt = 0;; ++attempt) {
    // Both capacities are in-out arguments: set them again before every call.
    DWORD nameChars = static_cast<DWORD>(buffers.Name.size());
    DWORD dataBytes = static_cast<DWORD>(buffers.Data.size());
    DWORD type = REG_NONE;
    const LSTATUS status =
        ::RegEnumValueW(key, index, buffers.Name.data(), &nameChars, nullptr, &type, buffers.Data.data(), &dataBytes);
    if (status == ERROR_MORE_DATA && attempt < kMaxRetries) {
      const LSTATUS grown = GrowBuffers(key, dataBytes, buffers);
      if (grown != ERROR_SUCCESS) return grown;
      continue;
    }
    if (status != ERROR_SUCCESS) return status;
    if (nameChars >= buffers.Name.size() || dataBytes > buffers.Data.size()) return ERROR_INVALID_DATA;
    name = win32::FromWide(buffers.Name.data(), nameChars);
    value.TypeCode = type;
    value.Bytes.assign(buffers.Data.begin(), buffers.Data.begin() + dataBytes);
    return ERROR_SUCCESS;
  }
}

}  // namespace tallowin::registry
