#pragma once

#include <windows.h>

#include <string_view>

// Standard output and standard error. A console gets the text through the
// wide console API, so every character shows whatever the console's code
// page; a file or a pipe gets UTF-8, which scripts read without guessing a
// code page.
namespace tallowin::cli {

class Console {
 public:
  Console();
  // Results: what a script reads.
  void Out(std::u16string_view text);
  // Messages: what a person reads.
  void Err(std::u16string_view text);
  // From now on each message is one JSON line {"level":"error","message":...}
  // on standard error, as a configuration engine that drives a DSC resource
  // reads its log.
  void ErrorsAsJsonLines() { jsonErrors_ = true; }
  // Whether a write to standard output failed (a closed pipe, a full disk):
  // a run whose results were lost has not succeeded.
  bool OutputFailed() const { return outputFailed_; }

 private:
  struct Stream {
    HANDLE Handle = nullptr;
    bool IsConsole = false;
  };
  static Stream Open(DWORD which);
  static bool Write(const Stream& stream, std::u16string_view text);

  Stream out_;
  Stream err_;
  bool outputFailed_ = false;
  bool jsonErrors_ = false;
};

}  // namespace tallowin::cli
