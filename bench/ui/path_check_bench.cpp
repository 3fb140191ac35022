// The Path check through the main window on a Path of 2,000 local folders
// (C:\p\d0001 to C:\p\d2000, the even ones there): from the menu command to
// the dialog showing every missing folder, and the longest the window went
// without handling its messages meanwhile; and the existence check alone.
// Run under Wine: make bench, or (with the test prefix's server running)
//   TALLOWIN_WINEPREFIX=$PWD/build/win64/wineprefix scripts/wine-run build/win64/bench/ui/tallowin_path_check_bench.exe
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <cstdio>
#include <string>
#include <vector>

#include "../bench_timing.h"
#include "model/value_text.h"
#include "support/fake_ports.h"
#include "support/scripted_dialogs.h"
#include "ui/main_window.h"
#include "ports/folder_check.h"
#include "ui/resources/resource.h"

namespace {

using namespace tallowin;
using tallowin::bench::Clock;
using tallowin::bench::Median;
using tallowin::bench::Milliseconds;

constexpr int kItems = 2000;
constexpr int kRounds = 5;
constexpr UINT kTickMs = 10;
const std::wstring kRoot = L"C:\\p";

std::wstring Folder(int number) {
  wchar_t name[32];
  std::swprintf(name, 32, L"\\d%04d", number);
  return kRoot + name;
}

// The even-numbered folders, made for the run and removed after it.
class Folders {
 public:
  Folders() {
    made_ = ::CreateDirectoryW(kRoot.c_str(), nullptr) != FALSE;
    for (int i = 2; i <= kItems; i += 2) ::CreateDirectoryW(Folder(i).c_str(), nullptr);
  }
  ~Folders() {
    for (int i = 2; i <= kItems; i += 2) ::RemoveDirectoryW(Folder(i).c_str());
    if (made_) ::RemoveDirectoryW(kRoot.c_str());
  }
  Folders(const Folders&) = delete;
  Folders& operator=(const Folders&) = delete;

 private:
  bool made_ = false;
};

std::u16string LongPath() {
  std::wstring value;
  for (int i = 1; i <= kItems; ++i) value += Folder(i) + L";";
  return std::u16string(value.begin(), value.end());
}

// What the timer sees of one run of the check.
struct Watch {
  Clock::time_point Start;
  Clock::time_point LastTick;
  double LongestGap = 0;
  double Done = 0;
  int Rows = 0;
  int Unanswered = 0;
};
Watch watch;

HWND FindCheckDialog() {
  HWND found = nullptr;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM result) {
        if (::GetDlgItem(window, IDC_PATH_CHECK_LIST) == nullptr) return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Runs in the dialog's own message loop: measures the gap since the last
// tick, and closes the dialog once all missing folders are shown.
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  const auto now = Clock::now();
  watch.LongestGap = std::max(watch.LongestGap, Milliseconds(now - watch.LastTick));
  watch.LastTick = now;
  const HWND dialog = FindCheckDialog();
  if (dialog == nullptr) return;
  const HWND list = ::GetDlgItem(dialog, IDC_PATH_CHECK_LIST);
  if (ListView_GetItemCount(list) < kItems / 2) return;
  watch.Done = Milliseconds(now - watch.Start);
  watch.Rows = ListView_GetItemCount(list);
  for (int row = 0; row < watch.Rows; ++row) {
    wchar_t text[64] = {};
    ListView_GetItemText(list, row, 1, text, 64);
    if (std::wstring(text) != L"フォルダが存在しません") ++watch.Unanswered;
  }
  ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

// The existence check alone on the same folders: its start to its last
// answer.
double CheckAlone() {
  std::vector<std::u16string> folders;
  for (int i = 1; i <= kItems; ++i) {
    const std::wstring folder = Folder(i);
    folders.emplace_back(folder.begin(), folder.end());
  }
  std::mutex lock;
  std::condition_variable changed;
  int answers = 0;
  ports::Win32FolderCheck check;
  const auto start = Clock::now();
  check.StartChecks(folders, [&](std::size_t, FolderAnswer) {
    {
      const std::lock_guard<std::mutex> guard(lock);
      ++answers;
    }
    changed.notify_all();
  });
  std::unique_lock<std::mutex> guard(lock);
  changed.wait(guard, [&] { return answers == kItems; });
  return Milliseconds(Clock::now() - start);
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                     ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
  ::InitCommonControlsEx(&controls);
  const Folders folders;
  testing::ScriptedDialogs dialogs;
  testing::FakeRegistry registry;
  testing::RecordingPower power;
  testing::RecordingBroadcast broadcast;
  registry.Key(RootKey::LocalMachine, kSystemSubkey) = {{u"Path", TextToValue(kRegExpandSz, LongPath())}};
  registry.Key(RootKey::CurrentUser, kUserSubkey) = {};
  const auto form = ui::TMainForm::Create(::GetModuleHandleW(nullptr), SW_SHOWNORMAL,
                                          {.Dialogs = &dialogs, .Registry = &registry, .Power = &power,
                                           .Broadcast = &broadcast});
  if (!form) {
    std::printf("the window could not be made\n");
    return 1;
  }
  std::vector<double> alone;
  for (int round = 0; round < kRounds; ++round) alone.push_back(CheckAlone());
  const UINT_PTR timer = ::SetTimer(nullptr, 0, kTickMs, Tick);
  std::vector<double> done;
  std::vector<double> gaps;
  for (int round = 0; round < kRounds; ++round) {
    watch = {Clock::now(), Clock::now()};
    // The menu command runs the dialog's modal loop until the timer closes it.
    ::SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IDM_EDIT_PATH_CHECK, 0), 0);
    if (watch.Rows != kItems / 2 || watch.Unanswered != 0) {
      std::printf("round %d: %d rows, %d not reading \"missing\"\n", round, watch.Rows, watch.Unanswered);
      return 1;
    }
    done.push_back(watch.Done);
    gaps.push_back(watch.LongestGap);
  }
  ::KillTimer(nullptr, timer);
  std::printf("Path check of %d local folders through the window, median of %d (goal under 5 s):\n", kItems, kRounds);
  std::printf("  menu command to all %d missing folders shown: %.0f ms (worst %.0f ms)\n", kItems / 2, Median(done),
              *std::max_element(done.begin(), done.end()));
  std::printf("  the existence check alone, start to last answer: %.0f ms\n", Median(alone));
  std::printf("  longest wait of the window's messages meanwhile: %.0f ms (timer every %u ms)\n", Median(gaps), kTickMs);
  return 0;
}
