#include "ports/file_system.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <new>
#include <string>
#include <vector>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace tallowin::ports {

using win32::ToWide;
using win32::UniqueFile;
namespace {

// ReadFile, WriteFile and MultiByteToWideChar take 32-bit counts.
constexpr std::size_t kChunk = std::size_t{1} << 30;

PortResult Failed(DWORD code) { return PortResult::Failure(code); }

PortResult Done() { return PortResult::Success(); }

// The new content's file beside the target: the same folder, so the final
// move is a rename on one volume. Removed again unless it was moved. Its
// name is short whatever the target's: a target name near the file system's
// limit of 255 characters would otherwise leave no room for a suffix.
class TemporarySibling {
 public:
  TemporarySibling() = default;
  TemporarySibling(const TemporarySibling&) = delete;
  TemporarySibling& operator=(const TemporarySibling&) = delete;
  ~TemporarySibling() {
    if (!path_.empty()) ::DeleteFileW(path_.c_str());
  }

  // Creates a file of a name nobody uses yet; the handle is open for writing.
  // The target is a full path, so it names its folder.
  PortResult Create(const std::wstring& target, UniqueFile& file) {
    static std::atomic<unsigned> counter{0};
    const std::wstring folder = target.substr(0, target.find_last_of(L'\\') + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::wstring candidate = folder + L"~tallowin-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                               std::to_wstring(counter.fetch_add(1)) + L".tmp";
      file.reset(::CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                               nullptr));
      if (file) {
        path_ = std::move(candidate);
        return Done();
      }
      const DWORD error = ::GetLastError();
      if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return Failed(error);
    }
    return Failed(ERROR_FILE_EXISTS);
  }

  const std::wstring& Path() const { return path_; }
  // The file has become the target: nothing left to remove.
  void Moved() { path_.clear(); }

 private:
  std::wstring path_;
};

// A file made under a name nobody had, open for writing with no sharing;
// closed and removed again unless it was kept.
class NewFile {
 public:
  NewFile() = default;
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;
  ~NewFile() {
    file_.reset();
    if (!path_.empty()) ::DeleteFileW(path_.c_str());
  }

  PortResult Create(const std::wstring& path) {
    file_.reset(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    // A name taken, by a file or a folder, is ERROR_FILE_EXISTS.
    if (!file_) return Failed(::GetLastError());
    path_ = path;
    return Done();
  }

  HANDLE Handle() const { return file_.get(); }

  // Closing can still report a write the system deferred; then the file
  // is removed all the same.
  PortResult CloseAndKeep() {
    if (!::CloseHandle(file_.release())) return Failed(::GetLastError());
    path_.clear();
    return Done();
  }

 private:
  std::wstring path_;
  UniqueFile file_;
};

PortResult WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min(bytes.size(), kChunk));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) return Failed(::GetLastError());
    // A write may store part of its bytes and report no error (Wine's does
    // when the disk fills up part-way): writing the rest then reports why,
    // e.g. ERROR_DISK_FULL, which tells the user more than a write fault.
    // Only a write that stores nothing and says nothing is one.
    if (written == 0) return Failed(ERROR_WRITE_FAULT);
    bytes = bytes.subspan(written);
  }
  return Done();
}

// The absolute path, so that the new file lands in the target's folder
// whatever the current folder is.
PortResult FullPath(const std::wstring& path, std::wstring& full) {
  const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return Failed(::GetLastError());
  full.assign(needed, L'\0');
  const DWORD length = ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (length == 0) return Failed(::GetLastError());
  if (length >= needed) return Failed(ERROR_FILENAME_EXCED_RANGE);
  full.resize(length);
  return Done();
}

}  // namespace

FileContents Win32FileSystem::ReadWholeFile(std::u16string_view path) {
  FileContents contents;
  const auto fail = [&contents](DWORD code) {
    contents.Result = PortResult::Failure(code);
    contents.Bytes.clear();
    return contents;
  };
  const std::wstring widePath = ToWide(path);
  UniqueFile file(::CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return fail(::GetLastError());
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return fail(::GetLastError());
  if (static_cast<unsigned long long>(size.QuadPart) > contents.Bytes.max_size()) return fail(ERROR_NOT_ENOUGH_MEMORY);
  try {
    contents.Bytes.resize(static_cast<std::size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    return fail(ERROR_NOT_ENOUGH_MEMORY);
  }
  std::size_t done = 0;
  while (done < contents.Bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min(contents.Bytes.size() - done, kChunk));
    DWORD read = 0;
    if (!::ReadFile(file.get(), contents.Bytes.data() + done, chunk, &read, nullptr)) return fail(::GetLastError());
    if (read == 0) break;  // the file became shorter since its size was taken
    done += read;
  }
  contents.Bytes.resize(done);
  contents.Result = PortResult::Success();
  return contents;
}

PortResult Win32FileSystem::ReplaceWholeFile(std::u16string_view path, std::span<const std::uint8_t> bytes) {
  std::wstring target;
  if (const PortResult full = FullPath(ToWide(path), target); !full.Succeeded) return full;

  // A read-only file is not replaced, as writing it in place would be
  // refused (Wine's rename would replace it regardless), and neither is a
  // folder.
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return Failed(ERROR_ACCESS_DENIED);
  }

  TemporarySibling sibling;
  UniqueFile file;
  if (const PortResult created = sibling.Create(target, file); !created.Succeeded) return created;
  if (const PortResult written = WriteAll(file.get(), bytes); !written.Succeeded) return written;
  if (!::FlushFileBuffers(file.get())) return Failed(::GetLastError());
  // Closing can still report a write the system deferred.
  if (!::CloseHandle(file.release())) return Failed(::GetLastError());

  if (!::MoveFileExW(sibling.Path().c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return Failed(::GetLastError());
  }
  sibling.Moved();
  return Done();
}

PortResult Win32FileSystem::CreateNewFile(std::u16string_view path, std::span<const std::uint8_t> bytes) {
  NewFile file;
  if (const PortResult created = file.Create(ToWide(path)); !created.Succeeded) return created;
  if (const PortResult written = WriteAll(file.Handle(), bytes); !written.Succeeded) return written;
  if (!::FlushFileBuffers(file.Handle())) return Failed(::GetLastError());
  return file.CloseAndKeep();
}

std::u16string Win32FileSystem::DecodeAnsi(std::string_view text) {
  std::u16string decoded;
  while (!text.empty()) {
    // Long texts go in pieces that end after a line feed, which is never
    // the second byte of a double-byte character.
    std::size_t take = text.size();
    if (take > kChunk) {
      const std::size_t lineEnd = text.rfind('\n', kChunk - 1);
      take = lineEnd == std::string_view::npos ? kChunk : lineEnd + 1;
    }
    const int length = static_cast<int>(take);
    const int units = ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (units <= 0) break;
    const std::size_t start = decoded.size();
    decoded.resize(start + static_cast<std::size_t>(units));
    auto* out = reinterpret_cast<wchar_t*>(decoded.data() + start);
    const int converted = ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, out, units);
    decoded.resize(start + static_cast<std::size_t>(std::max(converted, 0)));
    if (converted <= 0) break;
    text.remove_prefix(take);
  }
  return decoded;
}

}  // namespace tallowin::ports
