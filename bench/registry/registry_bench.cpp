// Registry transfer benchmark: reads a key holding 10,000 values into an
// edit list and writes the list back. Run under Wine from the source folder,
// with the prefix of the build:
//   TALLOWIN_WINEPREFIX=$PWD/build/win64/wineprefix scripts/wine-run
//       build/win64/bench/registry/tallowin_registry_bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "../bench_timing.h"
#include "model/edit_list.h"
#include "model/value_text.h"
#include "registry/registry_io.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace {

using tallowin::bench::Clock;
using tallowin::bench::Milliseconds;
using namespace tallowin;

constexpr int kValues = 10000;
constexpr int kRuns = 5;

std::u16string Ascii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// A scratch key of this process, deleted again when the benchmark ends.
class ScratchKey {
 public:
  ScratchKey() : path_(u"Software\\TallowinBench\\" + Ascii(std::to_string(::GetCurrentProcessId()))) {
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, win32::Wide(path_), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key_.put(),
                          nullptr) != ERROR_SUCCESS) {
      key_.reset();
    }
  }
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;
  ~ScratchKey() {
    key_.reset();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, win32::Wide(path_));
    ::RegDeleteKeyW(HKEY_CURRENT_USER, win32::Wide(path_));
  }
  HKEY get() const { return key_.get(); }
  const std::u16string& Path() const { return path_; }

 private:
  std::u16string path_;
  win32::UniqueKey key_;
};

// Names in no particular order, data like a typical variable's.
bool Fill(HKEY key) {
  for (int i = 0; i < kValues; ++i) {
    const std::u16string name = Ascii("VAR_" + std::to_string(i * 7919 % 100003));
    const RegistryValue value =
        TextToValue(i % 2 ? 2 : 1, Ascii("C:\\Program Files\\Tool" + std::to_string(i) + "\\bin"));
    if (::RegSetValueExW(key, win32::Wide(name), 0, value.TypeCode, value.Bytes.data(),
                         static_cast<DWORD>(value.Bytes.size())) != ERROR_SUCCESS) {
      return false;
    }
  }
  return true;
}

}  // namespace

int main() {
  const ScratchKey scratch;
  if (scratch.get() == nullptr || !Fill(scratch.get())) {
    std::printf("could not prepare the scratch key\n");
    return 1;
  }
  double bestRead = 1e9;
  double bestItems = 1e9;
  double bestWrite = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    EditList list;
    auto start = Clock::now();
    LSTATUS status = registry::ReadKeyToList(RootKey::CurrentUser, scratch.Path(), list);
    if (status != ERROR_SUCCESS || list.Count() != kValues) {
      std::printf("read failed (error %ld)\n", status);
      return 1;
    }
    bestRead = std::min(bestRead, Milliseconds(Clock::now() - start));
    // The same enumeration without the list's sorting, for comparison.
    std::vector<CClipItem> items;
    start = Clock::now();
    status = registry::ReadKeyToItems(RootKey::CurrentUser, scratch.Path(), items);
    if (status != ERROR_SUCCESS) {
      std::printf("read failed (error %ld)\n", status);
      return 1;
    }
    bestItems = std::min(bestItems, Milliseconds(Clock::now() - start));
    start = Clock::now();
    status = registry::WriteListToKey(RootKey::CurrentUser, scratch.Path(), ValuesToWrite(list));
    if (status != ERROR_SUCCESS) {
      std::printf("write failed (error %ld)\n", status);
      return 1;
    }
    bestWrite = std::min(bestWrite, Milliseconds(Clock::now() - start));
  }
  std::printf("ReadKeyToList, %d values into an edit list: %.1f ms, best of %d\n", kValues, bestRead, kRuns);
  std::printf("ReadKeyToItems, the same values in enumeration order: %.1f ms, best of %d\n", bestItems, kRuns);
  std::printf("WriteListToKey, %d entries back to the key: %.1f ms, best of %d\n", kValues, bestWrite, kRuns);
  return 0;
}
