#include "ui/ports/folder_check.h"

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <system_error>
#include <utility>

#include "win32/wide_text.h"

namespace tallowin::ports {

// What the checking thread and the probe threads of one started check
// share. A probe thread holds it for as long as it runs, however long the
// check itself lives.
struct Win32FolderCheck::Run {
  std::mutex Lock;
  std::condition_variable Changed;
  bool Stopped = false;
  // The index whose answer the checking thread waits for, and that answer
  // once its probe has given it.
  std::size_t Waiting = 0;
  std::optional<bool> Exists;
};

namespace {

using Clock = std::chrono::steady_clock;
using Run = std::shared_ptr<Win32FolderCheck::Run>;

// Asks the probe about one folder on a thread of its own and waits for its
// answer up to the limit. Nothing when the check was stopped meanwhile.
std::optional<FolderAnswer> Ask(const Run& run, std::size_t index, const std::u16string& folder,
                                const Win32FolderCheck::Probe& probe, std::chrono::milliseconds limit) {
  {
    const std::lock_guard<std::mutex> lock(run->Lock);
    if (run->Stopped) return std::nullopt;
    run->Waiting = index;
    run->Exists.reset();
  }
  try {
    std::thread([run, index, probe, folder] {
      const bool exists = probe(folder);
      {
        const std::lock_guard<std::mutex> lock(run->Lock);
        // An answer that comes after its wait ended is no one's.
        if (run->Waiting != index || run->Exists) return;
        run->Exists = exists;
      }
      run->Changed.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    // No thread to ask on: no answer can come.
    return FolderAnswer::NoAnswer;
  }
  std::unique_lock<std::mutex> lock(run->Lock);
  const bool answered =
      run->Changed.wait_until(lock, Clock::now() + limit, [&run] { return run->Stopped || run->Exists.has_value(); });
  if (run->Stopped) return std::nullopt;
  const std::optional<bool> exists = run->Exists;
  // Refuses the late answer of this index.
  run->Waiting = SIZE_MAX;
  if (!answered) return FolderAnswer::NoAnswer;
  return *exists ? FolderAnswer::Exists : FolderAnswer::Missing;
}

void CheckAll(const Run& run, const std::vector<std::u16string>& folders, const FolderCheckPort::AnswerSink& sink,
              const Win32FolderCheck::Probe& probe, std::chrono::milliseconds limit) {
  for (std::size_t index = 0; index < folders.size(); ++index) {
    std::optional<FolderAnswer> answer = FolderAnswer::Missing;
    if (!folders[index].empty()) answer = Ask(run, index, folders[index], probe, limit);
    if (!answer) return;
    {
      const std::lock_guard<std::mutex> lock(run->Lock);
      if (run->Stopped) return;
    }
    sink(index, *answer);
  }
}

}  // namespace

Win32FolderCheck::Win32FolderCheck(std::chrono::milliseconds limit, Probe probe)
    : limit_(limit), probe_(probe ? std::move(probe) : Probe(&Win32FolderCheck::IsExistingFolder)) {}

Win32FolderCheck::~Win32FolderCheck() { StopChecks(); }

bool Win32FolderCheck::IsExistingFolder(const std::u16string& path) {
  if (path.empty()) return false;
  const DWORD attributes = ::GetFileAttributesW(win32::Wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void Win32FolderCheck::StartChecks(std::vector<std::u16string> folders, AnswerSink sink) {
  StopChecks();
  run_ = std::make_shared<Run>();
  thread_ = std::thread(
      [run = run_, folders = std::move(folders), sink = std::move(sink), probe = probe_, limit = limit_] {
        // Nothing may escape a thread; a sink that throws ends the check.
        try {
          CheckAll(run, folders, sink, probe, limit);
        } catch (...) {
        }
      });
}

void Win32FolderCheck::StopChecks() {
  if (run_) {
    {
      const std::lock_guard<std::mutex> lock(run_->Lock);
      run_->Stopped = true;
    }
    run_->Changed.notify_all();
  }
  if (thread_.joinable()) thread_.join();
  run_.reset();
}

}  // namespace tallowin::ports
