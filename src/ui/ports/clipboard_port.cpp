#include "ui/ports/clipboard_port.h"

#include <cstring>
#include <string>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace tallowin::ports {

using win32::UniqueGlobal;
namespace {

// About a tenth of a second in all: long enough for a program that reads a
// change, short enough that the window does not seem to hang.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMilliseconds = 10;

// The clipboard open for this thread until the end of the scope.
class ClipboardSession {
 public:
  explicit ClipboardSession(HWND owner) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
      if (attempt > 0) ::Sleep(kOpenRetryMilliseconds);
      if (::OpenClipboard(owner)) {
        open_ = true;
        return;
      }
      error_ = ::GetLastError();
    }
    // OpenClipboard does not always set an error when another window holds
    // the clipboard.
    if (error_ == ERROR_SUCCESS) error_ = ERROR_ACCESS_DENIED;
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  ~ClipboardSession() {
    if (open_) ::CloseClipboard();
  }

  bool IsOpen() const { return open_; }
  DWORD Error() const { return error_; }

 private:
  bool open_ = false;
  DWORD error_ = ERROR_SUCCESS;
};

// Global memory locked until the end of the scope.
class LockedGlobal {
 public:
  explicit LockedGlobal(HGLOBAL memory) : memory_(memory), data_(::GlobalLock(memory)) {}
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  ~LockedGlobal() {
    if (data_ != nullptr) ::GlobalUnlock(memory_);
  }

  void* Data() const { return data_; }

 private:
  HGLOBAL memory_;
  void* data_;
};

}  // namespace

PortResult Win32Clipboard::WriteText(std::u16string_view text) {
  // The text is made ready before the clipboard is opened and emptied, so
  // that a failure here leaves the clipboard's content alone.
  const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
  UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return PortResult::Failure(::GetLastError());
  {
    const LockedGlobal lock(memory.get());
    if (lock.Data() == nullptr) return PortResult::Failure(::GetLastError());
    std::memcpy(lock.Data(), text.data(), text.size() * sizeof(char16_t));
    static_cast<wchar_t*>(lock.Data())[text.size()] = L'\0';
  }

  const ClipboardSession session(owner_);
  if (!session.IsOpen()) return PortResult::Failure(session.Error());
  if (!::EmptyClipboard()) return PortResult::Failure(::GetLastError());
  if (::SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) return PortResult::Failure(::GetLastError());
  // The system owns the memory now.
  memory.release();
  return PortResult::Success();
}

ClipboardText Win32Clipboard::ReadText() {
  const ClipboardSession session(owner_);
  if (!session.IsOpen()) return {PortResult::Failure(session.Error()), std::nullopt};
  if (!::IsClipboardFormatAvailable(CF_UNICODETEXT)) return {PortResult::Success(), std::nullopt};
  // The clipboard keeps ownership of what it hands out.
  const HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  if (data == nullptr) return {PortResult::Failure(::GetLastError()), std::nullopt};
  const LockedGlobal lock(data);
  if (lock.Data() == nullptr) return {PortResult::Failure(::GetLastError()), std::nullopt};
  // Another program wrote the block: the text ends at its terminator, or at
  // the block's end when it has none.
  const std::size_t capacity = ::GlobalSize(data) / sizeof(wchar_t);
  const auto* characters = static_cast<const wchar_t*>(lock.Data());
  std::size_t length = 0;
  while (length < capacity && characters[length] != L'\0') ++length;
  return {PortResult::Success(), win32::FromWide(characters, length)};
}

bool Win32Clipboard::HasText() {
  return ::IsClipboardFormatAvailable(CF_UNICODETEXT) || ::IsClipboardFormatAvailable(CF_TEXT);
}

}  // namespace tallowin::ports
