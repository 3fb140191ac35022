#include "ports/folder_check.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "support/scratch_folder.h"
#include "win32/wide_text.h"

namespace tallowin::ports {
namespace {

using namespace std::chrono_literals;
using Seen = std::vector<std::pair<std::size_t, FolderAnswer>>;

// Collects the answers the checking thread hands over; the test waits for
// them on a condition, never for a time.
class Answers {
 public:
  FolderCheckPort::AnswerSink Sink() {
    return [this](std::size_t index, FolderAnswer answer) {
      {
        const std::lock_guard<std::mutex> lock(lock_);
        seen_.emplace_back(index, answer);
      }
      changed_.notify_all();
    };
  }
  // Fails after a long grace instead of hanging the test program.
  Seen WaitFor(std::size_t count) {
    std::unique_lock<std::mutex> lock(lock_);
    EXPECT_TRUE(changed_.wait_for(lock, 60s, [&] { return seen_.size() >= count; }));
    return seen_;
  }

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  Seen seen_;
};

TEST(Win32FolderCheck, AnswersForRealFoldersInOrder) {
  testing::ScratchFolder scratch;
  ASSERT_TRUE(::CreateDirectoryW(win32::Wide(scratch.File(u"sub")), nullptr));
  const HANDLE file = ::CreateFileW(win32::Wide(scratch.File(u"file.txt")), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  ::CloseHandle(file);
  Answers answers;
  Win32FolderCheck check;
  check.StartChecks({scratch.File(u"SUB\\"), scratch.File(u"missing"), scratch.File(u"file.txt"), u""},
                    answers.Sink());
  EXPECT_EQ(answers.WaitFor(4), (Seen{{0, FolderAnswer::Exists},
                                      {1, FolderAnswer::Missing},
                                      {2, FolderAnswer::Missing},  // a file is no folder
                                      {3, FolderAnswer::Missing}}));
}

// A folder whose probe does not come back within the limit has no answer;
// the check goes on, and a later check is not disturbed by the late answer.
TEST(Win32FolderCheck, AFolderThatDoesNotAnswerInTimeIsLeftBehind) {
  std::promise<void> release;
  const std::shared_future<void> released = release.get_future().share();
  Answers answers;
  Win32FolderCheck check(200ms, [released](const std::u16string& path) {
    if (path == u"\\\\hung\\share") released.wait();
    return path != u"C:\\gone";
  });
  const auto start = std::chrono::steady_clock::now();
  check.StartChecks({u"C:\\here", u"\\\\hung\\share", u"C:\\gone"}, answers.Sink());
  EXPECT_EQ(answers.WaitFor(3),
            (Seen{{0, FolderAnswer::Exists}, {1, FolderAnswer::NoAnswer}, {2, FolderAnswer::Missing}}));
  EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms);
  release.set_value();

  Answers next;
  check.StartChecks({u"\\\\hung\\share"}, next.Sink());
  EXPECT_EQ(next.WaitFor(1), (Seen{{0, FolderAnswer::Exists}}));
}

// Thousands of folders are each answered once, in order (one thread per
// folder once ended the program a few hundred in); servers that hang hold
// more workers than there are, yet the folders after them are answered.
TEST(Win32FolderCheck, ManyFoldersAndMoreHungServersThanWorkers) {
  std::promise<void> release;
  const std::shared_future<void> released = release.get_future().share();
  std::vector<std::u16string> folders;
  Seen expected;
  for (std::size_t i = 0; i < 2 * Win32FolderCheck::kWorkers; ++i) {
    expected.emplace_back(folders.size(), FolderAnswer::NoAnswer);
    folders.push_back(u"\\\\hung\\share" + std::u16string(1, static_cast<char16_t>(u'a' + i)));
  }
  for (int i = 0; i < 3000; ++i) {
    expected.emplace_back(folders.size(), i % 2 == 0 ? FolderAnswer::Exists : FolderAnswer::Missing);
    folders.push_back(i % 2 == 0 ? u"C:\\there" : u"C:\\gone");
  }
  Answers answers;
  Win32FolderCheck check(100ms, [released](const std::u16string& path) {
    if (path.starts_with(u"\\\\hung")) released.wait();
    return path == u"C:\\there";
  });
  check.StartChecks(folders, answers.Sink());
  EXPECT_EQ(answers.WaitFor(folders.size()), expected);
  release.set_value();
}

TEST(Win32FolderCheck, StoppingEndsTheWaitAndNoAnswerFollows) {
  std::promise<void> release;
  const std::shared_future<void> released = release.get_future().share();
  Answers answers;
  {
    Win32FolderCheck check(60s, [released](const std::u16string&) {
      released.wait();
      return true;
    });
    check.StartChecks({u"C:\\a", u"C:\\b"}, answers.Sink());
    const auto start = std::chrono::steady_clock::now();
    check.StopChecks();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
    check.StartChecks({u"C:\\c"}, answers.Sink());  // the destructor stops this one
  }
  release.set_value();
  EXPECT_TRUE(answers.WaitFor(0).empty());
}

}  // namespace
}  // namespace tallowin::ports
