#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "commands/command_outcome.h"
#include "commands/file_commands.h"
#include "commands/load_save_commands.h"
#include "commands/ports.h"
#include "faults/fault_figure.h"
#include "model/main_model.h"
#include "model/value_text.h"
#include "regfile/reg_file.h"
#include "support/fake_ports.h"
#include "support/modal_dialog_driver.h"
#include "support/redirected_registry.h"
#include "support/scratch_folder.h"
#include "support/scratch_key.h"
#include "support/scripted_dialogs.h"
#include "ui/ports/clipboard_port.h"
#include "ports/environment_port.h"
#include "ports/file_system.h"
#include "ui/ports/message_dialogs.h"
#include "ports/system_ports.h"
#include "win32/system_errors.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

// What every fault test stands on: the commands with the real ports (files,
// registry moved to scratch keys, clipboard, message boxes answered by the
// modal-dialog driver), snapshots of everything that must survive a fault,
// another process that holds a file or the clipboard, and the judging of
// one try into the figure.
namespace tallowin::testing {

using Bytes = std::vector<std::uint8_t>;
using KeyValues = std::vector<std::pair<std::u16string, RegistryValue>>;

// A file's bytes read past every port; nothing when it cannot be opened.
inline std::optional<Bytes> FileBytes(const std::u16string& path) {
  const win32::UniqueFile file(::CreateFileW(win32::Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return std::nullopt;
  Bytes bytes(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 24));
    if (!::ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr) || read == 0) return std::nullopt;
    done += read;
  }
  return bytes;
}

inline void WriteFileBytes(const std::u16string& path, const Bytes& bytes) {
  const win32::UniqueFile file(
      ::CreateFileW(win32::Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << ::GetLastError();
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  ASSERT_EQ(written, bytes.size());
}

// A registration file's bytes as the writer lays them out: FF FE, then
// UTF-16LE.
inline Bytes Utf16File(std::u16string_view text) {
  Bytes bytes{0xff, 0xfe};
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xff));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

// Every file directly in a folder with its bytes: a target as it was, and
// no file left behind beside it.
inline std::map<std::u16string, std::optional<Bytes>> FilesIn(const std::u16string& folder) {
  std::map<std::u16string, std::optional<Bytes>> files;
  WIN32_FIND_DATAW found{};
  const std::u16string pattern = folder + u"\\*";
  const win32::UniqueFind search(::FindFirstFileW(win32::Wide(pattern), &found));
  if (!search) return files;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const std::u16string name = win32::FromWide(found.cFileName);
    files[name] = FileBytes(folder + u"\\" + name);
  } while (::FindNextFileW(search.get(), &found));
  return files;
}

// Removes a folder with everything in it, read-only files included.
inline void RemoveTree(const std::u16string& folder) {
  WIN32_FIND_DATAW found{};
  const std::u16string pattern = folder + u"\\*";
  if (const win32::UniqueFind search(::FindFirstFileW(win32::Wide(pattern), &found)); search) {
    std::vector<std::pair<std::u16string, bool>> entries;
    do {
      const std::u16string name = win32::FromWide(found.cFileName);
      if (name != u"." && name != u"..") entries.emplace_back(folder + u"\\" + name, found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    } while (::FindNextFileW(search.get(), &found));
    for (const auto& [path, isFolder] : entries) {
      ::SetFileAttributesW(win32::Wide(path), FILE_ATTRIBUTE_NORMAL);
      if (isFolder) {
        RemoveTree(path);
      } else {
        ::DeleteFileW(win32::Wide(path));
      }
    }
  }
  ::RemoveDirectoryW(win32::Wide(folder));
}

// A key's values, or nothing when the key does not exist.
inline std::optional<KeyValues> KeyState(const std::u16string& subkey) {
  win32::UniqueKey key;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, win32::Wide(subkey), 0, KEY_READ, key.put()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return ValuesOf(HKEY_CURRENT_USER, subkey);
}

// What a written registration file holds, section by section.
inline std::vector<std::vector<NamedValue>> SectionsOf(const std::u16string& path) {
  const std::optional<Bytes> bytes = FileBytes(path);
  std::vector<std::vector<NamedValue>> sections;
  if (!bytes) return sections;
  const regfile::ParsedFile parsed = regfile::ParseFile(bytes->data(), bytes->size(), nullptr);
  for (const regfile::ParsedSection& section : parsed.Sections) {
    std::vector<NamedValue>& values = sections.emplace_back();
    for (const regfile::ParsedValue& value : section.Values) values.push_back({value.Name, value.Value});
  }
  return sections;
}

inline std::vector<NamedValue> AsNamed(const std::optional<KeyValues>& key) {
  std::vector<NamedValue> values;
  if (key) {
    for (const auto& [name, value] : *key) values.push_back({name, value});
  }
  return values;
}

// The success reports of Export and Backup for the model FaultTest starts
// with: three variables in each list.
inline constexpr std::u16string_view kExportDone =
    u"編集リストをエクスポートしました。\nシステム環境変数 ： 3 項目\nユーザー環境変数 ： 3 項目\n";
inline constexpr std::u16string_view kBackupDone =
    u"レジストリキーをバックアップしました。\nシステム環境変数 ： 3 項目\nユーザー環境変数 ： 3 項目\n";

// Everything the window shows and Save would write.
struct ModelView {
  std::vector<VariableEntry> System;
  std::vector<VariableEntry> User;
  int SystemSelected = -1;
  int UserSelected = -1;
  std::vector<std::u16string> PathList;
  std::vector<std::u16string> PathClip;
  int PathIndex = 0;
  int PathEntryIndex = -1;
  std::u16string Edit1;
  std::u16string Edit2;
  std::u16string CountText;
  std::vector<NamedValue> SystemWrites;
  std::vector<NamedValue> UserWrites;

  bool operator==(const ModelView&) const = default;
};

inline ModelView ViewOf(const MainModel& model) {
  ModelView view;
  for (int i = 0; i < model.SysList.Count(); ++i) view.System.push_back(model.SysList.At(i));
  for (int i = 0; i < model.UserList.Count(); ++i) view.User.push_back(model.UserList.At(i));
  view.SystemSelected = model.SysList.Selected();
  view.UserSelected = model.UserList.Selected();
  view.PathList = model.PathList;
  view.PathClip = model.PathClip;
  view.PathIndex = model.PathIndex;
  view.PathEntryIndex = model.PathEntryIndex();
  view.Edit1 = model.Edit1;
  view.Edit2 = model.Edit2;
  view.CountText = model.CountText;
  view.SystemWrites = model.ValuesToWrite(model.SysList);
  view.UserWrites = model.ValuesToWrite(model.UserList);
  return view;
}

// One message box as the user saw it, with the button the test answers.
struct Box {
  std::u16string Caption;
  std::u16string Text;
  int Answer = IDOK;

  bool operator==(const Box& other) const { return Caption == other.Caption && Text == other.Text; }
};

// A failure report: the command's first line and the system's words for the
// error code.
inline Box Failed(std::u16string_view firstLine, DWORD code) {
  const std::u16string description = win32::DescribeError(code);
  EXPECT_FALSE(description.empty()) << "no description for error " << code;
  return {u"Tallowin", std::u16string(firstLine) + description};
}
inline Box Told(std::u16string_view text) { return {u"Tallowin", std::u16string(text)}; }
inline Box Warned(std::u16string_view text, int answer = IDOK) { return {u"警告", std::u16string(text), answer}; }
inline Box Asked(std::u16string_view text, int answer = IDOK) { return {u"確認", std::u16string(text), answer}; }

// The message boxes a command showed, and its status bar text.
struct Shown {
  std::vector<Box> Boxes = {};
  std::u16string Status = {};

  bool operator==(const Shown&) const = default;
  std::u16string Text() const {
    std::u16string text;
    for (const Box& box : Boxes) text += u"[" + box.Caption + u"] " + box.Text + u"\n";
    if (!Status.empty()) text += u"[status] " + Status;
    return text;
  }
};

// Save's question when its automatic backup could not be written: the
// system's description without its line break, then whether to go on.
inline Box BackupQuestion(DWORD code, int answer) {
  std::u16string description = Failed(u"", code).Text;
  while (!description.empty() && (description.back() == u'\n' || description.back() == u'\r')) description.pop_back();
  return Warned(u"自動バックアップを作成できませんでした。\n" + description + u"\n書き込みを続けますか？", answer);
}

// The messages of a Load and a Save that went through (restart declined).
inline constexpr std::u16string_view kLoadQuestion = u"レジストリから読み込みます。\nよろしいですか？";
inline constexpr std::u16string_view kLoadDone = u"レジストリから環境変数を読み込みました。";
inline constexpr std::u16string_view kSaveWarning = u"レジストリに書き込みます。\nよろしいですか？";
inline constexpr std::u16string_view kSaveDone = u"レジストリへ環境変数を書き込みました。";
inline constexpr std::u16string_view kRestartQuestion =
    u"これらの変更を適用するには再起動する必要があります。\n今すぐ再起動しますか？";

inline const Shown kLoaded{{Asked(kLoadQuestion)}, std::u16string(kLoadDone)};
inline const Shown kSaved{{Warned(kSaveWarning), Told(kSaveDone), Asked(kRestartQuestion, IDCANCEL)},
                          std::u16string(kSaveDone)};

// Runs a command while the driver answers its message boxes as `expected`
// says, and reads what they showed.
inline Shown RunCommand(const Shown& expected, const std::function<CommandOutcome()>& command) {
  std::vector<DialogStep> steps;
  for (const Box& box : expected.Boxes) steps.push_back(Click(box.Answer));
  ModalDialogDriver driver(std::move(steps));
  Shown shown;
  shown.Status = command().StatusText;
  for (const DialogSnapshot& dialog : driver.Seen()) {
    std::u16string text;
    for (const std::u16string& label : dialog.Texts()) text += label;
    shown.Boxes.push_back({dialog.Caption, text});
  }
  return shown;
}

// Another process of the same Wine session (tallowin_fault_holder.exe) that
// holds a file open without sharing, or the clipboard open, from
// construction until destruction.
class Holder {
 public:
  // `what`: L"file \"PATH\"" or L"clipboard".
  explicit Holder(const std::wstring& what) {
    static int count = 0;
    const std::wstring stem =
        L"Local\\TallowinFaultHolder-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++count);
    ready_.reset(::CreateEventW(nullptr, TRUE, FALSE, (stem + L"-ready").c_str()));
    release_.reset(::CreateEventW(nullptr, TRUE, FALSE, (stem + L"-release").c_str()));
    EXPECT_TRUE(ready_ && release_) << ::GetLastError();

    wchar_t self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_TRUE(length > 0 && length < MAX_PATH) << ::GetLastError();
    std::wstring program(self, length);
    program.resize(program.rfind(L'\\') + 1);
    program += L"tallowin_fault_holder.exe";
    std::wstring commandLine =
        L"\"" + program + L"\" " + what + L" " + stem + L"-ready " + stem + L"-release";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    // Wine fails a process start now and then (ERROR_INTERNAL_ERROR) while
    // the machine is busy; the holder is the test's own tool, so its start
    // is tried a few times.
    bool created = false;
    for (int attempt = 0; attempt < 3 && !created; ++attempt) {
      created = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &started) != FALSE;
    }
    if (!created) {
      ADD_FAILURE() << "the holder did not start: " << ::GetLastError();
      return;
    }
    process_.reset(started.hProcess);
    const win32::UniqueKernelHandle thread(started.hThread);
    const HANDLE waits[] = {ready_.get(), process_.get()};
    holding_ = ::WaitForMultipleObjects(2, waits, FALSE, 10'000) == WAIT_OBJECT_0;
    EXPECT_TRUE(holding_) << "the holder did not take hold";
  }
  Holder(const Holder&) = delete;
  Holder& operator=(const Holder&) = delete;
  ~Holder() { Release(); }

  // Lets go and waits until the holder has ended.
  void Release() {
    if (!process_) return;
    ::SetEvent(release_.get());
    if (::WaitForSingleObject(process_.get(), 10'000) != WAIT_OBJECT_0) {
      ADD_FAILURE() << "the holder did not end";
      ::TerminateProcess(process_.get(), 1);
    }
    process_.reset();
  }

 private:
  win32::UniqueKernelHandle ready_;
  win32::UniqueKernelHandle release_;
  win32::UniqueKernelHandle process_;
  bool holding_ = false;
};

// The commands' ports, real wherever the outside world is: files, the
// registry (its two keys moved to scratch keys), the clipboard, message
// boxes and error texts. The file pickers answer from a script, as the user
// would by typing the path; the restart and the announcement are recorded.
//
// The keys start with a Path, a value of about 80 KB in a file (so that a
// write outgrows the small disk's room) and a few others; the model is
// loaded from them and then edited, so that it differs from both keys.
class FaultTest : public ScratchKeyTest {
 protected:
  void SetUp() override {
    // Save's automatic backups go to a scratch folder, not the prefix's own.
    ASSERT_TRUE(::SetEnvironmentVariableW(L"LOCALAPPDATA", win32::Wide(localAppData.Path())));
    ScratchKeyTest::SetUp();
    systemKey = MakeKey(u"system");
    userKey = MakeKey(u"user");
    Set(systemKey, u"Path", TextToValue(kRegExpandSz, u"C:\\windows\\system32;C:\\windows;%ProgramFiles%\\Tools"));
    Set(systemKey, u"OS", TextToValue(kRegSz, u"Windows_NT"));
    Set(systemKey, u"Wide", TextToValue(kRegSz, std::u16string(40'000, u'w')));
    Set(userKey, u"TEMP", TextToValue(kRegExpandSz, u"%USERPROFILE%\\AppData\\Local\\Temp"));
    Set(userKey, u"Flags", RegistryValue{kRegDword, {1, 0, 0, 0}});
    registry.emplace(systemKey, userKey);
    ports.Registry = &*registry;

    model.Loading = true;
    model.ShowTab(Tab::Path);
    FileLoadExecute(model, ports);
    model.Loading = false;
    model.UserList.Add(VariableEntry::FromTexts(u"EDITED", u"REG_SZ", u"not saved yet"));
    model.Edit2 = u"D:\\Added";
    model.PathIndex = 1;
    std::vector<std::u16string> lines = model.PathList;
    lines.insert(lines.begin() + 1, u"D:\\Added;");
    model.SetPathLines(lines);
  }

  // Records one try in the figure and as test failures: the message against
  // the one expected, and whatever the caller found about the data and the
  // next command.
  void Judge(const char* fault, const char* operation, const Shown& shown, const Shown& expected, bool dataKept,
             bool goesOn) {
    const bool messageRight = shown == expected;
    EXPECT_TRUE(messageRight) << "shown:\n"
                              << ::testing::PrintToString(shown.Text()) << "\nexpected:\n"
                              << ::testing::PrintToString(expected.Text());
    EXPECT_TRUE(dataKept) << fault << " / " << operation << ": data lost";
    EXPECT_TRUE(goesOn) << fault << " / " << operation << ": the next command failed";
    FaultFigure::Get().Add({fault, operation, messageRight, dataKept, goesOn, shown.Text()});
  }

  struct WriteCommand {
    const char* Name;
    std::u16string_view FailedLine;
    std::u16string_view DoneText;
    void (*Execute)(MainModel&, const CommandPorts&);
  };

  const WriteCommand writeCommands[2] = {
      {"Export", u"エクスポートに失敗しました。\n", kExportDone, FileExportExecute},
      {"Backup", u"レジストリキーのバックアップに失敗しました。\n", kBackupDone, FileBuckupExecute},
  };

  // The file holds what the command writes: the lists as Save would write
  // them (Export), or the two keys as they are (Backup).
  bool WrittenRight(const WriteCommand& command, const std::u16string& path) {
    const bool isExport = std::string_view(command.Name) == "Export";
    const std::vector<std::vector<NamedValue>> expected =
        isExport ? std::vector{model.ValuesToWrite(model.SysList), model.ValuesToWrite(model.UserList)}
                 : std::vector{AsNamed(KeyState(systemKey)), AsNamed(KeyState(userKey))};
    return Same(SectionsOf(path), expected, "the written file");
  }

  Shown RunWrite(const WriteCommand& command, const std::u16string& path, const Shown& expected) {
    pickers.Answers = {path};
    return RunCommand(expected, [&] {
      command.Execute(model, ports);
      return CommandOutcome{};
    });
  }

  // The next command: the same one into a plain new file.
  bool NextWriteWorks(const WriteCommand& command) {
    const std::u16string path = folder.File(u"next-" + Ascii(std::to_string(++nextCount)) + u".reg");
    const Shown expected{{Told(command.DoneText)}};
    return Same(RunWrite(command, path, expected), expected, "the next command's message") &&
           WrittenRight(command, path);
  }

  int nextCount = 0;

  // EXPECT_EQ that also answers whether it held.
  template <typename T>
  static bool Same(const T& actual, const T& expected, const char* what) {
    EXPECT_TRUE(actual == expected) << what << " changed";
    return actual == expected;
  }

  std::u16string systemKey;
  std::u16string userKey;
  std::optional<RedirectedRegistry> registry;
  ScratchFolder folder;
  ScratchFolder localAppData;
  FixedWindow window{ScreenRect{100, 100, 700, 600}};
  ports::Win32MessageDialogs dialogs{nullptr};
  ports::Win32System system;
  ports::Win32FileSystem files;
  ports::Win32Clipboard clipboard{nullptr};
  ports::Win32Environment environment;
  ScriptedPickers pickers;
  RecordingPower power;
  RecordingBroadcast broadcast;
  CommandPorts ports{.Dialogs = &dialogs,
                     .Window = &window,
                     .System = &system,
                     .Power = &power,
                     .Broadcast = &broadcast,
                     .Pickers = &pickers,
                     .Files = &files,
                     .Clipboard = &clipboard,
                     .Environment = &environment};
  MainModel model;
};

}  // namespace tallowin::testing
