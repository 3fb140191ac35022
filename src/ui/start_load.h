#pragma once

#include <windows.h>

#include <atomic>
#include <optional>
#include <thread>

#include "commands/load_save_commands.h"

// The window's first Load, read on a thread of its own: the window answers
// (paints, moves, shows its hints) while ten thousand values are read, and
// the reading thread posts a message to the window once it is done. Anything
// that needs the model takes the reading first, waiting for it if it is not
// done yet.
namespace tallowin::ui {

class StartLoad {
 public:
  StartLoad() = default;
  StartLoad(const StartLoad&) = delete;
  StartLoad& operator=(const StartLoad&) = delete;
  ~StartLoad();

  // Reads both keys into a copy of the model and then posts the message to
  // the window. Without a thread to read on, reads them here and now.
  void Begin(const MainModel& model, RegistryPort& registry, HWND window, UINT doneMessage);
  // A reading was begun and not yet taken.
  bool Pending() const { return pending_; }
  // The reading has ended: Take() hands it over without waiting.
  bool Done() const { return done_; }
  // Waits for the reading to end and hands it over.
  LoadReading Take();

 private:
  std::thread reader_;
  // Written by the reading thread; read by the window only after the join.
  std::optional<LoadReading> reading_;
  std::atomic<bool> done_{false};
  bool pending_ = false;
};

// Whether a message is the user's input, which the window handles only
// with the keys read: a key, a character, a mouse button, on the client
// area or on the frame and its menu bar.
bool IsUserInput(UINT message);

}  // namespace tallowin::ui
