#include "ui/ports/clipboard_port.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "support/system_clipboard_lock.h"

namespace tallowin::ports {
namespace {

using testing::SystemClipboardLock;

// Puts one block of global memory on the clipboard under a format, as
// another program would.
void PutRaw(UINT format, const void* data, std::size_t bytes) {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  ASSERT_NE(memory, nullptr);
  std::memcpy(::GlobalLock(memory), data, bytes);
  ::GlobalUnlock(memory);
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ASSERT_NE(::SetClipboardData(format, memory), nullptr);
  ::CloseClipboard();
}

void EmptyRaw() {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();
}

// What the clipboard holds as Unicode text, read without the port.
std::wstring RawUnicodeText() {
  if (!::OpenClipboard(nullptr)) return L"(not opened)";
  std::wstring text = L"(none)";
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(::GlobalLock(data));
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}

class ClipboardPortTest : public ::testing::Test {
 protected:
  SystemClipboardLock lock;
  Win32Clipboard clipboard{nullptr};
};

TEST_F(ClipboardPortTest, WrittenTextReadsBackInBothForms) {
  const std::u16string text = u"C:\\ツール;\r\n";
  ASSERT_TRUE(clipboard.WriteText(text).Succeeded);
  EXPECT_EQ(RawUnicodeText(), L"C:\\ツール;\r\n");
  EXPECT_TRUE(::IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_TRUE(clipboard.HasText());
  const ClipboardText read = clipboard.ReadText();
  EXPECT_TRUE(read.Result.Succeeded);
  EXPECT_EQ(read.Text, text);

  ASSERT_TRUE(clipboard.WriteText(u"").Succeeded);
  EXPECT_EQ(clipboard.ReadText().Text, u"");
}

TEST_F(ClipboardPortTest, TextOfOtherProgramsAndNoText) {
  EmptyRaw();
  EXPECT_FALSE(clipboard.HasText());
  const ClipboardText none = clipboard.ReadText();
  EXPECT_TRUE(none.Result.Succeeded);
  EXPECT_FALSE(none.Text.has_value());

  // ANSI text only: the system makes Unicode text of it.
  PutRaw(CF_TEXT, "abc", 4);
  EXPECT_TRUE(clipboard.HasText());
  EXPECT_EQ(clipboard.ReadText().Text, u"abc");
}

// Another program holding the clipboard open: the port waits a little,
// then reports the failure and has changed nothing.
TEST_F(ClipboardPortTest, HeldClipboardFailsAfterAShortWait) {
  ASSERT_TRUE(clipboard.WriteText(u"before").Succeeded);
  HANDLE opened = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    // The clipboard counts as held by another program when a window other
    // than the caller's opened it.
    const HWND window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const BOOL open = ::OpenClipboard(window);
    ::SetEvent(opened);
    ::WaitForSingleObject(release, INFINITE);
    if (open) ::CloseClipboard();
    ::DestroyWindow(window);
  });
  ::WaitForSingleObject(opened, INFINITE);

  const auto start = std::chrono::steady_clock::now();
  const PortResult written = clipboard.WriteText(u"after");
  const ClipboardText read = clipboard.ReadText();
  const auto waited = std::chrono::steady_clock::now() - start;
  ::SetEvent(release);
  holder.join();
  ::CloseHandle(opened);
  ::CloseHandle(release);

  EXPECT_FALSE(written.Succeeded);
  EXPECT_NE(written.ErrorCode, 0u);
  EXPECT_FALSE(read.Result.Succeeded);
  EXPECT_LT(waited, std::chrono::seconds(2));
  EXPECT_EQ(RawUnicodeText(), L"before");
  EXPECT_TRUE(clipboard.WriteText(u"after").Succeeded);
  EXPECT_EQ(RawUnicodeText(), L"after");
}

}  // namespace
}  // namespace tallowin::ports
