// Backup benchmark: the Backup command on a key of 5,000 REG_SZ values of
// 100 characters (read into entry buffers, value lines, encoding, replacing
// the file), against Wine's `reg export` of the same key, and against a bare
// enumeration of the key, the least any backup must do.
//
// Every registry call is a round trip to the wineserver. On a virtual
// machine whose two CPUs go idle between calls, each round trip may also pay
// a CPU wake-up (about 25 instead of 3.5 microseconds a call), which comes
// and goes from run to run and swamps the ratios. Run the program and the
// prefix's server on one CPU, from the source folder:
//   bash scripts/wine-env.sh stop $PWD/build/win64/wineprefix
//   taskset -c 0 bash scripts/wine-env.sh start $PWD/build/win64/wineprefix
//   TALLOWIN_WINEPREFIX=$PWD/build/win64/wineprefix taskset -c 0 scripts/wine-run
//       build/win64/bench/files/tallowin_files_bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "../bench_timing.h"
#include "model/main_model.h"
#include "model/texts.h"
#include "model/value_text.h"
#include "registry/registry_io.h"
#include "ports/system_ports.h"
#include "support/run_program.h"
#include "commands/file_commands.h"
#include "ports/file_system.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace {

using tallowin::bench::Clock;
using tallowin::bench::Milliseconds;
using namespace tallowin;

constexpr int kValues = 5000;
constexpr int kDataLength = 100;
constexpr int kRuns = 7;

std::u16string Ascii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// Two keys of this process: the one backed up and an empty one for the
// other scope. Deleted again when the benchmark ends.
class ScratchKeys {
 public:
  ScratchKeys() : path_(u"Software\\TallowinBench\\files-" + Ascii(std::to_string(::GetCurrentProcessId()))) {
    ok_ = Create(Full(), full_) && Create(Empty(), empty_);
  }
  ScratchKeys(const ScratchKeys&) = delete;
  ScratchKeys& operator=(const ScratchKeys&) = delete;
  ~ScratchKeys() {
    full_.reset();
    empty_.reset();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, win32::Wide(path_));
    ::RegDeleteKeyW(HKEY_CURRENT_USER, win32::Wide(path_));
  }
  bool Ok() const { return ok_; }
  HKEY FullKey() const { return full_.get(); }
  std::u16string Full() const { return path_ + u"\\full"; }
  std::u16string Empty() const { return path_ + u"\\empty"; }

 private:
  static bool Create(const std::u16string& path, win32::UniqueKey& key) {
    return ::RegCreateKeyExW(HKEY_CURRENT_USER, win32::Wide(path), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                             nullptr) == ERROR_SUCCESS;
  }

  std::u16string path_;
  win32::UniqueKey full_;
  win32::UniqueKey empty_;
  bool ok_ = false;
};

bool Fill(HKEY key) {
  for (int i = 0; i < kValues; ++i) {
    const std::u16string name = Ascii("VARIABLE_" + std::to_string(i));
    std::string data = "C:\\Program Files\\Tool " + std::to_string(i) + "\\bin;";
    data.resize(kDataLength, 'x');
    const RegistryValue value = TextToValue(REG_SZ, Ascii(data));
    if (::RegSetValueExW(key, win32::Wide(name), 0, value.TypeCode, value.Bytes.data(),
                         static_cast<DWORD>(value.Bytes.size())) != ERROR_SUCCESS) {
      return false;
    }
  }
  return true;
}

// The Win32 registry with the two environment keys standing for the
// benchmark's keys: the system scope reads the full key, the user scope the
// empty one.
class RedirectedRegistry final : public RegistryPort {
 public:
  explicit RedirectedRegistry(const ScratchKeys& keys) : keys_(keys) {}
  PortResult ReadKeyToList(RootKey, std::u16string_view, EditList&) override {
    return PortResult::Failure(ERROR_ACCESS_DENIED);
  }
  PortResult ReadKeyToItems(RootKey root, std::u16string_view, std::vector<CClipItem>& items) override {
    return real_.ReadKeyToItems(RootKey::CurrentUser, root == RootKey::LocalMachine ? keys_.Full() : keys_.Empty(),
                                items);
  }
  PortResult WriteListToKey(RootKey, std::u16string_view, const std::vector<NamedValue>&) override {
    return PortResult::Failure(ERROR_ACCESS_DENIED);
  }
  PortResult DeleteValue(RootKey, std::u16string_view, std::u16string_view) override {
    return PortResult::Failure(ERROR_ACCESS_DENIED);
  }
  PortResult ReadValue(RootKey, std::u16string_view, std::u16string_view, std::optional<RegistryValue>&) override {
    return PortResult::Failure(ERROR_ACCESS_DENIED);
  }

 private:
  const ScratchKeys& keys_;
  ports::Win32Registry real_;
};

class QuietDialogs final : public DialogPort {
 public:
  std::u16string Last;
  bool Confirm(std::u16string_view, ScreenPoint) override { return true; }
  bool Warn(std::u16string_view, ScreenPoint) override { return true; }
  void Inform(std::u16string_view text, ScreenPoint) override { Last = std::u16string(text); }
  void Beep(SystemSound) override {}
  bool WarnCancelDefault(std::u16string_view, ScreenPoint) override { return false; }
  bool ConfirmCancelDefault(std::u16string_view, ScreenPoint) override { return false; }
};

class FixedPath final : public FilePickerPort {
 public:
  explicit FixedPath(std::u16string path) : path_(std::move(path)) {}
  std::optional<std::u16string> PickFileToSave(std::u16string_view) override { return path_; }
  std::optional<std::u16string> PickFileToOpen(std::u16string_view) override { return path_; }

 private:
  std::u16string path_;
};

class NoErrors final : public SystemPort {
 public:
  std::u16string DescribeError(std::uint32_t code) override { return Ascii("error " + std::to_string(code)); }
  LocalTime LocalNow() override { return {}; }
};

// Every value's name and data, as any backup has to read them, into
// buffers sized once.
bool EnumerateOnly(HKEY key) {
  DWORD longestName = 0;
  DWORD longestData = 0;
  if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName,
                         &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  std::vector<wchar_t> name(longestName + 1);
  std::vector<BYTE> data(longestData);
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    const LSTATUS status = ::RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize);
    if (status == ERROR_NO_MORE_ITEMS) return index == kValues;
    if (status != ERROR_SUCCESS) return false;
  }
}

std::optional<DWORD> RegExport(const std::u16string& subkey, const std::wstring& file) {
  return testing::RunWindowsProgram(
      L"system32\\reg.exe", L"export \"HKEY_CURRENT_USER\\" + win32::ToWide(subkey) + L"\" \"" + file + L"\" /y");
}

std::wstring TempFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH + 1];
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
  return std::wstring(folder, length) + name + std::to_wstring(::GetCurrentProcessId()) + L".reg";
}

}  // namespace

int main() {
  const ScratchKeys keys;
  if (!keys.Ok() || !Fill(keys.FullKey())) {
    std::printf("could not prepare the scratch keys\n");
    return 1;
  }
  const std::wstring backupFile = TempFile(L"tallowin-bench-backup-");
  const std::wstring exportFile = TempFile(L"tallowin-bench-reg-export-");

  RedirectedRegistry registry(keys);
  QuietDialogs dialogs;
  FixedPath pickers(win32::FromWide(backupFile));
  ports::Win32FileSystem files;
  NoErrors system;
  CommandPorts ports;
  ports.Dialogs = &dialogs;
  ports.Registry = &registry;
  ports.System = &system;
  ports.Pickers = &pickers;
  ports.Files = &files;
  MainModel model;

  double backup = 1e9;
  double regExport = 1e9;
  double floor = 1e9;
  double itemsRead = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    auto start = Clock::now();
    if (!EnumerateOnly(keys.FullKey())) {
      std::printf("enumeration failed\n");
      return 1;
    }
    floor = std::min(floor, Milliseconds(Clock::now() - start));

    start = Clock::now();
    std::vector<CClipItem> items;
    if (registry::ReadKeyToItems(RootKey::CurrentUser, keys.Full(), items) != ERROR_SUCCESS || items.size() != kValues) {
      std::printf("ReadKeyToItems failed\n");
      return 1;
    }
    itemsRead = std::min(itemsRead, Milliseconds(Clock::now() - start));

    start = Clock::now();
    FileBuckupExecute(model, ports);
    backup = std::min(backup, Milliseconds(Clock::now() - start));
    if (dialogs.Last.rfind(texts::kBackupDone, 0) != 0) {
      std::printf("backup failed\n");
      return 1;
    }

    start = Clock::now();
    if (RegExport(keys.Full(), exportFile) != 0u) {
      std::printf("reg export failed\n");
      return 1;
    }
    regExport = std::min(regExport, Milliseconds(Clock::now() - start));
  }
  ::DeleteFileW(backupFile.c_str());
  ::DeleteFileW(exportFile.c_str());

  std::printf("%d REG_SZ values of %d characters, best of %d runs:\n", kValues, kDataLength, kRuns);
  std::printf("  enumeration only (floor): %8.1f ms\n", floor);
  std::printf("  Backup command:           %8.1f ms  (%.2fx the floor)\n", backup, backup / floor);
  std::printf("    of which ReadKeyToItems: %8.1f ms  (%.2fx the floor)\n", itemsRead, itemsRead / floor);
  std::printf("  reg export:               %8.1f ms  (%.2fx the floor; Backup takes %.2fx its time)\n", regExport,
              regExport / floor, backup / regExport);
  return 0;
}
