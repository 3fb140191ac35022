#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "commands/ports.h"

// The Path check's existence check: each folder is asked about on a thread
// of its own, and the checking thread waits for the answer only up to a
// limit. A folder on a server that does not answer keeps its own thread
// busy until the system gives up on it; the check has moved on long before
// and ignores what that thread finds.
namespace tallowin::ports {

class Win32FolderCheck final : public FolderCheckPort {
 public:
  // Whether the path names an existing folder; it may take as long as the
  // file system does.
  using Probe = std::function<bool(const std::u16string& path)>;

  // The probe asks the file system (GetFileAttributesW) unless another is
  // given.
  explicit Win32FolderCheck(std::chrono::milliseconds limit = std::chrono::seconds(1), Probe probe = nullptr);
  Win32FolderCheck(const Win32FolderCheck&) = delete;
  Win32FolderCheck& operator=(const Win32FolderCheck&) = delete;
  // Stops the check.
  ~Win32FolderCheck() override;

  void StartChecks(std::vector<std::u16string> folders, AnswerSink sink) override;
  void StopChecks() override;

  static bool IsExistingFolder(const std::u16string& path);

  // What the checking thread and the probe threads of one started check
  // share (folder_check.cpp).
  struct Run;

 private:
  std::chrono::milliseconds limit_;
  Probe probe_;
  std::shared_ptr<Run> run_;
  std::thread thread_;
};

}  // namespace tallowin::ports
