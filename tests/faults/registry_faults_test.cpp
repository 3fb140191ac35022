#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "commands/file_commands.h"
#include "commands/load_save_commands.h"
#include "faults/fault_bench.h"

// Load, Save, Backup and Export against registry keys that are not as the
// program expects: the user key deleted, values over a megabyte, a type
// code no table knows.
namespace tallowin::testing {
namespace {

std::vector<NamedValue> Sorted(std::vector<NamedValue> values) {
  std::sort(values.begin(), values.end(), [](const NamedValue& a, const NamedValue& b) { return a.Name < b.Name; });
  return values;
}

class RegistryFaults : public FaultTest {
 protected:
  Shown Load() { return RunCommand(kLoaded, [&] { return FileLoadExecute(model, ports); }); }
  Shown Save() { return RunCommand(kSaved, [&] { return FileSaveExecute(model, ports); }); }

  // The lists hold exactly what the keys hold.
  bool ListsMatchKeys() {
    bool same = Same(Sorted(model.ValuesToWrite(model.SysList)), Sorted(AsNamed(KeyState(systemKey))), "System list");
    return Same(Sorted(model.ValuesToWrite(model.UserList)), Sorted(AsNamed(KeyState(userKey))), "User list") && same;
  }
};

TEST_F(RegistryFaults, AMissingUserKeyStopsLoadSaveAndBackupBeforeAnythingChanges) {
  const std::u16string target = folder.File(u"Backup.reg");
  const Bytes old = Utf16File(u"Windows Registry Editor Version 5.00\r\n");
  struct Operation {
    const char* Name;
    Shown Expected;
    std::function<CommandOutcome()> Run;
    // The same command once the key is back, and whether it did its work.
    // Backup goes first, while the lists still count what its report says.
    std::function<bool()> Next;
  };
  const Operation operations[] = {
      {"Backup",
       {{Failed(u"レジストリキーのバックアップに失敗しました。\n", ERROR_FILE_NOT_FOUND)}},
       [&] {
         pickers.Answers = {target};
         FileBuckupExecute(model, ports);
         return CommandOutcome{};
       },
       [&] { return NextWriteWorks(writeCommands[1]); }},
      // The automatic backup cannot read the key either; the user writes
      // all the same.
      {"Save",
       {{Warned(kSaveWarning), BackupQuestion(ERROR_FILE_NOT_FOUND, IDOK),
         Failed(u"レジストリへ環境変数の書き込みに失敗しました。\n", ERROR_FILE_NOT_FOUND)}},
       [&] { return FileSaveExecute(model, ports); },
       [&] {
         const std::vector<NamedValue> expected = Sorted(model.ValuesToWrite(model.UserList));
         return Same(Save(), kSaved, "the next Save's messages") &&
                Same(Sorted(AsNamed(KeyState(userKey))), expected, "the user key");
       }},
      {"Load",
       {{Asked(kLoadQuestion), Failed(u"レジストリからの環境変数の読み込みに失敗しました。\n", ERROR_FILE_NOT_FOUND)}},
       [&] { return FileLoadExecute(model, ports); },
       [&] { return Same(Load(), kLoaded, "the next Load's messages") && ListsMatchKeys(); }},
  };
  for (const Operation& operation : operations) {
    SCOPED_TRACE(operation.Name);
    WriteFileBytes(target, old);
    registry->User = MissingKey();
    const ModelView before = ViewOf(model);
    const std::optional<KeyValues> systemBefore = KeyState(systemKey);
    const auto filesBefore = FilesIn(folder.Path());

    const Shown shown = RunCommand(operation.Expected, operation.Run);
    bool kept = Same(ViewOf(model), before, "the model");
    kept = Same(KeyState(systemKey), systemBefore, "the system key") && kept;
    kept = Same(KeyState(registry->User), std::optional<KeyValues>(), "the missing key") && kept;
    kept = Same(FilesIn(folder.Path()), filesBefore, "the backup's folder") && kept;

    registry->User = userKey;
    Judge("registry key missing (user key)", operation.Name, shown, operation.Expected, kept, operation.Next());
  }
}

// Each value goes in and out whole: Load reads it, Export writes it to a
// file that reads back the same, Save writes it back unchanged. Each step
// is the next command of the one before; a second Load ends the chain.
TEST_F(RegistryFaults, HugeAndUnknownTypedValuesGoThroughLoadExportAndSaveWhole) {
  Bytes blob(1'100'000);
  for (std::size_t i = 0; i < blob.size(); ++i) blob[i] = static_cast<std::uint8_t>(i * 31 + i / 4096);
  std::u16string text(600'000, u'x');
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char16_t>(u'a' + i % 26);
  const struct {
    const char* Fault;
    NamedValue System;
    NamedValue User;
  } faults[] = {
      {"registry value over 1 MB", {u"HugeBlob", {kRegBinary, blob}}, {u"Huge", TextToValue(kRegSz, text)}},
      {"registry value of type 0x7fffffff", {u"Odd", {0x7fffffff, {1, 2, 3, 0}}}, {u"OddEmpty", {0x7fffffff, {}}}},
  };
  const Shown exported{{Told(u"編集リストをエクスポートしました。\nシステム環境変数 ： 4 項目\nユーザー環境変数 ： 3 項目\n")}};

  for (const auto& fault : faults) {
    SCOPED_TRACE(fault.Fault);
    Set(systemKey, fault.System.Name, fault.System.Value);
    Set(userKey, fault.User.Name, fault.User.Value);
    const std::optional<KeyValues> systemBefore = KeyState(systemKey);
    const std::optional<KeyValues> userBefore = KeyState(userKey);
    const auto keysKept = [&] {
      const bool same = Same(KeyState(systemKey), systemBefore, "the system key");
      return Same(KeyState(userKey), userBefore, "the user key") && same;
    };

    const Shown loaded = Load();
    const bool loadKept = ListsMatchKeys() && keysKept();

    const std::u16string path = folder.File(Ascii(fault.Fault).substr(0, 20) + u".reg");
    pickers.Answers = {path};
    const Shown exportShown = RunCommand(exported, [&] {
      FileExportExecute(model, ports);
      return CommandOutcome{};
    });
    const std::vector<std::vector<NamedValue>> sections = SectionsOf(path);
    bool exportKept = Same(sections.size(), std::size_t{2}, "the file's sections") && keysKept();
    exportKept = exportKept && Same(Sorted(sections[0]), Sorted(AsNamed(systemBefore)), "the file's system section") &&
                 Same(Sorted(sections[1]), Sorted(AsNamed(userBefore)), "the file's user section");

    const Shown saved = Save();
    const bool saveKept = keysKept();
    const Shown reloaded = Load();

    Judge(fault.Fault, "Load", loaded, kLoaded, loadKept, exportShown == exported);
    Judge(fault.Fault, "Export", exportShown, exported, exportKept, saved == kSaved);
    Judge(fault.Fault, "Save", saved, kSaved, saveKept, reloaded == kLoaded && ListsMatchKeys());
    ::RegDeleteValueW(Open(systemKey).get(), win32::Wide(fault.System.Name));
    ::RegDeleteValueW(Open(userKey).get(), win32::Wide(fault.User.Name));
  }
}

}  // namespace
}  // namespace tallowin::testing
