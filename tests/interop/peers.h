#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "commands/ports.h"
#include "ports/file_system.h"

// What the peer tests share: running reg.exe and regedit.exe, reading and
// writing the files they exchange, and rewriting a file's key header lines
// so that a file meant for one key goes to another.
namespace tallowin::testing {

// Runs a peer program; a peer that cannot be started fails the test.
inline std::optional<DWORD> RunPeer(const std::wstring& program, const std::wstring& arguments) {
  const std::optional<DWORD> exitCode = RunWindowsProgram(program, arguments);
  if (!exitCode) ADD_FAILURE() << "cannot run " << std::string(program.begin(), program.end());
  return exitCode;
}

inline constexpr wchar_t kReg[] = L"system32\\reg.exe";
inline constexpr wchar_t kRegedit[] = L"regedit.exe";

inline std::vector<std::uint8_t> ReadBytes(const std::u16string& path) {
  ports::Win32FileSystem files;
  const FileContents contents = files.ReadWholeFile(path);
  EXPECT_TRUE(contents.Result.Succeeded) << contents.Result.ErrorCode;
  return contents.Bytes;
}

inline void WriteBytes(const std::u16string& path, const std::vector<std::uint8_t>& bytes) {
  ports::Win32FileSystem files;
  const PortResult written = files.ReplaceWholeFile(path, bytes);
  ASSERT_TRUE(written.Succeeded) << written.ErrorCode;
}

// A UTF-16LE file's text (after FF FE) with every occurrence of a line
// replaced; the other bytes stay exactly as they were.
inline std::vector<std::uint8_t> WithLineReplaced(const std::vector<std::uint8_t>& file, const std::u16string& from,
                                                  const std::u16string& to) {
  EXPECT_GE(file.size(), 2u);
  EXPECT_EQ(file[0], 0xff);
  EXPECT_EQ(file[1], 0xfe);
  std::u16string text;
  for (std::size_t i = 2; i + 1 < file.size(); i += 2) {
    text.push_back(static_cast<char16_t>(file[i] | (file[i + 1] << 8)));
  }
  int replaced = 0;
  const std::u16string needle = u"\r\n" + from + u"\r\n";
  for (std::size_t at = text.find(needle); at != std::u16string::npos; at = text.find(needle, at + 1)) {
    text.replace(at + 2, from.size(), to);
    ++replaced;
  }
  EXPECT_GT(replaced, 0) << "key header line not found";
  std::vector<std::uint8_t> bytes{0xff, 0xfe};
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xff));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  if (file.size() % 2 != 0) bytes.push_back(file.back());
  return bytes;
}

// Answers the file dialogs with the paths it is given, in order.
class GivenPaths : public FilePickerPort {
 public:
  std::deque<std::u16string> Paths;
  std::optional<std::u16string> PickFileToSave(std::u16string_view) override { return Next(); }
  std::optional<std::u16string> PickFileToOpen(std::u16string_view) override { return Next(); }

 private:
  std::optional<std::u16string> Next() {
    if (Paths.empty()) return std::nullopt;
    std::u16string path = Paths.front();
    Paths.pop_front();
    return path;
  }
};

}  // namespace tallowin::testing
