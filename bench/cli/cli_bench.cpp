// The command line against Wine's reg.exe, each a process started and
// waited for as a script would:
//   - `tallowin-cli path add DIR --user` (with its automatic backup and
//     broadcast) against `reg add` of one user value;
//   - `tallowin-cli apply FILE` of a file of 5,000 user values against
//     `reg import` of the same file. Two files with other data take turns,
//     so that every run of either program writes all 5,000 values.
// The two commands of a line run in turn, pair after pair, and the ratio is
// the median of the pairs' ratios: other programs' load on the processor
// then moves both sides of a pair alike. Last, the registry's own share:
// what one reading of the user key and one writing of the 5,000 values cost
// within this process, with no process to start, which an apply that reads
// the keys once and writes every value cannot go below.
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

// Odd: see the apply lines in main.
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

// Two commands run in turn kRuns times: each one's median time and the
// median of the pairs' ratios. Nothing when any run failed.
struct PairedTimes {
  double Ours = 0;
  double Theirs = 0;
  double Ratio = 0;
};

template <typename Ours, typename Theirs>
std::optional<PairedTimes> TimeInTurn(Ours&& ours, Theirs&& theirs) {
  std::vector<double> oursMs;
  std::vector<double> theirsMs;
  std::vector<double> ratios;
  for (int run = 0; run < kRuns; ++run) {
    Clock::time_point start = Clock::now();
    if (ours(run) != DWORD{0}) return std::nullopt;
    oursMs.push_back(bench::Milliseconds(Clock::now() - start));
    start = Clock::now();
    if (theirs(run) != DWORD{0}) return std::nullopt;
    theirsMs.push_back(bench::Milliseconds(Clock::now() - start));
    ratios.push_back(oursMs.back() / theirsMs.back());
  }
  return PairedTimes{bench::Median(oursMs), bench::Median(theirsMs), bench::Median(ratios)};
}

void Report(const char* what, const std::optional<PairedTimes>& times, const char* regName) {
  if (!times) {
    std::printf("%s: a run failed\n", what);
    return;
  }
  std::printf("%s: tallowin-cli %.1f ms, %s %.1f ms, ratio %.2f\n", what, times->Ours, regName, times->Theirs,
              times->Ratio);
}

std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

std::u16string BenchName(int i) { return Ascii("TALLOWIN_BENCH_" + std::to_string(i)); }

RegistryValue BenchValue(int i, const std::string& tag) {
  return TextToValue(kRegSz, Ascii("C:\\Tools\\" + tag + "\\" + std::to_string(i) + "\\bin"));
}

// A file of kValues user values whose data carries the tag.
bool WriteValuesFile(const std::u16string& path, const std::string& tag) {
  std::vector<std::u16string> fileLines{std::u16string(regfile::kHeader), u"",
                                        regfile::MakeKeyLine(RootKey::CurrentUser, kUserSubkey)};
  for (int i = 0; i < kValues; ++i) fileLines.push_back(regfile::MakeValueLine(BenchName(i), BenchValue(i, tag)));
  fileLines.push_back(u"");
  return ports::Win32FileSystem().ReplaceWholeFile(path, regfile::EncodeFile(fileLines)).Succeeded;
}

// The median time of a registry transfer made kRuns times in this process;
// nothing when one failed.
template <typename Transfer>
std::optional<double> MedianInProcess(Transfer&& transfer) {
  std::vector<double> samples;
  for (int run = 0; run < kRuns; ++run) {
    const Clock::time_point start = Clock::now();
    if (transfer(run) != ERROR_SUCCESS) return std::nullopt;
    samples.push_back(bench::Milliseconds(Clock::now() - start));
  }
  return bench::Median(samples);
}

// What the registry itself takes of an apply: one reading of the user key,
// as the apply reads it, and one writing of the file's values.
void ReportRegistryShare(double importMs) {
  std::size_t held = 0;
  const auto read = MedianInProcess([&held](int) {
    std::vector<CClipItem> items;
    const LSTATUS status = registry::ReadKeyToItems(RootKey::CurrentUser, kUserSubkey, items);
    held = items.size();
    return status;
  });
  const auto write = MedianInProcess([](int run) {
    std::vector<NamedValue> values;
    for (int i = 0; i < kValues; ++i) values.push_back({BenchName(i), BenchValue(i, run % 2 ? "d" : "c")});
    return registry::WriteListToKey(RootKey::CurrentUser, kUserSubkey, values);
  });
  if (!read || !write) {
    std::printf("the registry's own share: a transfer failed\n");
    return;
  }
  std::printf("the registry's own share, in this process: reading the user key of %zu values %.1f ms, "
              "writing %d values %.1f ms; an apply that reads the keys once stays above reg import by the "
              "reading, ratio %.2f\n",
              held, *read, kValues, *write, (importMs + *read) / importMs);
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

  const auto pathAdd = [](int run) {
    return RunCli(L"path add C:\\TallowinBench\\" + std::to_wstring(run) + L" --user");
  };
  const auto regAdd = [](int run) {
    return RunReg(L"add HKCU\\Environment /v TallowinBench /d C:\\TallowinBench\\" + std::to_wstring(run) + L" /f");
  };
  Report("path add (one value)", TimeInTurn(pathAdd, regAdd), "reg add");

  const std::wstring files[2] = {work + L"\\a.reg", work + L"\\b.reg"};
  if (!WriteValuesFile(win32::FromWide(files[0]), "a") || !WriteValuesFile(win32::FromWide(files[1]), "b")) {
    std::printf("cannot write the value files\n");
    return 1;
  }
  // Each pair applies and imports one file; the next pair's file holds the
  // other data, so that the apply finds every value changed. The second
  // line's pairs go on where the first line's ended (kRuns is odd).
  const auto fileOf = [&files](int turn) { return L"\"" + files[turn % 2] + L"\""; };
  const auto apply = TimeInTurn([&](int run) { return RunCli(L"apply " + fileOf(run)); },
                                [&](int run) { return RunReg(L"import " + fileOf(run)); });
  Report("apply of 5,000 values", apply, "reg import");
  // What the backup and the broadcast take of that.
  Report("apply of 5,000 values, --no-backup --no-broadcast",
         TimeInTurn([&](int run) { return RunCli(L"apply " + fileOf(run + kRuns) + L" --no-backup --no-broadcast"); },
                    [&](int run) { return RunReg(L"import " + fileOf(run + kRuns)); }),
         "reg import");
  if (apply) ReportRegistryShare(apply->Theirs);

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
