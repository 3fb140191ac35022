#include "commands/folder_answers.h"

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <utility>

namespace tallowin {

std::vector<std::optional<FolderAnswer>> AnswersOfFolders(FolderCheckPort& checks, std::vector<std::u16string> folders) {
  std::vector<std::optional<FolderAnswer>> answers(folders.size());
  if (folders.empty()) return answers;
  std::mutex mutex;
  std::condition_variable answered;
  std::size_t left = folders.size();
  checks.StartChecks(std::move(folders), [&](std::size_t index, FolderAnswer answer) {
    const std::lock_guard<std::mutex> lock(mutex);
    answers[index] = answer;
    --left;
    answered.notify_one();
  });
  {
    std::unique_lock<std::mutex> lock(mutex);
    answered.wait(lock, [&left] { return left == 0; });
  }
  // Once this returns the sink is not called again.
  checks.StopChecks();
  return answers;
}

}  // namespace tallowin
