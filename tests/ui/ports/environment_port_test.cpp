#include "ports/environment_port.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace tallowin::ports {
namespace {

TEST(EnvironmentPortTest, ExpandsWithTheProcessEnvironment) {
  // Longer than the first buffer, so that the expansion has to grow it.
  const std::wstring longValue(5000, L'v');
  ASSERT_TRUE(::SetEnvironmentVariableW(L"TALLOWIN_LONG", longValue.c_str()));
  ASSERT_TRUE(::SetEnvironmentVariableW(L"TALLOWIN_DIR", L"C:\\ツール"));
  struct Case {
    std::u16string Text;
    std::u16string Expanded;
  };
  const Case cases[] = {
      {u"", u""},
      {u"C:\\plain", u"C:\\plain"},
      {u"%tallowin_dir%\\bin", u"C:\\ツール\\bin"},
      {u"%TALLOWIN_NOT_SET%\\x", u"%TALLOWIN_NOT_SET%\\x"},
      {u"50%", u"50%"},
      {u"<%TALLOWIN_LONG%>", u"<" + std::u16string(5000, u'v') + u">"},
  };
  Win32Environment environment;
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "text of " << c.Text.size() << " units");
    EXPECT_EQ(environment.ExpandReferences(c.Text), c.Expanded);
  }
}

TEST(EnvironmentPortTest, OnlyDirectoriesExist) {
  wchar_t windows[MAX_PATH] = {};
  ASSERT_GT(::GetWindowsDirectoryW(windows, MAX_PATH), 0u);
  const std::u16string directory(reinterpret_cast<const char16_t*>(windows));
  Win32Environment environment;
  EXPECT_TRUE(environment.IsExistingDirectory(directory));
  EXPECT_TRUE(environment.IsExistingDirectory(directory + u"\\system32\\"));
  EXPECT_FALSE(environment.IsExistingDirectory(directory + u"\\system32\\kernel32.dll"));
  EXPECT_FALSE(environment.IsExistingDirectory(directory + u"\\no such folder"));
  EXPECT_FALSE(environment.IsExistingDirectory(u""));
}

}  // namespace
}  // namespace tallowin::ports
