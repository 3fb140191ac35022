#pragma once

#include <string_view>

// The ports through which the portable code talks to the user: the modal
// message dialogs, the system sounds that precede some of them, and the
// owner window whose screen position places them. The Win32 edge implements
// them with real dialogs; tests implement them with scripted answers.
namespace tallowin {

struct ScreenPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

struct ScreenRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

// The system sounds played before a question, a warning or a failure.
enum class SystemSound { Question, Exclamation, Hand };

class DialogPort {
 public:
  virtual ~DialogPort() = default;
  // Caption "確認", question icon, "OK" (default) and "キャンセル" (Escape).
  // True when the user answered OK.
  virtual bool Confirm(std::u16string_view text, ScreenPoint topLeft) = 0;
  // Caption "警告", exclamation icon, the same buttons and answer.
  virtual bool Warn(std::u16string_view text, ScreenPoint topLeft) = 0;
  // Caption "Tallowin", no icon, "OK" only.
  virtual void Inform(std::u16string_view text, ScreenPoint topLeft) = 0;
  virtual void Beep(SystemSound sound) = 0;
};

// The window that dialogs are placed against: its outer bounds in screen
// coordinates.
class WindowPort {
 public:
  virtual ~WindowPort() = default;
  virtual ScreenRect WindowRect() const = 0;
};

// The dialog position at an offset from the owner window's top-left corner.
inline ScreenPoint OffsetFromOwner(const WindowPort* owner, int dx, int dy) {
  const ScreenRect rect = owner != nullptr ? owner->WindowRect() : ScreenRect{};
  return ScreenPoint{rect.Left + dx, rect.Top + dy};
}

}  // namespace tallowin
