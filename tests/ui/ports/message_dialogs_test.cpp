#include "ui/ports/message_dialogs.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "support/modal_dialog_driver.h"

namespace tallowin::ports {

using testing::DialogSnapshot;
using testing::ModalDialogDriver;
using testing::Click;
using testing::Press;
namespace {

enum class Answer { ClickOk, ClickCancel, PressEnter, PressEscape };

testing::DialogStep StepFor(Answer answer) {
  switch (answer) {
    case Answer::ClickOk:
      return Click(IDOK);
    case Answer::ClickCancel:
      return Click(IDCANCEL);
    case Answer::PressEnter:
      return Press(VK_RETURN);
    case Answer::PressEscape:
      break;
  }
  return Press(VK_ESCAPE);
}

// Shows a dialog while the driver reads it and gives the answer.
template <typename Show>
DialogSnapshot Drive(Answer answer, Show&& show) {
  ModalDialogDriver driver({StepFor(answer)});
  show();
  return driver.Dialog(0);
}

enum class Kind { Confirm, Warn };

class OwnerWindow {
 public:
  OwnerWindow()
      : window_(::CreateWindowExW(0, L"Static", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, 400, 300, nullptr,
                                  nullptr, nullptr, nullptr)) {}
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  ~OwnerWindow() { ::DestroyWindow(window_); }
  HWND get() const { return window_; }

 private:
  HWND window_;
};

TEST(MessageDialogs, QuestionsShowTheirCaptionIconAndButtonsAtThePointAndReturnTheAnswer) {
  OwnerWindow owner;
  ASSERT_NE(owner.get(), nullptr);
  const HICON question = ::LoadIconW(nullptr, IDI_QUESTION);
  const HICON exclamation = ::LoadIconW(nullptr, IDI_EXCLAMATION);
  ASSERT_NE(question, nullptr);
  ASSERT_NE(exclamation, nullptr);
  const struct {
    Kind Which;
    HWND Owner;
    ScreenPoint At;
    Answer Reply;
    bool Result;
  } cases[] = {
      {Kind::Confirm, owner.get(), {430, 330}, Answer::ClickOk, true},
      {Kind::Confirm, owner.get(), {370, 330}, Answer::ClickCancel, false},
      {Kind::Confirm, nullptr, {0, 0}, Answer::PressEnter, true},
      {Kind::Confirm, nullptr, {17, 901}, Answer::PressEscape, false},
      {Kind::Warn, owner.get(), {430, 330}, Answer::PressEnter, true},
      {Kind::Warn, owner.get(), {400, 330}, Answer::PressEscape, false},
      {Kind::Warn, nullptr, {-20, 5}, Answer::ClickCancel, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.Which == Kind::Confirm ? "confirm" : "warn") << " at " << c.At.X << ","
                                      << c.At.Y << " answer " << static_cast<int>(c.Reply));
    Win32MessageDialogs dialogs(c.Owner);
    const std::u16string_view text = u"レジストリから読み込みます。\nよろしいですか？";
    bool result = !c.Result;
    const DialogSnapshot seen = Drive(
        c.Reply, [&] { result = c.Which == Kind::Confirm ? dialogs.Confirm(text, c.At) : dialogs.Warn(text, c.At); });
    EXPECT_EQ(result, c.Result);
    EXPECT_EQ(seen.Caption, c.Which == Kind::Confirm ? u"確認" : u"警告");
    EXPECT_EQ(seen.Texts(), std::vector<std::u16string>{std::u16string(text)});
    EXPECT_EQ(seen.Buttons(), (std::vector<std::u16string>{u"OK", u"キャンセル"}));
    EXPECT_EQ(seen.DefaultButton, IDOK);
    EXPECT_EQ(seen.TopLeft().x, c.At.X);
    EXPECT_EQ(seen.TopLeft().y, c.At.Y);
    EXPECT_EQ(seen.Icon, c.Which == Kind::Confirm ? question : exclamation);
    EXPECT_EQ(seen.Owner, c.Owner);
    // The owner is disabled while the box is shown, and enabled again after.
    EXPECT_FALSE(seen.OwnerEnabled);
    if (c.Owner != nullptr) {
      EXPECT_TRUE(::IsWindowEnabled(c.Owner));
    }
  }
}

// The warning and the question whose OK goes on at a risk: Enter cancels.
TEST(MessageDialogs, ACautiousWarningOrQuestionHasCancelAsItsDefault) {
  OwnerWindow owner;
  const HICON exclamation = ::LoadIconW(nullptr, IDI_EXCLAMATION);
  const HICON question = ::LoadIconW(nullptr, IDI_QUESTION);
  const struct {
    Answer Reply;
    bool Result;
  } cases[] = {
      {Answer::PressEnter, false},
      {Answer::PressEscape, false},
      {Answer::ClickCancel, false},
      {Answer::ClickOk, true},
  };
  for (const bool asks : {false, true})
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << static_cast<int>(c.Reply) << (asks ? " question" : " warning"));
    Win32MessageDialogs dialogs(owner.get());
    const std::u16string_view text = u"自動バックアップを作成できませんでした。\nアクセスが拒否されました。\n書き込みを続けますか？";
    bool result = !c.Result;
    const DialogSnapshot seen = Drive(c.Reply, [&] {
      result = asks ? dialogs.ConfirmCancelDefault(text, ScreenPoint{410, 320})
                    : dialogs.WarnCancelDefault(text, ScreenPoint{410, 320});
    });
    EXPECT_EQ(result, c.Result);
    EXPECT_EQ(seen.Caption, asks ? u"確認" : u"警告");
    EXPECT_EQ(seen.Texts(), std::vector<std::u16string>{std::u16string(text)});
    EXPECT_EQ(seen.Buttons(), (std::vector<std::u16string>{u"OK", u"キャンセル"}));
    EXPECT_EQ(seen.DefaultButton, IDCANCEL);
    EXPECT_EQ(seen.Icon, asks ? question : exclamation);
    EXPECT_EQ(seen.TopLeft().x, 410);
    EXPECT_EQ(seen.TopLeft().y, 320);
    EXPECT_EQ(seen.Owner, owner.get());
  }
}

TEST(MessageDialogs, AMessageHasTheProgramsTitleNoIconAndOnlyOk) {
  OwnerWindow owner;
  for (const Answer reply : {Answer::ClickOk, Answer::PressEnter, Answer::PressEscape}) {
    SCOPED_TRACE(static_cast<int>(reply));
    Win32MessageDialogs dialogs(owner.get());
    const std::u16string_view text = u"レジストリへ環境変数を書き込みました。";
    const DialogSnapshot seen = Drive(reply, [&] { dialogs.Inform(text, ScreenPoint{400, 330}); });
    EXPECT_EQ(seen.Caption, u"Tallowin");
    EXPECT_EQ(seen.Texts(), std::vector<std::u16string>{std::u16string(text)});
    EXPECT_EQ(seen.Buttons(), std::vector<std::u16string>{u"OK"});
    EXPECT_EQ(seen.Icon, nullptr);
    EXPECT_EQ(seen.TopLeft().x, 400);
    EXPECT_EQ(seen.TopLeft().y, 330);
  }
}

TEST(MessageDialogs, OtherMessageBoxesAreLeftAloneAfterwards) {
  Win32MessageDialogs dialogs(nullptr);
  const ScreenPoint at{3, 4};
  Drive(Answer::ClickOk, [&] { dialogs.Confirm(u"first", at); });
  const DialogSnapshot plain = Drive(Answer::ClickOk, [] { ::MessageBoxW(nullptr, L"plain", L"plain", MB_OK); });
  EXPECT_FALSE(plain.TopLeft().x == at.X && plain.TopLeft().y == at.Y) << "moved by a hook left behind";
}

}  // namespace
}  // namespace tallowin::ports
