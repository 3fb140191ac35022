#pragma once

#include <windows.h>

#include <string_view>

#include "cli/console.h"

// The program's own standard streams. A console gets the text through the
// wide console API, so every character shows whatever the console's code
// page; a file or a pipe gets UTF-8, which scripts read without guessing a
// code page.
namespace tallowin::cli {

class Win32Console final : public Console {
 public:
  Win32Console();
  InputText ReadAllInput() override;

 protected:
  bool WriteOut(std::u16string_view text) override { return Write(out_, text); }
  void WriteErr(std::u16string_view text) override { Write(err_, text); }

 private:
  struct Stream {
    HANDLE Handle = nullptr;
    bool IsConsole = false;
  };
  static Stream Open(DWORD which);
  static bool Write(const Stream& stream, std::u16string_view text);

  Stream out_;
  Stream err_;
};

}  // namespace tallowin::cli
