#pragma once

#include <string>
#include <string_view>

// The portable core's UTF-16 text and the Win32 wide-character API use the
// same 16-bit code units on Windows: convert by pointer cast, never through a
// code page.
namespace tallowin::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide characters are UTF-16 code units");

inline const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
inline const wchar_t* WideData(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }
inline std::wstring ToWide(std::u16string_view text) { return std::wstring(WideData(text), text.size()); }
inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}
inline std::u16string FromWide(std::wstring_view text) { return FromWide(text.data(), text.size()); }

}  // namespace tallowin::win32
