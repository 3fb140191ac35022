#pragma once

#include <deque>
#include <string>
#include <vector>

#include "commands/ports.h"

// A dialog port for tests: records every dialog and sound it is asked for and
// answers questions from a script (OK when the script has run out).
namespace tallowin::testing {

enum class DialogKind { Confirm, Warn, Inform, WarnCancelDefault, ConfirmCancelDefault };

struct ShownDialog {
  DialogKind Kind;
  std::u16string Text;
  ScreenPoint TopLeft;
};

class ScriptedDialogs : public DialogPort {
 public:
  std::vector<ShownDialog> Shown;
  std::vector<SystemSound> Sounds;
  // Answers for Confirm and Warn, in order; true is OK.
  std::deque<bool> Answers;

  bool Confirm(std::u16string_view text, ScreenPoint topLeft) override {
    Shown.push_back({DialogKind::Confirm, std::u16string(text), topLeft});
    return NextAnswer();
  }
  bool Warn(std::u16string_view text, ScreenPoint topLeft) override {
    Shown.push_back({DialogKind::Warn, std::u16string(text), topLeft});
    return NextAnswer();
  }
  void Inform(std::u16string_view text, ScreenPoint topLeft) override {
    Shown.push_back({DialogKind::Inform, std::u16string(text), topLeft});
  }
  void Beep(SystemSound sound) override { Sounds.push_back(sound); }
  bool WarnCancelDefault(std::u16string_view text, ScreenPoint topLeft) override {
    Shown.push_back({DialogKind::WarnCancelDefault, std::u16string(text), topLeft});
    return NextAnswer();
  }
  bool ConfirmCancelDefault(std::u16string_view text, ScreenPoint topLeft) override {
    Shown.push_back({DialogKind::ConfirmCancelDefault, std::u16string(text), topLeft});
    return NextAnswer();
  }

 private:
  bool NextAnswer() {
    if (Answers.empty()) return true;
    const bool answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
};

// Answers Save's question about other programs' changes, and keeps what
// it was asked.
class ScriptedOutsideChanges : public OutsideChangePort {
 public:
  explicit ScriptedOutsideChanges(OutsideChangeAnswer answer) : Answer(answer) {}
  OutsideChangeAnswer AskAboutOutsideChanges(const std::vector<OutsideChange>& changes, ScreenPoint) override {
    Asked.push_back(changes);
    return Answer;
  }
  OutsideChangeAnswer Answer;
  std::vector<std::vector<OutsideChange>> Asked;
};

// An owner window standing still at a given screen rectangle.
class FixedWindow : public WindowPort {
 public:
  explicit FixedWindow(ScreenRect rect) : rect_(rect) {}
  ScreenRect WindowRect() const override { return rect_; }

 private:
  ScreenRect rect_;
};

}  // namespace tallowin::testing
