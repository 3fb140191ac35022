#include "ui/ports/message_dialogs.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "model/texts.h"
#include "win32/wide_text.h"

namespace tallowin::ports {

using win32::FromWide;
namespace {

enum class Answer { ClickOk, ClickCancel, PressEnter, PressEscape };

// What the test saw of the message box while it was shown.
struct SeenDialog {
  bool Found = false;
  std::u16string Caption;
  std::u16string Text;
  std::vector<std::u16string> Buttons;  // visible buttons, in tab order
  bool OkIsDefault = false;
  POINT TopLeft{};
  HICON Icon = nullptr;
  HWND Owner = nullptr;
  bool OwnerDisabled = false;
  // Set when the simulated answer did not close the box and the test had to.
  bool AnswerIgnored = false;
};

struct Driver {
  Answer Reply = Answer::ClickOk;
  SeenDialog Seen;
};

Driver* currentDriver = nullptr;

std::u16string WindowText(HWND window) {
  wchar_t buffer[512] = {};
  const int length = ::GetWindowTextW(window, buffer, 512);
  return FromWide(buffer, static_cast<std::size_t>(length));
}

std::wstring ClassOf(HWND window) {
  wchar_t buffer[64] = {};
  const int length = ::GetClassNameW(window, buffer, 64);
  return std::wstring(buffer, static_cast<std::size_t>(length));
}

BOOL CALLBACK FindShownDialog(HWND window, LPARAM found) {
  if (ClassOf(window) == L"#32770" && ::IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK ReadChild(HWND child, LPARAM seen) {
  SeenDialog& dialog = *reinterpret_cast<SeenDialog*>(seen);
  if (!::IsWindowVisible(child)) return TRUE;
  const std::wstring className = ClassOf(child);
  const LONG style = ::GetWindowLongW(child, GWL_STYLE);
  if (_wcsicmp(className.c_str(), L"Button") == 0) {
    dialog.Buttons.push_back(WindowText(child));
  } else if (_wcsicmp(className.c_str(), L"Static") == 0) {
    if ((style & SS_TYPEMASK) == SS_ICON) {
      dialog.Icon = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
    } else if (dialog.Text.empty()) {
      dialog.Text = WindowText(child);
    }
  }
  return TRUE;
}

void Read(HWND dialog, SeenDialog& seen) {
  seen.Found = true;
  seen.Caption = WindowText(dialog);
  ::EnumChildWindows(dialog, ReadChild, reinterpret_cast<LPARAM>(&seen));
  const HWND ok = ::GetDlgItem(dialog, IDOK);
  seen.OkIsDefault = ok != nullptr && (::GetWindowLongW(ok, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  RECT rect{};
  ::GetWindowRect(dialog, &rect);
  seen.TopLeft = POINT{rect.left, rect.top};
  seen.Owner = ::GetWindow(dialog, GW_OWNER);
  seen.OwnerDisabled = seen.Owner != nullptr && !::IsWindowEnabled(seen.Owner);
}

void Reply(HWND dialog, Answer answer) {
  // Keys go through the dialog's own message loop, to the focused control
  // as a user's keystrokes would. While another program holds the focus
  // (tests run side by side) the box has none of its own: the default
  // button stands in, and the dialog manager still acts on the key.
  HWND focus = ::GetFocus();
  if (focus == nullptr || (focus != dialog && !::IsChild(dialog, focus))) focus = ::GetDlgItem(dialog, IDOK);
  switch (answer) {
    case Answer::ClickOk:
      ::SendMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
      break;
    case Answer::ClickCancel:
      ::SendMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
      break;
    case Answer::PressEnter:
      ::PostMessageW(focus, WM_KEYDOWN, VK_RETURN, 1);
      break;
    case Answer::PressEscape:
      ::PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 1);
      break;
  }
}

// A thread timer runs inside the message box's modal loop. Its first tick
// after the box is shown reads the box and answers it; a box still open at a
// later tick ignored the answer, and the test closes it so as not to hang.
void CALLBACK OnTick(HWND, UINT, UINT_PTR timer, DWORD) {
  Driver* driver = currentDriver;
  HWND dialog = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&dialog));
  if (driver == nullptr || dialog == nullptr) return;
  if (driver->Seen.Found) {
    driver->Seen.AnswerIgnored = true;
    ::KillTimer(nullptr, timer);
    ::EndDialog(dialog, IDABORT);
    return;
  }
  Read(dialog, driver->Seen);
  Reply(dialog, driver->Reply);
}

// Runs a dialog while the timer reads and answers it.
template <typename Show>
SeenDialog Drive(Answer reply, Show&& show) {
  Driver driver;
  driver.Reply = reply;
  currentDriver = &driver;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, OnTick);
  EXPECT_NE(timer, 0u);
  show();
  ::KillTimer(nullptr, timer);
  currentDriver = nullptr;
  EXPECT_TRUE(driver.Seen.Found) << "no message box was shown";
  EXPECT_FALSE(driver.Seen.AnswerIgnored) << "the message box ignored the answer";
  return driver.Seen;
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
    const SeenDialog seen = Drive(
        c.Reply, [&] { result = c.Which == Kind::Confirm ? dialogs.Confirm(text, c.At) : dialogs.Warn(text, c.At); });
    EXPECT_EQ(result, c.Result);
    EXPECT_EQ(seen.Caption, c.Which == Kind::Confirm ? texts::kConfirmCaption : texts::kWarningCaption);
    EXPECT_EQ(seen.Text, text);
    EXPECT_EQ(seen.Buttons,
              (std::vector<std::u16string>{std::u16string(texts::kOkButton), std::u16string(texts::kCancelButton)}));
    EXPECT_TRUE(seen.OkIsDefault);
    EXPECT_EQ(seen.TopLeft.x, c.At.X);
    EXPECT_EQ(seen.TopLeft.y, c.At.Y);
    EXPECT_EQ(seen.Icon, c.Which == Kind::Confirm ? question : exclamation);
    EXPECT_EQ(seen.Owner, c.Owner);
    EXPECT_EQ(seen.OwnerDisabled, c.Owner != nullptr);
  }
}

TEST(MessageDialogs, AMessageHasTheProgramsTitleNoIconAndOnlyOk) {
  OwnerWindow owner;
  for (const Answer reply : {Answer::ClickOk, Answer::PressEnter, Answer::PressEscape}) {
    SCOPED_TRACE(static_cast<int>(reply));
    Win32MessageDialogs dialogs(owner.get());
    const std::u16string_view text = u"レジストリへ環境変数を書き込みました。";
    const SeenDialog seen = Drive(reply, [&] { dialogs.Inform(text, ScreenPoint{400, 330}); });
    EXPECT_EQ(seen.Caption, texts::kAppTitle);
    EXPECT_EQ(seen.Text, text);
    EXPECT_EQ(seen.Buttons, std::vector<std::u16string>{std::u16string(texts::kOkButton)});
    EXPECT_EQ(seen.Icon, nullptr);
    EXPECT_EQ(seen.TopLeft.x, 400);
    EXPECT_EQ(seen.TopLeft.y, 330);
  }
}

TEST(MessageDialogs, OtherMessageBoxesAreLeftAloneAfterwards) {
  Win32MessageDialogs dialogs(nullptr);
  const ScreenPoint at{3, 4};
  Drive(Answer::ClickOk, [&] { dialogs.Confirm(u"first", at); });
  const SeenDialog plain = Drive(Answer::ClickOk, [] { ::MessageBoxW(nullptr, L"plain", L"plain", MB_OK); });
  EXPECT_FALSE(plain.TopLeft.x == at.X && plain.TopLeft.y == at.Y) << "moved by a hook left behind";
}

}  // namespace
}  // namespace tallowin::ports
