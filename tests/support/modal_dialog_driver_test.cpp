#include "support/modal_dialog_driver.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

// The driver stands between a dialog test and a hang or a silent pass:
// these check that it hands each dialog to the right step, and that it
// reports, and closes, what the test did not ask for.
namespace tallowin::testing {
namespace {

// The failures a block reports, caught here instead of failing this test.
template <typename Block>
std::vector<std::string> FailuresOf(Block&& block) {
  ::testing::TestPartResultArray results;
  {
    const ::testing::ScopedFakeTestPartResultReporter reporter(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
    block();
  }
  std::vector<std::string> messages;
  for (int i = 0; i < results.size(); ++i) messages.push_back(results.GetTestPartResult(i).message());
  return messages;
}

int ShowBox(const wchar_t* caption, UINT style = MB_OKCANCEL, HWND owner = nullptr) {
  return ::MessageBoxW(owner, L"text", caption, style);
}

TEST(ModalDialogDriver, ReportsAndClosesWhatTheTestDidNotAskFor) {
  const struct {
    const char* Name;
    std::vector<DialogStep> Steps;
    bool Shown;
    const char* Failure;
  } cases[] = {
      {"no step for the dialog", {}, true, "a dialog the test did not expect: \"box\""},
      {"a step that does not answer", {DialogStep([](HWND) {})}, true, "\"box\" ignored the answer of step 0"},
      {"a click on a disabled button",
       {DialogStep([](HWND dialog) {
         ::EnableWindow(::GetDlgItem(dialog, IDOK), FALSE);
         ClickButton(dialog, IDOK);
       })},
       true, "button 1 is hidden or disabled"},
      {"a label no button has", {Click(u"Abort")}, true, "no visible button with that label"},
      {"a step no dialog came for", {Click(IDOK)}, false, "1 dialog(s) expected, 0 shown"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    int answer = -1;
    const std::vector<std::string> failures = FailuresOf([&] {
      ModalDialogDriver driver(c.Steps);
      if (c.Shown) answer = ShowBox(L"box");
    });
    ASSERT_FALSE(failures.empty());
    EXPECT_NE(failures[0].find(c.Failure), std::string::npos) << failures[0];
    // Closed with no choice made, so that the test goes on.
    if (c.Shown) {
      EXPECT_EQ(answer, 0);
    }
  }
}

TEST(ModalDialogDriver, HandsEachDialogInChargeToTheNextStep) {
  // A box opened from a step, and so inside the first box's loop, is the
  // next step's; the first box is in charge again once it has closed.
  int inner = -1;
  int outer = -1;
  std::vector<std::string> failures = FailuresOf([&] {
    ModalDialogDriver driver({DialogStep([&](HWND dialog) {
                                inner = ShowBox(L"inner", MB_OKCANCEL, dialog);
                                // Found by its label as shown, access key or not.
                                ::SetDlgItemTextW(dialog, IDCANCEL, L"&Later");
                                ClickButton(dialog, u"Later");
                              }),
                              Click(IDOK)});
    outer = ShowBox(L"outer");
    ASSERT_EQ(driver.Seen().size(), 2u);
    EXPECT_EQ(driver.Seen()[0].Caption, u"outer");
    EXPECT_EQ(driver.Seen()[1].Caption, u"inner");
    EXPECT_EQ(driver.Seen()[1].Owner, driver.Seen()[0].Handle);
    EXPECT_FALSE(driver.Seen()[1].OwnerEnabled);
  });
  EXPECT_EQ(failures, std::vector<std::string>{});
  EXPECT_EQ(inner, IDOK);
  EXPECT_EQ(outer, IDCANCEL);

  // A step meant for the dialog that the step before left open.
  int answer = -1;
  failures = FailuresOf([&] {
    ModalDialogDriver driver({DialogStep([](HWND) {}), OnSameDialog(Click(IDNO))});
    answer = ShowBox(L"box", MB_YESNO);
  });
  EXPECT_EQ(failures, std::vector<std::string>{});
  EXPECT_EQ(answer, IDNO);
}

TEST(ModalDialogDriver, KeysGoToTheDefaultButtonWhenTheDialogHasNoFocus) {
  // As when another program holds the focus.
  const auto withoutFocus = [](WPARAM key) {
    return DialogStep([key](HWND dialog) {
      ::SetFocus(nullptr);
      PressKey(dialog, key);
    });
  };
  const struct {
    UINT Style;
    WPARAM Key;
    int Answer;
  } cases[] = {
      {MB_YESNOCANCEL | MB_DEFBUTTON2, VK_RETURN, IDNO},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, VK_RETURN, IDCANCEL},
      {MB_OKCANCEL | MB_DEFBUTTON1, VK_ESCAPE, IDCANCEL},
  };
  for (const auto& c : cases) {
    for (const bool focused : {true, false}) {
      SCOPED_TRACE(::testing::Message() << c.Answer << (focused ? " focused" : " without focus"));
      ModalDialogDriver driver({focused ? Press(c.Key) : withoutFocus(c.Key)});
      EXPECT_EQ(ShowBox(L"box", c.Style), c.Answer);
    }
  }
}

}  // namespace
}  // namespace tallowin::testing
