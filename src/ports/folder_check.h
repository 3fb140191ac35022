#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "commands/ports.h"

// The Path check's existence check. A few workers ask about the folders,
// each taking the next one as it finishes; a checking thread hands the
// answers to the sink in folder order. A folder off this machine whose
// probe does not come back within the limit is answered NoAnswer and its
// worker is left behind (a server that does not answer keeps it until the
// system gives up), and a new worker takes its place, so that the check
// always goes on with the same number in flight.
//
// The workers are threads of the system's own making, never detached
// std::threads: the thread library's detach races with the end of a short
// thread and then hands one thread record to two new threads, the second of
// which starts with no function to run. Each worker owns a share of what the
// check and it have in common, so that none can outlive what it uses.
namespace tallowin::ports {

class Win32FolderCheck final : public FolderCheckPort {
 public:
  // Whether the path names an existing folder; it may take as long as the
  // file system does.
  using Probe = std::function<bool(const std::u16string& path)>;

  // How many folders are asked about at once.
  static constexpr std::size_t kWorkers = 4;

  // The probe asks the file system (GetFileAttributesW) unless another is
  // given. The limit applies from the moment a probe starts, and only to
  // folders that are not on a local fixed drive.
  explicit Win32FolderCheck(std::chrono::milliseconds limit = std::chrono::seconds(1), Probe probe = nullptr);
  Win32FolderCheck(const Win32FolderCheck&) = delete;
  Win32FolderCheck& operator=(const Win32FolderCheck&) = delete;
  // Stops the check.
  ~Win32FolderCheck() override;

  void StartChecks(std::vector<std::u16string> folders, AnswerSink sink) override;
  void StopChecks() override;

  static bool IsExistingFolder(const std::u16string& path);
  // Whether the path lies on a fixed or RAM drive of this machine (a path
  // without a drive, on the current one): such a probe always comes back.
  static bool IsOnLocalDrive(const std::u16string& path);

  // What the checking thread and the workers of one started check share
  // (folder_check.cpp).
  struct Run;

 private:
  std::chrono::milliseconds limit_;
  Probe probe_;
  std::shared_ptr<Run> run_;
  std::thread thread_;
};

}  // namespace tallowin::ports
