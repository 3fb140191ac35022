#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "commands/file_commands.h"
#include "commands/load_save_commands.h"
#include "faults/fault_bench.h"
#include "regfile/reg_file.h"

// Export, Backup and Import into the faults of the file system, made to
// happen for real: a missing folder, a read-only file, a file another
// process holds, a full disk, paths beyond 260 characters, a file that goes
// or shrinks after it was picked, and files that are no registration files.
namespace tallowin::testing {
namespace {

constexpr std::u16string_view kImportDone =
    u"編集リストへインスポートしました。\nシステム環境変数 ： 2 項目\nユーザー環境変数 ： 1 項目\n";
constexpr std::u16string_view kNotRegistrationFile =
    u"編集リストへのインスポートに失敗しました。\n選択されたファイルは登録ファイルではありません。";

// The small disk the test run mounts (1 MB) and maps as drive T: of the
// prefix; nothing when there is none.
std::optional<std::u16string> SmallDisk() {
  ULARGE_INTEGER total{};
  if (!::GetDiskFreeSpaceExW(L"T:\\", nullptr, &total, nullptr) || total.QuadPart > 2u << 20) return std::nullopt;
  return u"T:\\faults-" + Ascii(std::to_string(::GetCurrentProcessId()));
}

// Fills the disk a file is on and then frees `room` bytes of it, so that a
// write of more than that fails part-way.
void FillDiskLeaving(const std::u16string& filler, LONGLONG room) {
  const win32::UniqueFile file(
      ::CreateFileW(win32::Wide(filler), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << ::GetLastError();
  const Bytes chunk(16 * 1024, 0x5a);
  LONGLONG size = 0;
  for (DWORD written = 0;; size += written) {
    if (!::WriteFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr) || written == 0) {
      break;
    }
  }
  ASSERT_GT(size, room);
  LARGE_INTEGER end{};
  end.QuadPart = size - room;
  ASSERT_TRUE(::SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN));
  ASSERT_TRUE(::SetEndOfFile(file.get()));
}

// Stands in for the small disk when none could be mounted: every write
// fails as a full disk fails it.
class FullDiskFiles : public FileSystemPort {
 public:
  explicit FullDiskFiles(FileSystemPort& real) : real_(real) {}
  FileContents ReadWholeFile(std::u16string_view path) override { return real_.ReadWholeFile(path); }
  PortResult ReplaceWholeFile(std::u16string_view, std::span<const std::uint8_t>) override {
    return PortResult::Failure(ERROR_DISK_FULL);
  }
  PortResult CreateNewFile(std::u16string_view, std::span<const std::uint8_t>) override {
    return PortResult::Failure(ERROR_DISK_FULL);
  }
  std::u16string DecodeAnsi(std::string_view text) override { return real_.DecodeAnsi(text); }
  PortResult CreateFolderWithParents(std::u16string_view path) override { return real_.CreateFolderWithParents(path); }
  FileListing ListFiles(std::u16string_view folder) override { return real_.ListFiles(folder); }
  PortResult RemoveFile(std::u16string_view path) override { return real_.RemoveFile(path); }

 private:
  FileSystemPort& real_;
};

// The open-file dialog's answer, with something done to the file after the
// user picked it and before the command reads it.
class PickThen : public FilePickerPort {
 public:
  std::u16string Path;
  std::function<void()> Then;
  std::optional<std::u16string> PickFileToSave(std::u16string_view) override { return std::nullopt; }
  std::optional<std::u16string> PickFileToOpen(std::u16string_view) override {
    if (Then) Then();
    return Path;
  }
};

// A registration file with both sections; its Path runs over two lines.
constexpr std::u16string_view kImportHead =
    u"Windows Registry Editor Version 5.00\r\n\r\n"
    u"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment]\r\n"
    u"\"OS\"=\"Imported_NT\"\r\n"
    u"\"Path\"=hex(2):43,00,3a,00,5c,00,49,00,6d,00,70,00,6f,00,72,00,74,00,65,00,64,00,3b,00,\\\r\n";
constexpr std::u16string_view kImportTail =
    u"  43,00,3a,00,5c,00,41,00,6c,00,73,00,6f,00,3b,00,00,00\r\n\r\n"
    u"[HKEY_CURRENT_USER\\Environment]\r\n"
    u"\"TEMP\"=\"C:\\\\Temp\"\r\n\r\n";

Bytes ImportFile() { return Utf16File(std::u16string(kImportHead) + std::u16string(kImportTail)); }

std::vector<NamedValue> ImportedSystem() {
  return {{u"OS", TextToValue(kRegSz, u"Imported_NT")}, {u"Path", TextToValue(kRegExpandSz, u"C:\\Imported;C:\\Also;")}};
}
std::vector<NamedValue> ImportedUser() { return {{u"TEMP", TextToValue(kRegSz, u"C:\\Temp")}}; }

class FileFaults : public FaultTest {
 protected:
  bool NextImportWorks(PickThen& picker) {
    picker.Path = folder.File(u"next-import.reg");
    picker.Then = nullptr;
    WriteFileBytes(picker.Path, ImportFile());
    const Shown expected{{Told(kImportDone)}};
    const Shown shown = RunCommand(expected, [&] {
      FileImportExecute(model, ports);
      return CommandOutcome{};
    });
    return Same(shown, expected, "the next command's message") &&
           Same(model.ValuesToWrite(model.SysList), ImportedSystem(), "the imported System list");
  }
};

// What the system itself answers to a file of this name, created anew or
// opened: the error a command must pass on. A name longer than the file
// system allows is one that Wine calls not found, Windows too long.
DWORD SystemAnswer(const std::u16string& path, DWORD disposition) {
  const win32::UniqueFile file(
      ::CreateFileW(win32::Wide(path), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
  const DWORD error = file ? ERROR_SUCCESS : ::GetLastError();
  EXPECT_NE(error, static_cast<DWORD>(ERROR_SUCCESS)) << "the name was meant to be refused";
  return error;
}

// A path of more than 260 characters: folders deep enough, or one long name.
std::u16string DeepFolders(const ScratchFolder& folder) {
  std::u16string path = folder.Path();
  for (const char16_t letter : {u'a', u'b'}) {
    path += u"\\" + std::u16string(120, letter);
    EXPECT_TRUE(::CreateDirectoryW(win32::Wide(path), nullptr)) << ::GetLastError();
  }
  return path;
}

TEST_F(FileFaults, ExportAndBackupKeepTheTargetAsItWas) {
  const Bytes old = Utf16File(u"Windows Registry Editor Version 5.00\r\n\r\n; the file as it was\r\n");
  const std::optional<std::u16string> smallDisk = SmallDisk();
  FullDiskFiles fullDisk(files);
  FaultFigure::Get().Note(smallDisk ? "disk full: real, a 1 MB tmpfs mounted as drive T: of the prefix"
                                    : "disk full: INJECTED at the file port (no small disk could be mounted)");

  // Each fault makes the target, with the old content where there is one,
  // and holds whatever keeps the fault up until the try ends.
  struct Target {
    std::u16string Folder;
    std::u16string Path;
  };
  struct Fault {
    const char* Name;
    std::function<std::shared_ptr<void>(Target&)> Make;
    DWORD Error;  // ERROR_SUCCESS: the write must succeed
  };
  const auto inFolder = [&](std::u16string folderPath, std::u16string name, bool withOld) {
    return [=, this, &old](Target& target) -> std::shared_ptr<void> {
      target = {folderPath, folderPath + u"\\" + name};
      if (withOld) WriteFileBytes(target.Path, old);
      return nullptr;
    };
  };
  const std::u16string deep = DeepFolders(folder);
  const std::u16string tooLong = std::u16string(300, u'n') + u".reg";
  const Fault faults[] = {
      {"target folder does not exist", inFolder(folder.Path(), u"missing\\Environment.reg", false),
       ERROR_PATH_NOT_FOUND},
      {"target file is read-only",
       [&](Target& target) -> std::shared_ptr<void> {
         target = {folder.Path(), folder.File(u"ReadOnly.reg")};
         WriteFileBytes(target.Path, old);
         EXPECT_TRUE(::SetFileAttributesW(win32::Wide(target.Path), FILE_ATTRIBUTE_READONLY));
         return nullptr;
       },
       ERROR_ACCESS_DENIED},
      {"target file held by another process",
       [&](Target& target) -> std::shared_ptr<void> {
         target = {folder.Path(), folder.File(u"Held.reg")};
         WriteFileBytes(target.Path, old);
         return std::make_shared<Holder>(L"file \"" + win32::ToWide(target.Path) + L"\"");
       },
       ERROR_ACCESS_DENIED},
      {"disk full part-way through the write",
       [&](Target& target) -> std::shared_ptr<void> {
         const std::u16string root = smallDisk.value_or(folder.File(u"full"));
         EXPECT_TRUE(::CreateDirectoryW(win32::Wide(root), nullptr)) << ::GetLastError();
         target = {root, root + u"\\Environment.reg"};
         WriteFileBytes(target.Path, old);
         if (!smallDisk) {
           ports.Files = &fullDisk;
         } else {
           FillDiskLeaving(root + u"\\filler", 16 * 1024);
         }
         // Afterwards the disk gets its room back, and the next command its
         // real port.
         return std::shared_ptr<void>(nullptr, [this, root](void*) {
           ports.Files = &files;
           RemoveTree(root);
         });
       },
       ERROR_DISK_FULL},
      {"path over 260 characters", inFolder(deep, u"Environment.reg", true), ERROR_SUCCESS},
      {"path over 260 characters", inFolder(folder.Path(), std::u16string(246, u'n') + u".reg", true),
       ERROR_SUCCESS},
      {"path over 260 characters", inFolder(folder.Path(), tooLong, false), SystemAnswer(folder.File(tooLong), CREATE_NEW)},
  };

  for (const Fault& fault : faults) {
    for (const WriteCommand& command : writeCommands) {
      SCOPED_TRACE(std::string(fault.Name) + " / " + command.Name);
      Target target;
      std::shared_ptr<void> held = fault.Make(target);
      const auto filesBefore = FilesIn(target.Folder);
      const ModelView viewBefore = ViewOf(model);
      const std::optional<KeyValues> systemBefore = KeyState(systemKey);
      const std::optional<KeyValues> userBefore = KeyState(userKey);

      const Shown expected{{fault.Error == ERROR_SUCCESS ? Told(command.DoneText)
                                                         : Failed(command.FailedLine, fault.Error)}};
      const Shown shown = RunWrite(command, target.Path, expected);
      const auto filesAfter = FilesIn(target.Folder);
      held.reset();

      bool kept = Same(ViewOf(model), viewBefore, "the model");
      kept = Same(KeyState(systemKey), systemBefore, "the system key") && kept;
      kept = Same(KeyState(userKey), userBefore, "the user key") && kept;
      // A write that fails leaves the folder as it was; one that succeeds
      // leaves the target holding what it should, and nothing beside it.
      if (fault.Error != ERROR_SUCCESS || filesAfter == filesBefore) {
        kept = Same(filesAfter, filesBefore, "the target's folder") && kept;
      } else {
        kept = WrittenRight(command, target.Path) && Same(filesAfter.size(), filesBefore.size(), "the file count") &&
               kept;
      }
      Judge(fault.Name, command.Name, shown, expected, kept, NextWriteWorks(command));
      ::SetFileAttributesW(win32::Wide(target.Path), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileW(win32::Wide(target.Path));
    }
  }
}

TEST_F(FileFaults, ImportKeepsTheListsUnlessItCanReadTheWholeFile) {
  PickThen picker;
  ports.Pickers = &picker;
  const MainModel original = model;
  const std::u16string deep = DeepFolders(folder);
  const std::u16string tooLong = folder.File(std::u16string(300, u'n') + u".reg");

  // What becomes of the lists: kept, replaced by the file's sections, or
  // replaced by what was whole of a file cut inside its Path value.
  enum class Lists { Kept, Imported, ImportedWithoutThePath };
  using FileAction = std::function<void(const std::u16string&)>;
  struct Fault {
    const char* Name;
    std::u16string Path;
    FileAction Before;     // makes the file the user picks
    FileAction AfterPick;  // changes it before the command reads it
    bool Held;
    Shown Expected;
    Lists After;
  };
  const auto content = [](Bytes bytes) { return [bytes](const std::u16string& path) { WriteFileBytes(path, bytes); }; };
  const auto cutTo = [](std::size_t size) {
    return [size](const std::u16string& path) {
      const std::optional<Bytes> bytes = FileBytes(path);
      ASSERT_TRUE(bytes && bytes->size() >= size);
      WriteFileBytes(path, Bytes(bytes->begin(), bytes->begin() + static_cast<std::ptrdiff_t>(size)));
    };
  };
  const auto noise = [](const std::u16string& path) {
    const win32::UniqueFile file(
        ::CreateFileW(win32::Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << ::GetLastError();
    std::mt19937 random(20240601);
    std::vector<std::uint32_t> chunk(4 << 20);
    for (int i = 0; i < 200 / 16; ++i) {
      std::generate(chunk.begin(), chunk.end(), std::ref(random));
      DWORD written = 0;
      ASSERT_TRUE(::WriteFile(file.get(), chunk.data(), 16 << 20, &written, nullptr)) << ::GetLastError();
    }
  };
  const Shown imported{{Told(kImportDone)}};
  const Shown refused{{Told(kNotRegistrationFile)}};
  const auto failed = [](DWORD code) { return Shown{{Failed(u"編集リストへのインスポートに失敗しました。\n", code)}}; };
  const char* const vanishes = "file vanishes or is cut short after the pick";
  const char* const notRegistration = "not a registration file, empty, or 200 MB of noise";
  const Fault faults[] = {
      {"file held by another process", folder.File(u"Held.reg"), content(ImportFile()), nullptr, true,
       failed(ERROR_SHARING_VIOLATION), Lists::Kept},
      {"path over 260 characters", deep + u"\\Environment.reg", content(ImportFile()), nullptr, false, imported,
       Lists::Imported},
      {"path over 260 characters", folder.File(std::u16string(246, u'n') + u".reg"), content(ImportFile()), nullptr,
       false, imported, Lists::Imported},
      {"path over 260 characters", tooLong, nullptr, nullptr, false, failed(SystemAnswer(tooLong, OPEN_EXISTING)),
       Lists::Kept},
      {vanishes, folder.File(u"Vanishing.reg"), content(ImportFile()),
       [](const std::u16string& path) { EXPECT_TRUE(::DeleteFileW(win32::Wide(path))); }, false,
       failed(ERROR_FILE_NOT_FOUND), Lists::Kept},
      {vanishes, folder.File(u"Emptied.reg"), content(ImportFile()), cutTo(0), false, refused, Lists::Kept},
      {vanishes, folder.File(u"CutInHeader.reg"), content(ImportFile()), cutTo(21), false, refused, Lists::Kept},
      {vanishes, folder.File(u"CutInPath.reg"), content(ImportFile()), cutTo(Utf16File(kImportHead).size()), false,
       Shown{{Told(u"編集リストへインスポートしました。\nシステム環境変数 ： 2 項目\n")}}, Lists::ImportedWithoutThePath},
      {notRegistration, folder.File(u"text.reg"), content(Bytes{'P', 'a', 't', 'h', '=', 'C', ':', '\\', '\r', '\n'}),
       nullptr, false, refused, Lists::Kept},
      {notRegistration, folder.File(u"empty.reg"), content(Bytes{}), nullptr, false, refused, Lists::Kept},
      {notRegistration, folder.File(u"noise.reg"), noise, nullptr, false, refused, Lists::Kept},
  };

  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.Name);
    model = original;
    if (fault.Before) fault.Before(fault.Path);
    const std::optional<Bytes> picked = FileBytes(fault.Path);
    picker.Path = fault.Path;
    picker.Then = fault.AfterPick ? [&fault] { fault.AfterPick(fault.Path); } : std::function<void()>();
    std::optional<Holder> holder;
    if (fault.Held) holder.emplace(L"file \"" + win32::ToWide(fault.Path) + L"\"");
    const ModelView before = ViewOf(model);

    const Shown shown = RunCommand(fault.Expected, [&] {
      FileImportExecute(model, ports);
      return CommandOutcome{};
    });
    holder.reset();

    // Import never changes the file it reads.
    bool kept = fault.AfterPick || Same(FileBytes(fault.Path), picked, "the file");
    switch (fault.After) {
      case Lists::Kept:
        kept = Same(ViewOf(model), before, "the model") && kept;
        break;
      case Lists::Imported:
        kept = Same(model.ValuesToWrite(model.SysList), ImportedSystem(), "the imported System list") && kept;
        kept = Same(model.ValuesToWrite(model.UserList), ImportedUser(), "the imported User list") && kept;
        break;
      case Lists::ImportedWithoutThePath: {
        // The Path value was cut inside its hex list: it is not imported
        // short, and the Path list keeps its items, so that Save cannot
        // write a Path cut short.
        kept = Same(model.PathList, before.PathList, "the Path list") && kept;
        kept = Same(model.ValuesToWrite(model.UserList), before.UserWrites, "the User list") && kept;
        const std::vector<NamedValue> system = {ImportedSystem()[0],
                                                before.SystemWrites[static_cast<std::size_t>(before.PathEntryIndex)]};
        kept = Same(model.ValuesToWrite(model.SysList), system, "the System list") && kept;
        break;
      }
    }
    Judge(fault.Name, "Import", shown, fault.Expected, kept, NextImportWorks(picker));
    ::DeleteFileW(win32::Wide(fault.Path));
  }
}

// Save's automatic backup into the faults of its folder: one that does not
// exist yet (it is made), one that cannot be made, a disk that fills up.
// When the backup cannot be written the user is asked, and Cancel (the
// default) leaves the keys as they were.
TEST_F(FileFaults, SavesAutomaticBackupIsWrittenWholeOrSaveAsksFirst) {
  const std::optional<std::u16string> smallDisk = SmallDisk();
  FullDiskFiles fullDisk(files);
  const std::u16string disk = smallDisk.value_or(folder.File(u"full"));
  const struct {
    const char* Name;
    std::u16string LocalAppData;
    DWORD Error;  // ERROR_SUCCESS: the backup is written and Save goes on
  } faults[] = {
      {"target folder does not exist", folder.File(u"new\\AppData"), ERROR_SUCCESS},
      // On a drive the prefix lacks: the error is the system's own for it.
      {"target folder does not exist", u"Q:\\AppData",
       ::CreateDirectoryW(L"Q:\\AppData", nullptr) ? ERROR_SUCCESS : ::GetLastError()},
      {"disk full part-way through the write", disk + u"\\AppData", ERROR_DISK_FULL},
  };
  for (const auto& fault : faults) {
    SCOPED_TRACE(std::string(fault.Name) + " / error " + std::to_string(fault.Error));
    ASSERT_TRUE(::SetEnvironmentVariableW(L"LOCALAPPDATA", win32::Wide(fault.LocalAppData)));
    if (fault.Error == ERROR_DISK_FULL) {
      ASSERT_TRUE(::CreateDirectoryW(win32::Wide(disk), nullptr)) << ::GetLastError();
      if (smallDisk) {
        FillDiskLeaving(disk + u"\\filler", 16 * 1024);
      } else {
        ports.Files = &fullDisk;
      }
    }
    const std::u16string backups = fault.LocalAppData + u"\\Tallowin\\Backups";
    const ModelView before = ViewOf(model);
    const std::optional<KeyValues> systemBefore = KeyState(systemKey);
    const std::optional<KeyValues> userBefore = KeyState(userKey);

    const Shown expected = fault.Error == ERROR_SUCCESS
                               ? kSaved
                               : Shown{{Warned(kSaveWarning), BackupQuestion(fault.Error, IDCANCEL)}};
    const Shown shown = RunCommand(expected, [&] { return FileSaveExecute(model, ports); });
    const auto backupsAfter = FilesIn(backups);
    ports.Files = &files;
    if (fault.Error == ERROR_DISK_FULL) RemoveTree(disk);

    bool kept = Same(ViewOf(model), before, "the model");
    if (fault.Error == ERROR_SUCCESS) {
      // The one backup holds the keys as they were before Save.
      kept = Same(backupsAfter.size(), std::size_t{1}, "the backups") && kept;
      const std::u16string written = backups + u"\\" + (backupsAfter.empty() ? u"" : backupsAfter.begin()->first);
      kept = Same(SectionsOf(written), {AsNamed(systemBefore), AsNamed(userBefore)}, "the backup") && kept;
    } else {
      kept = Same(backupsAfter.size(), std::size_t{0}, "the backups") && kept;
      kept = Same(KeyState(systemKey), systemBefore, "the system key") && kept;
      kept = Same(KeyState(userKey), userBefore, "the user key") && kept;
    }
    ASSERT_TRUE(::SetEnvironmentVariableW(L"LOCALAPPDATA", win32::Wide(localAppData.Path())));
    const bool goesOn = Same(RunCommand(kSaved, [&] { return FileSaveExecute(model, ports); }), kSaved, "the next Save");
    Judge(fault.Name, "AutoBackup", shown, expected, kept, goesOn);
  }
}

}  // namespace
}  // namespace tallowin::testing
