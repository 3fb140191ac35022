#pragma once

#include <string>

// What a command hands back to the window besides the model: the message
// for status bar panel 0, which the window shows once. Empty when the panel
// keeps what it shows.
namespace tallowin {

struct CommandOutcome {
  std::u16string StatusText;

  static CommandOutcome Status(std::u16string_view text) { return {std::u16string(text)}; }
};

}  // namespace tallowin
