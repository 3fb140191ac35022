#include "ui/ports/file_pickers.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "model/texts.h"
#include "win32/wide_text.h"

namespace tallowin::ports {

using win32::ToWide;
namespace {

// The file-name field of the Explorer-style dialogs (cmb13) and of the old
// style (edt1).
constexpr int kFileNameCombo = 0x47c;
constexpr int kFileNameEdit = 0x480;

std::wstring TextOf(HWND window) {
  wchar_t buffer[1024] = {};
  const int length = ::GetWindowTextW(window, buffer, 1024);
  return std::wstring(buffer, static_cast<std::size_t>(std::max(length, 0)));
}

BOOL CALLBACK FindShownDialog(HWND window, LPARAM found) {
  wchar_t className[16] = {};
  ::GetClassNameW(window, className, 16);
  if (std::wstring(className) == L"#32770" && ::IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

HWND FileNameField(HWND dialog) {
  const HWND combo = ::GetDlgItem(dialog, kFileNameCombo);
  return combo != nullptr ? combo : ::GetDlgItem(dialog, kFileNameEdit);
}

// What a tick of the timer saw and does: the dialogs shown one after the
// other (the file dialog, then perhaps its overwrite question), each with its
// caption and file-name field, answered in turn.
struct Step {
  std::function<void(HWND)> Answer;
};

struct Driver {
  std::vector<Step> Steps;
  std::vector<std::wstring> Captions;
  std::vector<std::wstring> FileNames;
  HWND LastAnswered = nullptr;
  bool Overrun = false;
};

Driver* currentDriver = nullptr;

// Runs inside the dialog's modal loop. Each dialog is answered once; a
// dialog that is still there when no step is left is cancelled so that the
// test ends.
void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
  Driver* driver = currentDriver;
  HWND dialog = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&dialog));
  if (driver == nullptr || dialog == nullptr || dialog == driver->LastAnswered) return;
  const std::size_t index = driver->Captions.size();
  driver->Captions.push_back(TextOf(dialog));
  const HWND field = FileNameField(dialog);
  driver->FileNames.push_back(field != nullptr ? TextOf(field) : std::wstring());
  driver->LastAnswered = dialog;
  if (index < driver->Steps.size()) {
    driver->Steps[index].Answer(dialog);
  } else {
    driver->Overrun = true;
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  }
}

template <typename Show>
auto Drive(Driver& driver, Show&& show) {
  currentDriver = &driver;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, OnTick);
  EXPECT_NE(timer, 0u);
  auto result = show();
  ::KillTimer(nullptr, timer);
  currentDriver = nullptr;
  EXPECT_FALSE(driver.Overrun) << "a dialog was left that the test did not expect";
  return result;
}

Step TypeAndAccept(std::wstring name) {
  return {[name](HWND dialog) {
    ::SetWindowTextW(FileNameField(dialog), name.c_str());
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
  }};
}

Step Press(int button) {
  return {[button](HWND dialog) { ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }};
}

class ScratchFile {
 public:
  explicit ScratchFile(const wchar_t* name) {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    path_ = std::wstring(temp, length) + name;
    ::DeleteFileW(path_.c_str());
  }
  ~ScratchFile() { ::DeleteFileW(path_.c_str()); }
  const std::wstring& Path() const { return path_; }
  void Create() const {
    const HANDLE file =
        ::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);
  }

 private:
  std::wstring path_;
};

const std::wstring kInitialName = ToWide(texts::kDefaultFileName);

TEST(FilePickers, SaveDialogShowsTitleAndNameAndAddsTheExtension) {
  ScratchFile chosen(L"tallowin-picked.reg");
  const std::wstring typed = chosen.Path().substr(0, chosen.Path().size() - 4);
  Win32FilePickers pickers(nullptr);
  Driver driver;
  driver.Steps = {TypeAndAccept(typed)};
  const auto picked = Drive(driver, [&] { return pickers.PickFileToSave(texts::kBackupTitle); });
  ASSERT_TRUE(picked.has_value());
  EXPECT_EQ(ToWide(*picked), chosen.Path());
  EXPECT_EQ(driver.Captions, std::vector<std::wstring>{ToWide(texts::kBackupTitle)});
  EXPECT_EQ(driver.FileNames, std::vector<std::wstring>{kInitialName});
}

TEST(FilePickers, SaveDialogAsksBeforeReplacingAFile) {
  ScratchFile existing(L"tallowin-existing.reg");
  existing.Create();
  Win32FilePickers pickers(nullptr);
  const struct {
    const char* Name;
    int Answer;
    bool Picked;
  } cases[] = {{"replace", IDYES, true}, {"keep", IDNO, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Driver driver;
    // After "no" the file dialog stays open: cancel it.
    driver.Steps = {TypeAndAccept(existing.Path()), Press(c.Answer)};
    if (!c.Picked) driver.Steps.push_back(Press(IDCANCEL));
    const auto picked = Drive(driver, [&] { return pickers.PickFileToSave(texts::kExportTitle); });
    EXPECT_EQ(picked.has_value(), c.Picked);
    if (picked) {
      EXPECT_EQ(ToWide(*picked), existing.Path());
    }
    ASSERT_GE(driver.Captions.size(), 2u);
    EXPECT_EQ(driver.Captions[0], ToWide(texts::kExportTitle));
  }
}

TEST(FilePickers, OpenDialogReturnsAnExistingFileOrNothingOnCancel) {
  ScratchFile existing(L"tallowin-to-open.reg");
  existing.Create();
  Win32FilePickers pickers(nullptr);

  Driver accept;
  accept.Steps = {TypeAndAccept(existing.Path())};
  const auto picked = Drive(accept, [&] { return pickers.PickFileToOpen(texts::kImportTitle); });
  ASSERT_TRUE(picked.has_value());
  EXPECT_EQ(ToWide(*picked), existing.Path());
  EXPECT_EQ(accept.Captions, std::vector<std::wstring>{ToWide(texts::kImportTitle)});
  EXPECT_EQ(accept.FileNames, std::vector<std::wstring>{kInitialName});

  Driver cancel;
  cancel.Steps = {Press(IDCANCEL)};
  EXPECT_FALSE(Drive(cancel, [&] { return pickers.PickFileToOpen(texts::kImportTitle); }).has_value());
}

}  // namespace
}  // namespace tallowin::ports
