#include "ports/environment_port.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "win32/wide_text.h"

namespace tallowin::ports {

std::u16string Win32Environment::ExpandReferences(std::u16string_view text) {
  const std::wstring source = win32::ToWide(text);
  std::vector<wchar_t> buffer(MAX_PATH);
  // The environment can grow between two calls; each round gets the size
  // the last one asked for, and a few rounds are enough.
  for (int round = 0; round < 4; ++round) {
    const DWORD needed = ::ExpandEnvironmentStringsW(source.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (needed == 0) break;
    if (needed <= buffer.size()) {
      const auto end = std::find(buffer.begin(), buffer.begin() + needed, L'\0');
      return win32::FromWide(buffer.data(), static_cast<std::size_t>(end - buffer.begin()));
    }
    buffer.resize(needed);
  }
  return std::u16string(text);
}

bool Win32Environment::IsExistingDirectory(std::u16string_view path) {
  if (path.empty()) return false;
  const DWORD attributes = ::GetFileAttributesW(win32::ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace tallowin::ports
