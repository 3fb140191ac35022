// The command line against Wine's reg.exe, side by side in one run, each a
// process started and waited for as a script would:
//   - `tallowin-cli path add DIR --user` (with its automatic backup and
//     broadcast) against `reg add` of one user value;
//   - `tallowin-cli apply FILE` of a file of 5,000 user values against
//     `reg import` of the same file. Two files with other data take turns,
//     so that every run of either program writes all 5,000 values.
// The program timed is a copy beside this one without its debug information,
// as `make dist` ships it: a 15 MB debug build takes half as long again to
// start under Wine. The user key's values are put back afterwards; the
// backups go to a temporary folder.
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "../bench_timing.h"
#include "model/type_names.h"
#include "model/value_text.h"
#include "ports/file_system.h"
#include "regfile/reg_file.h"
#include "registry/registry_io.h"
#include "support/run_program.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace {

using namespace tallowin;
using bench::Clock;

constexpr int kRuns = 9;
constexpr int kValues = 5000;

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\') + 1); }

std::wstring CliPath() {
  wchar_t self[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  return Folder(std::wstring(self, length)) + L"tallowin-cli.exe";
}

std::optional<DWORD> RunCli(const std::wstring& arguments) { return testing::RunProgram(CliPath(), arguments); }

std::optional<DWORD> RunReg(const std::wstring& arguments) {
  return testing::RunWindowsProgram(L"system32\\reg.exe", arguments);
}

// The median time of a command run kRuns times; nothing when any run failed.
template <typename Command>
std::optional<double> MedianMs(Command&& command) {
  std::vector<double> samples;
  for (int run = 0; run < kRuns; ++run) {
    const Clock::time_point start = Clock::now();
    const std::optional<DWORD> code = command(run);
    samples.push_back(bench::Milliseconds(Clock::now() - start));
    if (code != DWORD{0}) return std::nullopt;
  }
  return bench::Median(samples);
}

void Report(const char* what, std::optional<double> ours, std::optional<double> reg, const char* regName) {
  if (!ours || !reg) {
    std::printf("%s: a run failed\n", what);
    return;
  }
  std::printf("%s: tallowin-cli %.1f ms, %s %.1f ms, ratio %.2f\n", what, *ours, regName, *reg, *ours / *reg);
}

std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// A file of kValues user values whose data carries the tag.
bool WriteValuesFile(const std::u16string& path, const std::string& tag) {
  std::vector<std::u16string> lines;
  for (int i = 0; i < kValues; ++i) {
    const RegistryValue value = TextToValue(kRegSz, Ascii("C:\\Tools\\" + tag + "\\" + std::to_string(i) + "\\bin"));
    lines.push_back(regfile::MakeValueLine(Ascii("TALLOWIN_BENCH_" + std::to_string(i)), value));
  }
  std::vector<std::u16string> fileLines{std::u16string(regfile::kHeader), u"",
                                        regfile::MakeKeyLine(RootKey::CurrentUser, kUserSubkey)};
  fileLines.insert(fileLines.end(), lines.begin(), lines.end());
  fileLines.push_back(u"");
  return ports::Win32FileSystem().ReplaceWholeFile(path, regfile::EncodeFile(fileLines)).Succeeded;
}

}  // namespace

int main() {
  wchar_t temp[MAX_PATH + 1];
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring work = std::wstring(temp, length) + L"tallowin-cli-bench-" + std::to_wstring(::GetCurrentProcessId());
  ::CreateDirectoryW(work.c_str(), nullptr);
  ::SetEnvironmentVariableW(L"LOCALAPPDATA", work.c_str());

  std::vector<CClipItem> before;
  if (registry::ReadKeyToItems(RootKey::CurrentUser, kUserSubkey, before) != ERROR_SUCCESS) {
    std::printf("cannot read the user key\n");
    return 1;
  }

  const auto pathAdd = MedianMs([](int run) {
    return RunCli(L"path add C:\\TallowinBench\\" + std::to_wstring(run) + L" --user");
  });
  const auto regAdd = MedianMs([](int run) {
    return RunReg(L"add HKCU\\Environment /v TallowinBench /d C:\\TallowinBench\\" + std::to_wstring(run) + L" /f");
  });
  Report("path add (one value)", pathAdd, regAdd, "reg add");

  const std::wstring files[2] = {work + L"\\a.reg", work + L"\\b.reg"};
  if (!WriteValuesFile(win32::FromWide(files[0]), "a") || !WriteValuesFile(win32::FromWide(files[1]), "b")) {
    std::printf("cannot write the value files\n");
    return 1;
  }
  const auto apply = MedianMs([&files](int run) { return RunCli(L"apply \"" + files[run % 2] + L"\""); });
  const auto import = MedianMs([&files](int run) { return RunReg(L"import \"" + files[run % 2] + L"\""); });
  Report("apply of 5,000 values", apply, import, "reg import");
  // What the backup and the broadcast take of that.
  const auto bare = MedianMs(
      [&files](int run) { return RunCli(L"apply \"" + files[run % 2] + L"\" --no-backup --no-broadcast"); });
  Report("apply of 5,000 values, --no-backup --no-broadcast", bare, import, "reg import");

  // The user key as it was: every value the benchmark added goes, and the
  // values it changed get their bytes back.
  std::vector<CClipItem> after;
  registry::ReadKeyToItems(RootKey::CurrentUser, kUserSubkey, after);
  for (const CClipItem& item : after) registry::DeleteValue(RootKey::CurrentUser, kUserSubkey, item.Name);
  std::vector<NamedValue> original;
  for (const CClipItem& item : before) original.push_back({item.Name, item.Stored->Value});
  registry::WriteListToKey(RootKey::CurrentUser, kUserSubkey, original);
  for (const std::wstring& file : files) ::DeleteFileW(file.c_str());
  return 0;
}
