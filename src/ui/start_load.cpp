#include "ui/start_load.h"

#include <system_error>
#include <utility>

namespace tallowin::ui {

StartLoad::~StartLoad() {
  if (reader_.joinable()) reader_.join();
}

void StartLoad::Begin(const MainModel& model, RegistryPort& registry, HWND window, UINT doneMessage) {
  pending_ = true;
  done_ = false;
  try {
    reader_ = std::thread([this, copy = model, &registry, window, doneMessage] {
      reading_ = ReadForLoad(copy, registry);
      done_ = true;
      ::PostMessageW(window, doneMessage, 0, 0);
    });
  } catch (const std::system_error&) {
    reading_ = ReadForLoad(model, registry);
    done_ = true;
  }
}

LoadReading StartLoad::Take() {
  if (reader_.joinable()) reader_.join();
  LoadReading reading = std::move(*reading_);
  reading_.reset();
  pending_ = false;
  return reading;
}

bool IsUserInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_LBUTTONDOWN && message <= WM_MOUSELAST) ||
         (message >= WM_NCLBUTTONDOWN && message <= WM_NCXBUTTONDBLCLK);
}

}  // namespace tallowin::ui
