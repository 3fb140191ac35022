#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "commands/file_commands.h"
#include "model/value_text.h"
#include "support/failing_allocator.h"
#include "support/fake_ports.h"
#include "support/scripted_dialogs.h"

// Every allocation an import makes is made to fail in turn.
namespace tallowin {
namespace {

using testing::AllocationFailed;
using testing::CancelAllocationFailure;
using testing::DialogKind;
using testing::FakeSystem;
using testing::FixedWindow;
using testing::MemoryFiles;
using testing::PlanAllocationFailure;
using testing::ScriptedDialogs;
using testing::ScriptedPickers;

// The dialogs come after the import has succeeded or failed: what they
// allocate is no longer the import's.
class UnplannedDialogs : public ScriptedDialogs {
 public:
  void Inform(std::u16string_view text, ScreenPoint topLeft) override {
    CancelAllocationFailure();
    ScriptedDialogs::Inform(text, topLeft);
  }
  void Beep(SystemSound sound) override {
    CancelAllocationFailure();
    ScriptedDialogs::Beep(sound);
  }
};

std::vector<std::uint8_t> Utf16File(std::u16string_view text) {
  std::vector<std::uint8_t> bytes{0xff, 0xfe};
  const std::vector<std::uint8_t> body = Utf16LeBytes(text);
  bytes.insert(bytes.end(), body.begin(), body.end());
  return bytes;
}

std::vector<std::uint8_t> AnsiFile(std::string_view text) { return {text.begin(), text.end()}; }

// Everything of the model an import could change.
struct Snapshot {
  std::vector<VariableEntry> System;
  std::vector<VariableEntry> User;
  std::vector<std::u16string> PathList;
  std::u16string Edit1;
  std::u16string Edit2;
  std::optional<EntryId> PathEntry;
  int PathIndex;
  int PathLastIndex;
  std::u16string CountText;
  std::vector<RegistryValue> Written;  // what Save would write, Path included
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const MainModel& model) {
  Snapshot snapshot{{}, {}, model.PathList, model.Edit1, model.Edit2, model.PathEntry,
                    model.PathIndex, model.PathLastIndex(), model.CountText, {}};
  for (int i = 0; i < model.SysList.Count(); ++i) snapshot.System.push_back(model.SysList.At(i));
  for (NamedValue& value : model.ValuesToWrite(model.SysList)) snapshot.Written.push_back(std::move(value.Value));
  for (int i = 0; i < model.UserList.Count(); ++i) snapshot.User.push_back(model.UserList.At(i));
  return snapshot;
}

MainModel ModelBeforeImport() {
  MainModel model;
  model.SysList.Add(VariableEntry::FromValue(u"OS", TextToValue(kRegSz, u"Windows_NT")));
  model.SysList.Add(VariableEntry::FromValue(u"Path", TextToValue(kRegExpandSz, u"C:\\Old\r\nC:\\Older")));
  model.UserList.Add(VariableEntry::FromValue(u"TEMP", TextToValue(kRegExpandSz, u"%USERPROFILE%\\Temp")));
  model.LinkPathEntry(model.SysList.FindIgnoringCase(u"Path"));
  model.RefreshPathView();
  model.PathListClick(1);
  return model;
}

TEST(ImportOutOfMemory, EveryFailedAllocationLeavesTheModelAsItWas) {
  const struct {
    const char* Name;
    std::vector<std::uint8_t> File;
    std::u16string Report;
  } cases[] = {
      {"version 5", Utf16File(u"Windows Registry Editor Version 5.00\r\n\r\n"
                              u"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment]\r\n"
                              u"\"ComSpec\"=\"C:\\\\Windows\\\\cmd.exe\"\r\n"
                              u"\"Path\"=hex(2):43,00,3a,00,5c,00,58,00,3b,00,\\\r\n  00,00\r\n\r\n"
                              u"[HKEY_CURRENT_USER\\Environment]\r\n\"A\"=\"1\"\r\n"),
       u"編集リストへインスポートしました。\nシステム環境変数 ： 2 項目\nユーザー環境変数 ： 1 項目\n"},
      // The ANSI text is decoded by the file system port.
      {"REGEDIT4 without a Path", AnsiFile("REGEDIT4\r\n\r\n"
                                           "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session "
                                           "Manager\\Environment]\r\n\"OS\"=\"Windows_NT\"\r\n"),
       u"編集リストへインスポートしました。\nシステム環境変数 ： 2 項目\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    for (long failing = 1;; ++failing) {
      SCOPED_TRACE(::testing::Message() << "allocation " << failing << " fails");
      MainModel model = ModelBeforeImport();
      const Snapshot before = Take(model);
      FixedWindow window{ScreenRect{200, 100, 900, 700}};
      UnplannedDialogs dialogs;
      FakeSystem system;
      ScriptedPickers pickers;
      pickers.Answers = {u"in.reg"};
      MemoryFiles files;
      files.Files[u"in.reg"] = c.File;
      const CommandPorts ports{
          .Dialogs = &dialogs, .Window = &window, .System = &system, .Pickers = &pickers, .Files = &files};

      PlanAllocationFailure(failing);
      FileImportExecute(model, ports);
      CancelAllocationFailure();

      ASSERT_EQ(dialogs.Shown.size(), 1u);
      if (!AllocationFailed()) {
        EXPECT_EQ(dialogs.Shown[0].Text, c.Report);
        EXPECT_FALSE(Take(model) == before);
        // Reading, parsing and building the lists allocate many times over;
        // fewer failures would mean the failing allocator was not in place.
        EXPECT_GT(failing, 20);
        break;
      }
      EXPECT_EQ(dialogs.Shown[0].Text, u"編集リストへのインスポートに失敗しました。\n" + system.DescribeError(8));
      EXPECT_EQ(dialogs.Shown[0].TopLeft, (ScreenPoint{300, 230}));
      EXPECT_EQ(dialogs.Sounds, std::vector<SystemSound>{SystemSound::Hand});
      EXPECT_TRUE(Take(model) == before);
      if (::testing::Test::HasFailure()) break;
    }
  }
}

}  // namespace
}  // namespace tallowin
