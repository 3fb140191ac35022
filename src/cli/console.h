#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Standard output, standard error and standard input as the commands meet
// them. The program's console (win32_console.h) writes to the real streams;
// tests keep what a run wrote.
namespace tallowin::cli {

// All of standard input, read as UTF-8.
struct InputText {
  bool Read = true;
  std::uint32_t ErrorCode = 0;  // the system's, when it could not be read
  // Nothing when the bytes were not UTF-8.
  std::optional<std::u16string> Text;
};

class Console {
 public:
  virtual ~Console() = default;
  // Results: what a script reads.
  void Out(std::u16string_view text) {
    if (!WriteOut(text)) outputFailed_ = true;
  }
  // Messages: what a person reads.
  void Err(std::u16string_view text);
  // From now on each message is one JSON line {"level":"error","message":...}
  // on standard error, as a configuration engine that drives a DSC resource
  // reads its log.
  void ErrorsAsJsonLines() { jsonErrors_ = true; }
  // Whether a write to standard output failed (a closed pipe, a full disk):
  // a run whose results were lost has not succeeded.
  bool OutputFailed() const { return outputFailed_; }
  virtual InputText ReadAllInput() = 0;

 protected:
  // False when the text could not be written.
  virtual bool WriteOut(std::u16string_view text) = 0;
  virtual void WriteErr(std::u16string_view text) = 0;

 private:
  bool outputFailed_ = false;
  bool jsonErrors_ = false;
};

}  // namespace tallowin::cli
