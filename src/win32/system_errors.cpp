#include "win32/system_errors.h"

#include <windows.h>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace tallowin::win32 {

std::u16string DescribeError(std::uint32_t code) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
      MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  UniqueLocal owner(buffer);
  if (length == 0 || buffer == nullptr) return std::u16string();
  return FromWide(buffer, length);
}

}  // namespace tallowin::win32
