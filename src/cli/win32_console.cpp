#include "cli/win32_console.h"

#include <algorithm>
#include <optional>
#include <string>

#include "win32/wide_text.h"

namespace tallowin::cli {
namespace {

// WriteConsoleW and WriteFile take 32-bit counts; pieces stay well below.
constexpr std::size_t kPiece = 1 << 20;

bool WriteBytes(HANDLE handle, const char* data, std::size_t size) {
  while (size > 0) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min(size, kPiece));
    if (!::WriteFile(handle, data, chunk, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

}  // namespace

Win32Console::Win32Console() : out_(Open(STD_OUTPUT_HANDLE)), err_(Open(STD_ERROR_HANDLE)) {}

Win32Console::Stream Win32Console::Open(DWORD which) {
  Stream stream;
  stream.Handle = ::GetStdHandle(which);
  DWORD mode = 0;
  stream.IsConsole = stream.Handle != nullptr && stream.Handle != INVALID_HANDLE_VALUE &&
                     ::GetConsoleMode(stream.Handle, &mode) != 0;
  return stream;
}

bool Win32Console::Write(const Stream& stream, std::u16string_view text) {
  // A program started with no standard handle has nowhere to write; that is
  // its starter's choice, not a failure.
  if (stream.Handle == nullptr || stream.Handle == INVALID_HANDLE_VALUE) return true;
  while (!text.empty()) {
    std::size_t take = std::min(text.size(), kPiece);
    // A surrogate pair is never split between two pieces.
    if (take < text.size() && text[take - 1] >= 0xD800 && text[take - 1] <= 0xDBFF) --take;
    const std::u16string_view piece = text.substr(0, take);
    text.remove_prefix(take);
    if (stream.IsConsole) {
      DWORD written = 0;
      if (!::WriteConsoleW(stream.Handle, win32::WideData(piece), static_cast<DWORD>(piece.size()), &written,
                           nullptr)) {
        return false;
      }
      continue;
    }
    const int length = static_cast<int>(piece.size());
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, win32::WideData(piece), length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return false;
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    if (::WideCharToMultiByte(CP_UTF8, 0, win32::WideData(piece), length, utf8.data(), bytes, nullptr, nullptr) !=
        bytes) {
      return false;
    }
    if (!WriteBytes(stream.Handle, utf8.data(), utf8.size())) return false;
  }
  return true;
}

namespace {

// All of standard input as UTF-8 bytes. A pipe's writer that has closed its
// end reports ERROR_BROKEN_PIPE: that is the end of the input, not a failure.
bool ReadStandardInput(std::string& bytes, DWORD& error) {
  const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
  if (input == nullptr || input == INVALID_HANDLE_VALUE) return true;
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(input, buffer, sizeof buffer, &got, nullptr)) {
      error = ::GetLastError();
      return error == ERROR_BROKEN_PIPE;
    }
    if (got == 0) return true;
    bytes.append(buffer, got);
  }
}

std::optional<std::u16string> Utf8ToText(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  if (bytes.empty()) return std::u16string();
  const int length = static_cast<int>(bytes.size());
  const int units = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
  if (units <= 0) return std::nullopt;
  std::u16string text(static_cast<std::size_t>(units), u'\0');
  if (::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), length,
                            reinterpret_cast<wchar_t*>(text.data()), units) != units) {
    return std::nullopt;
  }
  return text;
}

}  // namespace

InputText Win32Console::ReadAllInput() {
  InputText input;
  std::string bytes;
  DWORD error = 0;
  if (!ReadStandardInput(bytes, error)) {
    input.Read = false;
    input.ErrorCode = error;
    return input;
  }
  input.Text = Utf8ToText(bytes);
  return input;
}

}  // namespace tallowin::cli
