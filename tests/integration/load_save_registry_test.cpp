#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "model/odd_path_values.h"
#include "interop/peers.h"
#include "support/scratch_folder.h"
#include "support/scratch_key.h"
#include "ports/environment_port.h"
#include "ports/file_system.h"
#include "ports/system_ports.h"
#include "win32/system_errors.h"
#include "support/fake_ports.h"
#include "support/redirected_registry.h"
#include "support/scripted_dialogs.h"
#include "commands/load_save_commands.h"

namespace tallowin {
namespace {

using testing::DialogKind;
using testing::FixedWindow;
using testing::RecordingBroadcast;
using testing::RecordingPower;
using testing::RedirectedRegistry;
using testing::ScratchKeyTest;
using testing::ScriptedDialogs;

RegistryValue Raw(std::uint32_t type, std::vector<std::uint8_t> bytes) { return RegistryValue{type, std::move(bytes)}; }

class LoadSaveRegistryTest : public ScratchKeyTest {
 protected:
  void SetUp() override {
    // Save's automatic backups go to a scratch folder, not the prefix's own.
    ASSERT_TRUE(::SetEnvironmentVariableW(L"LOCALAPPDATA", win32::Wide(localAppData.Path())));
    ScratchKeyTest::SetUp();
    sysKey = MakeKey(u"system");
    userKey = MakeKey(u"user");
    registry.emplace(sysKey, userKey);
    ports.Registry = &*registry;
  }

  std::u16string sysKey;
  std::u16string userKey;
  std::optional<RedirectedRegistry> registry;
  FixedWindow window{ScreenRect{10, 20, 510, 520}};
  ScriptedDialogs dialogs;
  ports::Win32System system;
  RecordingPower power;
  RecordingBroadcast broadcast;
  testing::ScratchFolder localAppData;
  ports::Win32FileSystem files;
  ports::Win32Environment environment;
  CommandPorts ports{.Dialogs = &dialogs, .Window = &window, .System = &system, .Power = &power,
                     .Broadcast = &broadcast, .Files = &files, .Environment = &environment};
  MainModel model;
};

TEST(LoadStockKeys, ReadsThePrefixsOwnEnvironment) {
  ports::Win32Registry registry;
  ScriptedDialogs dialogs;
  ports::Win32System system;
  FixedWindow window{ScreenRect{}};
  const CommandPorts ports{.Dialogs = &dialogs, .Window = &window, .Registry = &registry, .System = &system};
  MainModel model;
  model.Loading = true;
  EXPECT_EQ(FileLoadExecute(model, ports).StatusText, u"レジストリから環境変数を読み込みました。");

  EXPECT_TRUE(dialogs.Shown.empty());
  ASSERT_GE(model.PathEntryIndex(), 0);
  // The stock machine key spells it in capitals; the link ignores case.
  EXPECT_EQ(model.SysList.At(model.PathEntryIndex()).Name, u"PATH");
  EXPECT_FALSE(model.PathList.empty());
  EXPECT_GE(model.UserList.FindIgnoringCase(u"TEMP"), 0);
  EXPECT_GE(model.SysList.FindIgnoringCase(u"windir"), 0);
}

// Values of every kind, odd ones included, that Load and Save and the
// automatic backup must carry byte for byte.
std::vector<std::pair<std::u16string, RegistryValue>> OddValues() {
  return {
      {u"Path", TextToValue(kRegExpandSz, u"C:\\windows\\system32;C:\\windows")},
      {u"OS", TextToValue(kRegSz, u"Windows_NT")},
      {u"Flag", Raw(kRegDword, {1, 0, 0, 0})},
      {u"Big", Raw(kRegQword, {1, 2, 3, 4, 5, 6, 7, 8})},
      {u"Blob", Raw(kRegBinary, {0, 0xff, 0x10})},
      {u"List", Raw(kRegMultiSz, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0})},
      {u"Nothing", Raw(kRegNone, {})},
      {u"Odd", Raw(42, {9})},
      {u"Unterminated", Raw(kRegSz, {'x', 0, 'y', 0})},
      {u"日本語", TextToValue(kRegSz, u"値\U0001F600")},
      {u"", TextToValue(kRegSz, u"default")},
  };
}

TEST_F(LoadSaveRegistryTest, LoadThenSaveLeavesBothKeysByteForByte) {
  const auto values = OddValues();
  for (const auto& [name, value] : values) Set(sysKey, name, value);
  Set(userKey, u"TEMP", TextToValue(kRegExpandSz, u"%USERPROFILE%\\Temp"));
  const auto systemBefore = Values(sysKey);
  const auto userBefore = Values(userKey);

  model.Loading = true;
  FileLoadExecute(model, ports);
  ASSERT_EQ(model.SysList.Count(), static_cast<int>(values.size()));
  EXPECT_EQ(model.Edit1, u"C:\\windows\\system32;C:\\windows;");
  dialogs.Answers = {true, false};
  FileSaveExecute(model, ports);

  ASSERT_EQ(dialogs.Shown.size(), 3u);
  EXPECT_EQ(dialogs.Shown[0].Kind, DialogKind::Warn);
  EXPECT_EQ(dialogs.Shown[1].Text, u"レジストリへ環境変数を書き込みました。");
  EXPECT_EQ(dialogs.Shown[2].Text, u"これらの変更を適用するには再起動する必要があります。\n今すぐ再起動しますか？");
  EXPECT_TRUE(power.Actions.empty());
  EXPECT_EQ(Values(sysKey), systemBefore);
  EXPECT_EQ(Values(userKey), userBefore);
}

// The file Save backs the keys up to first is one that Wine's reg.exe
// imports into empty keys with every value byte for byte.
TEST_F(LoadSaveRegistryTest, TheAutomaticBackupImportsIntoEmptyKeysByteForByte) {
  for (const auto& [name, value] : OddValues()) Set(sysKey, name, value);
  Set(userKey, u"TEMP", TextToValue(kRegExpandSz, u"%USERPROFILE%\\Temp"));
  model.Loading = true;
  FileLoadExecute(model, ports);
  dialogs.Answers = {true, false};
  FileSaveExecute(model, ports);

  const std::u16string folder = localAppData.Path() + u"\\Tallowin\\Backups";
  const FileListing listed = files.ListFiles(folder);
  ASSERT_TRUE(listed.Result.Succeeded);
  ASSERT_EQ(listed.Files.size(), 1u);
  const std::u16string emptySys = MakeKey(u"empty-system");
  const std::u16string emptyUser = MakeKey(u"empty-user");
  std::vector<std::uint8_t> file = testing::ReadBytes(folder + u"\\" + listed.Files[0].Name);
  file = testing::WithLineReplaced(file, u"[HKEY_LOCAL_MACHINE\\" + std::u16string(kSystemSubkey) + u"]",
                                   u"[HKEY_CURRENT_USER\\" + emptySys + u"]");
  file = testing::WithLineReplaced(file, u"[HKEY_CURRENT_USER\\" + std::u16string(kUserSubkey) + u"]",
                                   u"[HKEY_CURRENT_USER\\" + emptyUser + u"]");
  const std::u16string moved = localAppData.Path() + u"\\moved.reg";
  testing::WriteBytes(moved, file);
  EXPECT_EQ(testing::RunPeer(testing::kReg, L"import \"" + win32::ToWide(moved) + L"\""), std::optional<DWORD>(0));
  // Wine's RegSetValueExW, which reg.exe imports through, ends a string
  // value that lacks its terminator with one, because a zero follows the
  // data in its buffer; every other value is the key's own, byte for byte.
  auto expected = Values(sysKey);
  for (auto& [name, value] : expected) {
    if (name == u"Unterminated") value.Bytes.insert(value.Bytes.end(), {0, 0});
  }
  EXPECT_EQ(Values(emptySys), expected);
  EXPECT_EQ(Values(emptyUser), Values(userKey));
}

// When the backup cannot be made (a file stands where its folder should),
// Save asks first, Cancel the default, and Cancel writes nothing.
TEST_F(LoadSaveRegistryTest, ABackupThatCannotBeMadeAsksAndCancelWritesNothing) {
  Set(sysKey, u"Path", TextToValue(kRegExpandSz, u"C:\\A"));
  testing::WriteBytes(localAppData.Path() + u"\\Tallowin", {'x'});
  const auto systemBefore = Values(sysKey);
  const auto userBefore = Values(userKey);
  model.Loading = true;
  FileLoadExecute(model, ports);
  model.UserList.Add(VariableEntry::FromTexts(u"NEW", u"REG_SZ", u"v"));
  dialogs.Answers = {true, false};
  FileSaveExecute(model, ports);

  ASSERT_EQ(dialogs.Shown.size(), 2u);
  EXPECT_EQ(dialogs.Shown[1].Kind, DialogKind::WarnCancelDefault);
  const std::u16string& asked = dialogs.Shown[1].Text;
  EXPECT_EQ(asked.substr(0, asked.find(u'\n') + 1), u"自動バックアップを作成できませんでした。\n");
  EXPECT_EQ(asked.substr(asked.rfind(u'\n')), u"\n書き込みを続けますか？");
  EXPECT_GT(asked.size(), std::u16string_view(u"自動バックアップを作成できませんでした。\n\n書き込みを続けますか？").size());
  EXPECT_EQ(Values(sysKey), systemBefore);
  EXPECT_EQ(Values(userKey), userBefore);
}

// A Path that was only looked at is written back as it was read, whatever
// it holds, though the Path tab shows it joined.
TEST_F(LoadSaveRegistryTest, AnUneditedPathIsSavedAsItWasRead) {
  for (const testing::OddPathValue& c : testing::OddPathValues()) {
    SCOPED_TRACE(c.Name);
    Set(sysKey, u"Path", c.Value);
    MainModel loaded;
    loaded.Loading = true;
    FileLoadExecute(loaded, ports);
    loaded.PathListClick(0);
    Set(sysKey, u"Path", TextToValue(kRegSz, u"changed meanwhile"));
    dialogs.Answers = {true, false};
    testing::ScriptedOutsideChanges overwrite(OutsideChangeAnswer::Overwrite);  // over the change meanwhile
    ports.OutsideChanges = &overwrite;
    FileSaveExecute(loaded, ports);
    EXPECT_EQ(Get(sysKey, u"Path"), c.Value);
  }
}

TEST_F(LoadSaveRegistryTest, LoadWithTheUserKeyMissing) {
  Set(sysKey, u"Path", TextToValue(kRegExpandSz, u"C:\\A;C:\\B"));
  RedirectedRegistry missingUser{sysKey, MissingKey()};
  ports.Registry = &missingUser;
  model.UserList.Add(VariableEntry::FromTexts(u"KEEP", u"REG_SZ", u"1"));
  FileLoadExecute(model, ports);

  ASSERT_EQ(dialogs.Shown.size(), 2u);
  EXPECT_EQ(dialogs.Shown[0].Text, u"レジストリから読み込みます。\nよろしいですか？");
  EXPECT_EQ(dialogs.Shown[0].TopLeft, (ScreenPoint{140, 150}));
  EXPECT_EQ(dialogs.Shown[1].Kind, DialogKind::Inform);
  const std::u16string description = win32::DescribeError(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(description.empty());
  EXPECT_EQ(dialogs.Shown[1].Text, u"レジストリからの環境変数の読み込みに失敗しました。\n" + description);
  EXPECT_EQ(dialogs.Shown[1].TopLeft, (ScreenPoint{110, 150}));
  // Nothing of the system key that was read takes the lists' place.
  EXPECT_EQ(model.SysList.Count(), 0);
  EXPECT_TRUE(model.PathList.empty());
  EXPECT_EQ(model.UserList.Count(), 1);
}

TEST_F(LoadSaveRegistryTest, SaveRefusedAtTheWarningWritesNothing) {
  Set(sysKey, u"OS", TextToValue(kRegSz, u"Windows_NT"));
  model.Loading = true;
  FileLoadExecute(model, ports);
  model.SysList.SetData(0, u"changed");
  model.UserList.Add(VariableEntry::FromTexts(u"NEW", u"REG_SZ", u"v"));
  const auto before = Values(sysKey);
  dialogs.Answers = {false};
  FileSaveExecute(model, ports);
  EXPECT_EQ(Values(sysKey), before);
  EXPECT_TRUE(Values(userKey).empty());
  EXPECT_EQ(dialogs.Shown.size(), 1u);
}

TEST_F(LoadSaveRegistryTest, FailingWriteStopsThereAndOffersNoRestart) {
  // A value name longer than the registry accepts makes its write fail.
  const std::u16string tooLong = u"M" + std::u16string(16400, u'x');
  model.SysList.Add(VariableEntry::FromTexts(u"A", u"REG_SZ", u"first"));
  model.SysList.Add(VariableEntry::FromTexts(tooLong, u"REG_SZ", u"refused"));
  model.SysList.Add(VariableEntry::FromTexts(u"Z", u"REG_SZ", u"after"));
  ASSERT_EQ(model.SysList.At(1).Name, tooLong);
  dialogs.Answers = {true, true};
  FileSaveExecute(model, ports);

  const auto written = Values(sysKey);
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0].first, u"A");
  EXPECT_TRUE(Values(userKey).empty());
  ASSERT_EQ(dialogs.Shown.size(), 2u);
  EXPECT_EQ(dialogs.Shown[1].Kind, DialogKind::Inform);
  const std::u16string failedLine = u"レジストリへ環境変数の書き込みに失敗しました。\n";
  EXPECT_EQ(dialogs.Shown[1].Text.substr(0, failedLine.size()), failedLine);
  EXPECT_GT(dialogs.Shown[1].Text.size(), failedLine.size());
  EXPECT_EQ(dialogs.Sounds, (std::vector<SystemSound>{SystemSound::Exclamation, SystemSound::Hand}));
  EXPECT_TRUE(power.Actions.empty());
}

}  // namespace
}  // namespace tallowin
