#pragma once

#include "commands/ports.h"

// Where the commands place their message dialogs: offsets of the dialog's
// top-left corner from the main window's top-left corner.
namespace tallowin {

inline constexpr int kDialogY = 130;
// Questions, warnings and reports of success.
inline constexpr int kDialogX = 130;
// Reports of failure.
inline constexpr int kFailureX = 100;
// The restart question after a save.
inline constexpr int kRestartX = 70;
// The entry buffer's refusals: the Path guard; a refused name (duplicate,
// or holding a forbidden character) alone; any message with the type line.
inline constexpr int kPathGuardX = 130;
inline constexpr int kDuplicateNameX = 160;
inline constexpr int kTypeRefusedX = 80;

// The dialog position at an offset from the owner window's top-left corner.
inline ScreenPoint OffsetFromOwner(const WindowPort* owner, int dx, int dy) {
  const ScreenRect rect = owner != nullptr ? owner->WindowRect() : ScreenRect{};
  return ScreenPoint{rect.Left + dx, rect.Top + dy};
}

}  // namespace tallowin
