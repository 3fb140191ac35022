// The program's start: the window is handed over as soon as it is shown,
// while a thread of its own reads the keys; input waits for the reading.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include "main_window_fixture.h"
#include "ui/main_window.h"
#include "ui/resources/resource.h"

namespace tallowin::testing {
namespace {

// A registry whose keys cannot be read until the test opens the gate.
class GatedRegistry : public FakeRegistry {
 public:
  void Open() { gate_.set_value(); }
  PortResult ReadKeyToList(RootKey root, std::u16string_view subkey, EditList& list) override {
    opened_.wait();
    return FakeRegistry::ReadKeyToList(root, subkey, list);
  }

 private:
  std::promise<void> gate_;
  std::shared_future<void> opened_ = gate_.get_future().share();
};

class StartReadingTest : public MainWindowTest {
 protected:
  void SetUp() override { gated.Keys = registry.Keys; }
  // The window, and with it the reading thread, ends before the gated
  // registry it reads.
  void TearDown() override {
    if (!opened) gated.Open();
    driver.reset();
    form.reset();
  }

  void StartReadingBeside() {
    form = ui::TMainForm::Create(::GetModuleHandleW(nullptr), SW_SHOWNORMAL,
                                 ui::PortOverrides{.Dialogs = &dialogs, .Registry = &gated, .Power = &power},
                                 ui::StartReading::InBackground);
    ASSERT_NE(form, nullptr);
    driver = std::make_unique<WindowDriver>(*form);
    driver->Pump();
  }
  void Open() {
    gated.Open();
    opened = true;
  }

  GatedRegistry gated;
  bool opened = false;
};

TEST_F(StartReadingTest, TheWindowAnswersWhileReadingAndInputWaitsForTheKeys) {
  StartReadingBeside();
  EXPECT_TRUE(::IsWindowVisible(form->Handle()));
  EXPECT_EQ(driver->StatusText(0), u"読み込み中...");
  EXPECT_EQ(Text(Control(IDC_EDIT1)), u"");
  // Hovering is no input that needs the keys: its hint shows meanwhile.
  driver->Hover(Control(IDM_EDIT_ADD_BTN));
  EXPECT_NE(driver->StatusText(0), u"読み込み中...");
  EXPECT_EQ(form->Model().SysList.Count(), 0);

  // Ctrl+Tab given while the keys are still being read is handled with
  // them read: the gate opens only once the key is on its way.
  std::thread opener([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    Open();
  });
  driver->Key(VK_TAB, true);
  opener.join();
  EXPECT_EQ(TabShown(), 1);
  EXPECT_EQ(::SendMessageW(Control(IDC_SYS_LIST_VIEW), LVM_GETITEMCOUNT, 0, 0), 4);
  EXPECT_EQ(driver->StatusText(1), u"4 項目");
  EXPECT_EQ(form->Model().UserList.Count(), 2);
  driver->Key(VK_TAB, true, false, true);
  EXPECT_EQ(Text(Control(IDC_EDIT1)), u"C:\\A;C:\\B;C:\\C;");
  EXPECT_TRUE(dialogs.Shown.empty());
}

TEST_F(StartReadingTest, TheKeysShowOnceReadWithoutAnyInput) {
  Open();
  StartReadingBeside();
  // The reading thread posts its end: wait for posted messages, no input.
  for (int wait = 0; wait < 100 && form->Model().SysList.Count() == 0; ++wait) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_POSTMESSAGE);
    driver->Pump();
  }
  EXPECT_EQ(Text(Control(IDC_EDIT1)), u"C:\\A;C:\\B;C:\\C;");
  EXPECT_EQ(driver->StatusText(0), u"レジストリから環境変数を読み込みました。");
  EXPECT_EQ(driver->StatusText(1), u"3 項目");
}

TEST_F(StartReadingTest, AReadingThatFailsIsReportedAtTheFirstInput) {
  gated.ReadFailsAfter[{RootKey::CurrentUser, std::u16string(kUserSubkey)}] = 1;
  Open();
  StartReadingBeside();
  driver->Key(VK_SHIFT);
  ASSERT_EQ(dialogs.Shown.size(), 1u);
  EXPECT_EQ(dialogs.Shown[0].Text.rfind(u"レジストリからの環境変数の読み込みに失敗しました。\n", 0), 0u);
  EXPECT_EQ(driver->StatusText(0), u"");  // not left saying it reads
  EXPECT_EQ(form->Model().SysList.Count(), 0);
  EXPECT_EQ(Text(Control(IDC_EDIT1)), u"");
}

}  // namespace
}  // namespace tallowin::testing
