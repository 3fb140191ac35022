#include "cli/console.h"

#include <algorithm>
#include <string>

#include "win32/wide_text.h"
#include "cli/json.h"

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

Console::Console() : out_(Open(STD_OUTPUT_HANDLE)), err_(Open(STD_ERROR_HANDLE)) {}

Console::Stream Console::Open(DWORD which) {
  Stream stream;
  stream.Handle = ::GetStdHandle(which);
  DWORD mode = 0;
  stream.IsConsole = stream.Handle != nullptr && stream.Handle != INVALID_HANDLE_VALUE &&
                     ::GetConsoleMode(stream.Handle, &mode) != 0;
  return stream;
}

bool Console::Write(const Stream& stream, std::u16string_view text) {
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

void Console::Out(std::u16string_view text) {
  if (!Write(out_, text)) outputFailed_ = true;
}

void Console::Err(std::u16string_view text) {
  if (!jsonErrors_) {
    Write(err_, text);
    return;
  }
  while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n')) text.remove_suffix(1);
  Write(err_, JsonObject().Text(u"level", u"error").Text(u"message", text).Close() + u"\n");
}

}  // namespace tallowin::cli
