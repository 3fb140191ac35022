#include "registry/user32_calls.h"

#include <gtest/gtest.h>

#include <string>

#include "win32/unique_handle.h"

namespace tallowin::registry {
namespace {

constexpr wchar_t kClassName[] = L"TallowinUser32CallsTest";
constexpr LRESULT kAnswer = 7;

// The text of every WM_SETTINGCHANGE the test window was sent.
std::wstring settingChanges;

LRESULT CALLBACK RecordSettingChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTINGCHANGE && lParam != 0) {
    settingChanges += reinterpret_cast<const wchar_t*>(lParam);
    settingChanges += L';';
    return kAnswer;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

TEST(User32CallsTest, SendMessageTimeoutReachesAWindowAloneOrAsABroadcastAndBringsBackItsAnswer) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = RecordSettingChanges;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClassName;
  ASSERT_NE(::RegisterClassW(&windowClass), 0);
  {
    // Hidden, top-level and unowned: a broadcast reaches it too.
    const win32::UniqueWindow window(::CreateWindowExW(0, kClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                                       nullptr, windowClass.hInstance, nullptr));
    ASSERT_TRUE(window);
    const auto environment = reinterpret_cast<LPARAM>(L"Environment");

    DWORD_PTR answer = 0;
    EXPECT_NE(user32::SendMessageTimeoutW(window.get(), WM_SETTINGCHANGE, 0, environment, SMTO_NORMAL, 1000, &answer),
              0);
    EXPECT_EQ(answer, DWORD_PTR{kAnswer});
    EXPECT_EQ(settingChanges, L"Environment;");

    EXPECT_NE(user32::SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, environment,
                                          SMTO_ABORTIFHUNG | SMTO_NORMAL, 1000, &answer),
              0);
    EXPECT_EQ(settingChanges, L"Environment;Environment;");
  }
  ::UnregisterClassW(kClassName, windowClass.hInstance);
}

}  // namespace
}  // namespace tallowin::registry
