#include "commands/load_save_commands.h"

#include <gtest/gtest.h>

#include "model/odd_path_values.h"
#include "model/sha256.h"
#include "model/texts.h"
#include "regfile/deployment_file.h"
#include "commands/elevated_save.h"
#include "commands/review_commands.h"
#include "support/fake_editing_ports.h"
#include "support/fake_ports.h"
#include "support/scripted_dialogs.h"

namespace tallowin {
namespace {

using testing::DialogKind;
using testing::FakeRegistry;
using testing::FakeSystem;
using testing::FixedWindow;
using testing::RecordingBroadcast;
using testing::RecordingPower;
using testing::ScriptedDialogs;

RegistryValue Sz(std::u16string_view text) { return TextToValue(kRegSz, text); }
RegistryValue ExpandSz(std::u16string_view text) { return TextToValue(kRegExpandSz, text); }

class LoadSaveTest : public ::testing::Test {
 protected:
  LoadSaveTest() {
    registry.Key(RootKey::LocalMachine, kSystemSubkey) = {
        {u"windir", ExpandSz(u"%SystemRoot%")},
        {u"Path", ExpandSz(u"C:\\A;C:\\B")},
        {u"OS", Sz(u"Windows_NT")},
    };
    registry.Key(RootKey::CurrentUser, kUserSubkey) = {{u"TEMP", ExpandSz(u"%USERPROFILE%\\Temp")}};
    broadcast.DialogCount = [this] { return dialogs.Shown.size(); };
    environment.Expansions[u"%LOCALAPPDATA%"] = u"C:\\Users\\me\\AppData\\Local";
  }

  std::u16string Described(std::uint32_t code) { return system.DescribeError(code); }

  FixedWindow window{ScreenRect{50, 40, 550, 540}};
  ScriptedDialogs dialogs;
  FakeSystem system;
  FakeRegistry registry;
  RecordingPower power;
  RecordingBroadcast broadcast;
  testing::MemoryFiles files;
  testing::FakeEnvironment environment;
  CommandPorts ports{.Dialogs = &dialogs, .Window = &window, .Registry = &registry, .System = &system,
                     .Power = &power, .Broadcast = &broadcast, .Files = &files, .Environment = &environment};
  MainModel model;
};

TEST_F(LoadSaveTest, StartUpLoadAsksNothingAndLinksPath) {
  model.Loading = true;
  EXPECT_EQ(FileLoadExecute(model, ports).StatusText, u"レジストリから環境変数を読み込みました。");
  EXPECT_TRUE(dialogs.Shown.empty());
  EXPECT_TRUE(dialogs.Sounds.empty());
  ASSERT_EQ(model.SysList.Count(), 3);
  EXPECT_EQ(model.SysList.At(0).Name, u"OS");  // name order
  EXPECT_EQ(model.UserList.Count(), 1);
  EXPECT_EQ(model.PathList, (std::vector<std::u16string>{u"C:\\A;", u"C:\\B;"}));
  EXPECT_EQ(model.PathIndex, 0);
  EXPECT_EQ(model.Edit1, u"C:\\A;C:\\B;");
  EXPECT_EQ(model.SysList.At(model.PathEntryIndex()).Data(), u"C:\\A;C:\\B;");
  EXPECT_EQ(model.CountText, u"2 項目");
}

TEST_F(LoadSaveTest, ASecondLoadReplacesEverythingTheFirstRead) {
  model.Loading = true;
  FileLoadExecute(model, ports);
  model.PathListClick(1);
  model.Loading = false;
  FileLoadExecute(model, ports);
  EXPECT_EQ(model.SysList.Count(), 3);
  EXPECT_EQ(model.UserList.Count(), 1);
  EXPECT_EQ(model.PathList, (std::vector<std::u16string>{u"C:\\A;", u"C:\\B;"}));
  EXPECT_EQ(model.PathIndex, 0);
  EXPECT_EQ(model.Edit2, u"C:\\A;");
}

TEST_F(LoadSaveTest, LoadAsksFirstAndCancelChangesNothing) {
  model.SysList.Add(VariableEntry::FromTexts(u"KEEP", u"REG_SZ", u"1"));
  model.PathList = {u"X;"};
  dialogs.Answers = {false};
  FileLoadExecute(model, ports);
  ASSERT_EQ(dialogs.Shown.size(), 1u);
  EXPECT_EQ(dialogs.Shown[0].Kind, DialogKind::Confirm);
  EXPECT_EQ(dialogs.Shown[0].Text, u"レジストリから読み込みます。\nよろしいですか？");
  EXPECT_EQ(dialogs.Shown[0].TopLeft, (ScreenPoint{180, 170}));
  EXPECT_EQ(dialogs.Sounds, std::vector<SystemSound>{SystemSound::Question});
  EXPECT_EQ(model.SysList.Count(), 1);
  EXPECT_EQ(model.PathList, std::vector<std::u16string>{u"X;"});
}

TEST_F(LoadSaveTest, PathInCapitalsIsLinkedAndNoPathKeepsThePathList) {
  registry.Key(RootKey::LocalMachine, kSystemSubkey) = {{u"PATH", ExpandSz(u"C:\\W")}};
  FileLoadExecute(model, ports);
  EXPECT_EQ(model.SysList.At(model.PathEntryIndex()).Name, u"PATH");
  EXPECT_EQ(model.PathList, std::vector<std::u16string>{u"C:\\W;"});

  registry.Key(RootKey::LocalMachine, kSystemSubkey) = {{u"OS", Sz(u"Windows_NT")}};
  FileLoadExecute(model, ports);
  EXPECT_FALSE(model.PathEntryIndex() >= 0);
  EXPECT_EQ(model.PathList, std::vector<std::u16string>{u"C:\\W;"});
  EXPECT_EQ(model.SysList.At(0).Data(), u"Windows_NT");  // nothing mirrored into another row
}

TEST_F(LoadSaveTest, LoadFailuresReportTheSystemsDescription) {
  // The user key missing: the lists and the Path list keep what they held,
  // though the system key was read.
  model.SysList.Add(VariableEntry::FromTexts(u"KEEP", u"REG_SZ", u"1"));
  model.PathList = {u"X;"};
  registry.Keys.erase({RootKey::CurrentUser, std::u16string(kUserSubkey)});
  EXPECT_EQ(FileLoadExecute(model, ports).StatusText, u"");  // panel 0 keeps its text
  EXPECT_EQ(model.SysList.Count(), 1);
  EXPECT_EQ(model.UserList.Count(), 0);
  EXPECT_EQ(model.PathList, std::vector<std::u16string>{u"X;"});
  ASSERT_EQ(dialogs.Shown.size(), 2u);
  EXPECT_EQ(dialogs.Shown[1].Kind, DialogKind::Inform);
  EXPECT_EQ(dialogs.Shown[1].Text, u"レジストリからの環境変数の読み込みに失敗しました。\n" + Described(FakeRegistry::kFileNotFound));
  EXPECT_EQ(dialogs.Shown[1].TopLeft, (ScreenPoint{150, 170}));
  EXPECT_EQ(dialogs.Sounds, (std::vector<SystemSound>{SystemSound::Question, SystemSound::Hand}));

  // The system key failing part-way: what was read is dropped, the User
  // list is not read.
  registry.ReadFailsAfter[{RootKey::LocalMachine, std::u16string(kSystemSubkey)}] = 1;
  dialogs.Shown.clear();
  FileLoadExecute(model, ports);
  EXPECT_EQ(model.SysList.Count(), 1);
  EXPECT_EQ(model.SysList.At(0).Name, u"KEEP");
  EXPECT_EQ(model.UserList.Count(), 0);
  ASSERT_EQ(dialogs.Shown.size(), 2u);
  EXPECT_EQ(dialogs.Shown[1].Text, u"レジストリからの環境変数の読み込みに失敗しました。\n" + Described(FakeRegistry::kAccessDenied));
}

TEST_F(LoadSaveTest, SaveWritesBothKeysAndOffersRestart) {
  model.Loading = true;
  FileLoadExecute(model, ports);
  model.UserList.Add(VariableEntry::FromTexts(u"NEW", u"REG_SZ", u"v"));
  dialogs.Answers = {true, true};
  const CommandOutcome saved = FileSaveExecute(model, ports);

  ASSERT_EQ(dialogs.Shown.size(), 3u);
  EXPECT_EQ(dialogs.Shown[0].Kind, DialogKind::Warn);
  EXPECT_EQ(dialogs.Shown[0].Text, u"レジストリに書き込みます。\nよろしいですか？");
  EXPECT_EQ(dialogs.Shown[0].TopLeft, (ScreenPoint{180, 170}));
  EXPECT_EQ(dialogs.Shown[1].Kind, DialogKind::Inform);
  EXPECT_EQ(dialogs.Shown[1].Text, u"レジストリへ環境変数を書き込みました。");
  EXPECT_EQ(dialogs.Shown[1].TopLeft, (ScreenPoint{180, 170}));
  EXPECT_EQ(dialogs.Shown[2].Kind, DialogKind::ConfirmCancelDefault);
  EXPECT_EQ(dialogs.Shown[2].Text, u"これらの変更を適用するには再起動する必要があります。\n今すぐ再起動しますか？");
  EXPECT_EQ(dialogs.Shown[2].TopLeft, (ScreenPoint{120, 170}));
  EXPECT_EQ(dialogs.Sounds, std::vector<SystemSound>{SystemSound::Exclamation});
  EXPECT_EQ(saved.StatusText, u"レジストリへ環境変数を書き込みました。");
  EXPECT_EQ(power.Actions, std::vector<std::uint32_t>{PS_REBOOT});
  // Running programs hear of the change once, after the warning and before
  // the report and the restart question.
  EXPECT_EQ(broadcast.AtDialog, std::vector<std::size_t>{1});

  // Unchanged values keep their exact bytes; Path is not given a ';' it never had.
  const auto& sys = registry.Key(RootKey::LocalMachine, kSystemSubkey);
  EXPECT_EQ(sys[1].second, ExpandSz(u"C:\\A;C:\\B"));
  EXPECT_EQ(registry.Key(RootKey::CurrentUser, kUserSubkey).back().second, Sz(u"v"));
}

// A standard user may not write the machine key: a Save of their own
// variables alone succeeds, since the machine key with nothing to change is
// not opened for writing; one that changes both keys writes neither.
TEST_F(LoadSaveTest, AStandardUserSavesTheirOwnVariables) {
  model.Loading = true;
  FileLoadExecute(model, ports);
  registry.ReadOnlyRoots = {RootKey::LocalMachine};
  model.UserList.SetData(0, u"mine");
  dialogs.Answers = {true, false};
  FileSaveExecute(model, ports);
  EXPECT_EQ(registry.Key(RootKey::CurrentUser, kUserSubkey)[0].second, ExpandSz(u"mine"));
  EXPECT_EQ(dialogs.Shown[1].Text, texts::kSaveDone);
  const auto machine = registry.Key(RootKey::LocalMachine, kSystemSubkey);
  model.SysList.SetData(0, u"machine");
  model.UserList.SetData(0, u"again");
  dialogs.Shown.clear();
  dialogs.Answers = {true};
  FileSaveExecute(model, ports);
  EXPECT_EQ(registry.Key(RootKey::CurrentUser, kUserSubkey)[0].second, ExpandSz(u"mine"));
  EXPECT_EQ(registry.Key(RootKey::LocalMachine, kSystemSubkey), machine);
  EXPECT_EQ(dialogs.Shown.back().Text,
            u"レジストリへ環境変数の書き込みに失敗しました。\n" + Described(FakeRegistry::kAccessDenied));
}

// Runs nothing: keeps the file it was handed, as it was when the program
// would have started, and ends as scripted.
class ScriptedElevation final : public ElevationPort {
 public:
  explicit ScriptedElevation(testing::MemoryFiles& files) : files_(files) {}
  ElevatedRun RunCommandLineElevated(std::u16string_view arguments) override {
    Arguments = arguments;
    const std::size_t open = arguments.find(u'"');
    Path = arguments.substr(open + 1, arguments.find(u'"', open + 1) - open - 1);
    Handed = files_.Files[Path];
    return End;
  }
  ElevatedRun End;
  std::u16string Arguments;
  std::u16string Path;
  std::vector<std::uint8_t> Handed;

 private:
  testing::MemoryFiles& files_;
};

// When the machine key refuses the user, Save asks and, on OK, hands the
// command line run as administrator a file of exactly the machine key's
// changes with its SHA-256 on the command line; the user key is written
// only when that run ended with 0, and a failure says what happened.
TEST_F(LoadSaveTest, TheMachineKeyIsHandedToTheCommandLineAsAdministrator) {
  using End = ElevatedRun::End;
  const std::u16string failed(texts::kSaveFailed);
  const struct {
    bool Agreed;
    ElevatedRun Run;
    std::u16string Report;
  } rows[] = {
      {true, {End::Ran, 0, 0}, std::u16string(texts::kSaveDone)},
      {true, {End::Ran, 4, 0}, failed + std::u16string(texts::kElevatedRunFailed) + u"4)"},
      {true, {End::NotFound, 0, 0}, failed + std::u16string(texts::kCommandLineNotFound)},
      {true, {End::Declined, 0, 0}, failed + std::u16string(texts::kElevationDeclined)},
      {true, {End::Failed, 0, 2}, failed + std::u16string(texts::kElevationNotStarted) + Described(2)},
      {false, {End::Ran, 0, 0}, failed + Described(FakeRegistry::kAccessDenied)},
  };
  environment.Expansions[u"%TMP%"] = u"C:\\Temp";
  ScriptedElevation elevation(files);
  ports.Elevation = &elevation;
  registry.ReadOnlyRoots = {RootKey::LocalMachine};
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    model = MainModel{};
    model.Loading = true;
    FileLoadExecute(model, ports);
    const auto machine = registry.Key(RootKey::LocalMachine, kSystemSubkey);
    const auto userBefore = registry.Key(RootKey::CurrentUser, kUserSubkey);
    model.SysList.SetData(0, u"machine");  // OS
    model.SysList.Delete(model.SysList.FindIgnoringCase(u"windir"));
    SetDeleteOnSave(model, {KeyScope::System, u"windir", ReviewKind::Remains, false, {}, {}, true}, true);
    model.UserList.SetData(0, u"mine");
    elevation.End = row.Run;
    elevation.Handed.clear();
    dialogs.Shown.clear();
    dialogs.Answers = {true, row.Agreed, false};
    FileSaveExecute(model, ports);
    EXPECT_EQ(dialogs.Shown[1].Text, texts::kWriteAsAdministrator);
    EXPECT_EQ(dialogs.Shown[2].Text, row.Report);
    EXPECT_EQ(registry.Key(RootKey::LocalMachine, kSystemSubkey), machine);
    const bool userWritten = row.Agreed && row.Run.How == End::Ran && row.Run.ExitCode == 0;
    EXPECT_EQ(registry.Key(RootKey::CurrentUser, kUserSubkey)[0].second,
              userWritten ? ExpandSz(u"mine") : userBefore[0].second);
    if (!row.Agreed) continue;
    EXPECT_EQ(elevation.Arguments, u"apply \"" + elevation.Path + u"\" --expect-sha256 " +
                                       Sha256Text(elevation.Handed) + u" --no-backup");
    EXPECT_TRUE(elevation.Path.starts_with(u"C:\\Temp\\"));
    EXPECT_EQ(files.Files.count(elevation.Path), 0u);  // removed afterwards
    const regfile::DeploymentFile handed = regfile::ReadDeploymentFile(elevation.Handed, {});
    EXPECT_FALSE(handed.HasUserSection);
    ASSERT_EQ(handed.System.size(), 2u);
    EXPECT_EQ(handed.System[0].Name, u"OS");
    EXPECT_EQ(handed.System[0].Value, Sz(u"machine"));
    EXPECT_EQ(handed.System[1].Name, u"windir");
    EXPECT_EQ(handed.System[1].Value, std::nullopt);
  }
  // Only a refusal of the user's rights is handed over.
  registry.ReadOnlyRoots.clear();
  registry.RefusedNames = {u"OS"};
  model.SysList.SetData(0, u"other");
  dialogs.Shown.clear();
  dialogs.Answers = {true};
  FileSaveExecute(model, ports);
  ASSERT_EQ(dialogs.Shown.size(), 2u);
  EXPECT_EQ(dialogs.Shown[1].Text, failed + Described(FakeRegistry::kInvalidParameter));
}

TEST_F(LoadSaveTest, SaveRefusedOrFailedOffersNoRestart) {
  model.Loading = true;
  FileLoadExecute(model, ports);

  dialogs.Answers = {false};
  FileSaveExecute(model, ports);
  EXPECT_EQ(registry.Writes, 0);
  EXPECT_EQ(dialogs.Shown.size(), 1u);

  // Save writes only what differs from the key. A refused system write: the
  // user key is not written, no restart is offered.
  dialogs.Shown.clear();
  registry.RefusedNames = {u"Path"};
  for (int row = 0; row < model.SysList.Count(); ++row) model.SysList.SetData(row, u"new");
  model.UserList.SetData(0, u"new");
  dialogs.Answers = {true};
  FileSaveExecute(model, ports);
  EXPECT_EQ(registry.Writes, 1);  // OS, the entry before Path
  ASSERT_EQ(dialogs.Shown.size(), 2u);
  EXPECT_EQ(dialogs.Shown[1].Text, u"レジストリへ環境変数の書き込みに失敗しました。\n" + Described(FakeRegistry::kInvalidParameter));
  EXPECT_EQ(dialogs.Shown[1].TopLeft, (ScreenPoint{150, 170}));
  EXPECT_TRUE(power.Actions.empty());
  EXPECT_TRUE(broadcast.AtDialog.empty());  // nothing to announce after a failure

  // A missing user key stops Save before the system key is written, also
  // when the user writes without the automatic backup, which could not
  // read the key either.
  registry.RefusedNames.clear();
  const FakeRegistry::Values userKey = registry.Key(RootKey::CurrentUser, kUserSubkey);
  registry.Keys.erase({RootKey::CurrentUser, std::u16string(kUserSubkey)});
  dialogs.Shown.clear();
  dialogs.Answers = {true, true};
  FileSaveExecute(model, ports);
  EXPECT_EQ(registry.Writes, 1);
  ASSERT_EQ(dialogs.Shown.size(), 3u);
  EXPECT_EQ(dialogs.Shown[2].Text, u"レジストリへ環境変数の書き込みに失敗しました。\n" + Described(FakeRegistry::kFileNotFound));
  registry.Key(RootKey::CurrentUser, kUserSubkey) = userKey;

  // Restart declined after a good save.
  dialogs.Shown.clear();
  dialogs.Answers = {true, false};
  FileSaveExecute(model, ports);
  EXPECT_EQ(dialogs.Shown.size(), 3u);
  EXPECT_TRUE(power.Actions.empty());
}

// Saving writes back what Load read, byte for byte, as long as the Path was
// only looked at, whatever it holds.
TEST_F(LoadSaveTest, AnUneditedPathIsSavedAsItWasRead) {
  for (const testing::OddPathValue& c : testing::OddPathValues()) {
    SCOPED_TRACE(c.Name);
    auto& path = registry.Key(RootKey::LocalMachine, kSystemSubkey)[1];
    ASSERT_EQ(path.first, u"Path");
    path.second = c.Value;
    MainModel loaded;
    loaded.Loading = true;
    FileLoadExecute(loaded, ports);
    loaded.PathListClick(loaded.PathLastIndex());
    loaded.ShowTab(Tab::System);
    path.second = ExpandSz(u"changed meanwhile");
    dialogs.Answers = {true, false};
    testing::ScriptedOutsideChanges overwrite(OutsideChangeAnswer::Overwrite);
    CommandPorts overwriting = ports;
    overwriting.OutsideChanges = &overwrite;
    FileSaveExecute(loaded, overwriting);
    EXPECT_EQ(path.second, c.Value);
  }
}

TEST_F(LoadSaveTest, AnEditedPathIsSavedAsEdited) {
  const auto saved = [this] {
    dialogs.Answers = {true, false};
    FileSaveExecute(model, ports);
    return registry.Key(RootKey::LocalMachine, kSystemSubkey)[1].second;
  };
  registry.Key(RootKey::LocalMachine, kSystemSubkey)[1].second = ExpandSz(u"C:\\A\r\nC:\\B");
  model.Loading = true;
  FileLoadExecute(model, ports);
  // The line break ends an item, which keeps its own ';' from then on.
  ASSERT_EQ(model.Edit1, u"C:\\A;C:\\B;");

  model.Edit1Change(u"C:\\A;C:\\B");
  EXPECT_EQ(saved(), ExpandSz(u"C:\\A;C:\\B"));
  // A Path list command: the new items, joined.
  model.SetPathValue(u"C:\\A;\r\nC:\\C;\r\n");
  model.RefreshPathView();
  EXPECT_EQ(saved(), ExpandSz(u"C:\\A;C:\\C;"));
}

}  // namespace
}  // namespace tallowin
