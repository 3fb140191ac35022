#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/texts.h"
#include "ports/system_ports.h"
#include "support/fake_ports.h"
#include "support/modal_dialog_driver.h"
#include "support/run_program.h"
#include "support/scripted_dialogs.h"
#include "support/standard_user.h"
#include "support/window_driver.h"
#include "ui/main_window.h"
#include "ui/resources/resource.h"
#include "win32/wide_text.h"

// The window's Save over the prefix's real keys while the machine key
// refuses this process, as it refuses a standard user on Windows.
namespace tallowin::testing {
namespace {

constexpr wchar_t kMachineKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr wchar_t kUserKey[] = L"Environment";
constexpr wchar_t kChanged[] = L"TallowinElevatedChanged";
constexpr wchar_t kGone[] = L"TallowinElevatedGone";
constexpr wchar_t kUserValue[] = L"TallowinStandardUserSave";

// The values the tests make, change and delete: nobody else's.
struct OwnValue {
  HKEY Root;
  const wchar_t* Subkey;
  const wchar_t* Name;
};
std::vector<OwnValue> OwnValues() {
  return {{HKEY_LOCAL_MACHINE, kMachineKey, kChanged},
          {HKEY_LOCAL_MACHINE, kMachineKey, kGone},
          {HKEY_CURRENT_USER, kUserKey, kUserValue}};
}

using Values = std::map<std::wstring, std::pair<DWORD, std::vector<BYTE>>>;

using Texts = std::vector<std::u16string_view>;

std::pair<DWORD, std::vector<BYTE>> Sz(const std::wstring& text) {
  const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
  return {REG_SZ, std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t))};
}

// Every value of a real key, with its type and bytes.
Values ValuesOf(HKEY root, const wchar_t* subkey) {
  Values values;
  win32::UniqueKey key;
  DWORD count = 0, longestName = 0, longestData = 0;
  if (::RegOpenKeyExW(root, subkey, 0, KEY_READ, key.put()) != ERROR_SUCCESS ||
      ::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                         &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
    ADD_FAILURE() << "the key could not be read";
    return values;
  }
  for (DWORD i = 0; i < count; ++i) {
    std::wstring name(longestName + 1, L'\0');
    std::vector<BYTE> data(longestData);
    DWORD nameLength = longestName + 1, type = 0, size = longestData;
    EXPECT_EQ(::RegEnumValueW(key.get(), i, name.data(), &nameLength, nullptr, &type, data.data(), &size),
              ERROR_SUCCESS);
    data.resize(size);
    values[name.substr(0, nameLength)] = {type, std::move(data)};
  }
  return values;
}

// The path of the command line built beside the tests.
std::wstring CommandLineProgram() {
  wchar_t self[MAX_PATH];
  const std::wstring path(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH));
  return path.substr(0, path.find_last_of(L'\\') + 1) + TALLOWIN_CLI_FROM_TESTS;
}

// In place of the consent dialog and the start as administrator: the real
// command line runs with the words it was given while the machine key is
// writable, as an administrator's run finds it; the key refuses every
// writer again once it has ended.
class WritableForTheRun : public ElevationPort {
 public:
  explicit WritableForTheRun(std::optional<MachineKeyReadOnly>& readOnly) : readOnly_(readOnly) {}
  ElevatedRun RunCommandLineElevated(std::u16string_view arguments) override {
    Arguments.emplace_back(arguments);
    readOnly_.reset();
    const std::optional<DWORD> exitCode = RunProgram(CommandLineProgram(), win32::ToWide(arguments));
    const DWORD error = ::GetLastError();
    readOnly_.emplace();
    if (!exitCode) return {ElevatedRun::End::Failed, 0, error};
    return {ElevatedRun::End::Ran, *exitCode, 0};
  }
  std::vector<std::u16string> Arguments;

 private:
  std::optional<MachineKeyReadOnly>& readOnly_;
};

// Values of its own in both keys, read by a real window over the real
// registry; the machine key read-only from then on. Serial: the keys and
// the machine key's access list are the prefix's own.
class StandardUserSaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const OwnValue& value : OwnValues()) {
      ASSERT_EQ(::RegSetKeyValueW(value.Root, value.Subkey, value.Name, REG_SZ, L"before", sizeof L"before"),
                ERROR_SUCCESS);
    }
    readOnly.emplace();
    machineBefore = ValuesOf(HKEY_LOCAL_MACHINE, kMachineKey);
    userBefore = ValuesOf(HKEY_CURRENT_USER, kUserKey);
    form = ui::TMainForm::Create(
        ::GetModuleHandleW(nullptr), SW_SHOWNORMAL,
        ui::PortOverrides{.Dialogs = &dialogs, .Power = &power, .Broadcast = &broadcast, .Elevation = &elevation});
    ASSERT_NE(form, nullptr);
    driver = std::make_unique<WindowDriver>(*form);
    driver->Pump();
  }

  void TearDown() override {
    driver.reset();
    form.reset();
    readOnly.reset();
    for (const OwnValue& value : OwnValues()) {
      const LSTATUS deleted = ::RegDeleteKeyValueW(value.Root, value.Subkey, value.Name);
      EXPECT_TRUE(deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND) << deleted;
    }
  }

  // Clicks the row of a name in a variable tab's list.
  void ClickRow(int listId, const wchar_t* name) {
    const HWND list = form->Control(listId);
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
      wchar_t text[256] = {};
      ListView_GetItemText(list, row, 0, text, 256);
      if (std::wstring(text) != name) continue;
      ListView_EnsureVisible(list, row, FALSE);
      RECT place{};
      ListView_GetItemRect(list, row, &place, LVIR_BOUNDS);
      driver->Click(list, POINT{place.left + 20, (place.top + place.bottom) / 2});
      return;
    }
    ADD_FAILURE() << "no row for the name";
  }
  // Gives a row new data with the Replace button.
  void Replace(int tab, int listId, int dataId, const wchar_t* name, const wchar_t* data) {
    driver->SelectTab(tab);
    ClickRow(listId, name);
    ::SetWindowTextW(form->Control(dataId), data);
    driver->Click(form->Control(IDM_EDIT_REPLASE_BTN));
  }
  void ReplaceUserValue() { Replace(2, IDC_USER_LIST_VIEW, IDC_USER_KEY_DATA_EDIT, kUserValue, L"after"); }
  // Saves with the answers given in order, and dialogs.Shown then holds
  // what that Save showed.
  void Save(std::deque<bool> answers) {
    dialogs.Shown.clear();
    dialogs.Answers = std::move(answers);
    driver->Key('W', true);
  }
  Texts TextsShown() const {
    Texts shown;
    for (const ShownDialog& dialog : dialogs.Shown) shown.push_back(dialog.Text);
    return shown;
  }

  std::optional<MachineKeyReadOnly> readOnly;
  Values machineBefore;
  Values userBefore;
  ScriptedDialogs dialogs;
  RecordingPower power;
  RecordingBroadcast broadcast;
  WritableForTheRun elevation{readOnly};
  std::unique_ptr<ui::TMainForm> form;
  std::unique_ptr<WindowDriver> driver;
};

// Save writes only what differs from the keys: a user-only change never
// opens the machine key, so it needs no administrator.
TEST_F(StandardUserSaveTest, AUserOnlyChangeIsSavedWithoutTheMachineKey) {
  ReplaceUserValue();
  Save({true, false});  // write; restart later
  EXPECT_EQ(TextsShown(), (Texts{texts::kSaveWarning, texts::kSaveDone, texts::kRestartQuestion}));
  EXPECT_TRUE(elevation.Arguments.empty());
  EXPECT_EQ(ValuesOf(HKEY_LOCAL_MACHINE, kMachineKey), machineBefore);
  Values user = userBefore;
  user[kUserValue] = Sz(L"after");
  EXPECT_EQ(ValuesOf(HKEY_CURRENT_USER, kUserKey), user);
}

// キャンセル to "write as administrator?": Save fails as the refusal left
// it, and the user key keeps its value too.
TEST_F(StandardUserSaveTest, CancelledHandOffChangesNeitherKey) {
  Replace(1, IDC_SYS_LIST_VIEW, IDC_SYS_KEY_DATA_EDIT, kChanged, L"after");
  ReplaceUserValue();
  Save({true, false});  // write; キャンセル
  ASSERT_EQ(dialogs.Shown.size(), 3u);
  EXPECT_EQ(dialogs.Shown[1].Kind, DialogKind::WarnCancelDefault);
  const std::u16string refused =
      std::u16string(texts::kSaveFailed) + ports::Win32System().DescribeError(ERROR_ACCESS_DENIED);
  EXPECT_EQ(TextsShown(), (Texts{texts::kSaveWarning, texts::kWriteAsAdministrator, refused}));
  EXPECT_TRUE(elevation.Arguments.empty());
  EXPECT_EQ(ValuesOf(HKEY_LOCAL_MACHINE, kMachineKey), machineBefore);
  EXPECT_EQ(ValuesOf(HKEY_CURRENT_USER, kUserKey), userBefore);
}

// OK: the command line run as administrator makes the machine key's change
// and deletion, exactly those, from a file it is handed and that is gone
// afterwards; the window writes the user key itself.
TEST_F(StandardUserSaveTest, HandOffWritesExactlyTheMachineChangesThenTheUserKey) {
  Replace(1, IDC_SYS_LIST_VIEW, IDC_SYS_KEY_DATA_EDIT, kChanged, L"after");
  ClickRow(IDC_SYS_LIST_VIEW, kGone);
  driver->Click(form->Control(IDM_EDIT_DELETE_BTN));
  ReplaceUserValue();
  ModalDialogDriver review({[](HWND dialog) {
    const HWND list = ::GetDlgItem(dialog, IDC_REVIEW_LIST);
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
      wchar_t name[256] = {};
      ListView_GetItemText(list, row, 2, name, 256);
      if (std::wstring(name) == kGone) ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
    }
    ::SendMessageW(::GetDlgItem(dialog, IDC_REVIEW_DELETE), BM_CLICK, 0, 0);
    ClickButton(dialog, IDOK);
  }});
  driver->Key('D', true);
  ASSERT_EQ(review.Seen().size(), 1u);

  Save({true, true, false});  // write; as administrator; restart later
  EXPECT_EQ(TextsShown(),
            (Texts{texts::kSaveWarning, texts::kWriteAsAdministrator, texts::kSaveDone, texts::kRestartQuestion}));
  ASSERT_EQ(elevation.Arguments.size(), 1u);
  const std::u16string& words = elevation.Arguments[0];
  const std::size_t fileEnd = words.find(u'"', 7);
  ASSERT_TRUE(words.starts_with(u"apply \"") && fileEnd != std::u16string::npos) << win32::ToWide(words);
  EXPECT_EQ(::GetFileAttributesW(win32::ToWide(words.substr(7, fileEnd - 7)).c_str()), INVALID_FILE_ATTRIBUTES);
  Values machine = machineBefore;
  machine[kChanged] = Sz(L"after");
  machine.erase(kGone);
  EXPECT_EQ(ValuesOf(HKEY_LOCAL_MACHINE, kMachineKey), machine);
  Values user = userBefore;
  user[kUserValue] = Sz(L"after");
  EXPECT_EQ(ValuesOf(HKEY_CURRENT_USER, kUserKey), user);
}

}  // namespace
}  // namespace tallowin::testing
