#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <map>
#include <memory>
#include <tuple>
#include <utility>
#include <optional>
#include <string>
#include <vector>

#include "model/path_value_edit.h"
#include "model/type_names.h"
#include "model/value_text.h"
#include "ports/file_system.h"
#include "registry/registry_io.h"
#include "support/scratch_folder.h"
#include "win32/unique_handle.h"
#include "win32/window_text.h"
#include "win32/wide_text.h"

namespace tallowin {
namespace {

using testing::ScratchFolder;
using Snapshot = std::map<std::u16string, RegistryValue>;  // "S:name" / "U:name"

constexpr std::u16string_view kUserKey = u"Environment";
constexpr std::u16string_view kSystemKey = u"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

Snapshot ReadBothKeys() {
  Snapshot snapshot;
  for (const auto& [root, subkey, tag] : {std::tuple{RootKey::LocalMachine, kSystemKey, u"S:"},
                                          std::tuple{RootKey::CurrentUser, kUserKey, u"U:"}}) {
    std::vector<CClipItem> items;
    EXPECT_EQ(registry::ReadKeyToItems(root, subkey, items), ERROR_SUCCESS);
    for (const CClipItem& item : items) snapshot[tag + item.Name] = item.Stored->Value;
  }
  return snapshot;
}

// Sets (or, with no value, deletes) user values; returns what they were.
void PutUserValues(const std::map<std::u16string, std::optional<RegistryValue>>& values) {
  for (const auto& [name, value] : values) {
    if (value) {
      ASSERT_EQ(registry::WriteListToKey(RootKey::CurrentUser, kUserKey, {{name, *value}}), ERROR_SUCCESS);
    } else {
      ASSERT_EQ(registry::DeleteValue(RootKey::CurrentUser, kUserKey, name), ERROR_SUCCESS);
    }
  }
}

RegistryValue Expand(std::u16string_view text) { return TextToValue(kRegExpandSz, text); }
RegistryValue Plain(std::u16string_view text) { return TextToValue(kRegSz, text); }

struct CliRun {
  DWORD ExitCode = 0;
  std::string Out;
};

std::string FileText(const std::wstring& path) {
  std::string text;
  const win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, 0, nullptr));
  char buffer[4096];
  DWORD got = 0;
  while (file && ::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  return text;
}

// A program of the build, by its path from the test program's folder.
std::wstring BesideTests(const wchar_t* relative) {
  wchar_t self[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring path(self, length);
  return path.substr(0, path.find_last_of(L'\\') + 1) + relative;
}

// Starts the program with its standard output in a file, as a script's
// redirection would, and a backup folder of the test's own.
class Cli {
 public:
  explicit Cli(const std::u16string& localAppData)
      : program_(BesideTests(TALLOWIN_CLI_FROM_TESTS)), localAppData_(win32::ToWide(localAppData)) {
    output_ = win32::ToWide(folder_.File(u"out.txt"));
  }

  win32::UniqueKernelHandle Start(const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const win32::UniqueFile out(::CreateFileW(output_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                              &inherit, CREATE_ALWAYS, 0, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out.get();
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    std::wstring commandLine = L"\"" + program_ + L"\" " + arguments;
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", localAppData_.c_str());
    PROCESS_INFORMATION started{};
    EXPECT_TRUE(::CreateProcessW(program_.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                 nullptr, nullptr, &startup, &started))
        << ::GetLastError();
    win32::UniqueKernelHandle thread(started.hThread);
    return win32::UniqueKernelHandle(started.hProcess);
  }

  CliRun operator()(const std::wstring& arguments) {
    const win32::UniqueKernelHandle process = Start(arguments);
    CliRun run;
    EXPECT_EQ(::WaitForSingleObject(process.get(), 60000), WAIT_OBJECT_0);
    ::GetExitCodeProcess(process.get(), &run.ExitCode);
    run.Out = FileText(output_);
    return run;
  }

 private:
  ScratchFolder folder_;
  std::wstring program_;
  std::wstring output_;
  std::wstring localAppData_;
};

// Keeps the user key's values that the tests touch, and puts them back.
class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    original_ = ReadBothKeys();
    for (const std::u16string name : {u"Path", u"TallowinA", u"TallowinB"}) {
      const auto found = original_.find(u"U:" + name);
      kept_[name] = found == original_.end() ? std::nullopt : std::optional<RegistryValue>(found->second);
    }
  }
  void TearDown() override { PutUserValues(kept_); }

  ScratchFolder backups_;
  Cli cli_{backups_.Path()};
  Snapshot original_;
  std::map<std::u16string, std::optional<RegistryValue>> kept_;
};

struct Case {
  const wchar_t* Arguments;
  std::map<std::u16string, std::optional<RegistryValue>> Before;  // user values
  DWORD ExitCode;
  std::map<std::u16string, std::optional<RegistryValue>> After;  // user values that change
};

TEST_F(CliTest, EachCommandChangesOnlyWhatItNamesAndEndsWithItsCode) {
  const std::u16string atLimit(32760, u'x');
  const Case cases[] = {
      {L"path add C:\\new --user", {{u"Path", Expand(u"C:\\a;;C:\\b;")}}, 0, {{u"Path", Expand(u"C:\\a;;C:\\b;C:\\new;")}}},
      {L"path add \"\\\"c:\\NEW\\\\\\\"\" --user", {{u"Path", Expand(u"C:\\a;C:\\new")}}, 0, {}},
      {L"path add C:\\new --user --before c:\\B\\", {{u"Path", Plain(u"C:\\a;C:\\b")}}, 0,
       {{u"Path", Plain(u"C:\\a;C:\\new;C:\\b")}}},
      {L"path add C:\\new --user --after C:\\zz", {{u"Path", Plain(u"C:\\a")}}, 4, {}},
      {L"path add C:\\new --user", {{u"Path", std::nullopt}}, 0, {{u"Path", Expand(u"C:\\new")}}},
      {L"path remove %TallowinA%\\x --user", {{u"Path", Expand(u"C:\\a;C:\\t\\x\\;;C:\\T\\X;"), }, {u"TallowinA", Plain(u"c:\\t")}},
       0, {{u"Path", Expand(u"C:\\a;;")}}},
      {L"path remove C:\\zz --user", {{u"Path", Expand(u"C:\\a")}}, 0, {}},
      {L"path add C:\\abcdefghij --user", {{u"Path", Expand(atLimit)}}, 4, {}},
      {L"path has C:\\A\\ --user", {{u"Path", Expand(u"C:\\a;C:\\b")}}, 0, {}},
      {L"path has C:\\c --user", {{u"Path", Expand(u"C:\\a;C:\\b")}}, 1, {}},
      {L"set TallowinA plain --user", {{u"TallowinA", Expand(u"%x%")}}, 0, {{u"TallowinA", Expand(u"plain")}}},
      {L"set TallowinA %TEMP%\\y --user", {{u"TallowinA", std::nullopt}}, 0, {{u"TallowinA", Expand(u"%TEMP%\\y")}}},
      {L"set TallowinA 100% --user", {{u"TallowinA", std::nullopt}}, 0, {{u"TallowinA", Plain(u"100%")}}},
      {L"set TallowinA b --user --type reg_sz", {{u"TallowinA", Expand(u"a")}}, 0, {{u"TallowinA", Plain(u"b")}}},
      {L"set TallowinA new --user --dry-run", {{u"TallowinA", Plain(u"old")}}, 0, {}},
      {L"set TallowinA old --user", {{u"TallowinA", Plain(u"old")}}, 0, {}},
      {L"set TallowinA x --user", {{u"TallowinA", RegistryValue{kRegDword, {1, 0, 0, 0}}}}, 4, {}},
      {L"set A=B x --user", {}, 4, {}},
      {L"set TallowinA x --user --type REG_BINARY", {}, 2, {}},
      {L"set TallowinA x", {}, 2, {}},
      {L"set TallowinA x --user --bogus", {}, 2, {}},
      {L"unset TallowinA --user", {{u"TallowinA", Plain(u"x")}}, 0, {{u"TallowinA", std::nullopt}}},
      {L"unset path --system", {}, 4, {}},
      {L"get TallowinB --user", {{u"TallowinB", std::nullopt}}, 1, {}},
      {L"set TallowinA /? --user", {{u"TallowinA", std::nullopt}}, 0, {{u"TallowinA", Plain(u"/?")}}},
      {L"set TallowinA --help --user", {{u"TallowinA", std::nullopt}}, 2, {}},
  };
  for (const Case& c : cases) {
    const std::string arguments(c.Arguments, c.Arguments + std::wcslen(c.Arguments));
    SCOPED_TRACE(arguments);
    PutUserValues(c.Before);
    Snapshot expected = ReadBothKeys();
    for (const auto& [name, value] : c.After) {
      if (value) expected[u"U:" + name] = *value;
      else expected.erase(u"U:" + name);
    }
    EXPECT_EQ(cli_(c.Arguments).ExitCode, c.ExitCode);
    EXPECT_EQ(ReadBothKeys(), expected);
  }
}

TEST_F(CliTest, ApplyOfAnExportGivesBothKeysBackAndASecondApplyWritesNothing) {
  const std::wstring file = win32::ToWide(backups_.File(u"keys.reg"));
  PutUserValues({{u"TallowinA", RegistryValue{kRegBinary, {1, 2, 3}}}, {u"Path", Expand(u"C:\\a;;C:\\b;")}});
  const Snapshot exported = ReadBothKeys();
  ASSERT_EQ(cli_(L"export " + file).ExitCode, 0u);
  PutUserValues({{u"TallowinA", Plain(u"changed")}, {u"TallowinB", Plain(u"new")}, {u"Path", std::nullopt}});

  EXPECT_EQ(cli_(L"diff " + file + L" --delete-missing").ExitCode, 1u);
  EXPECT_EQ(cli_(L"apply " + file + L" --delete-missing").ExitCode, 0u);
  EXPECT_EQ(ReadBothKeys(), exported);
  const std::size_t backups = backups_.Names().size();
  EXPECT_EQ(cli_(L"apply " + file + L" --delete-missing").ExitCode, 0u);
  EXPECT_EQ(cli_(L"diff " + file).ExitCode, 0u);
  EXPECT_EQ(backups_.Names().size(), backups) << "a run that changes nothing makes no backup";
  const std::u16string notRegistration = backups_.File(u"not.reg");
  PutUserValues({{u"TallowinB", Plain(u"\u65e5\u672c")}});
  const CliRun got = cli_(L"get TallowinB --user");
  EXPECT_EQ(got.Out, "\xe6\x97\xa5\xe6\x9c\xac\r\n") << "redirected output is UTF-8";
  const std::vector<std::uint8_t> text{'h', 'i'};
  ASSERT_TRUE(ports::Win32FileSystem().ReplaceWholeFile(notRegistration, text).Succeeded);
  EXPECT_EQ(cli_(L"apply " + win32::ToWide(notRegistration)).ExitCode, 4u);
}

TEST_F(CliTest, NothingIsWrittenWhenTheBackupCannotBeMade) {
  PutUserValues({{u"TallowinA", Plain(u"old")}});
  const Snapshot before = ReadBothKeys();
  // The backup folder would have to be made under a file.
  const std::u16string file = backups_.File(u"file");
  ASSERT_TRUE(::CloseHandle(::CreateFileW(win32::ToWide(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
  Cli blocked(file);
  EXPECT_EQ(blocked(L"set TallowinA new --user").ExitCode, 5u);
  EXPECT_EQ(ReadBothKeys(), before);
  EXPECT_EQ(blocked(L"set TallowinA new --user --no-backup --no-broadcast").ExitCode, 0u);
}

TEST_F(CliTest, TwentyConcurrentPathAddsKeepAllTwenty) {
  PutUserValues({{u"Path", Expand(u"C:\\first")}});
  std::vector<win32::UniqueKernelHandle> runs;
  std::vector<std::unique_ptr<Cli>> clis;
  for (int i = 0; i < 20; ++i) {
    clis.push_back(std::make_unique<Cli>(backups_.Path()));
    runs.push_back(clis.back()->Start(L"path add C:\\folder" + std::to_wstring(i) + L" --user --no-broadcast"));
  }
  for (const win32::UniqueKernelHandle& run : runs) {
    EXPECT_EQ(::WaitForSingleObject(run.get(), 120000), WAIT_OBJECT_0);
    DWORD code = 99;
    ::GetExitCodeProcess(run.get(), &code);
    EXPECT_EQ(code, 0u);
  }
  std::vector<std::u16string> items = SplitStoredPath(DataTextOf(ReadBothKeys()[u"U:Path"])).Texts;
  std::sort(items.begin(), items.end());
  EXPECT_EQ(items.size(), 21u);
  EXPECT_EQ(std::unique(items.begin(), items.end()), items.end());
}

// Both programs carry the project's version where inventory tools read it,
// and tallowin-cli --version prints it.
TEST_F(CliTest, BothProgramsCarryTheProjectVersion) {
  const std::wstring version = L"" TALLOWIN_PROJECT_VERSION;
  for (const auto& [relative, description] : {std::pair{TALLOWIN_CLI_FROM_TESTS, L"Tallowin コマンドライン"},
                                              std::pair{TALLOWIN_WINDOW_FROM_TESTS, L"Tallowin 環境変数エディタ"}}) {
    const std::wstring path = BesideTests(relative);
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    DWORD ignored = 0;
    std::vector<unsigned char> block(::GetFileVersionInfoSizeW(path.c_str(), &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    auto query = [&](const std::wstring& name) {
      void* value = nullptr;
      UINT length = 0;
      return ::VerQueryValueW(block.data(), name.c_str(), &value, &length) ? value : nullptr;
    };
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query(L"\\"));
    const auto* translation = static_cast<const WORD*>(query(L"\\VarFileInfo\\Translation"));
    ASSERT_TRUE(fixed != nullptr && translation != nullptr);
    wchar_t numbers[64], table[64];
    std::swprintf(numbers, 64, L"%u.%u.%u.%u|%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                  HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS), HIWORD(fixed->dwProductVersionMS),
                  LOWORD(fixed->dwProductVersionMS), HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
    EXPECT_EQ(std::wstring(numbers), version + L".0|" + version + L".0");
    std::swprintf(table, 64, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
    auto text = [&](const wchar_t* name) {
      const void* value = query(table + std::wstring(name));
      return value == nullptr ? std::wstring(L"(none)") : std::wstring(static_cast<const wchar_t*>(value));
    };
    EXPECT_EQ(text(L"FileVersion"), version + L".0");
    EXPECT_EQ(text(L"ProductVersion"), version);
    EXPECT_EQ(text(L"ProductName"), L"Tallowin");
    EXPECT_EQ(text(L"FileDescription"), description);
    EXPECT_EQ(path.substr(path.find_last_of(L'\\') + 1), text(L"OriginalFilename"));
  }
  const CliRun run = cli_(L"--version");
  EXPECT_EQ(run.ExitCode, 0u);
  EXPECT_EQ(run.Out, "tallowin-cli " TALLOWIN_PROJECT_VERSION "\r\n");
}

// Whether one of the window's controls shows the text.
bool ShowsText(HWND window, const std::wstring& text) {
  if (window == nullptr) return false;
  std::pair<const std::wstring*, bool> search{&text, false};
  ::EnumChildWindows(window, [](HWND child, LPARAM found) {
    auto& [wanted, seen] = *reinterpret_cast<std::pair<const std::wstring*, bool>*>(found);
    seen = seen || win32::WindowText(child) == *wanted;
    return TRUE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

// The window program has no console: --version is a message box captioned
// with the program's name, and the program ends when it is answered.
TEST(WindowProgram, ShowsItsVersionInAMessageBox) {
  const std::wstring program = BesideTests(TALLOWIN_WINDOW_FROM_TESTS);
  std::wstring commandLine = L"\"" + program + L"\" --version";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &started));
  const win32::UniqueKernelHandle thread(started.hThread), process(started.hProcess);
  // Another process's box: no message of its own says when it is up, and
  // under Wine WaitForInputIdle returns before it is, so the test looks for
  // its text until the program shows it or ends.
  HWND box = nullptr;
  for (int tries = 0; tries < 1200 && !ShowsText(box, L"Tallowin " TALLOWIN_PROJECT_VERSION); ++tries) {
    if (::WaitForSingleObject(process.get(), 50) == WAIT_OBJECT_0) break;
    box = ::FindWindowW(L"#32770", L"Tallowin");
  }
  EXPECT_TRUE(ShowsText(box, L"Tallowin " TALLOWIN_PROJECT_VERSION));
  if (box != nullptr) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  const bool ended = ::WaitForSingleObject(process.get(), 60000) == WAIT_OBJECT_0;
  if (!ended) ::TerminateProcess(process.get(), 1);
  DWORD code = 99;
  ::GetExitCodeProcess(process.get(), &code);
  EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace tallowin
