#include "ports/folder_check.h"

#include <windows.h>

#include <optional>
#include <utility>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace tallowin::ports {

using Clock = std::chrono::steady_clock;

// What the checking thread and the workers of one started check share,
// guarded by Lock. The system's own lock and condition are used because the
// workers are the system's threads, not the thread library's.
struct Win32FolderCheck::Run {
  struct Folder {
    std::u16string Path;
    std::optional<Clock::time_point> Started;  // when its probe began
    bool Local = false;                        // no limit applies
    bool Abandoned = false;                    // answered NoAnswer; its worker is left behind
    std::optional<bool> Exists;
  };

  Run(const std::vector<std::u16string>& paths, Probe probe) : Ask(std::move(probe)) {
    Folders.reserve(paths.size());
    for (const std::u16string& path : paths) Folders.emplace_back().Path = path;
  }

  const Probe Ask;
  SRWLOCK Lock = SRWLOCK_INIT;
  CONDITION_VARIABLE Changed = CONDITION_VARIABLE_INIT;
  std::vector<Folder> Folders;
  bool Stopped = false;
  std::size_t Next = 0;  // the first folder no worker has taken
  std::size_t Live = 0;  // workers that are not left behind
};

namespace {

using Run = Win32FolderCheck::Run;

class Locked {
 public:
  explicit Locked(Run& run) : run_(run) { ::AcquireSRWLockExclusive(&run_.Lock); }
  ~Locked() { ::ReleaseSRWLockExclusive(&run_.Lock); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  Run& run_;
};

// One worker: takes the next folder, asks about it, and goes on until none
// is left, the check stopped, or its folder was given up on meanwhile.
void Work(Run& run) {
  for (;;) {
    std::size_t index = 0;
    {
      const Locked lock(run);
      if (run.Stopped || run.Next >= run.Folders.size()) {
        --run.Live;
        break;
      }
      index = run.Next++;
    }
    // Nothing else touches a folder's path once the run is made.
    const std::u16string& path = run.Folders[index].Path;
    const bool local = path.empty() || Win32FolderCheck::IsOnLocalDrive(path);
    {
      const Locked lock(run);
      run.Folders[index].Local = local;
      run.Folders[index].Started = Clock::now();
    }
    // The checking thread may be waiting for this folder with no limit yet.
    ::WakeAllConditionVariable(&run.Changed);
    bool exists = false;
    try {
      exists = !path.empty() && run.Ask(path);
    } catch (...) {
      // A probe that fails counts as no folder found.
    }
    {
      const Locked lock(run);
      Run::Folder& folder = run.Folders[index];
      if (folder.Abandoned) break;  // another worker has taken this one's place
      folder.Exists = exists;
    }
    ::WakeAllConditionVariable(&run.Changed);
  }
  ::WakeAllConditionVariable(&run.Changed);
}

DWORD WINAPI WorkerMain(void* context) {
  const std::unique_ptr<std::shared_ptr<Run>> share(static_cast<std::shared_ptr<Run>*>(context));
  Work(**share);
  return 0;
}

// Starts one more worker; false when the system makes no thread. The
// thread's handle is closed at once: the thread runs on, holding its share.
bool StartWorker(const std::shared_ptr<Run>& run) {
  {
    const Locked lock(*run);
    ++run->Live;
  }
  auto share = std::make_unique<std::shared_ptr<Run>>(run);
  const win32::UniqueKernelHandle thread(::CreateThread(nullptr, 0, &WorkerMain, share.get(), 0, nullptr));
  if (thread) {
    share.release();
    return true;
  }
  const Locked lock(*run);
  --run->Live;
  return false;
}

// How long the checking thread may sleep before it looks again; INFINITE
// when only an answer (or a stop) can change anything.
DWORD SleepFor(const Run::Folder& folder, std::chrono::milliseconds limit, Clock::time_point now) {
  if (!folder.Started || folder.Local) return INFINITE;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(*folder.Started + limit - now);
  return left.count() <= 0 ? 0 : static_cast<DWORD>(left.count());
}

// The answer for one folder, in folder order; nothing when the check was
// stopped.
std::optional<FolderAnswer> WaitForAnswer(const std::shared_ptr<Run>& run, std::size_t index,
                                          std::chrono::milliseconds limit) {
  for (;;) {
    bool replace = false;
    std::optional<FolderAnswer> answer;
    {
      const Locked lock(*run);
      Run::Folder& folder = run->Folders[index];
      const Clock::time_point now = Clock::now();
      if (run->Stopped) return std::nullopt;
      if (folder.Exists) {
        answer = *folder.Exists ? FolderAnswer::Exists : FolderAnswer::Missing;
      } else if (folder.Started && !folder.Local && now >= *folder.Started + limit) {
        folder.Abandoned = true;
        --run->Live;
        replace = true;
        answer = FolderAnswer::NoAnswer;
      } else if (run->Live == 0) {
        // No worker could be started, so none will come to this folder.
        answer = FolderAnswer::NoAnswer;
      } else {
        ::SleepConditionVariableSRW(&run->Changed, &run->Lock, SleepFor(folder, limit, now), 0);
        continue;
      }
    }
    if (replace) StartWorker(run);
    return answer;
  }
}

void CheckAll(const std::shared_ptr<Run>& run, const FolderCheckPort::AnswerSink& sink,
              std::chrono::milliseconds limit) {
  const std::size_t count = run->Folders.size();
  for (std::size_t i = 0; i < count && i < Win32FolderCheck::kWorkers; ++i) StartWorker(run);
  for (std::size_t index = 0; index < count; ++index) {
    const std::optional<FolderAnswer> answer = WaitForAnswer(run, index, limit);
    if (!answer) return;
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

bool Win32FolderCheck::IsOnLocalDrive(const std::u16string& path) {
  const auto separator = [](char16_t unit) { return unit == u'\\' || unit == u'/'; };
  // A server's share, or a device path, may be anywhere.
  if (path.size() >= 2 && separator(path[0]) && separator(path[1])) return false;
  UINT type = 0;
  if (path.size() >= 2 && path[1] == u':') {
    const wchar_t root[] = {static_cast<wchar_t>(path[0]), L':', L'\\', L'\0'};
    type = ::GetDriveTypeW(root);
  } else {
    type = ::GetDriveTypeW(nullptr);
  }
  return type == DRIVE_FIXED || type == DRIVE_RAMDISK;
}

void Win32FolderCheck::StartChecks(std::vector<std::u16string> folders, AnswerSink sink) {
  StopChecks();
  run_ = std::make_shared<Run>(folders, probe_);
  thread_ = std::thread([run = run_, sink = std::move(sink), limit = limit_] {
    // Nothing may escape a thread; a sink that throws ends the check.
    try {
      CheckAll(run, sink, limit);
    } catch (...) {
    }
  });
}

void Win32FolderCheck::StopChecks() {
  if (run_) {
    {
      const Locked lock(*run_);
      run_->Stopped = true;
    }
    ::WakeAllConditionVariable(&run_->Changed);
  }
  if (thread_.joinable()) thread_.join();
  run_.reset();
}

}  // namespace tallowin::ports
